// Find and replace in the real window: the dialogs' controls and rules, the entry points and
// the find-next flag, the messages, the histories in the settings file, and replace-all on the
// stored texts against replacing hit by hit through the window's panes.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeView>
#include <random>

#include "../richtext/random_rtf.h"
#include "core/cp932.h"
#include "platform/paths.h"
#include "richtext/body_text.h"
#include "settings/ini_file.h"
#include "ui/common/action_registry.h"
#include "ui/document/outline_model.h"
#include "ui/search/search_commands.h"
#include "ui/search/tform_find.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

using search::FindPane;

std::string Sj(const char* utf8) { return Utf8ToCp932(utf8).text; }

class SearchTest : public WindowTest {
 protected:
  // root / A / B / C with bodies; opened, A selected.
  void Open(const std::vector<std::string>& titles, const std::vector<std::string>& bodies) {
    const QString path = WriteDocument(QStringLiteral("find.PWV"), titles, bodies);
    ASSERT_TRUE(window_->document().OpenDocument(path, true));
  }
  SearchCommands& search() { return window_->search(); }
  TFormFind& find() { return *search().form_find(); }
  TFormReplace& replace() { return *search().form_replace(); }
  // The selection of the focused pane as "title:start:length" or "body:start:length".
  std::string Selection() {
    search::TFindPanes& panes = search().find_panes();
    FindPane pane = panes.ActivePane();
    if (pane == FindPane::kNone) return "none";
    size_t start = panes.SelectionStart(pane);
    return std::string(pane == FindPane::kTitle ? "title:" : "body:") + std::to_string(start) +
           ":" + std::to_string(panes.SelectionEnd(pane) - start);
  }
  size_t CurrentIndex() { return window_->outline().AbsoluteIndex(window_->current_node()); }
};

TEST_F(SearchTest, DialogsHaveTheirControlsCaptionsAndDefaults) {
  struct Control {
    const char* name;
    const char* text;
  };
  auto check = [](QDialog& form, const std::vector<Control>& controls) {
    for (const Control& c : controls) {
      QWidget* widget = form.findChild<QWidget*>(QString::fromLatin1(c.name));
      ASSERT_NE(widget, nullptr) << c.name;
      QString text;
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
      if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
      if (auto* group = qobject_cast<QGroupBox*>(widget)) text = group->title();
      EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.name;
    }
  };
  const std::vector<Control> common = {{"LabelFind", "検索文字列(&T)"},
                                       {"GroupBoxOption", "ｵﾌﾟｼｮﾝ"},
                                       {"CheckBoxCase", "大/小文字の区別(&C)"},
                                       {"CheckBoxReg", "正規表現(&R)"},
                                       {"GroupBoxRange", "検索範囲"},
                                       {"RadioButtonLocal", "選択ﾉｰﾄﾞのみ(&S)"},
                                       {"RadioButtonAll", "全体(&G)"},
                                       {"GroupBoxStart", "検索開始位置"},
                                       {"RadioButtonSelected", "現在のﾉｰﾄﾞから(&N)"},
                                       {"RadioButtonTop", "最初のﾉｰﾄﾞから(&E)"},
                                       {"ButtonFind", "検索(&F)"},
                                       {"ButtonClose", "閉じる"}};
  EXPECT_EQ(find().windowTitle(), QString::fromUtf8("検索"));
  check(find(), common);
  EXPECT_EQ(replace().windowTitle(), QString::fromUtf8("置換"));
  check(replace(), common);
  check(replace(), {{"LabelReplace", "置換文字列(&P)"},
                    {"ButtonNext", "置換して次に(&X)"},
                    {"ButtonAll", "すべて置換(&L)"},
                    {"ButtonFindNext", "次を検索(&I)"}});
  for (TFormFindBase* form :
       {static_cast<TFormFindBase*>(&find()), static_cast<TFormFindBase*>(&replace())}) {
    EXPECT_TRUE(form->isModal());
    EXPECT_FALSE(form->CheckBoxCase->isChecked());
    EXPECT_FALSE(form->CheckBoxReg->isChecked());
    EXPECT_TRUE(form->RadioButtonLocal->isChecked());
    EXPECT_TRUE(form->RadioButtonSelected->isChecked());
    // A regular expression always matches case.
    form->CheckBoxReg->setChecked(true);
    EXPECT_FALSE(form->CheckBoxCase->isEnabled());
    form->CheckBoxReg->setChecked(false);
    EXPECT_TRUE(form->CheckBoxCase->isEnabled());
  }
  // Before a search the replace buttons are off and "検索(&F)" is shown.
  search().PrepareReplace();
  replace().show();
  EXPECT_FALSE(replace().ButtonNext->isEnabled());
  EXPECT_FALSE(replace().ButtonAll->isEnabled());
  EXPECT_TRUE(replace().ButtonFind->isVisible());
  EXPECT_FALSE(replace().ButtonFindNext->isVisible());
  replace().hide();
  // "次を検索(&S)" is off until the find dialog searched.
  EXPECT_FALSE(window_->Action("MenuTextFindNext")->isEnabled());
}

