// The command vocabulary of the main window: menus (one function per menu), tool bars with
// their hints and drop-downs, the font bar, context menus and the status bar. Every entry of
// one command (menu item, tool button, context-menu item) runs the same handler.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "core/node_marks.h"
#include "ui/common/qt_text.h"
#include "ui/common/tree_icons.h"
#include "ui/tform_main.h"

namespace pw {
namespace {

// Commands whose work belongs to parts of the program not built yet. They are shown, and
// disabled; enabling one means building its handler and taking it off this list.
const char* const kPendingCommands[] = {
    // exports, import, view and printing
    "MenuSaveText",
    "MenuSaveRTF",
    "MenuSaveOutline",
    "MenuSaveHTML",
    "MenuSaveMeDoc",
    "MenuFileView",
    "MenuFilePrint",
    "MenuFileTreePrint",
    "MenuFileWordPad",
    // dates
    "MenuEditDay",
    // text formatting, font styles, links, search, import, count
    "MenuTextFont",
    "MenuTextLink",
    "MenuTextFontAll",
    "MenuTextTabAll",
    "ToolTextStyle",
    "MenuTextStyleSet",
    "MenuTextStyleLoad",
    "MenuTextStyleSave",
    "MenuTextStyleEdit",
    "MenuTextFind",
    "MenuTextFindNext",
    "MenuTextReplace",
    "MenuTextImport",
    "MenuTextCount",
    // the font bar's formatting commands
    "FontBarName",
    "FontBarSize",
    "FontBarBold",
    "FontBarItalic",
    "FontBarUnderline",
    "FontBarStrikeOut",
    "FontBarColor",
    "FontBarLeft",
    "FontBarCenter",
    "FontBarRight",
    "FontBarBullet",
    // options and tool-bar customisation
    "MenuDispCustmize",
    "MenuToolCustmize",
};

// A 16x16 tool-button image: a glyph on a tinted tile.
QIcon GlyphIcon(const QString& glyph, const QColor& tint) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(tint.darker(150), 1));
  p.setBrush(tint.lighter(170));
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  QFont font = QApplication::font();
  font.setPixelSize(glyph.size() > 1 ? 8 : 11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(tint.darker(200));
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

// Context-menu captions are the menu's without the access key: "同じ階層に追加(&A)" ->
// "同じ階層に追加".
QString WithoutAccessKey(const QString& caption) {
  static const QRegularExpression access_key(QStringLiteral("\\(&.\\)"));
  QString text = caption;
  text.remove(access_key);
  return text;
}

}  // namespace

bool IsPendingCommand(const QString& name) {
  static const QSet<QString> pending = [] {
    QSet<QString> set;
    for (const char* command : kPendingCommands) set.insert(QString::fromLatin1(command));
    return set;
  }();
  return pending.contains(name);
}

QAction* TFormMain::AddCommand(QMenu* menu, const char* name, const char* caption,
                               const QKeySequence& shortcut) {
  auto* action = new QAction(U8(caption), this);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (menu != nullptr) menu->addAction(action);
  actions_.insert(action->objectName(), action);
  return action;
}

QAction* TFormMain::AddPopupItem(QMenu* popup, const char* name, QAction* command,
                                 const char* caption) {
  const QString text = caption != nullptr ? U8(caption) : WithoutAccessKey(command->text());
  auto* item = new QAction(text, popup);
  item->setObjectName(QString::fromLatin1(name));
  item->setEnabled(command->isEnabled());
  connect(item, &QAction::triggered, command, &QAction::trigger);
  connect(command, &QAction::changed, item,
          [item, command] { item->setEnabled(command->isEnabled()); });
  popup->addAction(item);
  actions_.insert(item->objectName(), item);
  return item;
}

void TFormMain::AddToolButton(QToolBar* bar, QAction* command, const char* name, const char* hint,
                              QMenu* drop_down) {
  // The button shows the hint, the menu the caption: the button gets an action of its own
  // that follows the command.
  auto* button_action = new QAction(command->icon(), U8(hint), bar);
  button_action->setObjectName(QString::fromLatin1(name));
  button_action->setToolTip(U8(hint));
  button_action->setCheckable(command->isCheckable());
  button_action->setEnabled(command->isEnabled());
  connect(button_action, &QAction::triggered, command, [command] {
    if (command->isCheckable()) command->setChecked(true);
    command->trigger();
  });
  connect(command, &QAction::changed, button_action, [button_action, command] {
    button_action->setEnabled(command->isEnabled());
    // The buttons form an exclusive group of their own: checking one unchecks the others.
    if (command->isCheckable() && command->isChecked()) button_action->setChecked(true);
  });
  bar->addAction(button_action);
  auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(button_action));
  if (button != nullptr) {
    button->setObjectName(QString::fromLatin1(name));
    if (drop_down != nullptr) {
      button->setMenu(drop_down);
      button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    tool_buttons_.insert(button->objectName(), button);
  }
  actions_.insert(button_action->objectName(), button_action);
}

QAction* TFormMain::Action(const QString& name) const { return actions_.value(name, nullptr); }

QToolButton* TFormMain::ToolButton(const QString& name) const {
  return tool_buttons_.value(name, nullptr);
}

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

