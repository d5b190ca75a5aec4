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

}  // namespace
}  // namespace pw
