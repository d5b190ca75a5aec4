// The options dialog and the tool-bar customisation through the real window: what OK puts
// into effect at once, what Cancel leaves alone, the character-item page and its file, and
// the settings file after a restart.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>

#include "core/cp932.h"
#include "core/outline.h"
#include "platform/paths.h"
#include "settings/ini_file.h"
#include "settings/settings.h"
#include "tests/ui/ui_test_support.h"
#include "ui/settings/settings_commands.h"
#include "ui/settings/tform_bar_custmize.h"
#include "ui/settings/tform_option.h"
#include "ui/window/tform_main.h"

namespace pw::test {
namespace {

QByteArray ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

class OptionsTest : public WindowTest {
 protected:
  TFormOption& Form() { return *window_->settings_commands().FormOption; }
  // Opens the options dialog from its menu item; `edit` works the controls, then OK or
  // Cancel is pressed (from the event loop, while the dialog is modal).
  void RunOptions(std::function<void(TFormOption&)> edit, bool ok) {
    QTimer::singleShot(0, [this, edit, ok] {
      TFormOption& form = Form();
      if (!form.isVisible()) return;
      edit(form);
      (ok ? form.ButtonOK : form.ButtonCancel)->click();
      if (form.isVisible()) form.ButtonCancel->click();  // refused: leave it
    });
    window_->Action(QStringLiteral("MenuToolCustmize"))->trigger();
  }
  void RunBars(std::function<void(TFormBarCustmize&)> edit, bool ok, const char* action) {
    QTimer::singleShot(0, [this, edit, ok] {
      TFormBarCustmize* form = window_->settings_commands().FormBarCustmize;
      if (form == nullptr) return;
      edit(*form);
      (ok ? form->ButtonOK : form->ButtonCancel)->click();
    });
    window_->Action(QString::fromLatin1(action))->trigger();
  }
  // Every control away from its default.
  void ChangeEverything() {
    dialogs_->fonts = {QFont(QStringLiteral("DejaVu Serif"), 14),
                       QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold),
                       QFont(QStringLiteral("DejaVu Sans Mono"), 10)};
    dialogs_->colors = {QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9),
                        QColor(0x10, 0x20, 0x30), QColor(0x40, 0x50, 0x60), QColor(0x70, 0x80, 0x90)};
    dialogs_->folders = {Path("back"), Path(QString::fromUtf8("既定"))};
    RunOptions(
        [](TFormOption& f) {
          for (QCheckBox* box : {f.CheckBoxShowButtons, f.CheckBoxShowLines, f.CheckBoxScrollBars,
                                 f.CheckBoxWordWrap, f.CheckBoxIMEEnable, f.CheckBoxNodeOpen,
                                 f.CheckBoxMakeBak, f.CheckBoxLoadEditPos, f.CheckBoxUseBakDir}) {
            box->click();
          }
          f.SpinEditTitleMaxLength->setValue(20);
          f.RadioButtonTab[1]->click();
          f.EditLinkLeft->setText(QStringLiteral("[["));
          f.EditLinkRight->setText(QString::fromUtf8("」"));
          f.EditSplitLine->setText(QString::fromUtf8("＝＝＝"));
          for (QPushButton* b : f.ButtonFont) b->click();
          for (QPushButton* b : f.ButtonColor) b->click();
          f.ColorBoxIMEText->click();
          f.ColorBoxIMEBack->click();
          f.ColorBoxIMEInput->click();
          f.ButtonBackDir->click();
          f.ButtonDefaultDir->click();
        },
        true);
  }
};

