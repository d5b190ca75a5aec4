// The pattern language: what compiles, what each malformed pattern reports and where, and
// what the escapes and classes stand for.
#include <gtest/gtest.h>

#include <string>

#include "search/regular_expression.h"
#include "search_test_util.h"

namespace pw::search {
namespace {

using testing::Find;
using testing::Sj;

struct ErrorCase {
  std::string pattern;
  const char* message;
  int position;
};

TEST(RegExpSyntax, MalformedPatternsReportMessageAndPosition) {
  const ErrorCase cases[] = {
      {"a**", kErrNeedAtom, 4},
      {"a*?", kErrNeedAtom, 4},
      {"*a", kErrNeedAtom, 2},
      {"a|+", kErrNeedAtom, 4},
      {"]", kErrNeedAtom, 2},
      {"(a", kErrNeedParen, 3},
      {"((a)", kErrNeedParen, 5},
      {"a)", kErrTrailing, 3},
      {"a\\", kErrEscapeAtEnd, 3},
      {"\\x", kErrBadHex, 3},
      {"\\xg", kErrBadHex, 3},
      {"\\200000", kErrBadOctal, 8},
      {"[", kErrNeedBracket, 2},
      {"[a", kErrNeedBracket, 3},
      {"[a-", kErrNeedBracket, 4},
      {"[z-a]", kErrBadRange, 5},
      {"[]", kErrBadClass, 3},
      {"[^]", kErrBadClass, 4},
      {"[]a]", kErrBadClass, 3},
      {"a\x82", kErrBadDoubleByte, 3},
      {"[\x82", kErrBadDoubleByte, 3},
      // Nothing is left when the members cover every character but LF and CR.
      {"[^\\x01-\\xFFFF]", kErrBadClass, 15},
      {"[^\\x01-\\x09\\x0B\\x0C\\x0E-\\xFCFC]", kErrBadClass, 32},
  };
  for (const ErrorCase& c : cases) {
    TAWKStr awk;
    auto error = awk.SetRegExp(c.pattern);
    ASSERT_TRUE(error.has_value()) << c.pattern;
    EXPECT_EQ(error->message, c.message) << c.pattern;
    EXPECT_EQ(error->position, c.position) << c.pattern;
    EXPECT_EQ(awk.RegExp(), "") << c.pattern;
    EXPECT_EQ(awk.CurrentIndex(), 0u) << c.pattern;
  }
}

TEST(RegExpSyntax, DeepNestingIsRefusedNotOverflowed) {
  TAWKStr awk;
  std::string deep(100000, '(');
  auto error = awk.SetRegExp(deep);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->message, kErrTooDeep);
  std::string fine = std::string(500, '(') + "a" + std::string(500, ')');
  EXPECT_FALSE(awk.SetRegExp(fine).has_value());
  EXPECT_EQ(testing::FindWith(&awk, "xa"), "2:1");
}

struct MatchCase {
  std::string pattern;
  std::string text;
  std::string expected;
};

void RunCases(const std::vector<MatchCase>& cases) {
  for (const MatchCase& c : cases) {
    EXPECT_EQ(Find(c.pattern, c.text), c.expected)
        << "pattern '" << c.pattern << "' on '" << c.text << "'";
  }
}

TEST(RegExpSyntax, EscapesAreOrdinaryCharacters) {
  RunCases({
      {"\\x41", "zA", "2:1"},
      {"\\101", "zA", "2:1"},
      {"\\x41G", "AG", "1:2"},    // hex stops at the first non-digit
      {"\\x00410", "A0", "1:2"},  // four digits at most: 0x0041, then "0"
      {"\\1018", "A8", "1:2"},    // octal stops at "8"
      {"\\x82A0", Sj("あ"), "1:2"},
      {"\\n", "a\nb", "2:1"},
      {"\\t", "a\tb", "2:1"},
      {"\\b", "a\bb", "2:1"},
      {"\\r", "a\rb", "2:1"},
      {"\\d", "1d", "2:1"},  // no class escapes
      {"\\.", "a.", "2:1"},
      {"\\\\", "a\\", "2:1"},
      {"\\[", "[", "1:1"},
      {"\\^a", "x^a", "2:2"},
      {"a\\$", "a$", "1:2"},
      {"\\" + Sj("あ"), Sj("xあ"), "2:2"},
      {"{1}", "a{1}", "2:3"},
  });
}

TEST(RegExpSyntax, ClassesAndRangesOverDoubleByteCodes) {
  const std::string range = "[" + Sj("あ-お") + "]";
  RunCases({
      {range, Sj("xあ"), "2:2"},
      {range, Sj("xお"), "2:2"},
      {range, Sj("xか"), "none"},    // 0x82A9, just past the range
      {range, "x\x82\x9F", "none"},  // just before it
      {range, "\x82\xA4", "1:2"},
      {"[a-]", "x-", "2:1"},
      {"[-a]", "x-", "2:1"},
      {"[\\]]", "x]", "2:1"},
      {"[.*[^]", "x^", "2:1"},
      {"[a\\-z]", "-", "1:1"},
      {"[a\\-z]", "m", "none"},
      {"[^a]", Sj("aあ"), "2:2"},
      {"[^a]", "a\n", "none"},
      {"[^a]", "a\r", "none"},
      {"[^" + Sj("あ") + "]", Sj("あい"), "3:2"},
      {"[z-" + Sj("あ") + "]+", Sj("{あ"), "1:3"},  // a range from single to double byte
      {"[ab][bc]", "abc", "1:2"},
      {"[a-c][b-d]*", "xbdca", "2:3"},  // overlapping classes
      {".", Sj("あ"), "1:2"},
      {".", "\r\n", "none"},
      {".+", Sj("aあb\r\n"), "1:4"},
      {"[\\x01-\\xFFFF]", "\n", "1:1"},  // a positive class may hold LF
  });
}

TEST(RegExpSyntax, GrammarAndPrecedence) {
  RunCases({
      {"", "abc", "1:0"},
      {"", "", "1:0"},
      {"ab|cd", "xcd", "2:2"},
      {"a|b*", "bbb", "1:3"},
      {"b*", "abc", "1:0"},
      {"a(b|c)*d", "xabcbd", "2:5"},
      {"ab+", "abbbc", "1:4"},
      {"ab?c", "ac", "1:2"},
      {"ab?c", "abc", "1:3"},
      {"(ab)+", "ababa", "1:4"},
      {"a|", "b", "1:0"},
      {"|a", "a", "1:1"},  // longest at the leftmost position
      {"()", "x", "1:0"},
      {"(a|ab)(c|bcd)", "abcd", "1:4"},
      {Sj("あ+"), Sj("いああい"), "3:4"},
      {"a.c", Sj("aあc"), "1:4"},
  });
}

}  // namespace
}  // namespace pw::search