TEST_F(SearchTest, FindWalksOnThroughTheNodesAndFindNextEndsWithTheMessage) {
  Open({"root", "\tA", "\tB", "\tC"}, {"", Sj("猫と犬"), "", Sj("犬と猫")});
  window_->SelectNode(window_->outline().NodeAt(1));
  window_->TreeViewMain->setFocus();
  window_->RichEditMain->selectAll();
  search().PrepareFind();
  // The body's selection is the search text; from the tree the title pane takes the caret.
  EXPECT_EQ(find().ComboBoxFind->currentText(), QString::fromUtf8("猫と犬"));
  EXPECT_EQ(search().find_panes().ActivePane(), FindPane::kTitle);
  find().ComboBoxFind->setEditText(QString::fromUtf8("猫"));
  find().RadioButtonAll->setChecked(true);
  find().show();
  find().ButtonFind->click();
  EXPECT_FALSE(find().isVisible());  // the find dialog closes after every search
  EXPECT_EQ(CurrentIndex(), 1u);
  EXPECT_EQ(Selection(), "body:0:2");
  EXPECT_TRUE(window_->Action("MenuTextFindNext")->isEnabled());
  window_->Action("MenuTextFindNext")->trigger();
  EXPECT_EQ(CurrentIndex(), 3u);
  EXPECT_EQ(Selection(), "body:4:2");
  window_->Action("MenuTextFindNext")->trigger();  // the walk never wraps
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("検索終了"));
  EXPECT_EQ(dialogs_->asked[0].text,
            QString::fromUtf8("検索文字列が見つかりません。\r\n検索を終了します。"));
  EXPECT_EQ(dialogs_->asked[0].icon, DialogIcon::kInformation);
  EXPECT_EQ(CurrentIndex(), 3u);  // the node the search began at
  EXPECT_FALSE(window_->Action("MenuTextFindNext")->isEnabled());
  // The history is the settings' "Find" section.
  ASSERT_FALSE(window_->settings().FindFind.empty());
  EXPECT_EQ(window_->settings().FindFind.front(), Sj("猫"));
}

TEST_F(SearchTest, FindNextFromTheTreeFindsNothing) {
  Open({"root", "\tA"}, {"", Sj("猫")});
  find().ComboBoxFind->setEditText(QString::fromUtf8("猫"));
  search().PrepareFind();
  find().ComboBoxFind->setEditText(QString::fromUtf8("猫"));
  find().show();
  find().ButtonFind->click();
  window_->TreeViewMain->setFocus();
  window_->Action("MenuTextFindNext")->trigger();
  ASSERT_FALSE(dialogs_->asked.empty());
  EXPECT_EQ(dialogs_->asked.back().caption, QString::fromUtf8("検索終了"));
}

TEST_F(SearchTest, MalformedPatternShowsItsErrorAndTheDialogStaysOpen) {
  Open({"root", "\tA"}, {"", Sj("abc")});
  search().PrepareReplace();
  replace().ComboBoxFind->setEditText(QStringLiteral("a**"));
  replace().CheckBoxReg->setChecked(true);
  replace().show();
  replace().ButtonFind->click();
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].text, QString::fromUtf8("普通の文字、または左括弧\"(\"が必要です"));
  EXPECT_EQ(dialogs_->asked[0].icon, DialogIcon::kError);
  EXPECT_TRUE(replace().isVisible());
  EXPECT_TRUE(replace().isEnabled());
  EXPECT_TRUE(window_->RichEditMain->updatesEnabled());
  // Only one of "\r" and "\n": refused before anything else happens.
  replace().ComboBoxFind->setEditText(QStringLiteral("b\\r"));
  replace().ButtonFind->click();
  ASSERT_EQ(dialogs_->asked.size(), 2u);
  EXPECT_EQ(dialogs_->asked[1].text, QString::fromUtf8("改行は\\r\\nです"));
  EXPECT_TRUE(window_->settings().ReplaceFind.empty() ||
              window_->settings().ReplaceFind.front() != "b\\r");
  replace().hide();
}

