// The command vocabulary of the main window: the menus, one function per menu, with every
// command's name, caption, shortcut and image. The handlers are bound by the command class of
// each subsystem (its Bind()); a command without a handler yet is on the pending list.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

#include "core/node_marks.h"
#include "ui/common/glyph_icon.h"
#include "ui/common/qt_text.h"
#include "ui/common/tree_icons.h"
#include "ui/window/tform_main.h"

namespace pw {

void TFormMain::CreateMenus() {
  CreateFileMenu();
  CreateEditMenu();
  CreateTreeMenu();
  CreateTextMenu();
  CreateMoveMenu();
  CreateDispMenu();
  CreateOptionMenu();
  CreateHelpMenu();
}

void TFormMain::CreateFileMenu() {
  MenuFile = menuBar()->addMenu(U8("ﾌｧｲﾙ(&F)"));
  MenuFile->setObjectName("MenuFile");
  QStyle* s = style();
  AddCommand(MenuFile, "MenuFileNew", "新規作成(&N)", QKeySequence(Qt::CTRL | Qt::Key_N))
      ->setIcon(s->standardIcon(QStyle::SP_FileIcon));
  AddCommand(MenuFile, "MenuFileOpen", "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O))
      ->setIcon(s->standardIcon(QStyle::SP_DirOpenIcon));
  AddCommand(MenuFile, "MenuFileSave", "上書き保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S))
      ->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  AddCommand(MenuFile, "MenuFileSaveAs", "名前をつけて保存(&A)...");
  MenuFile->addSeparator()->setObjectName("MenuFileN1");
  QMenu* save = MenuFile->addMenu(U8("書き出し(&U)"));
  save->setObjectName("MenuFileSaveSub");
  AddCommand(save, "MenuSaveText", "ﾃｷｽﾄﾌｧｲﾙに書き出し(&T)...");
  AddCommand(save, "MenuSaveRTF", "RTFﾌｧｲﾙに書き出し(&R)...");
  AddCommand(save, "MenuSaveOutlineText", "階層付きﾃｷｽﾄを書き出し(&E)...");
  AddCommand(save, "MenuSaveOutline", "ｱｳﾄﾗｲﾝを書き出し(&O)...");
  AddCommand(save, "MenuSaveHTML", "HTMLﾌｧｲﾙに書き出し(&H)...");
  AddCommand(save, "MenuSaveMeDoc", "MeDoc形式で書き出し(&M)...");
  QMenu* load = MenuFile->addMenu(U8("読みこみ(&D)"));
  load->setObjectName("MenuFileLoadSub");
  AddCommand(load, "MenuLoadOutlineText", "階層付きﾃｷｽﾄを読みこみ(&O)...");
  MenuFile->addSeparator()->setObjectName("MenuFileN2");
  AddCommand(MenuFile, "MenuFileView", "全体を見る(&V)",
             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V))
      ->setIcon(GlyphIcon(U8("全"), QColor(0x60, 0x90, 0xc0)));
  AddCommand(MenuFile, "MenuFilePrint", "印刷(&P)...", QKeySequence(Qt::CTRL | Qt::Key_P))
      ->setIcon(GlyphIcon(U8("印"), QColor(0x60, 0x90, 0xc0)));
  AddCommand(MenuFile, "MenuFileTreePrint", "ﾂﾘｰを印刷(&T)");
  AddCommand(MenuFile, "MenuFileWordPad", "ﾜｰﾄﾞﾊﾟｯﾄﾞから印刷(&W)");
  MenuFile->addSeparator()->setObjectName("MenuFileN3");
  AddCommand(MenuFile, "MenuFileExit", "終了(&X)", QKeySequence(Qt::CTRL | Qt::Key_Q));
  // The recent files follow this separator.
  MenuFile->addSeparator()->setObjectName("MenuFileN4");
}

void TFormMain::CreateEditMenu() {
  QMenu* menu = menuBar()->addMenu(U8("編集(&E)"));
  menu->setObjectName("MenuEdit");
  const QColor tint(0x70, 0xa0, 0x70);
  AddCommand(menu, "MenuEditUndo", "元に戻す(&U)", QKeySequence(Qt::CTRL | Qt::Key_Z))
      ->setIcon(GlyphIcon(U8("↶"), tint));
  AddCommand(menu, "MenuEditBack", "直前の場所に戻る(&B)",
             QKeySequence(Qt::ALT | Qt::Key_Backspace));
  menu->addSeparator()->setObjectName("MenuEditN1");
  AddCommand(menu, "MenuEditCut", "ｶｯﾄ(&T)", QKeySequence(Qt::CTRL | Qt::Key_X))
      ->setIcon(GlyphIcon(U8("切"), tint));
  AddCommand(menu, "MenuEditCopy", "ｺﾋﾟｰ(&C)", QKeySequence(Qt::CTRL | Qt::Key_C))
      ->setIcon(GlyphIcon(U8("写"), tint));
  AddCommand(menu, "MenuEditPaste", "ﾍﾟｰｽﾄ(&P)", QKeySequence(Qt::CTRL | Qt::Key_V))
      ->setIcon(GlyphIcon(U8("貼"), tint));
  AddCommand(menu, "MenuEditInsert", "挿入(&I)", QKeySequence(Qt::SHIFT | Qt::Key_Insert));
  AddCommand(menu, "MenuEditCopyNode", "他のﾌｧｲﾙのﾉｰﾄﾞをｺﾋﾟｰ(&G)...")
      ->setIcon(GlyphIcon(U8("他"), tint));
  AddCommand(menu, "MenuEditSelectAll", "すべてを選択(&A)", QKeySequence(Qt::CTRL | Qt::Key_A));
  menu->addSeparator()->setObjectName("MenuEditN2");
  AddCommand(menu, "MenuEditDay", "日付を挿入(&D)...", QKeySequence(Qt::CTRL | Qt::Key_D));
  menu->addSeparator()->setObjectName("MenuEditN3");
  AddCommand(menu, "MenuEditUpVisible", "上の表示ノードを選択(&R)",
             QKeySequence(Qt::ALT | Qt::Key_Up));
  AddCommand(menu, "MenuEditDownVisible", "下の表示ノードを選択(&F)",
             QKeySequence(Qt::ALT | Qt::Key_Down));
  AddCommand(menu, "MenuEditUp", "上のノードを選択(&R)",
             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Up));
  AddCommand(menu, "MenuEditDown", "下のノードを選択(&F)",
             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Down));
  menu->addSeparator()->setObjectName("MenuEditN4");
  AddCommand(menu, "MenuEditSplitChange", "分割方向の変更(&H)", QKeySequence(Qt::CTRL | Qt::Key_L))
      ->setIcon(GlyphIcon(U8("⇔"), tint));
}

