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
#include "ui/document/node_panes.h"
#include "ui/document/tree_branch_style.h"
#include "ui/window/tform_main.h"

namespace pw {
namespace {

QColor ToQColor(int32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void SetPaneColors(QWidget* pane, int32_t background, int32_t text) {
  QPalette palette = pane->palette();
  palette.setColor(QPalette::Base, ToQColor(background));
  if (!IsSystemColor(text)) palette.setColor(QPalette::Text, ToQColor(text));
  pane->setPalette(palette);
}

}  // namespace

void TFormMain::ApplySettings() {
  // Window bounds, fitted to the screen.
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

  // Tab stops every "Tab" widths of "0" in the body font, in whole points.
  const QFontMetrics metrics(RichEditMain->document()->defaultFont());
  const std::vector<int> stops =
      TabStopPoints(metrics.horizontalAdvance(QLatin1Char('0')), settings_.Tab);
  if (!stops.empty() && stops.front() > 0) {
    RichEditMain->setTabStopDistance(stops.front() * 4.0 / 3.0);
  }
}

void TFormMain::PlaceBars() {
  // The tool-bar area keeps rows of bars rather than free positions: bars with the same top
  // share a row, in the order of their left edges. Bars without a stored place keep theirs.
  const ToolBarLayout& layout = settings_.ToolBars;
  struct Placed {
    int top;
    int left;
    QToolBar* bar;
  };
  std::vector<Placed> placed;
  for (size_t i = 0; i < kToolBarCount; ++i) {
    const BarPosition& pos = layout.bar_pos[i];
    if (pos.Left && pos.Top) placed.push_back({*pos.Top, *pos.Left, ToolBars[i]});
  }
  if (layout.font_bar_pos.Left && layout.font_bar_pos.Top) {
    placed.push_back({*layout.font_bar_pos.Top, *layout.font_bar_pos.Left, PanelEditToolFont});
  }
  if (placed.empty()) return;
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  for (QToolBar* bar : ToolBars) removeToolBarBreak(bar);
  removeToolBarBreak(PanelEditToolFont);
  for (const Placed& p : placed) removeToolBar(p.bar);
  for (size_t i = 0; i < placed.size(); ++i) {
    if (i > 0 && placed[i].top != placed[i - 1].top) addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, placed[i].bar);
    placed[i].bar->show();
  }
}

void TFormMain::StoreWindowSettings() {
  const QRect bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
  settings_.Left = bounds.x();
  settings_.Top = bounds.y();
  settings_.Width = bounds.width();
  settings_.Height = bounds.height();
  settings_.Maximized = isMaximized();
  const QList<int> sizes = SplitterMain->sizes();
  if (!sizes.isEmpty() && sizes[0] > 0) settings_.TreeWidth = sizes[0];
  ToolBarLayout& bars = settings_.ToolBars;
  for (size_t i = 0; i < kToolBarCount; ++i) {
    bars.bar_visible[i] = !ToolBars[i]->isHidden();
    // A hidden bar has no place of its own now; it keeps the one it had.
    if (!ToolBars[i]->isHidden()) {
      bars.bar_pos[i].Left = ToolBars[i]->x();
      bars.bar_pos[i].Top = ToolBars[i]->y();
    }
  }
  bars.PanelEditToolFont = !PanelEditToolFont->isHidden();
  bars.anlRulerMain = !anlRulerMain->isHidden();
  if (!PanelEditToolFont->isHidden()) {
    bars.font_bar_pos.Left = PanelEditToolFont->x();
    bars.font_bar_pos.Top = PanelEditToolFont->y();
  }
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
