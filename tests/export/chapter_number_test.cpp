// The chapter-number formatter: every style against the documented outputs (compared as
// CP932 bytes), the path of positions, the depth limit and the title line.
#include "export/chapter_number.h"

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "export/node_mark.h"

namespace pw {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

TEST(FormatNumber, EveryStyleWritesWhatTheTableSays) {
  struct Case {
    int32_t style;
    uint64_t n;
    const char* utf8;
  };
  const Case cases[] = {
      {0, 7, ""},    {1, 105, "105"},     {2, 105, "１０５"}, {3, 4, "Ⅳ"},
      {3, 10, "Ⅹ"},  {3, 14, "ⅩⅣ"},       {3, 40, "ⅩL"},      {3, 49, "ⅩLⅨ"},
      {3, 90, "ⅩC"}, {3, 1999, "MCMⅩCⅨ"}, {3, 4000, "MMMM"},  {3, 2400, "MMCD"},
      {4, 20, "ⅹⅹ"}, {4, 1999, "mcmⅹcⅸ"}, {4, 78, "lⅹⅹⅷ"},    {5, 1, "a"},
      {5, 28, "bb"}, {6, 1, "A"},         {6, 26, "Z"},       {6, 27, "AA"},
      {6, 52, "ZZ"}, {6, 53, "AAA"},      {7, 27, "ａａ"},    {7, 26, "ｚ"},
      {8, 2, "Ｂ"},  {8, 53, "ＡＡＡ"},   {9, 3, ""},         {-1, 3, ""},
      {1000, 3, ""}, {1, 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatNumber(c.style, c.n), Sjis(c.utf8)) << "style " << c.style << " n " << c.n;
  }
  // The Roman units and tens are the single CP932 characters, not letters.
  EXPECT_EQ(FormatNumber(3, 1), "\x87\x54");
  EXPECT_EQ(FormatNumber(4, 10), "\xfa\x49");
}

class ChapterNumberTest : public ::testing::Test {
 protected:
  // Root "R" with children A, B; B has children B1, B2; then a chain of 11 nodes under B2.
  void SetUp() override {
    Node* root = outline_.Append(nullptr, "R", NewNodeData(nkRoot), 1);
    outline_.Append(root, "A", NewNodeData(nkChild), 7);
    Node* b = outline_.Append(root, "B", NewNodeData(nkParent), 14);
    outline_.Append(b, "B1", NewNodeData(nkChild), 7);
    Node* p = outline_.Append(b, "B2", NewNodeData(nkChild), 7);
    for (int i = 0; i < 11; ++i) p = outline_.Append(p, "x", NewNodeData(nkChild), 7);
  }
  const Node& At(size_t i) { return *outline_.NodeAt(i); }
  Outline outline_;
};

TEST_F(ChapterNumberTest, BuiltInTableNumbersThePathWithHyphensAndATrailingSpace) {
  const NumberingTable table = BuiltInNumbering();
  EXPECT_EQ(ChapterNumber(At(0), table), "1 ");
  EXPECT_EQ(ChapterNumber(At(2), table), "1-2 ");
  EXPECT_EQ(ChapterNumber(At(4), table), "1-2-2 ");
  // Depth 9 is the deepest row; depth 10 and below get nothing.
  EXPECT_EQ(ChapterNumber(At(11), table), "1-2-2-1-1-1-1-1-1-1 ");
  EXPECT_EQ(ChapterNumber(At(12), table), "");
  EXPECT_EQ(ChapterNumber(At(15), table), "");
}

TEST_F(ChapterNumberTest, EachComponentTakesItsOwnStylePrefixAndSuffixFromTheNodesRow) {
  NumberingTable table = BuiltInNumbering();
  table.at(2, 0) = {Sjis("第"), 2, Sjis("部")};
  table.at(2, 1) = {"", 3, "."};
  table.at(2, 2) = {"(", 6, ")"};
  // Row 1 is not used by a depth-2 node.
  table.at(1, 0) = {"?", 0, "?"};
  EXPECT_EQ(ChapterNumber(At(4), table), Sjis("第１部Ⅱ.(B)"));
  // An unknown style keeps its prefix and suffix.
  table.at(2, 2).Num = 42;
  EXPECT_EQ(ChapterNumber(At(4), table), Sjis("第１部Ⅱ.()"));
  EXPECT_EQ(ChapterNumber(At(1), table),
            "?"
            "?1 ");
}

TEST_F(ChapterNumberTest, TitleLineJoinsNumberMarkAndCaptionWithNothingBetween) {
  TextFormat format = DefaultTextFormat();
  const std::string_view mark = kMarkParent;
  struct Case {
    bool numbers, marks;
    std::string expected;
  };
  const Case cases[] = {
      {true, true, "1-2 " + std::string(mark) + "B"},
      {true, false, "1-2 B"},
      {false, true, std::string(mark) + "B"},
      {false, false, "B"},
  };
  for (const Case& c : cases) {
    format.chapter_numbers = c.numbers;
    format.mark_before_title = c.marks;
    EXPECT_EQ(TitleLine(At(2), format, mark), c.expected) << c.numbers << c.marks;
  }
  // The working table is what the dialog edits; exports read the committed one.
  format.chapter_numbers = true;
  format.mark_before_title = false;
  format.working.at(1, 1).Back = "!";
  EXPECT_EQ(TitleLine(At(2), format, mark), "1-2 B");
}

}  // namespace
}  // namespace pw