TEST_F(OptionsTest, OkPutsEveryOptionIntoEffectAndARestartKeepsItExactly) {
  window_->show();
  ChangeEverything();
  const Settings& s = window_->settings();
  EXPECT_FALSE(s.ShowButtons);
  EXPECT_FALSE(s.ShowLines);
  EXPECT_FALSE(s.ScrollBars);
  EXPECT_FALSE(s.WordWrap);
  EXPECT_TRUE(s.IMEEnable);
  EXPECT_TRUE(s.NodeOpen);
  EXPECT_TRUE(s.MakeBak);
  EXPECT_TRUE(s.LoadEditPos);
  EXPECT_TRUE(s.UseBakDir);
  EXPECT_EQ(s.TitleMaxLength, 20);
  EXPECT_EQ(s.Tab, 4);
  EXPECT_EQ(s.LinkLeft, "[[");
  EXPECT_EQ(s.LinkRight, Utf8ToCp932("」").text);
  EXPECT_EQ(s.SplitLine, Utf8ToCp932("＝＝＝").text);
  EXPECT_EQ(s.BackDir, Path("back").toStdString() + "/");
  EXPECT_EQ(s.DefaultDir, Path(QString::fromUtf8("既定")).toStdString() + "/");
  EXPECT_EQ(s.TreeViewFont.Size, 14);
  EXPECT_EQ(s.MemoFont.Style, kFontStyleBold);
  EXPECT_EQ(s.RichEditFont.Size, 10);
  EXPECT_EQ(s.TVColor, 0x030201);
  EXPECT_EQ(s.MemoColor, 0x060504);
  EXPECT_EQ(s.REColor, 0x090807);
  EXPECT_EQ(s.IMEText, 0x302010);
  EXPECT_EQ(s.IMEBack, 0x605040);
  EXPECT_EQ(s.IMEInput, 0x908070);
  // At once, in the running window; the body pane keeps the font it shows.
  EXPECT_EQ(window_->RichEditMain->lineWrapMode(), QTextEdit::NoWrap);
  EXPECT_EQ(window_->RichEditMain->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(window_->TreeViewMain->font().pointSize(), 14);
  EXPECT_TRUE(window_->MemoTitle->font().bold());
  EXPECT_EQ(window_->MemoTitle->palette().color(QPalette::Base), QColor(4, 5, 6));
  EXPECT_EQ(window_->RichEditMain->palette().color(QPalette::Base), QColor(7, 8, 9));
  EXPECT_NE(window_->RichEditMain->font().pointSize(), 10);
  EXPECT_FALSE(window_->flags().TestModified());

  // Closing writes the file; a restart reads it back identical and writes the same bytes.
  ASSERT_TRUE(window_->WriteSettingsFile());
  const Settings before = window_->settings();
  const QByteArray first = ReadAll(SettingsFilePath());
  MakeWindow();
  window_->show();
  const Settings& after = window_->settings();
  EXPECT_TRUE(after.ToolBars == before.ToolBars);
  EXPECT_TRUE(after.TreeViewFont == before.TreeViewFont);
  EXPECT_TRUE(after.RichEditFont == before.RichEditFont);
  EXPECT_EQ(after.Left, before.Left);
  EXPECT_EQ(after.Width, before.Width);
  EXPECT_EQ(after.TreeWidth, before.TreeWidth);
  EXPECT_TRUE(after == before);
  ASSERT_TRUE(window_->WriteSettingsFile());
  EXPECT_EQ(ReadAll(SettingsFilePath()), first);
  EXPECT_EQ(window_->TreeViewMain->font().pointSize(), 14);
  EXPECT_EQ(window_->RichEditMain->font().pointSize(), 10);  // a new start takes it
  EXPECT_EQ(window_->RichEditMain->lineWrapMode(), QTextEdit::NoWrap);
}

TEST_F(OptionsTest, CancelChangesNothingNotEvenTheCharacterList) {
  const std::string chr = ProgramPathWithExtension(".CHR");
  const Settings before = window_->settings();
  RunOptions(
      [](TFormOption& f) {
        f.CheckBoxShowLines->click();
        f.SpinEditTitleMaxLength->setValue(3);
        f.PageControlMain->setCurrentIndex(5);
        f.ButtonCharaNew->click();
      },
      false);
  EXPECT_TRUE(window_->settings() == before);
  // The first showing wrote the file with the default list; Cancel wrote nothing after it.
  const QByteArray written = ReadAll(chr);
  EXPECT_EQ(written, QByteArray::fromStdString(CharacterItemList().ToBytes()));
  EXPECT_EQ(window_->settings_commands().character_items().items(), CharacterItemList().items());
}

TEST_F(OptionsTest, TheCharacterPageEditsTheListAndOkWritesItWhole) {
  RunOptions(
      [](TFormOption& f) {
        f.PageControlMain->setCurrentIndex(5);
        EXPECT_FALSE(f.EditChara->isEnabled());  // the root
        EXPECT_FALSE(f.ButtonCharaDelete->isEnabled());
        f.ButtonCharaDelete->click();  // nothing with the root selected
        f.ButtonCharaNew->click();
        EXPECT_TRUE(f.EditChara->isEnabled());
        QTest::keyClicks(f.EditChara, QStringLiteral("Job"));
        f.ButtonCharaUp->click();  // before "備考"
        f.ButtonCharaNew->click();  // an empty item stays
        QTreeWidgetItem* root = f.TreeViewChara->topLevelItem(0);
        f.TreeViewChara->setCurrentItem(root->child(0));
        f.ButtonCharaDown->click();
        f.TreeViewChara->setCurrentItem(root->child(2));
        f.ButtonCharaDelete->click();  // "年齢"
      },
      true);
  const std::vector<std::string> expected = {
      Utf8ToCp932("性別").text, Utf8ToCp932("名前").text, "Job", Utf8ToCp932("備考").text, ""};
  EXPECT_EQ(window_->settings_commands().character_items().items(), expected);
  CharacterItemList file;
  ASSERT_TRUE(file.LoadFile(ProgramPathWithExtension(".CHR")).ok);
  EXPECT_EQ(file.items(), expected);
  // A new character takes the new list.
  window_->Action(QStringLiteral("MenuTreeInsChara"))->trigger();
  Node* chara = window_->SelectedNode();
  ASSERT_NE(chara, nullptr);
  if (chara->data()->Kind != nkChara) chara = chara->parent();
  ASSERT_EQ(chara->child_count(), expected.size());
  EXPECT_EQ(chara->child(2)->title(), "Job");
}

TEST_F(OptionsTest, EqualLinkMarksAreRefusedAndATabOfThreeSurvives) {
  window_->settings().Tab = 3;
  bool none_checked = false;
  RunOptions(
      [&](TFormOption& f) {
        none_checked = !f.RadioButtonTab[0]->isChecked() && !f.RadioButtonTab[1]->isChecked() &&
                       !f.RadioButtonTab[2]->isChecked();
        f.EditLinkLeft->clear();
        f.EditLinkRight->clear();
        f.ButtonOK->click();  // refused: the dialog stays
        EXPECT_TRUE(f.isVisible());
        f.EditLinkLeft->setText(QStringLiteral("<<"));
      },
      true);
  EXPECT_TRUE(none_checked);
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("設定できません"));
  EXPECT_EQ(dialogs_->asked[0].icon, DialogIcon::kWarning);
  EXPECT_EQ(window_->settings().LinkLeft, "<<");
  EXPECT_EQ(window_->settings().LinkRight, "");
  EXPECT_EQ(window_->settings().Tab, 3);
}

