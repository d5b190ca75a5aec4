// The real window on X11, with real key strokes (xdotool) and the X clipboard (xclip): the
// platform's own key bindings of the text panes, menus opened from the keyboard, the window
// frame and the tool bars as the desktop lays them out.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include "core/outline.h"
#include "platform/paths.h"
#include "settings/ini_file.h"
#include "tests/ui/ui_test_support.h"
#include "ui/search/search_commands.h"
#include "ui/search/tform_find.h"
#include "ui/window/tform_main.h"

namespace pw::test {
namespace {

// Runs the event loop as the program does, blocking between events, so that the idle-time
// updates run too (QTest::qWait never waits in the event dispatcher).
void Idle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Key strokes as the X server delivers them to the focused window, then the events they
// cause, handled.
void Keys(const QString& keys) {
  QProcess::execute(QStringLiteral("xdotool"),
                    {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30"), keys});
  Idle(250);
}

class X11Test : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "not on X11";
  }
  // Shows the window where the window manager wants it, active, with its frame.
  void ShowActive() {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QTest::qWait(200);
  }
  Node* Nth(size_t index) { return window_->outline().NodeAt(index); }
};

TEST_F(X11Test, TheCommandsKeysNeverEditTextInThePanes) {
  const QString path = WriteDocument("k.PWV", {"root", "\tA", "\t\tA1"}, {"", "hello world", ""});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  ShowActive();
  window_->SelectNode(Nth(1));
  QTextEdit* body = window_->RichEditMain;
  body->setFocus();
  QTest::qWait(100);
  Keys(QStringLiteral("ctrl+Home"));
  // Ctrl+K (character item: disabled on a story node) and Ctrl+D (the date dialog) are
  // commands' keys, not "delete to the end of the line" and "delete a character".
  Keys(QStringLiteral("ctrl+k"));
  QString modal_class;
  QTimer::singleShot(1000, [&modal_class] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal_class = QString::fromLatin1(modal->metaObject()->className());
      QMetaObject::invokeMethod(modal, "reject");
    }
  });
  Keys(QStringLiteral("ctrl+d"));
  Idle(1200);
  EXPECT_EQ(modal_class, QStringLiteral("pw::TFormDay"));
  EXPECT_EQ(body->toPlainText(), QStringLiteral("hello world"));
  EXPECT_EQ(window_->outline().size(), 3u);

  window_->SelectNode(Nth(0));
  window_->Action(QStringLiteral("MenuTreeClose"))->trigger();
  EXPECT_FALSE(Nth(1)->expanded());
  QLineEdit* title = window_->MemoTitle;
  title->setFocus();
  QTest::qWait(100);
  Keys(QStringLiteral("Home"));
  Keys(QStringLiteral("ctrl+k"));
  EXPECT_EQ(title->text(), QStringLiteral("root"));
  // Ctrl+E opens every node rather than moving the caret to the end of the title.
  Keys(QStringLiteral("ctrl+e"));
  EXPECT_TRUE(Nth(1)->expanded());
  EXPECT_TRUE(Nth(2)->parent()->expanded());
}

TEST_F(X11Test, AMenuOpenedFromTheKeyboardShowsTheStatesOfThePaneThatHadTheFocus) {
  ShowActive();
  QApplication::clipboard()->setText(QStringLiteral("text to paste"));
  QLineEdit* title = window_->MemoTitle;
  title->setFocus();
  QTest::qWait(100);
  Keys(QStringLiteral("x"));
  // Alt alone gives the menu bar the keyboard; E then opens the edit menu from it.
  Keys(QStringLiteral("alt"));
  Keys(QStringLiteral("e"));
  Keys(QStringLiteral("Down"));  // the states are updated while the menu is open
  QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  // The title pane's states, not the tree's.
  EXPECT_NE(window_->Action(QStringLiteral("MenuEditUndo"))->text(),
            QString::fromUtf8("ﾂﾘｰを元に戻す(&U)"));
  EXPECT_TRUE(window_->Action(QStringLiteral("MenuEditPaste"))->isEnabled());
  EXPECT_TRUE(window_->Action(QStringLiteral("MenuEditSelectAll"))->isEnabled());
  Keys(QStringLiteral("Escape"));
  Keys(QStringLiteral("Escape"));
}