  connect(Action("MenuFileNew"), &QAction::triggered, this, &TFormMain::MenuFileNewClick);
  connect(Action("MenuFileOpen"), &QAction::triggered, this, &TFormMain::MenuFileOpenClick);
  connect(Action("MenuFileSave"), &QAction::triggered, this, &TFormMain::MenuFileSaveClick);
  connect(Action("MenuFileSaveAs"), &QAction::triggered, this, &TFormMain::MenuFileSaveAsClick);
  connect(Action("MenuFileExit"), &QAction::triggered, this, &TFormMain::MenuFileExitClick);
  connect(Action("MenuSaveOutlineText"), &QAction::triggered, this,
          &TFormMain::MenuSaveOutlineTextClick);
  connect(Action("MenuLoadOutlineText"), &QAction::triggered, this,
          &TFormMain::MenuLoadOutlineTextClick);
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

  connect(Action("MenuEditBack"), &QAction::triggered, this, &TFormMain::MenuEditBackClick);
  connect(Action("MenuEditSelectAll"), &QAction::triggered, this,
          &TFormMain::MenuEditSelectAllClick);
  connect(Action("MenuEditUpVisible"), &QAction::triggered, this,
          &TFormMain::MenuEditUpVisibleClick);
  connect(Action("MenuEditDownVisible"), &QAction::triggered, this,
          &TFormMain::MenuEditDownVisibleClick);
  connect(Action("MenuEditUp"), &QAction::triggered, this, &TFormMain::MenuEditUpClick);
  connect(Action("MenuEditDown"), &QAction::triggered, this, &TFormMain::MenuEditDownClick);
  connect(Action("MenuEditSplitChange"), &QAction::triggered, this,
          &TFormMain::MenuEditSplitChangeClick);
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
  actions_.insert("MenuTreeColor", colors->menuAction());
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
  move_group_ = new QActionGroup(this);
  move_group_->setExclusive(true);
  const auto cmd = [&](const char* name, const char* caption, const char* glyph, QKeySequence key) {
    QAction* action = AddCommand(menu, name, caption, key);
    action->setIcon(GlyphIcon(U8(glyph), tint));
    action->setCheckable(true);
    move_group_->addAction(action);
    return action;
  };
  cmd("MenuMoveTree", "ﾂﾘｰﾋﾞｭｰ(&T)", "木", QKeySequence(Qt::SHIFT | Qt::Key_F1));
  cmd("MenuMoveTitle", "ﾀｲﾄﾙ部(&M)", "題", QKeySequence(Qt::SHIFT | Qt::Key_F2));
  cmd("MenuMoveEdit", "ｴﾃﾞｨｯﾄ部(&E)", "文", QKeySequence(Qt::SHIFT | Qt::Key_F3));
  connect(Action("MenuMoveTree"), &QAction::triggered, this, &TFormMain::MenuMoveTreeClick);
  connect(Action("MenuMoveTitle"), &QAction::triggered, this, &TFormMain::MenuMoveTitleClick);
  connect(Action("MenuMoveEdit"), &QAction::triggered, this, &TFormMain::MenuMoveEditClick);
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
  connect(Action("MenuHelpContents"), &QAction::triggered, this, &TFormMain::MenuHelpContentsClick);
  connect(Action("MenuHelpAbout"), &QAction::triggered, this, &TFormMain::MenuHelpAboutClick);
}

