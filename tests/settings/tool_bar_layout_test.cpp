// Tool-bar layout: which buttons sit on which bar and when a bar hides itself.
#include "settings/tool_bar_layout.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(ToolBarLayout, EveryBarHasItsButtons) {
  std::array<int, kToolBarCount> counts{};
  for (const ToolButtonInfo& info : ToolButtons()) ++counts[static_cast<size_t>(info.bar)];
  EXPECT_EQ(counts, (std::array<int, kToolBarCount>{5, 6, 18, 9, 3, 1, 1}));
  EXPECT_EQ(ToolButtonOf(ToolButton::kTextLink).name, "ToolButtonTextLink");
  EXPECT_EQ(ToolButtonOf(ToolButton::kMoveTitle).entry_caption, "移動 - ﾀｲﾄﾙ部");
  EXPECT_EQ(FindToolButton("ToolButtonToolCustmize"), ToolButton::kToolCustmize);
  EXPECT_EQ(FindToolButton("toolbuttonfilenew"), std::nullopt);
  EXPECT_EQ(FindToolBar("ToolBarOption"), ToolBar::kOption);
  EXPECT_EQ(ToolBarName(ToolBar::kHelp), "ToolBarHelp");
}

TEST(ToolBarLayout, HidingEveryButtonOfABarHidesTheBarButNeverShowsOne) {
  ToolBarLayout layout;
  for (ToolButton b : {ToolButton::kFileNew, ToolButton::kFileOpen, ToolButton::kFileSave,
                       ToolButton::kFileView, ToolButton::kFilePrint}) {
    layout.SetButtonVisible(b, false);
  }
  // The text bar keeps only its link button.
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    if (ToolButtons()[i].bar == ToolBar::kText &&
        static_cast<ToolButton>(i) != ToolButton::kTextLink) {
      layout.button_visible[i] = false;
    }
  }
  layout.SetBarVisible(ToolBar::kHelp, false);  // hidden from the display menu
  layout.HideEmptyToolBars();
  EXPECT_FALSE(layout.BarVisible(ToolBar::kFile));
  EXPECT_TRUE(layout.BarVisible(ToolBar::kText));
  EXPECT_FALSE(layout.BarVisible(ToolBar::kHelp));
  EXPECT_TRUE(layout.BarVisible(ToolBar::kEdit));

  layout.SetButtonVisible(ToolButton::kFileSave, true);
  layout.HideEmptyToolBars();
  EXPECT_TRUE(layout.ButtonVisible(ToolButton::kFileSave));
  EXPECT_FALSE(layout.BarVisible(ToolBar::kFile));  // the display menu must show it again
  EXPECT_FALSE(layout.BarVisible(ToolBar::kHelp));
}

using Shown = std::array<std::optional<BarGeometry>, kPlacedBarCount>;

// The window as Qt lays out `rows`: bars packed from the left, rows 26 pixels apart; hidden
// bars take no room.
Shown LayOut(const BarRows& rows, const std::array<int, kPlacedBarCount>& widths,
             const std::array<bool, kPlacedBarCount>& visible) {
  Shown shown;
  int top = 0;
  for (const std::vector<size_t>& row : rows) {
    int left = 0;
    bool any = false;
    for (size_t slot : row) {
      if (!visible[slot]) continue;
      shown[slot] = BarGeometry{left, top, widths[slot]};
      left += widths[slot];
      any = true;
    }
    if (any) top += 26;
  }
  return shown;
}

TEST(ToolBarLayout, TheFirstStartFlowsTheBarsOntoAsManyRowsAsTheWidthNeeds) {
  const std::array<int, kPlacedBarCount> widths = {130, 160, 400, 230, 80, 30, 30, 500};
  struct Case {
    int width;
    BarRows rows;
  };
  const Case cases[] = {
      {709, {{0, 1, 2}, {3, 4, 5, 6}, {7}}},
      {2000, {{0, 1, 2, 3, 4, 5, 6}, {7}}},
      {100, {{0}, {1}, {2}, {3}, {4}, {5, 6}, {7}}},  // a bar wider than the row still gets one
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToolBarLayout().Arrange(widths, c.width), c.rows) << c.width;
  }
}

