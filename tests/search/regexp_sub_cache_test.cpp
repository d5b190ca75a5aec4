// Sub and its replacement templates, and the pattern cache's order and eviction.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/regexp_sub.h"
#include "search/regular_expression.h"
#include "search_test_util.h"

namespace pw::search {
namespace {

using testing::Sj;

struct SubCase {
  std::string pattern;
  std::string templ;
  std::string text;
  std::string expected;  // the text after Sub
};

TEST(RegExpSub, TemplatesExpandTheMatchAndEscapes) {
  const std::vector<SubCase> cases = {
      {"ab", "[&]", "xaby", "x[ab]y"},
      {"ab", "\\&", "xaby", "x&y"},
      {"ab", "&&", "xaby", "xababy"},
      {"ab", "\\\\", "xaby", "x\\y"},
      {"ab", "\\n\\r\\t\\b", "xaby", "x\n\r\t\by"},
      {"ab", "\\x41\\102", "xaby", "xABy"},
      {"ab", "\\x82A0", "xaby", Sj("xあy")},
      {"ab", "\\q", "xaby", "xqy"},
      {"ab", "\\", "xaby", "x\\y"},  // a lone backslash at the end stands for itself
      {"ab", "&\\", "xaby", "xab\\y"},
      {"ab", "\\x", "xaby", "xxy"},        // "\x" without digits is "x"
      {"ab", "\\x0", "xaby", "xy"},        // code 0 inserts nothing
      {"ab", "\\200000", "xaby", "x 0y"},  // octal stops before passing 0xFFFF (0x2000: no NUL)
      {"ab", "\\\\&", "xaby", "x&y"},      // "\\" then "&" ends up a literal "&"
      {"ab", "", "xaby", "xy"},
      {"b*", "<&>", "abc", "<>abc"},  // an empty match is inserted before
      // "表" and "ソ" end in the byte of "\": they stay characters.
      {"a", Sj("表&ソ"), "xay", Sj("x表aソy")},
      {"a", "\\" + Sj("表"), "xay", Sj("x表y")},
      {Sj("あ+"), "(&)", Sj("いああう"), Sj("い(ああ)う")},
  };
  for (const SubCase& c : cases) {
    TAWKStr awk;
    ASSERT_FALSE(awk.SetRegExp(c.pattern).has_value()) << c.pattern;
    std::string text = c.text;
    EXPECT_TRUE(awk.Sub(c.templ, &text)) << c.templ;
    EXPECT_EQ(text, c.expected) << "template '" << c.templ << "'";
  }
}

TEST(RegExpSub, NoMatchLeavesTheTextAlone) {
  TAWKStr awk;
  ASSERT_FALSE(awk.SetRegExp("z").has_value());
  std::string text = "abc";
  EXPECT_FALSE(awk.Sub("&&", &text));
  EXPECT_EQ(text, "abc");
}

TEST(RegExpCache, EmptyPatternFirstNewPatternsAtOneOldestEvicted) {
  TAWKStr awk;
  ASSERT_EQ(awk.CacheSize(), 1u);
  EXPECT_EQ(awk.CachePattern(0), "");
  for (int i = 0; i < 29; ++i) ASSERT_FALSE(awk.SetRegExp("p" + std::to_string(i)).has_value());
  ASSERT_EQ(awk.CacheSize(), 30u);
  EXPECT_EQ(awk.CachePattern(1), "p28");
  EXPECT_EQ(awk.CachePattern(29), "p0");

  // A hit makes its entry current without moving anything.
  ASSERT_FALSE(awk.SetRegExp("p5").has_value());
  EXPECT_EQ(awk.CurrentIndex(), 24u);
  EXPECT_EQ(awk.CachePattern(24), "p5");
  EXPECT_EQ(awk.Match("xp5").position, 2u);

  // A new pattern evicts the one inserted longest ago, even though p0... p4 are older than
  // the hit on p5.
  ASSERT_FALSE(awk.SetRegExp("new").has_value());
  EXPECT_EQ(awk.CacheSize(), 30u);
  EXPECT_EQ(awk.CachePattern(0), "");
  EXPECT_EQ(awk.CachePattern(1), "new");
  EXPECT_EQ(awk.CachePattern(29), "p1");
  EXPECT_EQ(awk.CurrentIndex(), 1u);

  // The empty pattern is entry 0 and stays there.
  ASSERT_FALSE(awk.SetRegExp("").has_value());
  EXPECT_EQ(awk.CurrentIndex(), 0u);
  EXPECT_EQ(awk.Match("abc").position, 1u);
}

TEST(RegExpCache, FailedCompileDropsItsEntryAndFallsBackToTheEmptyPattern) {
  TAWKStr awk;
  for (int i = 0; i < 29; ++i) ASSERT_FALSE(awk.SetRegExp("p" + std::to_string(i)).has_value());
  ASSERT_FALSE(awk.SetRegExp("a").has_value());
  EXPECT_EQ(awk.CachePattern(29), "p1");  // p0 evicted
  auto error = awk.SetRegExp("(");
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(awk.RegExp(), "");
  EXPECT_EQ(awk.CurrentIndex(), 0u);
  EXPECT_EQ(awk.CacheSize(), 29u);  // p1 went to make room, the failure left no entry
  EXPECT_EQ(awk.CachePattern(1), "a");
  EXPECT_EQ(awk.CachePattern(28), "p2");
  EXPECT_EQ(awk.Match("xyz").position, 1u);  // the empty pattern is current
}

TEST(RegExpCache, MatcherFollowsTheAnchors) {
  TAWKStr awk;
  const std::pair<const char*, bool> cases[] = {{"ab", false},    {"^a", true},  {"a$", true},
                                                {"a^", false},    {"$a", false}, {"(a|^b)", true},
                                                {"(^a)*", false}, {"", false}};
  for (auto [pattern, anchored] : cases) {
    ASSERT_FALSE(awk.SetRegExp(pattern).has_value());
    EXPECT_EQ(awk.UsesAnchoredMatcher(), anchored) << pattern;
  }
}

TEST(RegExpCache, NulInThePatternIsTheCharacterOfCodeZero) {
  TAWKStr awk;
  EXPECT_TRUE(awk.SetRegExp(std::string("ab\0(", 4)).has_value());  // the "(" still counts
  ASSERT_FALSE(awk.SetRegExp(std::string("b\0", 2)).has_value());
  EXPECT_EQ(awk.RegExp(), std::string("b\0", 2));
  EXPECT_EQ(awk.Match(std::string("ab\0", 3)).position, 2u);
  EXPECT_EQ(awk.Match("ab").position, 0u);
}

}  // namespace
}  // namespace pw::search