void TFormMain::CreateToolBars() {
  const char* const names[7] = {"ToolBarFile", "ToolBarEdit",   "ToolBarTree", "ToolBarText",
                                "ToolBarMove", "ToolBarOption", "ToolBarHelp"};
  const char* const titles[7] = {"ﾌｧｲﾙ", "編集", "ﾂﾘｰ", "ﾃｷｽﾄ", "移動", "ｵﾌﾟｼｮﾝ", "ﾍﾙﾌﾟ"};
  for (int i = 0; i < 7; ++i) {
    QToolBar* bar = new QToolBar(U8(titles[i]), this);
    bar->setObjectName(QString::fromLatin1(names[i]));
    bar->setMovable(true);
    bar->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, bar);
    ToolBars[static_cast<size_t>(i)] = bar;
  }
  PopupMenuFileOpen = new QMenu(this);
  PopupMenuFileOpen->setObjectName("PopupMenuFileOpen");
  PopupMenuTempFileOpen = new QMenu(this);
  PopupMenuTempFileOpen->setObjectName("PopupMenuTempFileOpen");
  PopupMenuFontStyle = new QMenu(this);
  PopupMenuFontStyle->setObjectName("PopupMenuFontStyle");

  QToolBar* file = ToolBars[0];
  AddToolButton(file, Action("MenuFileNew"), "ToolButtonFileNew", "ﾌｧｲﾙの新規作成");
  AddToolButton(file, Action("MenuFileOpen"), "ToolButtonFileOpen", "ﾌｧｲﾙを開く",
                PopupMenuFileOpen);
  AddToolButton(file, Action("MenuFileSave"), "ToolButtonFileSave", "ﾌｧｲﾙを上書き保存");
  AddToolButton(file, Action("MenuFileView"), "ToolButtonFileView", "ﾄﾞｷｭﾒﾝﾄ全体を見る");
  AddToolButton(file, Action("MenuFilePrint"), "ToolButtonFilePrint", "印刷");

  QToolBar* edit = ToolBars[1];
  AddToolButton(edit, Action("MenuEditUndo"), "ToolButtonEditUndo", "元に戻す");
  AddToolButton(edit, Action("MenuEditCut"), "ToolButtonEditCut", "カット");
  AddToolButton(edit, Action("MenuEditCopy"), "ToolButtonEditCopy", "コピー");
  AddToolButton(edit, Action("MenuEditPaste"), "ToolButtonEditPaste", "ペースト");
  AddToolButton(edit, Action("MenuEditCopyNode"), "ToolButtonEditCopyNode",
                "他のファイルのノードをコピー");
  AddToolButton(edit, Action("MenuEditSplitChange"), "ToolButtonEditSplitChange", "分割方向の変更");

  QToolBar* tree = ToolBars[2];
  AddToolButton(tree, Action("MenuTreeAdd"), "ToolButtonTreeAdd", "同じ階層に追加");
  AddToolButton(tree, Action("MenuTreeAddChild"), "ToolButtonTreeAddChild", "下の階層に追加");
  AddToolButton(tree, Action("MenuTreeInsParent"), "ToolButtonTreeInsParent", "親を挿入");
  AddToolButton(tree, Action("MenuTreeInsChild"), "ToolButtonTreeInsChild", "子を挿入");
  AddToolButton(tree, Action("MenuTreeInsChara"), "ToolButtonTreeInsChara", "ｷｬﾗｸﾀを挿入");
  AddToolButton(tree, Action("MenuTreeInsCharaItem"), "ToolButtonTreeInsCharaItem",
                "ｷｬﾗｸﾀ項目を挿入");
  AddToolButton(tree, Action("MenuTreeInsTemplate"), "ToolButtonInsTemplate", "ﾃﾝﾌﾟﾚｰﾄを挿入",
                PopupMenuTempFileOpen);
  AddToolButton(tree, Action("MenuTreeSaveTemplate"), "ToolButtonSaveTemplate",
                "ﾃﾝﾌﾟﾚｰﾄとして保存");
  AddToolButton(tree, Action("MenuTreeUp"), "ToolButtonTreeUp", "上へ移動");
  AddToolButton(tree, Action("MenuTreeDown"), "ToolButtonTreeDown", "下へ移動");
  AddToolButton(tree, Action("MenuTreeMarkChange"), "ToolButtonTreeMarkChange", "記号の切り替え");
  AddToolButton(tree, Action("MenuTreeColor"), "ToolButtonTreeColor", "色の変更",
                PopupMenuIconColor);
  AddToolButton(tree, Action("MenuTreeDel"), "ToolButtonTreeDel", "ﾉｰﾄﾞの削除");
  AddToolButton(tree, Action("MenuTreeMerge"), "ToolButtonTreeMerge", "ﾉｰﾄﾞの結合");
  AddToolButton(tree, Action("MenuTreeSplitChild"), "ToolButtonTreeSplitChild",
                "ﾉｰﾄﾞの分割（子階層）");
  AddToolButton(tree, Action("MenuTreeSplit"), "ToolButtonTreeSplit", "ﾉｰﾄﾞの分割（同階層）");
  AddToolButton(tree, Action("MenuTreeOpen"), "ToolButtonTreeOpen", "ﾉｰﾄﾞをすべて開く");
  AddToolButton(tree, Action("MenuTreeClose"), "ToolButtonTreeClose", "ﾉｰﾄﾞをすべて閉じる");

  QToolBar* text = ToolBars[3];
  AddToolButton(text, Action("MenuTextFont"), "ToolButtonTextFont", "ﾌｫﾝﾄ");
  AddToolButton(text, Action("MenuTextLink"), "ToolButtonTextLink", "ﾘﾝｸする");
  AddToolButton(text, Action("ToolTextStyle"), "ToolButtonTextStyle", "ﾌｫﾝﾄｽﾀｲﾙ",
                PopupMenuFontStyle);
  AddToolButton(text, Action("MenuTextStyleSet"), "ToolButtonTextStyleSet", "ﾌｫﾝﾄｽﾀｲﾙを登録");
  AddToolButton(text, Action("MenuTextStyleLoad"), "ToolButtonTextStyleLoad", "ﾌｫﾝﾄｽﾀｲﾙの読み込み");
  AddToolButton(text, Action("MenuTextStyleSave"), "ToolButtonTextStyleSave", "ﾌｫﾝﾄｽﾀｲﾙの保存");
  AddToolButton(text, Action("MenuTextStyleEdit"), "ToolButtonTextStyleEdit", "ﾌｫﾝﾄｽﾀｲﾙの編集");
  AddToolButton(text, Action("MenuTextFind"), "ToolButtonTextFind", "検索");
  AddToolButton(text, Action("MenuTextImport"), "ToolButtonTextImport", "ﾌｧｲﾙから取り込み");

  QToolBar* move = ToolBars[4];
  AddToolButton(move, Action("MenuMoveTree"), "ToolButtonMoveTree", "ﾂﾘｰﾋﾞｭｰ");
  AddToolButton(move, Action("MenuMoveTitle"), "ToolButtonMoveTitle", "ﾀｲﾄﾙ部");
  AddToolButton(move, Action("MenuMoveEdit"), "ToolButtonMoveEdit", "ｴﾃﾞｨｯﾄ部");
  auto* move_buttons = new QActionGroup(this);
  for (const char* name : {"ToolButtonMoveTree", "ToolButtonMoveTitle", "ToolButtonMoveEdit"}) {
    move_buttons->addAction(Action(QString::fromLatin1(name)));
  }

  AddToolButton(ToolBars[5], Action("MenuToolCustmize"), "ToolButtonToolCustmize", "ｶｽﾀﾏｲｽﾞ");
  AddToolButton(ToolBars[6], Action("MenuHelpContents"), "ToolButtonHelpContents", "目次");

  // The display menu's items show and hide the bars.
  const char* const disp[7] = {"MenuDispFile", "MenuDispEdit",   "MenuDispTree", "MenuDispText",
                               "MenuDispMove", "MenuDispOption", "MenuDispHelp"};
  for (int i = 0; i < 7; ++i) {
    QToolBar* bar = ToolBars[static_cast<size_t>(i)];
    connect(Action(QString::fromLatin1(disp[i])), &QAction::triggered, bar,
            [bar](bool checked) { bar->setVisible(checked); });
  }
}