TEST(ToolBarLayout, StoredPlacesGiveRowsByTopAndOrderByLeft) {
  ToolBarLayout layout;
  const int places[kPlacedBarCount][2] = {{300, 0},  {0, 0},  {0, 52}, {-5, 26},
                                          {200, 26}, {0, 26}, {0, 90}, {0, 52}};
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    layout.Position(slot) = {places[slot][0], places[slot][1]};
  }
  const std::array<int, kPlacedBarCount> widths{};
  EXPECT_EQ(layout.Arrange(widths, 709), (BarRows{{1, 0}, {3, 5, 4}, {2, 7}, {6}}));

  // A hand-made file that places only some bars: the others flow below them.
  ToolBarLayout partial;
  partial.Position(4) = {0, 0};
  EXPECT_EQ(partial.Arrange({100, 100, 100, 100, 100, 100, 100, 100}, 250),
            (BarRows{{4}, {0, 1}, {2, 3}, {5, 6}, {7}}));
}

TEST(ToolBarLayout, PlacesRecordedFromTheWindowReadBackIdentically) {
  const std::array<int, kPlacedBarCount> widths = {130, 160, 400, 230, 80, 30, 30, 500};
  struct Case {
    const char* name;
    std::array<bool, kPlacedBarCount> visible;
  };
  const Case cases[] = {
      {"all shown", {true, true, true, true, true, true, true, true}},
      {"edit and help hidden", {true, false, true, true, true, true, false, true}},
      {"a whole row hidden", {true, true, true, false, false, false, false, true}},
      {"the first row hidden", {false, false, false, true, true, true, true, true}},
      {"font bar hidden", {true, true, true, true, true, true, true, false}},
      {"nothing shown", {false, false, false, false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    // First start, then each later start lays out what the file says and writes it again.
    ToolBarLayout layout;
    BarRows rows = layout.Arrange(widths, 709);
    layout.RecordPlaces(rows, LayOut(rows, widths, c.visible));
    for (int start = 0; start < 3; ++start) {
      const ToolBarLayout written = layout;
      const BarRows again = layout.Arrange(widths, 709);
      EXPECT_EQ(again, rows) << c.name;
      layout.RecordPlaces(again, LayOut(again, widths, c.visible));
      EXPECT_EQ(layout, written) << c.name << ", start " << start;
    }
    // Showing the hidden bars later puts each back into its row.
    const std::array<bool, kPlacedBarCount> all = {true, true, true, true,
                                                   true, true, true, true};
    const BarRows shown_rows = layout.Arrange(widths, 709);
    layout.RecordPlaces(shown_rows, LayOut(shown_rows, widths, all));
    EXPECT_EQ(layout.Arrange(widths, 709), (BarRows{{0, 1, 2}, {3, 4, 5, 6}, {7}})) << c.name;
  }
}

TEST(ToolBarLayout, ABarMovedByTheUserIsRecordedWhereItIsNow) {
  const std::array<int, kPlacedBarCount> widths = {130, 160, 400, 230, 80, 30, 30, 500};
  const std::array<bool, kPlacedBarCount> text_hidden = {true, true, true, false,
                                                         true, true, true, true};
  ToolBarLayout layout;
  const BarRows first = layout.Arrange(widths, 709);
  layout.RecordPlaces(first, LayOut(first, widths, text_hidden));
  // The help bar dragged to the front of the first row; the hidden text bar stays in its row.
  const BarRows moved = {{6, 0, 1, 2}, {3, 4, 5}, {7}};
  layout.RecordPlaces(first, LayOut(moved, widths, text_hidden));
  EXPECT_EQ(layout.Arrange(widths, 709), moved);
}

}  // namespace
}  // namespace pw