TEST_F(X11Test, PastingLinesFromTheClipboardIntoTheTitleKeepsOneLine) {
  ShowActive();
  QProcess xclip;
  xclip.start(QStringLiteral("xclip"),
              {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-quiet")});
  ASSERT_TRUE(xclip.waitForStarted());
  xclip.write(QString::fromUtf8("第一\r\n章\n").toUtf8());
  xclip.closeWriteChannel();
  QTest::qWait(300);
  QLineEdit* title = window_->MemoTitle;
  title->clear();
  title->setFocus();
  QTest::qWait(100);
  Keys(QStringLiteral("ctrl+v"));
  EXPECT_EQ(title->text(), QString::fromUtf8("第一章"));
  xclip.kill();
  xclip.waitForFinished();
}

TEST_F(X11Test, TheWindowComesBackExactlyWhereItWasClosed) {
  ShowActive();
  window_->move(200, 150);
  QTest::qWait(300);
  ASSERT_TRUE(window_->WriteSettingsFile());
  IniFile first;
  ASSERT_TRUE(first.LoadFile(SettingsFilePath()).ok);
  for (int start = 0; start < 2; ++start) {
    MakeWindow();
    ShowActive();
    QTest::qWait(300);
    ASSERT_TRUE(window_->WriteSettingsFile());
    IniFile again;
    ASSERT_TRUE(again.LoadFile(SettingsFilePath()).ok);
    for (const char* key : {"Left", "Top", "Width", "Height"}) {
      EXPECT_EQ(again.ReadInteger("Window", key, -1), first.ReadInteger("Window", key, -2))
          << key << ", start " << start;
    }
    EXPECT_EQ(again.ToBytes(), first.ToBytes()) << "start " << start;
  }
}

TEST_F(X11Test, EveryToolButtonShowsAtTheFirstStart) {
  ShowActive();
  int shown = 0;
  for (QToolBar* bar : window_->ToolBars) {
    for (QAction* action : bar->actions()) {
      if (!action->isVisible() || action->isSeparator()) continue;
      QWidget* button = bar->widgetForAction(action);
      ASSERT_NE(button, nullptr);
      if (button->isVisible() && button->geometry().right() <= bar->width()) ++shown;
    }
  }
  EXPECT_EQ(shown, 43);
}

// Runs `steps` (xdotool key strokes, or "type:TEXT") one after the other once the modal dialog
// shows; records the object name of the modal widget the first step met.
void WhileModal(const QStringList& steps, QString* modal_name) {
  QTimer::singleShot(700, [steps, modal_name] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      *modal_name = modal->objectName();
    }
    for (const QString& step : steps) {
      if (step.startsWith(QLatin1String("type:"))) {
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("type"),
                                                      QStringLiteral("--delay"),
                                                      QStringLiteral("40"), step.mid(5)});
      } else {
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"),
                                                      QStringLiteral("--delay"),
                                                      QStringLiteral("40"), step});
      }
      Idle(300);
    }
  });
}

TEST_F(X11Test, FindAndReplaceFromTheKeyboard) {
  const QString path = WriteDocument("f.PWV", {"root", "\tA", "\tB", "\tC"},
                                     {"", "one cat", "no", "two cats"});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  ShowActive();
  window_->SelectNode(Nth(1));
  window_->TreeViewMain->setFocus();
  QTest::qWait(100);
  auto body_selection = [this] {
    QTextCursor cursor = window_->RichEditMain->textCursor();
    return QString::number(window_->outline().AbsoluteIndex(window_->current_node())) + ":" +
           QString::number(cursor.selectionStart()) + ":" + cursor.selectedText();
  };
  // Ctrl+F, the pattern typed, Alt+G for "全体(&G)", Enter for "検索(&F)": the dialog closes on
  // the first hit, and F3 goes on from there.
  QString modal;
  WhileModal({"type:CAT", "alt+g", "Return"}, &modal);
  Keys(QStringLiteral("ctrl+f"));
  Idle(300);
  EXPECT_EQ(modal, QStringLiteral("TFormFind"));
  EXPECT_FALSE(window_->search().form_find()->isVisible());
  EXPECT_EQ(body_selection(), QStringLiteral("1:4:cat"));
  Keys(QStringLiteral("F3"));
  EXPECT_EQ(body_selection(), QStringLiteral("3:4:cat"));
  Keys(QStringLiteral("F3"));  // never wraps: the message, and the node the search began at
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("検索終了"));
  EXPECT_EQ(window_->current_node(), Nth(3));
  EXPECT_FALSE(window_->Action(QStringLiteral("MenuTextFindNext"))->isEnabled());

  // Esc closes the dialog without a search.
  modal.clear();
  WhileModal({"type:zzz", "Escape"}, &modal);
  Keys(QStringLiteral("ctrl+f"));
  Idle(300);
  EXPECT_EQ(modal, QStringLiteral("TFormFind"));
  EXPECT_FALSE(window_->search().form_find()->isVisible());
  EXPECT_EQ(dialogs_->asked.size(), 1u);

  // Ctrl+R: the pattern, Alt+P to the replacement, Enter to search, Alt+L to replace all.
  window_->SelectNode(Nth(0));
  window_->TreeViewMain->setFocus();
  QTest::qWait(100);
  modal.clear();
  WhileModal({"ctrl+a", "type:cat", "alt+p", "type:dog", "alt+e", "alt+g", "Return", "alt+l"},
             &modal);
  Keys(QStringLiteral("ctrl+r"));
  Idle(300);
  EXPECT_EQ(modal, QStringLiteral("TFormReplace"));
  EXPECT_FALSE(window_->search().form_replace()->isVisible());
  ASSERT_EQ(dialogs_->asked.size(), 2u);
  EXPECT_EQ(dialogs_->asked[1].caption, QString::fromUtf8("置換終了"));
  EXPECT_EQ(dialogs_->asked[1].text, QString::fromUtf8("2個の置換が終了しました。"));
  window_->StoreCurrentNode();
  EXPECT_EQ(BodyText(Nth(1)), "one dog");
  EXPECT_EQ(BodyText(Nth(3)), "two dogs");
}

}  // namespace
}  // namespace pw::test