void TFormMain::CreateFontBar() {
  addToolBarBreak(Qt::TopToolBarArea);
  PanelEditToolFont = new QToolBar(U8("ﾌｫﾝﾄ"), this);
  PanelEditToolFont->setObjectName("PanelEditToolFont");
  PanelEditToolFont->setIconSize(QSize(16, 16));
  addToolBar(Qt::TopToolBarArea, PanelEditToolFont);
  font_name_box_ = new QFontComboBox(PanelEditToolFont);
  font_name_box_->setObjectName("FontBarName");
  font_name_box_->setWritingSystem(QFontDatabase::Japanese);
  font_name_box_->setToolTip(U8("ﾌｫﾝﾄ"));
  font_name_box_->setMinimumWidth(160);
  PanelEditToolFont->addWidget(font_name_box_);
  font_size_box_ = new QComboBox(PanelEditToolFont);
  font_size_box_->setObjectName("FontBarSize");
  font_size_box_->setEditable(true);
  font_size_box_->setToolTip(U8("ﾌｫﾝﾄの大きさ"));
  for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) {
    font_size_box_->addItem(QString::number(size));
  }
  font_size_box_->setCurrentText(QStringLiteral("9"));
  PanelEditToolFont->addWidget(font_size_box_);
  const QColor tint(0x80, 0x80, 0x80);
  const auto button = [&](const char* name, const char* glyph, const char* hint, bool toggle) {
    QAction* action = AddCommand(nullptr, name, hint);
    action->setIcon(GlyphIcon(U8(glyph), tint));
    action->setToolTip(U8(hint));
    action->setCheckable(toggle);
    PanelEditToolFont->addAction(action);
    return action;
  };
  button("FontBarBold", "B", "太字", true);
  button("FontBarItalic", "I", "斜体", true);
  button("FontBarUnderline", "U", "下線", true);
  button("FontBarStrikeOut", "S", "打ち消し線", true);
  button("FontBarColor", "色", "ﾌｫﾝﾄの色", false);
  PanelEditToolFont->addSeparator();
  auto* align = new QActionGroup(this);
  align->addAction(button("FontBarLeft", "≡", "左寄せ", true))->setChecked(true);
  align->addAction(button("FontBarCenter", "中", "中央寄せ", true));
  align->addAction(button("FontBarRight", "右", "右寄せ", true));
  PanelEditToolFont->addSeparator();
  button("FontBarBullet", "・", "箇条書き", true);
  PanelEditToolFont->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(PanelEditToolFont, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    SyncBarChecks();
    PopupMenuEditTool->popup(PanelEditToolFont->mapToGlobal(pos));
  });
}

