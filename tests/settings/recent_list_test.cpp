// Recent-file list rules: newest first, ten at most, case-insensitive re-adding.
#include "settings/recent_list.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

std::string PathN(int n) { return "/home/u/doc" + std::to_string(n) + ".PWV"; }

TEST(RecentList, EleventhDistinctPathDropsTheOldest) {
  RecentList list;
  for (int n = 1; n <= 10; ++n) list.Add(PathN(n));
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0], PathN(10));
  EXPECT_EQ(list[9], PathN(1));
  list.Add(PathN(11));
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0], PathN(11));
  EXPECT_EQ(list[9], PathN(2));
  EXPECT_EQ(list.Find(PathN(1)), std::string::npos);
}

TEST(RecentList, ReAddingInAnotherCaseMovesTheEntryToTheTop) {
  RecentList list;
  for (int n = 1; n <= 10; ++n) list.Add(PathN(n));
  list.Add("/HOME/U/DOC3.pwv");
  // Nothing dropped: the entry moved and took the new spelling.
  EXPECT_EQ(list.entries(),
            (std::vector<std::string>{"/HOME/U/DOC3.pwv", PathN(10), PathN(9), PathN(8), PathN(7),
                                      PathN(6), PathN(5), PathN(4), PathN(2), PathN(1)}));
}

TEST(RecentList, OnlyAsciiLettersFoldCase) {
  RecentList list;
  list.Add("/home/u/été.PWV");
  EXPECT_EQ(list.Find("/HOME/U/éTé.pwv"), 0u);
  EXPECT_EQ(list.Find("/home/u/ÉTÉ.PWV"), std::string::npos);  // not an ASCII letter
  list.Add("/home/u/あa.PWV");
  list.Add("/home/u/あA.PWV");
  EXPECT_EQ(list.size(), 2u);
}

TEST(RecentList, MoveRemoveAndLoadedLists) {
  RecentList list({"a", "b", "", "d"});
  list.MoveToTop(3);
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"d", "a", "b", ""}));
  list.Remove(3);
  list.Remove(7);  // out of range: nothing
  list.MoveToTop(9);
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"d", "a", "b"}));

  std::vector<std::string> twelve;
  for (int n = 0; n < 12; ++n) twelve.push_back(PathN(n));
  RecentList loaded(twelve);
  EXPECT_EQ(loaded.size(), 10u);
  EXPECT_EQ(loaded[9], PathN(9));
}

TEST(RecentList, MenuCaptionNumbersFromZero) {
  EXPECT_EQ(RecentList::MenuCaption(0, "/home/u/a.PWV"), "&0 /home/u/a.PWV");
  EXPECT_EQ(RecentList::MenuCaption(9, "x"), "&9 x");
}

}  // namespace
}  // namespace pw
