// The window as a desktop user meets it: keys that belong to commands, the title pane's
// paste and refusals, the undo confirmation's Esc, Qt's own texts, message boxes, the tool
// bars at the first start, the icons and the recent list.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <functional>

#include "core/outline.h"
#include "settings/settings.h"
#include "tests/ui/ui_test_support.h"
#include "ui/common/dialogs.h"
#include "ui/common/tree_icons.h"
#include "ui/document/document_commands.h"
#include "ui/editing/tform_undo_dialog.h"
#include "ui/window/tform_main.h"

namespace pw::test {
namespace {

class ShellTest : public WindowTest {
 protected:
  void Show() {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  Node* Nth(size_t index) { return window_->outline().NodeAt(index); }
  // Runs `inspect` on the next modal box from the event loop.
  static void OnNextModal(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, [inspect] {
      if (QWidget* modal = QApplication::activeModalWidget()) inspect(modal);
    });
  }
};

TEST_F(ShellTest, TheSavePromptSpeaksJapaneseWithItsWarningIcon) {
  window_->SetDialogs(std::make_unique<QtDialogs>());
  dialogs_ = nullptr;
  window_->flags().BodyModified = true;
  QStringList buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  OnNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      modal->close();
      return;
    }
    icon = box->icon();
    for (QAbstractButton* b : box->buttons()) buttons << b->text().remove(QLatin1Char('&'));
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_FALSE(window_->document().SavePrompt());
  buttons.sort();
  QStringList expected = {QString::fromUtf8("はい"), QString::fromUtf8("いいえ"),
                          QString::fromUtf8("キャンセル")};
  expected.sort();
  for (QString& b : buttons) b = b.split(QLatin1Char('(')).front();  // "はい(Y)" -> "はい"
  EXPECT_EQ(buttons, expected);
  EXPECT_EQ(icon, QMessageBox::Warning);
  window_->flags().Clear();
}

TEST_F(ShellTest, AFailureBoxHasTheErrorIconAndRoomForItsCaption) {
  window_->SetDialogs(std::make_unique<QtDialogs>());
  dialogs_ = nullptr;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int width = 0;
  OnNextModal([&](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      icon = box->icon();
      width = box->width();
    }
    modal->close();
  });
  window_->ShowMessage("ファイル名が無効です");
  EXPECT_EQ(icon, QMessageBox::Critical);
  // The caption, and the title bar's buttons beside it.
  EXPECT_GE(width, QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral(
                       "Plotweave")) + 120);
}

