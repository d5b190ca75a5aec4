// The window's bars: the seven tool bars with their hints and drop-downs, the font bar, the
// context menus of the panes and bars, and the status bar. Every button and context-menu item
// runs its main-menu command (declared in tform_main_menus.cpp).
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "ui/common/glyph_icon.h"
#include "ui/common/qt_text.h"
#include "ui/window/tform_main.h"

namespace pw {

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
  FontBarName = new QFontComboBox(PanelEditToolFont);
  FontBarName->setObjectName("FontBarName");
  FontBarName->setWritingSystem(QFontDatabase::Japanese);
  FontBarName->setToolTip(U8("ﾌｫﾝﾄ"));
  FontBarName->setMinimumWidth(160);
  PanelEditToolFont->addWidget(FontBarName);
  FontBarSize = new QComboBox(PanelEditToolFont);
  FontBarSize->setObjectName("FontBarSize");
  FontBarSize->setEditable(true);
  FontBarSize->setToolTip(U8("ﾌｫﾝﾄの大きさ"));
  for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) {
    FontBarSize->addItem(QString::number(size));
  }
  FontBarSize->setCurrentText(QStringLiteral("9"));
  PanelEditToolFont->addWidget(FontBarSize);
  actions_.AddControl(FontBarName);
  actions_.AddControl(FontBarSize);
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
  actions_.Add(colors->menuAction());
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
