// The options dialog's rules between controls and settings.
#include "settings/options.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(Options, TabChoiceShowsOnlyTheThreeWidthsAndNoneKeepsTheStoredOne) {
  struct Case {
    int tab;
    std::optional<int> choice;
  };
  const Case cases[] = {{2, 0}, {4, 1}, {8, 2}, {3, std::nullopt}, {-1, std::nullopt}, {0, {}}};
  for (const Case& c : cases) {
    EXPECT_EQ(TabChoiceOf(c.tab), c.choice) << c.tab;
    EXPECT_EQ(TabFromChoice(TabChoiceOf(c.tab), c.tab), c.tab) << c.tab;
  }
  EXPECT_EQ(TabFromChoice(1, 3), 4);
  EXPECT_EQ(TabFromChoice(7, 3), 3);  // no such button
}

TEST(Options, AStoredTitleLengthOutsideTheRangeSurvivesUntilTheBoxIsChanged) {
  struct Case {
    int stored;
    int shown;
    int control;  // what the box holds at OK
    int after;
  };
  const Case cases[] = {
      {64, 64, 64, 64}, {64, 64, 20, 20},     {-5, 1, 1, -5},
      {500, 128, 128, 500}, {500, 128, 100, 100}, {0, 1, 2, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TitleMaxLengthForControl(c.stored), c.shown) << c.stored;
    EXPECT_EQ(TitleMaxLengthFromControl(c.control, c.stored), c.after) << c.stored;
  }
}

TEST(Options, ChosenFoldersEndWithASeparator) {
  EXPECT_EQ(FolderWithSeparator("/home/作家"), "/home/作家/");
  EXPECT_EQ(FolderWithSeparator("/home/"), "/home/");
  EXPECT_EQ(FolderWithSeparator(""), "");
}

}  // namespace
}  // namespace pw
