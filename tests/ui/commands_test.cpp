// The command vocabulary: every menu item with its caption and shortcut, tool buttons with
// their hints, context menus, the bar toggles, and the commands that are not built yet.
#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "ui_test_support.h"

namespace pw::test {
namespace {

using CommandsTest = WindowTest;

struct MenuRow {
  const char* name;
  const char* caption;
  const char* shortcut;  // portable text, "" for none
};

// The main menu, in order within each menu.
const MenuRow kMenuRows[] = {
    {"MenuFileNew", "新規作成(&N)", "Ctrl+N"},
    {"MenuFileOpen", "開く(&O)...", "Ctrl+O"},
    {"MenuFileSave", "上書き保存(&S)", "Ctrl+S"},
    {"MenuFileSaveAs", "名前をつけて保存(&A)...", ""},
    {"MenuSaveText", "ﾃｷｽﾄﾌｧｲﾙに書き出し(&T)...", ""},
    {"MenuSaveRTF", "RTFﾌｧｲﾙに書き出し(&R)...", ""},
    {"MenuSaveOutlineText", "階層付きﾃｷｽﾄを書き出し(&E)...", ""},
    {"MenuSaveOutline", "ｱｳﾄﾗｲﾝを書き出し(&O)...", ""},
    {"MenuSaveHTML", "HTMLﾌｧｲﾙに書き出し(&H)...", ""},
    {"MenuSaveMeDoc", "MeDoc形式で書き出し(&M)...", ""},
    {"MenuLoadOutlineText", "階層付きﾃｷｽﾄを読みこみ(&O)...", ""},
    {"MenuFileView", "全体を見る(&V)", "Ctrl+Alt+V"},
    {"MenuFilePrint", "印刷(&P)...", "Ctrl+P"},
    {"MenuFileTreePrint", "ﾂﾘｰを印刷(&T)", ""},
    {"MenuFileWordPad", "ﾜｰﾄﾞﾊﾟｯﾄﾞから印刷(&W)", ""},
    {"MenuFileExit", "終了(&X)", "Ctrl+Q"},
    {"MenuEditUndo", "元に戻す(&U)", "Ctrl+Z"},
    {"MenuEditBack", "直前の場所に戻る(&B)", "Alt+Backspace"},
    {"MenuEditCut", "ｶｯﾄ(&T)", "Ctrl+X"},
    {"MenuEditCopy", "ｺﾋﾟｰ(&C)", "Ctrl+C"},
    {"MenuEditPaste", "ﾍﾟｰｽﾄ(&P)", "Ctrl+V"},
    {"MenuEditInsert", "挿入(&I)", "Shift+Ins"},
    {"MenuEditCopyNode", "他のﾌｧｲﾙのﾉｰﾄﾞをｺﾋﾟｰ(&G)...", ""},
    {"MenuEditSelectAll", "すべてを選択(&A)", "Ctrl+A"},
    {"MenuEditDay", "日付を挿入(&D)...", "Ctrl+D"},
    {"MenuEditUpVisible", "上の表示ノードを選択(&R)", "Alt+Up"},
    {"MenuEditDownVisible", "下の表示ノードを選択(&F)", "Alt+Down"},
    {"MenuEditUp", "上のノードを選択(&R)", "Ctrl+Alt+Up"},
    {"MenuEditDown", "下のノードを選択(&F)", "Ctrl+Alt+Down"},
    {"MenuEditSplitChange", "分割方向の変更(&H)", "Ctrl+L"},
    {"MenuTreeAdd", "同じ階層に追加(&A)", "Ctrl+F1"},
    {"MenuTreeAddChild", "下の階層に追加(&I)", "Ctrl+F2"},
    {"MenuTreeInsParent", "親を挿入(&N)", "Ctrl+F3"},
    {"MenuTreeInsChild", "子を挿入(&C)", "Ctrl+F4"},
    {"MenuTreeInsChara", "ｷｬﾗｸﾀを挿入(&H)", "Ctrl+H"},
    {"MenuTreeInsCharaItem", "ｷｬﾗｸﾀ項目を挿入(&T)", "Ctrl+K"},
    {"MenuTreeInsTemplate", "ﾃﾝﾌﾟﾚｰﾄを挿入(&P)", "Ctrl+Alt+T"},
    {"MenuTreeSaveTemplate", "ﾃﾝﾌﾟﾚｰﾄとして保存(&V)", "Ctrl+Alt+S"},
    {"MenuTreeUp", "上へ移動(&U)", "Ctrl+Up"},
    {"MenuTreeDown", "下へ移動(&S)", "Ctrl+Down"},
    {"MenuTreeMarkChange", "記号の切り替え(&G)", "Ctrl+G"},
    {"MenuTreeColor", "色の変更(&R)", ""},
    {"MenuTreeColorBlue", "青", ""},
    {"MenuTreeColorBrown", "茶", ""},
    {"MenuTreeColorGreen", "緑", ""},
    {"MenuTreeColorOrange", "橙", ""},
    {"MenuTreeColorParple", "紫", ""},
    {"MenuTreeColorPink", "桃", ""},
    {"MenuTreeDel", "削除(&D)", "Ctrl+Del"},
    {"MenuTreeMerge", "ﾉｰﾄﾞの結合(&M)", ""},
    {"MenuTreeSplitChild", "ﾉｰﾄﾞの分割（子階層）(&E)", ""},
    {"MenuTreeSplit", "ﾉｰﾄﾞの分割（同階層）(&F)", ""},
    {"MenuTreeOpen", "ﾉｰﾄﾞをすべて開く(&O)", "Ctrl+E"},
    {"MenuTreeClose", "ﾉｰﾄﾞをすべて閉じる(&L)", "Ctrl+W"},
    {"MenuTextFont", "ﾌｫﾝﾄ(&T)...", "Ctrl+T"},
    {"MenuTextLink", "ﾘﾝｸする(&K)", "Ctrl+Alt+L"},
    {"MenuTextFontAll", "ﾌｫﾝﾄの統一(&A)", ""},
    {"MenuTextTabAll", "ﾀﾌﾞ幅の統一(&B)", ""},
    {"MenuTextStyleSet", "ﾌｫﾝﾄｽﾀｲﾙを登録(&N)", "Ctrl+Alt+A"},
    {"MenuTextStyleLoad", "ﾌｫﾝﾄｽﾀｲﾙの読み込み(&L)...", "Ctrl+Alt+O"},
    {"MenuTextStyleSave", "ﾌｫﾝﾄｽﾀｲﾙの保存(&H)...", "Ctrl+Alt+H"},
    {"MenuTextStyleEdit", "ﾌｫﾝﾄｽﾀｲﾙの編集(&E)...", ""},
    {"MenuTextFind", "検索(&F)...", "Ctrl+F"},
    {"MenuTextFindNext", "次を検索(&S)", "F3"},
    {"MenuTextReplace", "置換(&R)...", "Ctrl+R"},
    {"MenuTextImport", "ﾌｧｲﾙから取り込み(&I)...", ""},
    {"MenuTextCount", "文字数ｶｳﾝﾄ(&C)...", "Ctrl+/"},
    {"MenuMoveTree", "ﾂﾘｰﾋﾞｭｰ(&T)", "Shift+F1"},
    {"MenuMoveTitle", "ﾀｲﾄﾙ部(&M)", "Shift+F2"},
    {"MenuMoveEdit", "ｴﾃﾞｨｯﾄ部(&E)", "Shift+F3"},
    {"MenuDispFile", "ﾌｧｲﾙ(&F)", ""},
    {"MenuDispEdit", "編集(&E)", ""},
    {"MenuDispTree", "ﾂﾘｰ(&T)", ""},
    {"MenuDispText", "ﾃｷｽﾄ(&S)", ""},
    {"MenuDispMove", "移動(&W)", ""},
    {"MenuDispOption", "ｵﾌﾟｼｮﾝ(&O)", ""},
    {"MenuDispHelp", "ﾍﾙﾌﾟ(&H)", ""},
    {"MenuDispFont", "ﾌｫﾝﾄ(&N)", ""},
    {"MenuDispRuler", "ﾙｰﾗｰ(&R)", ""},
    {"MenuDispCustmize", "ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ(&B)...", ""},
    {"MenuToolCustmize", "ｶｽﾀﾏｲｽﾞ(&K)...", ""},
    {"MenuHelpContents", "目次(&C)", "F1"},
    {"MenuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", ""},
};

TEST_F(CommandsTest, EveryMenuItemHasItsCaptionAndShortcut) {
  for (const MenuRow& row : kMenuRows) {
    QAction* action = window_->Action(QString::fromLatin1(row.name));
    ASSERT_NE(action, nullptr) << row.name;
    EXPECT_EQ(action->text(), QString::fromUtf8(row.caption)) << row.name;
    EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText),
              QString::fromLatin1(row.shortcut))
        << row.name;
    // Every item sits in a menu of the menu bar.
    bool in_menu = false;
    for (QObject* owner : action->associatedObjects()) {
      if (qobject_cast<QMenu*>(owner) != nullptr) in_menu = true;
    }
    EXPECT_TRUE(in_menu) << row.name;
  }
  QStringList top;
  for (QAction* menu : window_->menuBar()->actions()) top << menu->text();
  EXPECT_EQ(top, QStringList({QString::fromUtf8("ﾌｧｲﾙ(&F)"), QString::fromUtf8("編集(&E)"),
                              QString::fromUtf8("ﾂﾘｰ(&T)"), QString::fromUtf8("ﾃｷｽﾄ(&S)"),
                              QString::fromUtf8("移動(&W)"), QString::fromUtf8("表示(&D)"),
                              QString::fromUtf8("ｵﾌﾟｼｮﾝ(&O)"), QString::fromUtf8("ﾍﾙﾌﾟ(&H)")}));
}

