// The settings the main window applies: window bounds, split direction, tool-bar and bar
// visibility, pane fonts and colours, tab stops; and the values it writes back at closing.
#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <vector>

#include "platform/paths.h"
#include "ui/common/font_setting_qt.h"
#include "ui/document/node_panes.h"
#include "ui/document/tree_branch_style.h"
#include "ui/styling/styling_commands.h"
#include "ui/window/tform_main.h"

namespace pw {
namespace {

// Room between two bars of a row (the layout's spacing and a margin), in pixels.
constexpr int kBarSpacing = 8;

void SetPaneColors(QWidget* pane, int32_t background, int32_t text) {
  QPalette palette = pane->palette();
  palette.setColor(QPalette::Base, ToQColor(background));
  if (!IsSystemColor(text)) palette.setColor(QPalette::Text, ToQColor(text));
  pane->setPalette(palette);
}

}  // namespace

void TFormMain::ApplyWindowLayout() {
  // Window bounds, fitted to the screen. Left and Top are the frame's, as move() takes them.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    FitWindowToScreen(area.width(), area.height(), &settings_);
  }
  resize(settings_.Width, settings_.Height);
  if (settings_.Left && settings_.Top) move(*settings_.Left, *settings_.Top);
  if (settings_.Maximized) setWindowState(windowState() | Qt::WindowMaximized);

  // Tool buttons, then the bars left without a visible button, then the bars themselves.
  ToolBarLayout& bars = settings_.ToolBars;
  for (const ToolButtonInfo& info : ToolButtons()) {
    const QString name =
        QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size()));
    if (QAction* action = actions_.Action(name)) {
      action->setVisible(bars.ButtonVisible(*FindToolButton(info.name)));
    }
  }
  bars.HideEmptyToolBars();
  PlaceBars();
  for (size_t i = 0; i < kToolBarCount; ++i) ToolBars[i]->setVisible(bars.bar_visible[i]);
  PanelEditToolFont->setVisible(bars.PanelEditToolFont);
  anlRulerMain->setVisible(bars.anlRulerMain);
}

void TFormMain::ApplySettings() {
  panes_->ApplySplitSettings(isVisible());

  // The tree's buttons and connecting lines.
  tree_style_->SetShowButtons(settings_.ShowButtons);
  tree_style_->SetShowLines(settings_.ShowLines);
  TreeViewMain->setRootIsDecorated(true);
  TreeViewMain->viewport()->update();
  RichEditMain->setVerticalScrollBarPolicy(settings_.ScrollBars ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
  RichEditMain->setLineWrapMode(settings_.WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  panes_->ApplyFonts();
  SetPaneColors(TreeViewMain, settings_.TVColor, settings_.TreeViewFont.Color);
  SetPaneColors(MemoTitle, settings_.MemoColor, settings_.MemoFont.Color);
  SetPaneColors(RichEditMain, settings_.REColor, settings_.RichEditFont.Color);

  // Tab stops every "Tab" widths of "0" in the body font, on the body's paragraphs.
  if (styling_) styling_->ApplySettings();
}

QToolBar* TFormMain::PlacedBar(size_t slot) const {
  return slot == kFontBarSlot ? PanelEditToolFont : ToolBars[slot];
}

void TFormMain::PlaceBars() {
  // The tool-bar area holds rows of bars: the stored places give the rows and their order;
  // at the first start the bars flow onto as many rows as the window's width needs, so that
  // every button shows.
  std::array<int, kPlacedBarCount> widths{};
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    widths[slot] = PlacedBar(slot)->sizeHint().width() + kBarSpacing;
  }
  bar_rows_ = settings_.ToolBars.Arrange(widths, width());
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    removeToolBarBreak(PlacedBar(slot));
    removeToolBar(PlacedBar(slot));
  }
  for (size_t row = 0; row < bar_rows_.size(); ++row) {
    if (row > 0) addToolBarBreak(Qt::TopToolBarArea);
    for (size_t slot : bar_rows_[row]) {
      addToolBar(Qt::TopToolBarArea, PlacedBar(slot));
      PlacedBar(slot)->show();
    }
  }
}

void TFormMain::StoreWindowSettings() {
  // Left and Top are the frame's (what move() takes back), Width and Height the window's own:
  // a restart puts the window exactly where it was.
  const QPoint frame_offset = geometry().topLeft() - pos();
  const QRect bounds = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  if (bounds.isValid()) {
    settings_.Left = bounds.x() - frame_offset.x();
    settings_.Top = bounds.y() - frame_offset.y();
    settings_.Width = bounds.width();
    settings_.Height = bounds.height();
  }
  settings_.Maximized = isMaximized();
  const QList<int> sizes = SplitterMain->sizes();
  if (!sizes.isEmpty() && sizes[0] > 0) settings_.TreeWidth = sizes[0];
  ToolBarLayout& bars = settings_.ToolBars;
  for (size_t i = 0; i < kToolBarCount; ++i) bars.bar_visible[i] = !ToolBars[i]->isHidden();
  bars.PanelEditToolFont = !PanelEditToolFont->isHidden();
  bars.anlRulerMain = !anlRulerMain->isHidden();
  // The bars' places in the tool-bar area, which starts under the menu bar.
  const int area_top = menuWidget() != nullptr ? menuWidget()->geometry().bottom() + 1 : 0;
  std::array<std::optional<BarGeometry>, kPlacedBarCount> shown;
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    const QToolBar* bar = PlacedBar(slot);
    if (bar->isHidden() || toolBarArea(const_cast<QToolBar*>(bar)) != Qt::TopToolBarArea) {
      continue;
    }
    shown[slot] = BarGeometry{bar->x(), bar->y() - area_top, bar->width()};
  }
  bars.RecordPlaces(bar_rows_, shown);
}

bool TFormMain::WriteSettingsFile() {
  StoreWindowSettings();
  // Read again: keys the file holds keep their places, keys we do not know survive.
  const std::string path = SettingsFilePath();
  IniFile ini;
  ini.LoadFile(path);
  StoreSettings(settings_, &ini);
  return static_cast<bool>(ini.SaveFile(path));
}

}  // namespace pw
