// Which tool buttons, tool bars, the font bar and the ruler are shown, and where the bars sit:
// the part of the window layout that the settings file carries from one run to the next.
#ifndef PLOTWEAVE_SETTINGS_TOOL_BAR_LAYOUT_H_
#define PLOTWEAVE_SETTINGS_TOOL_BAR_LAYOUT_H_

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace pw {

// The seven tool bars, in the order of the display menu.
enum class ToolBar { kFile, kEdit, kTree, kText, kMove, kOption, kHelp };
inline constexpr size_t kToolBarCount = 7;

// The 43 tool buttons, in the order of the tool-bar customisation list.
enum class ToolButton {
  kFileNew,
  kFileOpen,
  kFileSave,
  kFileView,
  kFilePrint,
  kEditUndo,
  kEditCut,
  kEditCopy,
  kEditPaste,
  kEditCopyNode,
  kEditSplitChange,
  kTreeAdd,
  kTreeAddChild,
  kTreeInsParent,
  kTreeInsChild,
  kTreeInsChara,
  kTreeInsCharaItem,
  kInsTemplate,
  kSaveTemplate,
  kTreeUp,
  kTreeDown,
  kTreeMarkChange,
  kTreeColor,
  kTreeDel,
  kTreeMerge,
  kTreeSplitChild,
  kTreeSplit,
  kTreeOpen,
  kTreeClose,
  kTextFont,
  kTextLink,
  kTextStyle,
  kTextStyleSet,
  kTextStyleLoad,
  kTextStyleSave,
  kTextStyleEdit,
  kTextFind,
  kTextImport,
  kMoveTree,
  kMoveTitle,
  kMoveEdit,
  kToolCustmize,
  kHelpContents,
};
inline constexpr size_t kToolButtonCount = 43;

struct ToolButtonInfo {
  std::string_view name;           // control name and settings key, e.g. "ToolButtonFileNew"
  ToolBar bar;                     // the bar the button sits on
  std::string_view entry_caption;  // customisation list entry (UTF-8), e.g. "ﾌｧｲﾙ - 新規作成"
};

// Indexed by ToolButton.
const std::array<ToolButtonInfo, kToolButtonCount>& ToolButtons();
const ToolButtonInfo& ToolButtonOf(ToolButton button);
// "ToolBarFile" ... "ToolBarHelp": control name and settings key.
std::string_view ToolBarName(ToolBar bar);
// The button or bar of that control name (exact spelling), if any.
std::optional<ToolButton> FindToolButton(std::string_view name);
std::optional<ToolBar> FindToolBar(std::string_view name);

inline constexpr std::string_view kFontBarName = "PanelEditToolFont";
inline constexpr std::string_view kRulerName = "anlRulerMain";

// Left and top of a bar in the tool-bar area; absent means the bar's design position.
struct BarPosition {
  std::optional<int> Left;  // [Pos] <bar name>L
  std::optional<int> Top;   // [Pos] <bar name>T
  friend bool operator==(const BarPosition&, const BarPosition&) = default;
};

struct ToolBarLayout {
  std::array<bool, kToolButtonCount> button_visible;  // [Visible] ToolButton..., default 1
  std::array<bool, kToolBarCount> bar_visible;        // [Visible] ToolBar..., default 1
  bool PanelEditToolFont = true;                      // [Visible] PanelEditToolFont (font bar)
  bool anlRulerMain = true;                           // [Visible] anlRulerMain (ruler)
  std::array<BarPosition, kToolBarCount> bar_pos;     // [Pos] ToolBar...L / ToolBar...T
  BarPosition font_bar_pos;                           // [Pos] PanelEditToolFontL / ...T

  ToolBarLayout() {
    button_visible.fill(true);
    bar_visible.fill(true);
  }

  bool ButtonVisible(ToolButton b) const { return button_visible[static_cast<size_t>(b)]; }
  void SetButtonVisible(ToolButton b, bool v) { button_visible[static_cast<size_t>(b)] = v; }
  bool BarVisible(ToolBar bar) const { return bar_visible[static_cast<size_t>(bar)]; }
  void SetBarVisible(ToolBar bar, bool v) { bar_visible[static_cast<size_t>(bar)] = v; }
  // True when at least one button of the bar is visible.
  bool HasVisibleButton(ToolBar bar) const;

  // `HideEmptyToolBars`: hides every bar none of whose buttons is visible; never shows a bar.
  void HideEmptyToolBars();

  friend bool operator==(const ToolBarLayout&, const ToolBarLayout&) = default;
};

}  // namespace pw

#endif  // PLOTWEAVE_SETTINGS_TOOL_BAR_LAYOUT_H_