TEST_F(CommandsTest, ToolBarsButtonsAndHints) {
  struct Bar {
    const char* name;
    std::vector<std::pair<const char*, const char*>> buttons;
  };
  const Bar bars[] = {
      {"ToolBarFile",
       {{"ToolButtonFileNew", "ﾌｧｲﾙの新規作成"},
        {"ToolButtonFileOpen", "ﾌｧｲﾙを開く"},
        {"ToolButtonFileSave", "ﾌｧｲﾙを上書き保存"},
        {"ToolButtonFileView", "ﾄﾞｷｭﾒﾝﾄ全体を見る"},
        {"ToolButtonFilePrint", "印刷"}}},
      {"ToolBarEdit",
       {{"ToolButtonEditUndo", "元に戻す"},
        {"ToolButtonEditCut", "カット"},
        {"ToolButtonEditCopy", "コピー"},
        {"ToolButtonEditPaste", "ペースト"},
        {"ToolButtonEditCopyNode", "他のファイルのノードをコピー"},
        {"ToolButtonEditSplitChange", "分割方向の変更"}}},
      {"ToolBarTree",
       {{"ToolButtonTreeAdd", "同じ階層に追加"},
        {"ToolButtonTreeAddChild", "下の階層に追加"},
        {"ToolButtonTreeInsParent", "親を挿入"},
        {"ToolButtonTreeInsChild", "子を挿入"},
        {"ToolButtonTreeInsChara", "ｷｬﾗｸﾀを挿入"},
        {"ToolButtonTreeInsCharaItem", "ｷｬﾗｸﾀ項目を挿入"},
        {"ToolButtonInsTemplate", "ﾃﾝﾌﾟﾚｰﾄを挿入"},
        {"ToolButtonSaveTemplate", "ﾃﾝﾌﾟﾚｰﾄとして保存"},
        {"ToolButtonTreeUp", "上へ移動"},
        {"ToolButtonTreeDown", "下へ移動"},
        {"ToolButtonTreeMarkChange", "記号の切り替え"},
        {"ToolButtonTreeColor", "色の変更"},
        {"ToolButtonTreeDel", "ﾉｰﾄﾞの削除"},
        {"ToolButtonTreeMerge", "ﾉｰﾄﾞの結合"},
        {"ToolButtonTreeSplitChild", "ﾉｰﾄﾞの分割（子階層）"},
        {"ToolButtonTreeSplit", "ﾉｰﾄﾞの分割（同階層）"},
        {"ToolButtonTreeOpen", "ﾉｰﾄﾞをすべて開く"},
        {"ToolButtonTreeClose", "ﾉｰﾄﾞをすべて閉じる"}}},
      {"ToolBarText",
       {{"ToolButtonTextFont", "ﾌｫﾝﾄ"},
        {"ToolButtonTextLink", "ﾘﾝｸする"},
        {"ToolButtonTextStyle", "ﾌｫﾝﾄｽﾀｲﾙ"},
        {"ToolButtonTextStyleSet", "ﾌｫﾝﾄｽﾀｲﾙを登録"},
        {"ToolButtonTextStyleLoad", "ﾌｫﾝﾄｽﾀｲﾙの読み込み"},
        {"ToolButtonTextStyleSave", "ﾌｫﾝﾄｽﾀｲﾙの保存"},
        {"ToolButtonTextStyleEdit", "ﾌｫﾝﾄｽﾀｲﾙの編集"},
        {"ToolButtonTextFind", "検索"},
        {"ToolButtonTextImport", "ﾌｧｲﾙから取り込み"}}},
      {"ToolBarMove",
       {{"ToolButtonMoveTree", "ﾂﾘｰﾋﾞｭｰ"},
        {"ToolButtonMoveTitle", "ﾀｲﾄﾙ部"},
        {"ToolButtonMoveEdit", "ｴﾃﾞｨｯﾄ部"}}},
      {"ToolBarOption", {{"ToolButtonToolCustmize", "ｶｽﾀﾏｲｽﾞ"}}},
      {"ToolBarHelp", {{"ToolButtonHelpContents", "目次"}}},
  };
  for (const Bar& bar : bars) {
    auto* tool_bar = window_->findChild<QToolBar*>(QString::fromLatin1(bar.name));
    ASSERT_NE(tool_bar, nullptr) << bar.name;
    EXPECT_TRUE(tool_bar->isMovable());
    ASSERT_EQ(tool_bar->actions().size(), static_cast<qsizetype>(bar.buttons.size())) << bar.name;
    for (size_t i = 0; i < bar.buttons.size(); ++i) {
      QAction* action = tool_bar->actions()[static_cast<qsizetype>(i)];
      EXPECT_EQ(action->objectName(), QString::fromLatin1(bar.buttons[i].first));
      EXPECT_EQ(action->toolTip(), QString::fromUtf8(bar.buttons[i].second))
          << bar.buttons[i].first;
      EXPECT_NE(window_->ToolButton(QString::fromLatin1(bar.buttons[i].first)), nullptr);
    }
  }
  // Drop-downs: recent files, recent templates, colours, font styles.
  EXPECT_EQ(window_->ToolButton("ToolButtonFileOpen")->menu(), window_->PopupMenuFileOpen);
  EXPECT_EQ(window_->ToolButton("ToolButtonInsTemplate")->menu(), window_->PopupMenuTempFileOpen);
  EXPECT_EQ(window_->ToolButton("ToolButtonTreeColor")->menu(), window_->PopupMenuIconColor);
  EXPECT_EQ(window_->ToolButton("ToolButtonTextStyle")->menu(), window_->PopupMenuFontStyle);
  EXPECT_EQ(window_->PopupMenuIconColor->actions().size(), 6);
}

