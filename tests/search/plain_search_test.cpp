// The plain search: ASCII case folding and character boundaries.
#include "search/plain_search.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"

namespace pw::search {
namespace {

TEST(PlainSearch, FoldsAsciiOnlyAndHitsWholeCharacters) {
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
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlainFind(c.text, c.needle, c.from, c.match_case), c.expected)
        << c.text << " / " << c.needle;
  }
}

}  // namespace
}  // namespace pw::search
