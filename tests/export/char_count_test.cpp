// The character count: the counting rule on CP932 text and the sum over every body.
#include "export/char_count.h"

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/new_document.h"

namespace pw {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

TEST(CharCount, CountingRule) {
  const struct {
    std::string text;
    size_t count;
  } cases[] = {
      {Sjis("あい う\r\n\t"), 3},
      {Sjis("　 "), 0},                      // full-width and half-width space
      {Sjis("ｱ漢"), 2},                      // half-width katakana, kanji
      {Sjis("a1!。"), 4},
      {std::string("\x7f\x01\x1f", 3), 0},   // 127 and control characters
      {std::string("\x82", 1), 1},           // a lead byte at the end counts once
      {std::string("\x82\0a", 3), 2},        // a lead byte before NUL is a byte of its own
      {std::string("\x81\x40\x81\x41", 4), 1},
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CountCharacters(c.text), c.count) << c.text;
}

TEST(CharCount, AllBodiesButNoTitles) {
  Outline outline;
  Node* root = outline.Append(nullptr, Sjis("長い長い題名"), NewNodeData(nkRoot), 1);
  EXPECT_EQ(CountAllBodies(outline), 0u);
  outline.Append(root, "empty", NewNodeData(nkChild), 7)->data()->Body = "";
  EXPECT_EQ(CountAllBodies(outline), 0u);
  outline.Append(root, "rtf", NewNodeData(nkChild), 7)->data()->Body =
      "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 \\'82\\'a0 b\\par\\tab c}";
  outline.Append(root, "plain", NewNodeData(nkChild), 7)->data()->Body = Sjis("漢字\r\n 　x");
  EXPECT_EQ(CountAllBodies(outline), 3u + 3u);
}

TEST(CharCount, MessageAndPages) {
  EXPECT_EQ(CountMessage(12, 3456),
            "現在のノードの文字数 : 12 文字\r\n全ノードの文字数 : 3456 文字\r\n");
  EXPECT_EQ(ManuscriptPages(0), 0u);
  EXPECT_EQ(ManuscriptPages(400), 1u);
  EXPECT_EQ(ManuscriptPages(401), 2u);
}

}  // namespace
}  // namespace pw
