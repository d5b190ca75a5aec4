// The plain search: ASCII case folding and character boundaries.
#include "search/plain_search.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"

namespace pw::search {
namespace {

std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8).text; }

TEST(PlainSearch, FoldsAsciiOnlyAndHitsWholeCharacters) {
  std::string ruins;
  for (int i = 0; i < 150; ++i) ruins += "\x82\x9f";
  const std::string so_a =
      "\x83\x5c"
      "a";  // "ソ" then "a"
  struct Case {
    std::string text, needle;
    size_t from;
    bool match_case;
    size_t expected;
  } cases[] = {
      {"Hello hello", "hello", 0, true, 6},
      {"Hello hello", "hello", 0, false, 0},
      {"Hello hello", "HELLO", 1, false, 6},
      {"abc", "", 0, false, kNotFound},
      {"abc", "d", 0, false, kNotFound},
      {"abc", "c", 4, false, kNotFound},
      {"\x82"
       "a",
       "A", 0, false, kNotFound},  // 0x8261: the trail byte is no letter
      {"\x82"
       "aa",
       "A", 0, false, 2},
      {"\x82\xa0\x82\xa0", "\xa0\x82", 0, true, kNotFound},  // straddles two characters
      {so_a, "\\a", 0, true, kNotFound},                     // "\" is the trail of "ソ"
      {so_a, "a", 0, false, 2},
      // "\" is the trail byte of 表, ソ and 能; ア (83 41) folded must not find ヂ (83 61).
      {Sj("表ソ能\\"), "\\", 0, true, 6},
      {Sj("表ソ能"), "\\", 0, false, kNotFound},
      {Sj("ヂ"), Sj("ア"), 0, false, kNotFound},
      {Sj("ヂア"), Sj("ア"), 0, false, 2},
      {Sj("ヂ"), "a", 0, false, kNotFound},
      {Sj("ａＡ"), Sj("Ａ"), 0, false, 2},  // full-width letters are not folded
      // A long run of bytes that all could be lead bytes: ぁ is 82 9F, so "9F 82" lies across
      // every pair of them; only the last one is a character.
      {ruins + "\x9f\x82", "\x9f\x82", 0, true, ruins.size()},
      {ruins + "\x9f\x82", "\x9f\x82", 2, false, ruins.size()},
      {ruins, "\x9f\x82", 0, true, kNotFound},
      {"abcABC", "C", 3, false, 5},
      {"xaBcAbC", "ABC", 0, false, 1},
      {"xaBcAbC", "ABC", 2, false, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlainFind(c.text, c.needle, c.from, c.match_case), c.expected)
        << c.text << " / " << c.needle;
  }
}

}  // namespace
}  // namespace pw::search