TEST_F(CommandsTest, ContextMenus) {
  const auto captions = [](QMenu* menu) {
    QStringList list;
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator()) list << action->text();
    }
    return list;
  };
  EXPECT_EQ(captions(window_->PopupMenuTitle),
            QString::fromUtf8("元に戻す(&U)|ｶｯﾄ(&T)|ｺﾋﾟｰ(&C)|ﾍﾟｰｽﾄ(&P)|すべて選択(&A)").split('|'));
  EXPECT_EQ(
      captions(window_->PopupMenuEdit),
      QString::fromUtf8("元に戻す(&U)|ｶｯﾄ(&T)|ｺﾋﾟｰ(&C)|ﾍﾟｰｽﾄ(&P)|すべて選択(&A)|ﾌｫﾝﾄ...|ﾘﾝｸ|"
                        "ﾌｫﾝﾄの統一|ﾀﾌﾞ幅の統一|ﾌｫﾝﾄｽﾀｲﾙを登録|ﾌｫﾝﾄｽﾀｲﾙの読み込み...|"
                        "ﾌｫﾝﾄｽﾀｲﾙの保存...|ﾌｫﾝﾄｽﾀｲﾙの編集...|ﾌｧｲﾙから取り込み...|文字数ｶｳﾝﾄ...")
          .split('|'));
  EXPECT_EQ(
      captions(window_->PopupMenuTree),
      QString::fromUtf8("元に戻す(&U)|ｶｯﾄ(&T)|ｺﾋﾟｰ(&C)|ﾍﾟｰｽﾄ(&P)|同じ階層に追加|下の階層に追加|"
                        "親を挿入|子を挿入|ｷｬﾗｸﾀを挿入|ｷｬﾗｸﾀ項目を挿入|ﾃﾝﾌﾟﾚｰﾄを挿入|"
                        "ﾃﾝﾌﾟﾚｰﾄとして保存|上へ移動|下へ移動|記号の切り替え|色の変更|削除|"
                        "ﾉｰﾄﾞの結合|ﾉｰﾄﾞの分割（子階層）|ﾉｰﾄﾞの分割（同階層）|"
                        "ﾉｰﾄﾞをすべて開く|ﾉｰﾄﾞをすべて閉じる")
          .split('|'));
  EXPECT_EQ(captions(window_->PopupMenuBar),
            QString::fromUtf8("ﾌｧｲﾙ|編集|ﾂﾘｰ|ﾃｷｽﾄ|移動|ｵﾌﾟｼｮﾝ|ﾍﾙﾌﾟ|ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ...").split('|'));
  EXPECT_EQ(captions(window_->PopupMenuEditTool),
            QString::fromUtf8("ﾌｫﾝﾄ(&F)|ﾙｰﾗｰ(&R)").split('|'));
  // The select-all item runs the main command; it is one of the few built.
  EXPECT_TRUE(window_->Action("PopupEditSelectAll")->isEnabled());
}

