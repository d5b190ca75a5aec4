// The main window's controls, named as the program names them. TFormMain creates them; the
// command classes act on them through WindowContext::controls().
#ifndef PLOTWEAVE_UI_COMMON_WINDOW_CONTROLS_H_
#define PLOTWEAVE_UI_COMMON_WINDOW_CONTROLS_H_

#include <array>

class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QTextEdit;
class QTimer;
class QToolBar;
class QTreeView;
class QWidget;

namespace pw {

class TFormProgress;

struct WindowControls {
  // The panes.
  QTreeView* TreeViewMain = nullptr;
  QLineEdit* MemoTitle = nullptr;
  QTextEdit* RichEditMain = nullptr;
  QSplitter* SplitterMain = nullptr;
  QTimer* TimerTree = nullptr;  // the drag auto-scroll
  // The bars over and under the panes.
  QToolBar* PanelEditToolFont = nullptr;
  QFontComboBox* FontBarName = nullptr;
  QComboBox* FontBarSize = nullptr;
  QWidget* anlRulerMain = nullptr;
  std::array<QLabel*, 3> StatusPanels{};
  std::array<QToolBar*, 7> ToolBars{};  // ToolBarFile .. ToolBarHelp
  // Menus that commands fill or listen to.
  QMenu* MenuFile = nullptr;
  QMenu* MenuDisp = nullptr;
  QMenu* PopupMenuTree = nullptr;
  QMenu* PopupMenuTitle = nullptr;
  QMenu* PopupMenuEdit = nullptr;
  QMenu* PopupMenuBar = nullptr;
  QMenu* PopupMenuEditTool = nullptr;
  QMenu* PopupMenuFileOpen = nullptr;
  QMenu* PopupMenuIconColor = nullptr;
  QMenu* PopupMenuTempFileOpen = nullptr;
  QMenu* PopupMenuFontStyle = nullptr;
  TFormProgress* FormProgress = nullptr;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_WINDOW_CONTROLS_H_