TEST_F(SearchTest, ReplaceNextAndReplaceAllThroughTheDialog) {
  Open({"root", "\tA", "\t猫B"}, {"", Sj("猫と猫"), Sj("猫")});
  window_->SelectNode(window_->outline().NodeAt(1));
  window_->MemoTitle->setFocus();
  search().PrepareReplace();
  replace().ComboBoxFind->setEditText(QString::fromUtf8("猫"));
  replace().ComboBoxReplace->setEditText(QString::fromUtf8("犬"));
  replace().RadioButtonAll->setChecked(true);
  replace().show();
  replace().ButtonFind->click();
  EXPECT_TRUE(replace().isVisible());
  EXPECT_TRUE(replace().ButtonAll->isEnabled());
  EXPECT_TRUE(replace().ButtonFindNext->isVisible());
  EXPECT_FALSE(replace().ButtonFind->isVisible());
  EXPECT_EQ(Selection(), "body:0:2");
  replace().ButtonNext->click();  // replaces this one and selects the next
  EXPECT_EQ(Selection(), "body:4:2");
  replace().ButtonAll->click();
  ASSERT_FALSE(dialogs_->asked.empty());
  EXPECT_EQ(dialogs_->asked.back().caption, QString::fromUtf8("置換終了"));
  EXPECT_EQ(dialogs_->asked.back().text, QString::fromUtf8("3個の置換が終了しました。"));
  EXPECT_FALSE(replace().isVisible());
  EXPECT_EQ(CurrentIndex(), 2u);  // where the walk ended
  window_->StoreCurrentNode();
  EXPECT_EQ(BodyText(window_->outline().NodeAt(1)), "犬と犬");
  EXPECT_EQ(BodyText(window_->outline().NodeAt(2)), "犬");
  // The tree shows the new title.
  OutlineModel* model = window_->model();
  EXPECT_EQ(model->data(model->IndexFromNode(window_->outline().NodeAt(2)), Qt::DisplayRole),
            QString::fromUtf8("犬B"));
  EXPECT_TRUE(window_->TreeViewMain->updatesEnabled());
  EXPECT_TRUE(window_->flags().BodyModified);
  // The three lists go into section "Find" of the settings file.
  window_->settings().FindFind = {Sj("一"), Sj("二")};
  window_->flags().Clear();
  ASSERT_TRUE(window_->close());
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(SettingsFilePath()).ok);
  EXPECT_EQ(ini.ReadString("Find", "FindFindNum", ""), "2");
  EXPECT_EQ(ini.ReadString("Find", "FindFind0", ""), Sj("一"));
  EXPECT_EQ(ini.ReadString("Find", "ReplaceFind0", ""), Sj("猫"));
  EXPECT_EQ(ini.ReadString("Find", "ReplaceReplace0", ""), Sj("犬"));
}

// Random documents, patterns and templates: replace-all on the stored texts gives the titles
// and body texts that replacing hit by hit through the window's panes gives.
TEST_F(SearchTest, ReplaceAllEqualsReplacingHitByHitThroughThePanes) {
  rich::testing::RandomRtf random(777);
  std::mt19937 rng(99);
  const std::vector<std::string> patterns = {"a", "b*", "\\r\\n", Sj("[あ-う]+"), "x|a", "^a", "."};
  const std::vector<std::string> plain = {"a", "ab", Sj("あ"), " "};
  const std::vector<std::string> templates = {"", "[&]", "\\r\\n", "x", Sj("い")};
  int replaced = 0;
  for (int round = 0; round < 30; ++round) {
    std::vector<std::string> titles = {"root"};
    std::vector<std::string> bodies = {""};
    const int nodes = 2 + static_cast<int>(rng() % 4);
    for (int i = 0; i < nodes; ++i) {
      titles.push_back(std::string(1 + rng() % 2, '\t') + (rng() % 2 ? "a b" : "x"));
      bodies.push_back(rng() % 3 == 0 ? Sj("a\r\nba") : random.Body(static_cast<int>(rng() % 12)));
    }
    titles[1] = "\t" + titles[1].substr(titles[1].find_first_not_of('\t'));
    const bool regex = rng() % 2 == 0;
    const search::FindOptions options{regex, false, rng() % 4 != 0};
    const std::string pattern =
        regex ? patterns[rng() % patterns.size()] : plain[rng() % plain.size()];
    const std::string templ = templates[rng() % templates.size()];
    std::vector<std::string> results[2];
    size_t counts[2] = {0, 0};
    for (int way = 0; way < 2; ++way) {
      Open(titles, bodies);
      if (way == 0) {
        // The body pane holds byte for byte the text the stored bodies are searched in, else
        // the headless loop would not be the same walk (it would fall back on the panes).
        search::TFindPanes& panes = search().find_panes();
        window_->outline().ForEach([&](Node* node) {
          window_->SelectNode(node);
          EXPECT_EQ(panes.PaneText(FindPane::kBody),
                    rich::BodyPlainText(node->data()->Body.value_or("")));
        });
      }
      window_->SelectNode(window_->outline().NodeAt(1));
      search::TFindPanes& panes = search().find_panes();
      panes.Select(FindPane::kBody, 0, 0);
      panes.Select(FindPane::kTitle, 0, 0);
      search::FindSession& session = replace().session();
      session.search_position = 0;
      ASSERT_FALSE(session.Prepare(pattern, options).has_value());
      if (session.Walk(panes)) {
        counts[way] = way == 0 ? session.ReplaceAll(panes, templ)
                               : session.ReplaceAllThroughPanes(panes, templ);
      }
      window_->StoreCurrentNode();
      results[way].push_back(std::to_string(CurrentIndex()));
      window_->outline().ForEach(
          [&](Node* node) { results[way].push_back(Utf8Title(node) + "|" + BodyText(node)); });
      window_->flags().Clear();
    }
    const std::string what =
        "pattern '" + pattern + "' template '" + templ + "' round " + std::to_string(round);
    EXPECT_EQ(counts[0], counts[1]) << what;
    EXPECT_EQ(results[0], results[1]) << what;
    replaced += static_cast<int>(counts[0]);
  }
  EXPECT_GT(replaced, 50);
}

}  // namespace
}  // namespace pw::test