void TFormMain::CreateTreeMenu() {
  QMenu* menu = menuBar()->addMenu(U8("ﾂﾘｰ(&T)"));
  menu->setObjectName("MenuTree");
  const QColor tint(0xc0, 0x90, 0x50);
  const auto cmd = [&](const char* name, const char* caption, const char* glyph,
                       QKeySequence key = {}) {
    QAction* action = AddCommand(menu, name, caption, key);
    if (glyph != nullptr) action->setIcon(GlyphIcon(U8(glyph), tint));
    return action;
  };
  cmd("MenuTreeAdd", "同じ階層に追加(&A)", "＋", QKeySequence(Qt::CTRL | Qt::Key_F1));
  cmd("MenuTreeAddChild", "下の階層に追加(&I)", "↘", QKeySequence(Qt::CTRL | Qt::Key_F2));
  cmd("MenuTreeInsParent", "親を挿入(&N)", "親", QKeySequence(Qt::CTRL | Qt::Key_F3));
  cmd("MenuTreeInsChild", "子を挿入(&C)", "子", QKeySequence(Qt::CTRL | Qt::Key_F4));
  menu->addSeparator()->setObjectName("MenuTreeN1");
  cmd("MenuTreeInsChara", "ｷｬﾗｸﾀを挿入(&H)", nullptr, QKeySequence(Qt::CTRL | Qt::Key_H))
      ->setIcon(TreeIcons::Instance().Icon(kIconChara));
  cmd("MenuTreeInsCharaItem", "ｷｬﾗｸﾀ項目を挿入(&T)", nullptr, QKeySequence(Qt::CTRL | Qt::Key_K))
      ->setIcon(TreeIcons::Instance().Icon(kIconCharaItem));
  menu->addSeparator()->setObjectName("MenuTreeN2");
  cmd("MenuTreeInsTemplate", "ﾃﾝﾌﾟﾚｰﾄを挿入(&P)", "雛",
      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T));
  cmd("MenuTreeSaveTemplate", "ﾃﾝﾌﾟﾚｰﾄとして保存(&V)", "型",
      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
  menu->addSeparator()->setObjectName("MenuTreeN3");
  cmd("MenuTreeUp", "上へ移動(&U)", "↑", QKeySequence(Qt::CTRL | Qt::Key_Up));
  cmd("MenuTreeDown", "下へ移動(&S)", "↓", QKeySequence(Qt::CTRL | Qt::Key_Down));
  menu->addSeparator()->setObjectName("MenuTreeN4");
  cmd("MenuTreeMarkChange", "記号の切り替え(&G)", "記", QKeySequence(Qt::CTRL | Qt::Key_G));
  QMenu* colors = menu->addMenu(U8("色の変更(&R)"));
  colors->setObjectName("MenuTreeColorSub");
  // The submenu's own action carries the command's enabled state.
  colors->menuAction()->setObjectName("MenuTreeColor");
  colors->menuAction()->setIcon(TreeIcons::Instance().Icon(kChildIconBase + ncGreen));
  actions_.Add(colors->menuAction());
  const char* const color_names[6] = {"MenuTreeColorBlue",   "MenuTreeColorBrown",
                                      "MenuTreeColorGreen",  "MenuTreeColorOrange",
                                      "MenuTreeColorParple", "MenuTreeColorPink"};
  PopupMenuIconColor = new QMenu(this);
  PopupMenuIconColor->setObjectName("PopupMenuIconColor");
  const char* const popup_color_names[6] = {"PopupIconColorBlue",   "PopupIconColorBrown",
                                            "PopupIconColorGreen",  "PopupIconColorOrange",
                                            "PopupIconColorParple", "PopupIconColorPink"};
  for (int color = 1; color <= 6; ++color) {
    QAction* item = AddCommand(colors, color_names[color - 1], ColorCaption(color));
    item->setIcon(TreeIcons::Instance().Icon(kChildIconBase + color));
    AddPopupItem(PopupMenuIconColor, popup_color_names[color - 1], item, nullptr)
        ->setIcon(item->icon());
  }
  cmd("MenuTreeDel", "削除(&D)", "×", QKeySequence(Qt::CTRL | Qt::Key_Delete));
  menu->addSeparator()->setObjectName("MenuTreeN5");
  cmd("MenuTreeMerge", "ﾉｰﾄﾞの結合(&M)", "結");
  cmd("MenuTreeSplitChild", "ﾉｰﾄﾞの分割（子階層）(&E)", "分");
  cmd("MenuTreeSplit", "ﾉｰﾄﾞの分割（同階層）(&F)", "割");
  menu->addSeparator()->setObjectName("MenuTreeN6");
  cmd("MenuTreeOpen", "ﾉｰﾄﾞをすべて開く(&O)", "開", QKeySequence(Qt::CTRL | Qt::Key_E));
  cmd("MenuTreeClose", "ﾉｰﾄﾞをすべて閉じる(&L)", "閉", QKeySequence(Qt::CTRL | Qt::Key_W));
}