TEST_F(OptionsTest, TheBodyPaneShowsTheComposedTextInTheInputMethodColours) {
  Settings& s = window_->settings();
  s.IMEText = 0x0000FF;   // red
  s.IMEBack = 0x00FF00;   // green
  s.IMEInput = 0xFF0000;  // blue
  window_->settings_commands().ApplyInputMethod();
  window_->show();
  QTextEdit* body = window_->RichEditMain;
  body->setFocus();
  QTextCharFormat highlighted;
  highlighted.setBackground(Qt::black);
  QTextCharFormat underlined;
  underlined.setFontUnderline(true);
  QList<QInputMethodEvent::Attribute> attributes = {
      {QInputMethodEvent::TextFormat, 0, 2, QVariant::fromValue<QTextFormat>(highlighted)},
      {QInputMethodEvent::TextFormat, 2, 2, QVariant::fromValue<QTextFormat>(underlined)}};
  QInputMethodEvent event(QString::fromUtf8("日本ごを"), attributes);
  QApplication::sendEvent(body, &event);
  const QList<QTextLayout::FormatRange> formats =
      body->textCursor().block().layout()->formats();
  ASSERT_EQ(formats.size(), 2);
  EXPECT_EQ(formats[0].format.foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(formats[0].format.background().color(), QColor(0, 255, 0));
  EXPECT_EQ(formats[1].format.foreground().color(), QColor(0, 0, 255));
  EXPECT_FALSE(formats[1].format.fontUnderline());
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("日本語を"));
  QApplication::sendEvent(body, &commit);
  EXPECT_EQ(body->toPlainText(), QString::fromUtf8("日本語を"));
}