void TFormMain::CreateContextMenus() {
  PopupMenuTree = new QMenu(this);
  PopupMenuTree->setObjectName("PopupMenuTree");
  const auto tree = [&](const char* name, const char* command, bool keep_caption = false) {
    QAction* main = Action(QString::fromLatin1(command));
    QAction* item = AddPopupItem(PopupMenuTree, name, main, nullptr);
    if (keep_caption) {
      // Undo, cut, copy and paste show their access keys and shortcuts here too; the
      // shortcut itself belongs to the main command.
      item->setText(main->text());
      item->setShortcut(main->shortcut());
      item->setShortcutContext(Qt::WidgetShortcut);
    }
    return item;
  };
  tree("PopupTreeUndo", "MenuEditUndo", true);
  PopupMenuTree->addSeparator();
  tree("PopupTreeCut", "MenuEditCut", true);
  tree("PopupTreeCopy", "MenuEditCopy", true);
  tree("PopupTreePaste", "MenuEditPaste", true);
  PopupMenuTree->addSeparator();
  tree("PopupTreeAdd", "MenuTreeAdd");
  tree("PopupTreeAddChild", "MenuTreeAddChild");
  tree("PopupTreeInsParent", "MenuTreeInsParent");
  tree("PopupTreeInsChild", "MenuTreeInsChild");
  PopupMenuTree->addSeparator();
  tree("PopupTreeInsChara", "MenuTreeInsChara");
  tree("PopupTreeInsCharaItem", "MenuTreeInsCharaItem");
  tree("PopupTreeInsTemplate", "MenuTreeInsTemplate");
  tree("PopupTreeSaveTemplate", "MenuTreeSaveTemplate");
  PopupMenuTree->addSeparator();
  tree("PopupTreeUp", "MenuTreeUp");
  tree("PopupTreeDown", "MenuTreeDown");
  PopupMenuTree->addSeparator();
  tree("PopupTreeMarkChange", "MenuTreeMarkChange");
  QMenu* colors = PopupMenuTree->addMenu(WithoutAccessKey(Action("MenuTreeColor")->text()));
  colors->setObjectName("PopupTreeColorSub");
  colors->menuAction()->setObjectName("PopupTreeColor");
  actions_.insert("PopupTreeColor", colors->menuAction());
  QAction* color_command = Action("MenuTreeColor");
  colors->menuAction()->setEnabled(color_command->isEnabled());
  connect(color_command, &QAction::changed, colors->menuAction(), [colors, color_command] {
    colors->menuAction()->setEnabled(color_command->isEnabled());
  });
  const char* const color_names[6] = {"MenuTreeColorBlue",   "MenuTreeColorBrown",
                                      "MenuTreeColorGreen",  "MenuTreeColorOrange",
                                      "MenuTreeColorParple", "MenuTreeColorPink"};
  const char* const popup_names[6] = {"PopupTreeColorBlue",   "PopupTreeColorBrown",
                                      "PopupTreeColorGreen",  "PopupTreeColorOrange",
                                      "PopupTreeColorParple", "PopupTreeColorPink"};
  for (int i = 0; i < 6; ++i) {
    QAction* main = Action(QString::fromLatin1(color_names[i]));
    AddPopupItem(colors, popup_names[i], main, nullptr)->setIcon(main->icon());
  }
  tree("PopupTreeDel", "MenuTreeDel");
  PopupMenuTree->addSeparator();
  tree("PopupTreeMerge", "MenuTreeMerge");
  tree("PopupTreeSplitChild", "MenuTreeSplitChild");
  tree("PopupTreeSplit", "MenuTreeSplit");
  PopupMenuTree->addSeparator();
  tree("PopupTreeOpen", "MenuTreeOpen");
  tree("PopupTreeClose", "MenuTreeClose");

  PopupMenuTitle = new QMenu(this);
  PopupMenuTitle->setObjectName("PopupMenuTitle");
  AddPopupItem(PopupMenuTitle, "PopupTitleUndo", Action("MenuEditUndo"), "元に戻す(&U)");
  PopupMenuTitle->addSeparator();
  AddPopupItem(PopupMenuTitle, "PopupTitleCut", Action("MenuEditCut"), "ｶｯﾄ(&T)");
  AddPopupItem(PopupMenuTitle, "PopupTitleCopy", Action("MenuEditCopy"), "ｺﾋﾟｰ(&C)");
  AddPopupItem(PopupMenuTitle, "PopupTitlePaste", Action("MenuEditPaste"), "ﾍﾟｰｽﾄ(&P)");
  PopupMenuTitle->addSeparator();
  AddPopupItem(PopupMenuTitle, "PopupTitleSelectAll", Action("MenuEditSelectAll"),
               "すべて選択(&A)");

  PopupMenuEdit = new QMenu(this);
  PopupMenuEdit->setObjectName("PopupMenuEdit");
  AddPopupItem(PopupMenuEdit, "PopupEditUndo", Action("MenuEditUndo"), "元に戻す(&U)");
  PopupMenuEdit->addSeparator();
  AddPopupItem(PopupMenuEdit, "PopupEditCut", Action("MenuEditCut"), "ｶｯﾄ(&T)");
  AddPopupItem(PopupMenuEdit, "PopupEditCopy", Action("MenuEditCopy"), "ｺﾋﾟｰ(&C)");
  AddPopupItem(PopupMenuEdit, "PopupEditPaste", Action("MenuEditPaste"), "ﾍﾟｰｽﾄ(&P)");
  PopupMenuEdit->addSeparator();
  AddPopupItem(PopupMenuEdit, "PopupEditSelectAll", Action("MenuEditSelectAll"), "すべて選択(&A)");
  PopupMenuEdit->addSeparator();
  AddPopupItem(PopupMenuEdit, "PopupEditFont", Action("MenuTextFont"), "ﾌｫﾝﾄ...");
  AddPopupItem(PopupMenuEdit, "PopupEditLink", Action("MenuTextLink"), "ﾘﾝｸ");
  AddPopupItem(PopupMenuEdit, "PopupEditFontAll", Action("MenuTextFontAll"), "ﾌｫﾝﾄの統一");
  AddPopupItem(PopupMenuEdit, "PopupEditTabAll", Action("MenuTextTabAll"), "ﾀﾌﾞ幅の統一");
  PopupMenuEdit->addSeparator();
  AddPopupItem(PopupMenuEdit, "PopupEditStyleSet", Action("MenuTextStyleSet"), "ﾌｫﾝﾄｽﾀｲﾙを登録");
  AddPopupItem(PopupMenuEdit, "PopupEditStyleLoad", Action("MenuTextStyleLoad"),
               "ﾌｫﾝﾄｽﾀｲﾙの読み込み...");
  AddPopupItem(PopupMenuEdit, "PopupEditStyleSave", Action("MenuTextStyleSave"),
               "ﾌｫﾝﾄｽﾀｲﾙの保存...");
  AddPopupItem(PopupMenuEdit, "PopupEditStyleEdit", Action("MenuTextStyleEdit"),
               "ﾌｫﾝﾄｽﾀｲﾙの編集...");
  PopupMenuEdit->addSeparator();
  AddPopupItem(PopupMenuEdit, "PopupEditImport", Action("MenuTextImport"), "ﾌｧｲﾙから取り込み...");
  AddPopupItem(PopupMenuEdit, "PopupEditCount", Action("MenuTextCount"), "文字数ｶｳﾝﾄ...");

  PopupMenuBar = new QMenu(this);
  PopupMenuBar->setObjectName("PopupMenuBar");
  const char* const bar_items[7] = {"PopupBarFile", "PopupBarEdit", "PopupBarTree",
                                    "PopupBarText", "PopupBarMove", "PopupBarOption",
                                    "PopupBarHelp"};
  const char* const bar_captions[7] = {"ﾌｧｲﾙ", "編集", "ﾂﾘｰ", "ﾃｷｽﾄ", "移動", "ｵﾌﾟｼｮﾝ", "ﾍﾙﾌﾟ"};
  for (int i = 0; i < 7; ++i) {
    QAction* item = AddCommand(PopupMenuBar, bar_items[i], bar_captions[i]);
    item->setCheckable(true);
    QToolBar* bar = ToolBars[static_cast<size_t>(i)];
    connect(item, &QAction::triggered, bar, [bar](bool checked) { bar->setVisible(checked); });
  }
  PopupMenuBar->addSeparator();
  AddPopupItem(PopupMenuBar, "PopupBarCustmize", Action("MenuDispCustmize"), "ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ...");

  PopupMenuEditTool = new QMenu(this);
  PopupMenuEditTool->setObjectName("PopupMenuEditTool");
  AddCommand(PopupMenuEditTool, "PopupEditToolFont", "ﾌｫﾝﾄ(&F)")->setCheckable(true);
  AddCommand(PopupMenuEditTool, "PopupEditToolRuler", "ﾙｰﾗｰ(&R)")->setCheckable(true);
  for (const char* name : {"MenuDispFont", "PopupEditToolFont"}) {
    connect(Action(QString::fromLatin1(name)), &QAction::triggered, this,
            [this](bool checked) { PanelEditToolFont->setVisible(checked); });
  }
  for (const char* name : {"MenuDispRuler", "PopupEditToolRuler"}) {
    connect(Action(QString::fromLatin1(name)), &QAction::triggered, this,
            [this](bool checked) { anlRulerMain->setVisible(checked); });
  }
  connect(PopupMenuBar, &QMenu::aboutToShow, this, &TFormMain::SyncBarChecks);
  connect(PopupMenuEditTool, &QMenu::aboutToShow, this, &TFormMain::SyncBarChecks);
}