void TFormMain::CreateTextMenu() {
  QMenu* menu = menuBar()->addMenu(U8("ﾃｷｽﾄ(&S)"));
  menu->setObjectName("MenuText");
  const QColor tint(0xa0, 0x80, 0xc0);
  const auto cmd = [&](const char* name, const char* caption, const char* glyph,
                       QKeySequence key = {}) {
    QAction* action = AddCommand(menu, name, caption, key);
    if (glyph != nullptr) action->setIcon(GlyphIcon(U8(glyph), tint));
    return action;
  };
  cmd("MenuTextFont", "ﾌｫﾝﾄ(&T)...", "F", QKeySequence(Qt::CTRL | Qt::Key_T));
  cmd("MenuTextLink", "ﾘﾝｸする(&K)", "リ", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L));
  cmd("MenuTextFontAll", "ﾌｫﾝﾄの統一(&A)", nullptr);
  cmd("MenuTextTabAll", "ﾀﾌﾞ幅の統一(&B)", nullptr);
  menu->addSeparator()->setObjectName("MenuTextN1");
  // The font-style button has no menu item; its command lives here without a menu.
  AddCommand(nullptr, "ToolTextStyle", "ﾌｫﾝﾄｽﾀｲﾙ")->setIcon(GlyphIcon(U8("S"), tint));
  cmd("MenuTextStyleSet", "ﾌｫﾝﾄｽﾀｲﾙを登録(&N)", "登", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A));
  cmd("MenuTextStyleLoad", "ﾌｫﾝﾄｽﾀｲﾙの読み込み(&L)...", "読",
      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O));
  cmd("MenuTextStyleSave", "ﾌｫﾝﾄｽﾀｲﾙの保存(&H)...", "保",
      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H));
  cmd("MenuTextStyleEdit", "ﾌｫﾝﾄｽﾀｲﾙの編集(&E)...", "編");
  menu->addSeparator()->setObjectName("MenuTextN2");
  cmd("MenuTextFind", "検索(&F)...", "検", QKeySequence(Qt::CTRL | Qt::Key_F));
  cmd("MenuTextFindNext", "次を検索(&S)", nullptr, QKeySequence(Qt::Key_F3));
  cmd("MenuTextReplace", "置換(&R)...", nullptr, QKeySequence(Qt::CTRL | Qt::Key_R));
  menu->addSeparator()->setObjectName("MenuTextN3");
  cmd("MenuTextImport", "ﾌｧｲﾙから取り込み(&I)...", "取");
  cmd("MenuTextCount", "文字数ｶｳﾝﾄ(&C)...", nullptr, QKeySequence(Qt::CTRL | Qt::Key_Slash));
}