TEST_F(CommandsTest, CommandsWithoutConditionsAreOn) {
  for (const char* name :
       {"MenuFileNew", "MenuFileOpen", "MenuFileSave", "MenuFileSaveAs", "MenuFileExit",
        "MenuEditSelectAll", "MenuEditSplitChange", "MenuMoveTree", "MenuHelpContents",
        "MenuHelpAbout", "ToolButtonFileOpen", "PopupTitleSelectAll", "MenuDispFile",
        "MenuToolCustmize", "ToolButtonToolCustmize", "MenuDispCustmize", "PopupBarCustmize",
        "MenuTextFind", "MenuTextReplace", "ToolButtonTextFind", "MenuFilePrint",
        "ToolButtonFilePrint", "PopupEditCount", "MenuSaveRTF", "MenuTextCount"}) {
    ASSERT_NE(window_->Action(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_TRUE(window_->Action(QString::fromLatin1(name))->isEnabled()) << name;
  }
}

TEST_F(CommandsTest, ToolButtonsAndContextItemsFollowTheirCommand) {
  ActionRegistry& registry = window_->action_registry();
  EXPECT_TRUE(window_->FontBarName->isEnabled());
  EXPECT_TRUE(window_->FontBarSize->isEnabled());
  for (const bool on : {false, true}) {
    registry.SetEnabled(QStringLiteral("MenuTreeDel"), on);
    for (const char* name : {"MenuTreeDel", "ToolButtonTreeDel", "PopupTreeDel"}) {
      EXPECT_EQ(window_->Action(QString::fromLatin1(name))->isEnabled(), on) << name;
    }
  }
}

TEST_F(CommandsTest, DisplayMenuAndBarMenuShowTheSameState) {
  window_->show();
  QAction* disp_tree = window_->Action("MenuDispTree");
  disp_tree->setChecked(false);
  disp_tree->triggered(false);
  EXPECT_TRUE(window_->ToolBars[2]->isHidden());
  emit window_->PopupMenuBar->aboutToShow();
  EXPECT_FALSE(window_->Action("PopupBarTree")->isChecked());
  EXPECT_TRUE(window_->Action("PopupBarFile")->isChecked());
  window_->Action("PopupBarTree")->trigger();  // checks it again
  EXPECT_FALSE(window_->ToolBars[2]->isHidden());
  emit window_->MenuDisp->aboutToShow();
  EXPECT_TRUE(disp_tree->isChecked());
  // Font bar and ruler.
  window_->Action("PopupEditToolRuler")->setChecked(true);
  window_->Action("PopupEditToolRuler")->trigger();
  EXPECT_TRUE(window_->anlRulerMain->isHidden());
  emit window_->MenuDisp->aboutToShow();
  EXPECT_FALSE(window_->Action("MenuDispRuler")->isChecked());
  EXPECT_TRUE(window_->Action("MenuDispFont")->isChecked());
}

TEST_F(CommandsTest, MenusAreDisabledOnlyDuringOpen) {
  // The open dialog runs with the menus disabled and they come back afterwards.
  bool menus_enabled_in_dialog = true;
  struct Probe : ScriptedDialogs {
    TFormMain** window;
    bool* enabled;
    std::optional<QString> OpenFileName(QWidget*, const FileDialogRequest&) override {
      *enabled = (*window)->menuBar()->isEnabled();
      return std::nullopt;
    }
  };
  TFormMain* raw = window_.get();
  auto probe = std::make_unique<Probe>();
  probe->window = &raw;
  probe->enabled = &menus_enabled_in_dialog;
  window_->SetDialogs(std::move(probe));
  window_->document().MenuFileOpenClick();
  EXPECT_FALSE(menus_enabled_in_dialog);
  EXPECT_TRUE(window_->menuBar()->isEnabled());
  dialogs_ = nullptr;
  MakeWindow();
}

}  // namespace
}  // namespace pw::test