TEST_F(ShellTest, ShiftEnterCutsAtTheLengthThenTrimsOnlyBlanks) {
  struct Case {
    const char* body;
    int max_length;
    const char* title;
  };
  const Case cases[] = {
      {"　　第一章　旅立ち", 64, "　　第一章　旅立ち"},  // full-width spaces are text
      {"  abc  ", 64, "abc"},
      {"ab  cdef", 4, "ab"},      // the cut leaves blanks, which then go
      {"あいう", 5, "あい"},      // a double-byte character is never split
      {"\tx\ty", 64, "x\ty"},
  };
  Show();
  for (const Case& c : cases) {
    window_->settings().TitleMaxLength = c.max_length;
    window_->MemoTitle->clear();
    window_->RichEditMain->setPlainText(QString::fromUtf8(c.body));
    window_->RichEditMain->setFocus();
    QTest::keyClick(window_->RichEditMain, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(window_->MemoTitle->text(), QString::fromUtf8(c.title)) << c.body;
  }
}

TEST_F(ShellTest, EveryPasteIntoTheTitleDropsLineBreaks) {
  Show();
  window_->MemoTitle->clear();
  window_->MemoTitle->setFocus();
  QApplication::clipboard()->setText(QString::fromUtf8("第一\r\n章\n"));
  QTest::keyClick(window_->MemoTitle, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(window_->MemoTitle->text(), QString::fromUtf8("第一章"));
  window_->MemoTitle->insert(QStringLiteral("\nX"));  // drops and the input method insert so
  EXPECT_EQ(window_->MemoTitle->text(), QString::fromUtf8("第一章X"));
  EXPECT_EQ(Utf8Title(window_->SelectedNode()), "第一章X");
}

TEST_F(ShellTest, EscInTheUndoConfirmationDoesNotMerge) {
  const QString path = WriteDocument("m.PWV", {"root", "\tA", "\tB"}, {"", "a", "b"});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  Show();
  window_->SelectNode(Nth(2));
  window_->TreeViewMain->setFocus();
  int shown = 0;
  OnNextModal([&](QWidget* modal) {
    if (qobject_cast<TFormUndoDialog*>(modal) != nullptr) ++shown;
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  window_->Action(QStringLiteral("MenuTreeMerge"))->trigger();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(window_->outline().size(), 3u);
  EXPECT_TRUE(window_->settings().UndoDialog);
}

TEST_F(ShellTest, KeysOfCommandsRunTheCommandInsteadOfTheWidgetsBinding) {
  const QString path = WriteDocument("k.PWV", {"root", "\tA", "\tB"}, {"", "alpha beta", "b"});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  Show();
  window_->SelectNode(Nth(1));
  window_->SelectNode(Nth(2));
  // Alt+Backspace is "back", not the editor's undo.
  QTest::keyClicks(window_->RichEditMain, QStringLiteral("xyz"));
  QTest::keyClick(window_->RichEditMain, Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(window_->SelectedNode(), Nth(1));
  EXPECT_EQ(BodyText(Nth(2)).substr(0, 3), "xyz");

  // Ctrl+Delete in a pane deletes the next word; in the tree, the node.
  QTextEdit* body = window_->RichEditMain;
  body->setFocus();
  QTextCursor cursor = body->textCursor();
  cursor.setPosition(0);
  body->setTextCursor(cursor);
  QTest::keyClick(body, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(body->toPlainText(), QStringLiteral("beta"));
  EXPECT_EQ(window_->outline().size(), 3u);
  window_->TreeViewMain->setFocus();
  QTest::keyClick(window_->TreeViewMain, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(window_->outline().size(), 2u);
}

TEST_F(ShellTest, EveryToolButtonShowsAtTheFirstStartsWidth) {
  Show();
  EXPECT_EQ(window_->width(), 709);
  int buttons = 0;
  for (QToolBar* bar : window_->ToolBars) {
    for (QAction* action : bar->actions()) {
      if (!action->isVisible() || action->isSeparator()) continue;
      QWidget* button = bar->widgetForAction(action);
      ASSERT_NE(button, nullptr);
      EXPECT_TRUE(button->isVisible()) << action->objectName().toStdString();
      EXPECT_LE(button->geometry().right(), bar->width()) << action->objectName().toStdString();
      ++buttons;
    }
    EXPECT_LE(bar->geometry().right(), window_->width()) << bar->objectName().toStdString();
  }
  EXPECT_EQ(buttons, 43);
}

TEST_F(ShellTest, ButtonsAndTreeNodesHaveImagesSharpAtTwiceTheScale) {
  Show();
  for (const ToolButtonInfo& info : ToolButtons()) {
    const QString name = QString::fromLatin1(info.name.data(), qsizetype(info.name.size()));
    QToolButton* button = window_->ToolButton(name);
    ASSERT_NE(button, nullptr) << info.name;
    const QPixmap pixmap = button->icon().pixmap(QSize(16, 16), 2.0);
    // Drawn for 32 device pixels, not a 16-pixel picture blown up.
    EXPECT_EQ(pixmap.size(), QSize(32, 32)) << info.name;
  }
  for (int icon : {kIconRoot, kIconChara, kIconCharaItem, ncBlue + kChildIconBase,
                   ncPink + kParentIconBase, kChildIconBase, kParentIconBase}) {
    const QPixmap pixmap = TreeIcons::Instance().Icon(icon).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(pixmap.size(), QSize(32, 32)) << icon;
    const QImage image = pixmap.toImage();
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    EXPECT_GT(opaque, 64) << icon;  // colour 0 has a (grey) mark too
  }
}

TEST_F(ShellTest, ARecentFileThatFailsToReadMovesToTheTop) {
  const QString good = WriteDocument("good.PWV", {"root"});
  const QString bad = Path(QString::fromUtf8("壊れた.PWV"));
  QFile file(bad);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\x03\x00\x00garbage that is no document", 30);
  file.close();
  RecentList& history = window_->settings().History;
  history.Add(bad.toStdString());
  history.Add(good.toStdString());
  ASSERT_EQ(history[1], bad.toStdString());
  window_->document().OpenRecentFile(1);
  ASSERT_FALSE(dialogs_->asked.empty());  // the read failed and said so
  EXPECT_EQ(history[0], bad.toStdString());
  EXPECT_EQ(history[1], good.toStdString());
}

}  // namespace
}  // namespace pw::test