TEST_F(OptionsTest, TheBarCustomisationShowsAndHidesButtonsAndRemembersThem) {
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QStringList entries;
  // Cancel leaves every button as it was.
  RunBars(
      [&](TFormBarCustmize& f) {
        for (int i = 0; i < f.CheckListBoxMain->count(); ++i) {
          entries << f.CheckListBoxMain->item(i)->text();
          EXPECT_EQ(f.CheckListBoxMain->item(i)->checkState(), Qt::Checked);
          f.CheckListBoxMain->item(i)->setCheckState(Qt::Unchecked);
        }
      },
      false, "MenuDispCustmize");
  ASSERT_EQ(entries.size(), 43);
  EXPECT_EQ(entries[17], QString::fromUtf8("ﾂﾘｰ - ﾃﾝﾌﾟﾚｰﾄをを挿入"));
  EXPECT_EQ(entries[42], QString::fromUtf8("ﾍﾙﾌﾟ - 目次"));
  EXPECT_TRUE(window_->Action(QStringLiteral("ToolButtonFileNew"))->isVisible());

  // Every file button off: the bar hides; the text bar keeps only its link button.
  RunBars(
      [](TFormBarCustmize& f) {
        for (int i = 0; i < 5; ++i) f.CheckListBoxMain->item(i)->setCheckState(Qt::Unchecked);
        for (int i = 29; i <= 37; ++i) {
          if (i != 30) f.CheckListBoxMain->item(i)->setCheckState(Qt::Unchecked);
        }
      },
      true, "PopupBarCustmize");
  EXPECT_TRUE(window_->ToolBars[0]->isHidden());
  EXPECT_FALSE(window_->ToolBars[3]->isHidden());
  EXPECT_FALSE(window_->Action(QStringLiteral("ToolButtonTextFont"))->isVisible());
  EXPECT_TRUE(window_->Action(QStringLiteral("ToolButtonTextLink"))->isVisible());

  // One file button back: the button shows, the bar stays hidden until the menu shows it.
  RunBars([](TFormBarCustmize& f) { f.CheckListBoxMain->item(2)->setCheckState(Qt::Checked); },
          true, "MenuDispCustmize");
  EXPECT_TRUE(window_->Action(QStringLiteral("ToolButtonFileSave"))->isVisible());
  EXPECT_TRUE(window_->ToolBars[0]->isHidden());

  // Remembered in "Visible" and put back at the next start.
  ASSERT_TRUE(window_->WriteSettingsFile());
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(SettingsFilePath()).ok);
  EXPECT_FALSE(ini.ReadBool("Visible", "ToolButtonFileNew", true));
  EXPECT_TRUE(ini.ReadBool("Visible", "ToolButtonFileSave", false));
  EXPECT_FALSE(ini.ReadBool("Visible", "ToolBarFile", true));
  EXPECT_TRUE(ini.ReadBool("Visible", "ToolBarText", false));
  MakeWindow();
  EXPECT_FALSE(window_->Action(QStringLiteral("ToolButtonTextFont"))->isVisible());
  EXPECT_TRUE(window_->Action(QStringLiteral("ToolButtonTextLink"))->isVisible());
  EXPECT_TRUE(window_->ToolBars[0]->isHidden());
}

}  // namespace
}  // namespace pw::test
