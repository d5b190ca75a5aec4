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
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include "core/outline.h"
#include "platform/paths.h"
#include "settings/ini_file.h"
#include "tests/ui/ui_test_support.h"
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

}  // namespace
}  // namespace pw::test