void TFormMain::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBarMain");
  bar->setSizeGripEnabled(true);
  for (size_t i = 0; i < StatusPanels.size(); ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanels[i] = panel;
  }
  StatusPanels[0]->setMinimumWidth(40);
  bar->addWidget(StatusPanels[0], 1);
  StatusPanels[1]->setFixedWidth(80);
  StatusPanels[2]->setFixedWidth(100);
  bar->addPermanentWidget(StatusPanels[1]);
  bar->addPermanentWidget(StatusPanels[2]);
}

void TFormMain::DisablePendingCommands() {
  for (QAction* action : actions_) {
    if (IsPendingCommand(action->objectName())) action->setEnabled(false);
  }
  font_name_box_->setEnabled(false);
  font_size_box_->setEnabled(false);
}

void TFormMain::SetCommandEnabled(const QString& name, bool enabled) {
  QAction* action = Action(name);
  if (action == nullptr) return;
  action->setEnabled(enabled && !IsPendingCommand(name));
}

void TFormMain::SyncBarChecks() {
  const char* const disp[7] = {"MenuDispFile", "MenuDispEdit",   "MenuDispTree", "MenuDispText",
                               "MenuDispMove", "MenuDispOption", "MenuDispHelp"};
  const char* const popup[7] = {"PopupBarFile", "PopupBarEdit",   "PopupBarTree", "PopupBarText",
                                "PopupBarMove", "PopupBarOption", "PopupBarHelp"};
  for (size_t i = 0; i < 7; ++i) {
    const bool shown = !ToolBars[i]->isHidden();
    Action(QString::fromLatin1(disp[i]))->setChecked(shown);
    Action(QString::fromLatin1(popup[i]))->setChecked(shown);
  }
  const bool font_shown = !PanelEditToolFont->isHidden();
  const bool ruler_shown = !anlRulerMain->isHidden();
  Action("MenuDispFont")->setChecked(font_shown);
  Action("PopupEditToolFont")->setChecked(font_shown);
  Action("MenuDispRuler")->setChecked(ruler_shown);
  Action("PopupEditToolRuler")->setChecked(ruler_shown);
}

void TFormMain::SetBarsEnabled(bool enabled) {
  menuBar()->setEnabled(enabled);
  for (QToolBar* bar : ToolBars) bar->setEnabled(enabled);
  PanelEditToolFont->setEnabled(enabled);
  anlRulerMain->setEnabled(enabled);
}

void TFormMain::contextMenuEvent(QContextMenuEvent* event) {
  // Right-clicks on the tool-bar area (not on a pane, which has its own menu).
  QWidget* child = childAt(event->pos());
  for (QWidget* w = child; w != nullptr && w != this; w = w->parentWidget()) {
    if (w == PanelEditToolFont || w == anlRulerMain) {
      SyncBarChecks();
      PopupMenuEditTool->popup(event->globalPos());
      return;
    }
    if (qobject_cast<QToolBar*>(w) != nullptr || w == menuBar()) {
      SyncBarChecks();
      PopupMenuBar->popup(event->globalPos());
      return;
    }
  }
  if (child == nullptr || event->pos().y() < centralWidget()->geometry().top()) {
    SyncBarChecks();
    PopupMenuBar->popup(event->globalPos());
  }
}

}  // namespace pw