void TFormMain::CreateMoveMenu() {
  QMenu* menu = menuBar()->addMenu(U8("移動(&W)"));
  menu->setObjectName("MenuMove");
  const QColor tint(0x50, 0x90, 0xa0);
  auto* move_group = new QActionGroup(this);
  move_group->setExclusive(true);
  const auto cmd = [&](const char* name, const char* caption, const char* glyph, QKeySequence key) {
    QAction* action = AddCommand(menu, name, caption, key);
    action->setIcon(GlyphIcon(U8(glyph), tint));
    action->setCheckable(true);
    move_group->addAction(action);
    return action;
  };
  cmd("MenuMoveTree", "ﾂﾘｰﾋﾞｭｰ(&T)", "木", QKeySequence(Qt::SHIFT | Qt::Key_F1));
  cmd("MenuMoveTitle", "ﾀｲﾄﾙ部(&M)", "題", QKeySequence(Qt::SHIFT | Qt::Key_F2));
  cmd("MenuMoveEdit", "ｴﾃﾞｨｯﾄ部(&E)", "文", QKeySequence(Qt::SHIFT | Qt::Key_F3));
}

void TFormMain::CreateDispMenu() {
  MenuDisp = menuBar()->addMenu(U8("表示(&D)"));
  MenuDisp->setObjectName("MenuDisp");
  const char* const names[7] = {"MenuDispFile", "MenuDispEdit",   "MenuDispTree", "MenuDispText",
                                "MenuDispMove", "MenuDispOption", "MenuDispHelp"};
  const char* const captions[7] = {"ﾌｧｲﾙ(&F)", "編集(&E)",   "ﾂﾘｰ(&T)", "ﾃｷｽﾄ(&S)",
                                   "移動(&W)", "ｵﾌﾟｼｮﾝ(&O)", "ﾍﾙﾌﾟ(&H)"};
  for (int i = 0; i < 7; ++i) AddCommand(MenuDisp, names[i], captions[i])->setCheckable(true);
  MenuDisp->addSeparator()->setObjectName("MenuDispN1");
  AddCommand(MenuDisp, "MenuDispFont", "ﾌｫﾝﾄ(&N)")->setCheckable(true);
  AddCommand(MenuDisp, "MenuDispRuler", "ﾙｰﾗｰ(&R)")->setCheckable(true);
  MenuDisp->addSeparator()->setObjectName("MenuDispN2");
  AddCommand(MenuDisp, "MenuDispCustmize", "ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ(&B)...");
  connect(MenuDisp, &QMenu::aboutToShow, this, &TFormMain::SyncBarChecks);
}

void TFormMain::CreateOptionMenu() {
  QMenu* menu = menuBar()->addMenu(U8("ｵﾌﾟｼｮﾝ(&O)"));
  menu->setObjectName("MenuTool");
  AddCommand(menu, "MenuToolCustmize", "ｶｽﾀﾏｲｽﾞ(&K)...")
      ->setIcon(GlyphIcon(U8("設"), QColor(0x90, 0x90, 0x90)));
}

void TFormMain::CreateHelpMenu() {
  QMenu* menu = menuBar()->addMenu(U8("ﾍﾙﾌﾟ(&H)"));
  menu->setObjectName("MenuHelp");
  AddCommand(menu, "MenuHelpContents", "目次(&C)", QKeySequence(Qt::Key_F1))
      ->setIcon(GlyphIcon(QStringLiteral("?"), QColor(0x50, 0x80, 0xd0)));
  menu->addSeparator()->setObjectName("MenuHelpN1");
  AddCommand(menu, "MenuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

}  // namespace pw
