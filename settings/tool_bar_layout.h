// Which tool buttons, tool bars, the font bar and the ruler are shown, and where the bars sit:
// the part of the window layout that the settings file carries from one run to the next.
#ifndef PLOTWEAVE_SETTINGS_TOOL_BAR_LAYOUT_H_
#define PLOTWEAVE_SETTINGS_TOOL_BAR_LAYOUT_H_

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

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

// The bars of the tool-bar area that have a place of their own: the seven tool bars in their
// order, then the font bar.
inline constexpr size_t kPlacedBarCount = kToolBarCount + 1;
inline constexpr size_t kFontBarSlot = kToolBarCount;

// Rows of the tool-bar area, top to bottom, each holding slots (0..7) from left to right.
using BarRows = std::vector<std::vector<size_t>>;

// Where a shown bar sits in the window now, in the tool-bar area's pixels.
struct BarGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  friend bool operator==(const BarGeometry&, const BarGeometry&) = default;
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

  // Slot 0..6: a tool bar's place; kFontBarSlot: the font bar's.
  const BarPosition& Position(size_t slot) const;
  BarPosition& Position(size_t slot);

  // The rows the stored places give: bars with the same top share a row, ordered by their left
  // edges (equal edges by slot). Bars without a stored place (all of them at the first start)
  // are laid out after those, in slot order, as many on a row as fit in `available_width`
  // pixels by their `widths` (0 for a hidden bar); the font bar always starts a row of its own.
  BarRows Arrange(const std::array<int, kPlacedBarCount>& widths, int available_width) const;

  // Takes the places of the bars as the window shows them (nullopt: hidden), `laid_out` being
  // the rows the window was given at start. While the shown bars sit in the rows and order that
  // the stored places give them, the stored places stay exactly as they are, so a file the
  // program wrote reads back identical. Otherwise (the user moved a bar, or nothing was stored)
  // every bar gets its present place: a hidden bar stays just after the shown bar it followed
  // when laid out, and hidden bars of a row without shown bars keep a row of their own below.
  void RecordPlaces(const BarRows& laid_out,
                    const std::array<std::optional<BarGeometry>, kPlacedBarCount>& shown);

  friend bool operator==(const ToolBarLayout&, const ToolBarLayout&) = default;
};

}  // namespace pw

#endif  // PLOTWEAVE_SETTINGS_TOOL_BAR_LAYOUT_H_
