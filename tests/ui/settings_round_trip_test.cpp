// The settings the window applies at start and writes when the close query completes.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>

#include "platform/paths.h"
#include "settings/ini_file.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

using SettingsRoundTripTest = WindowTest;

QString SettingsPath() { return QString::fromStdString(SettingsFilePath()); }

TEST_F(SettingsRoundTripTest, DefaultsWithoutAFile) {
  EXPECT_FALSE(QFile::exists(SettingsPath()));
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QApplication::processEvents();
  EXPECT_TRUE(window_->split_h());
  EXPECT_EQ(window_->SplitterMain->sizes()[0], 149);
  for (QToolBar* bar : window_->ToolBars)
    EXPECT_FALSE(bar->isHidden()) << bar->objectName().toStdString();
  EXPECT_FALSE(window_->PanelEditToolFont->isHidden());
  EXPECT_FALSE(window_->anlRulerMain->isHidden());
  EXPECT_FALSE(window_->MemoTitle->font().bold());
  EXPECT_EQ(window_->RichEditMain->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_TRUE(window_->settings().History.empty());
  EXPECT_EQ(window_->MemoTitle->height(), QFontMetrics(window_->MemoTitle->font()).height() + 8);
}

TEST_F(SettingsRoundTripTest, ClosingWritesWhatTheNextStartReads) {
  const QString doc = WriteDocument(QStringLiteral("recent.PWV"), {"x"});
  ASSERT_TRUE(window_->document().OpenDocument(doc, true));
  window_->resize(800, 600);
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  window_->panes().MenuEditSplitChangeClick();
  window_->ToolBars[3]->hide();
  window_->anlRulerMain->hide();
  window_->settings().MakeBak = true;
  ASSERT_TRUE(window_->close());
  ASSERT_TRUE(QFile::exists(SettingsPath()));
  const int tree_height = window_->SplitterMain->sizes()[0];

  // Unknown keys in the file survive the next write.
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(SettingsPath().toStdString()).ok);
  EXPECT_EQ(ini.ReadInteger("Window", "SplitH", 1), 0);
  EXPECT_EQ(ini.ReadInteger("Window", "TreeWidth", 0), tree_height);
  EXPECT_EQ(ini.ReadInteger("Visible", "ToolBarText", 1), 0);
  EXPECT_EQ(ini.ReadInteger("Visible", "anlRulerMain", 1), 0);
  EXPECT_EQ(ini.ReadInteger("General", "MakeBak", 0), 1);
  EXPECT_EQ(ini.ReadInteger("History", "Count", 0), 1);
  EXPECT_EQ(QString::fromStdString(ini.ReadString("History", "Filename1", "")), doc);
  ini.WriteString("Mine", "Key", "kept");
  ASSERT_TRUE(ini.SaveFile(SettingsPath().toStdString()).ok);

  MakeWindow();
  EXPECT_FALSE(window_->split_h());
  EXPECT_EQ(window_->SplitterMain->orientation(), Qt::Vertical);
  EXPECT_TRUE(window_->ToolBars[3]->isHidden());
  EXPECT_FALSE(window_->ToolBars[2]->isHidden());
  EXPECT_TRUE(window_->anlRulerMain->isHidden());
  EXPECT_TRUE(window_->settings().MakeBak);
  ASSERT_EQ(window_->settings().History.size(), 1u);
  EXPECT_EQ(window_->PopupMenuFileOpen->actions().size(), 1);
  ASSERT_TRUE(window_->close());
  IniFile again;
  ASSERT_TRUE(again.LoadFile(SettingsPath().toStdString()).ok);
  EXPECT_EQ(again.ReadString("Mine", "Key", ""), "kept");
}

TEST_F(SettingsRoundTripTest, SettingsAreWrittenEvenWhenClosingIsCancelledButNotAfterAFailedSave) {
  TypeInto(window_->RichEditMain, QStringLiteral("unsaved"));
  dialogs_->answers.push_back(DialogAnswer::kCancel);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(QFile::exists(SettingsPath()));
  QFile::remove(SettingsPath());
  // Yes, then a file name with the wrong extension: the save fails.
  dialogs_->answers.push_back(DialogAnswer::kYes);
  dialogs_->file_names.push_back(Path("bad.txt"));
  EXPECT_FALSE(window_->close());
  EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(SettingsRoundTripTest, HiddenButtonsHideTheirBarAtTheNextStart) {
  IniFile ini;
  for (const char* name : {"ToolButtonToolCustmize"}) ini.WriteBool("Visible", name, false);
  ini.WriteBool("General", "WordWrap", false);
  ini.WriteInteger("Window", "Width", 5000);
  ASSERT_TRUE(ini.SaveFile(SettingsPath().toStdString()).ok);
  MakeWindow();
  EXPECT_TRUE(window_->ToolBars[5]->isHidden());  // the option bar has only that button
  EXPECT_FALSE(window_->ToolBars[6]->isHidden());
  EXPECT_EQ(window_->RichEditMain->lineWrapMode(), QTextEdit::NoWrap);
  EXPECT_LE(window_->width(), QGuiApplication::primaryScreen()->geometry().width());
}

TEST_F(SettingsRoundTripTest, BarPositionsKeepTheirRowsAndOrder) {
  IniFile ini;
  // The help bar alone in the first row, then the font bar, then the others in reverse order.
  const char* const names[] = {"ToolBarFile", "ToolBarEdit",   "ToolBarTree", "ToolBarText",
                               "ToolBarMove", "ToolBarOption", "ToolBarHelp"};
  for (int i = 0; i < 7; ++i) {
    ini.WriteInteger("Pos", std::string(names[i]) + "L", i == 6 ? 0 : 600 - 100 * i);
    ini.WriteInteger("Pos", std::string(names[i]) + "T", i == 6 ? 0 : 60);
  }
  ini.WriteInteger("Pos", "PanelEditToolFontL", 0);
  ini.WriteInteger("Pos", "PanelEditToolFontT", 30);
  ASSERT_TRUE(ini.SaveFile(SettingsPath().toStdString()).ok);
  MakeWindow();
  window_->resize(1400, 600);
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QApplication::processEvents();
  const QToolBar* help = window_->ToolBars[6];
  EXPECT_LT(help->y(), window_->PanelEditToolFont->y());
  EXPECT_LT(window_->PanelEditToolFont->y(), window_->ToolBars[0]->y());
  EXPECT_EQ(window_->ToolBars[0]->y(), window_->ToolBars[5]->y());
  EXPECT_LT(window_->ToolBars[5]->x(), window_->ToolBars[0]->x());  // option bar left of file bar
}

}  // namespace
}  // namespace pw::test
