// Matching: leftmost-longest, the line-start and line-end rules in every place the anchors
// can stand, the subject's edges, and agreement with the reference matcher on random input.
#include "search/regexp_match.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "search/regular_expression.h"
#include "search_test_util.h"

namespace pw::search {
namespace {

using testing::Find;
using testing::Sj;

struct Case {
  std::string pattern;
  std::string text;
  std::string expected;
};

void RunCases(const std::vector<Case>& cases, TMatchCORE_LineSeparator sep = mcls_CRLF) {
  for (const Case& c : cases) {
    EXPECT_EQ(Find(c.pattern, c.text, sep), c.expected)
        << "pattern '" << c.pattern << "' on '" << c.text << "'";
  }
}

TEST(RegExpMatch, LineStartAnchor) {
  RunCases({
      {"^a", "a", "1:1"},
      {"^a", "xa", "none"},
      {"^a", "x\r\na", "4:1"},
      {"^a", "x\na", "3:1"},
      {"^a", "x\ra", "none"},    // only LF starts a line
      {"a^b", "a^b", "1:3"},     // not first: a plain character
      {"(^a)", "x\na", "3:1"},   // first inside a leading group
      {"^a|^b", "x\nb", "3:1"},  // first in each top-level alternative
      {"b|^a", "x\na", "3:1"},
      {"(^a)*", "^a^a", "1:4"},  // inside a repetition: plain
      {"^*", "^^x", "1:2"},
      {"^", "abc", "1:0"},
      {"^", "", "1:0"},
      {"^$", "", "1:0"},
      {"^$", "a\r\n\r\nb", "4:0"},  // the empty line
      {"^$", "a\n", "3:0"},         // a line start at the very end
      {"^^", "^", "1:1"},           // the second one is plain
      {"^a|b", "b", "1:1"},         // the first try fails, the scan finds b
      {"^a|ab", "ab", "1:2"},       // at a line start the longer of both runs
      {"^ab|a", "ab", "1:2"},
      {"^a|", "", "1:0"},  // an empty subject tries the start state too
      {"^a|", "x", "1:0"},
      {"^" + Sj("第"), Sj("序\r\n第一章"), "5:2"},
      {"^\n", "\n\n", "1:1"},
  });
}

TEST(RegExpMatch, LineEndAnchor) {
  RunCases({
      {"a$", "a\r\nb", "1:1"},
      {"a$", "ab", "none"},
      {"a$", "ba", "2:1"},
      {"$", "ab", "3:0"},
      {"$", "", "1:0"},
      {"$", "a\r\n", "2:0"},
      {"a$b", "a$b", "1:3"},  // not last: a plain character
      {"(a$)", "xa", "2:1"},
      {"a$|b$", "b\r\n", "1:1"},
      {"(a$)*", "a$a$", "1:4"},
      {"a$|ab", "ab\r", "1:2"},
      {"a*$", "baa", "2:2"},
      {"a*$", "b", "2:0"},
      {"a$", "a\n", "none"},  // with CR LF separation LF alone does not end a line
      // The run stops where it cannot step; a "$" before a separator it can step over counts
      // only where the run stopped.
      {"a$|a\r\nb", "a\r\nc", "none"},
      {"a$|a\r\nb", "a\r\nb", "1:4"},
      {"^a$", "a", "1:1"},
      {"^a$", "b\na\r\n", "3:1"},
      {"^$|x", "ax", "2:1"},
  });
  RunCases(
      {
          {"a$", "a\nb", "1:1"},
          {"a$", "a\r\nb", "none"},
          {"$", "ab\ncd", "3:0"},
      },
      mcls_LF);
}

TEST(RegExpMatch, SubjectEdges) {
  RunCases({
      {"a", "", "none"},
      {"a*", "", "1:0"},
      {"\\x82", "a\x82", "2:1"},  // a lone lead byte at the end is one character
      {".", "\x82", "1:1"},
      {"\\x82", "\x82\xA0", "none"},  // never half of a double-byte character
      {"\\xA0", "\x82\xA0", "none"},
      {"A",
       "\x82"
       "A",
       "none"},  // "A" is the trail byte of 0x8241 here
      {"A",
       "\x82"
       "AA",
       "3:1"},
      {"\\x0", "a", "none"},  // code 0 never matches the end
      {"a\\x0", "a", "none"},
      {"a\\0?", "a", "1:1"},
      {"[\\x0-a]", "b", "none"},
      {"a", std::string("x\0a", 3), "3:1"},  // a NUL byte is a character, not the end
      {"\\x0", std::string("x\0", 2), "2:1"},
      {"x.", std::string("x\0", 2), "none"},  // "." starts at code 1
  });
}

TEST(RegExpMatch, PatternCodesOfTheAnchorAndEmptySymbolsAreCharacters) {
  RunCases({
      {"a\\xFFFFb", "ab", "none"},  // not an empty transition
      {"\\xFFFDa|^b", "b", "1:1"},
      {"\\xFFFDa|^b", "a", "none"},
      {"a\\xFFFE", "a", "none"},
  });
}

// How long these take is measured by scripts/bench-regex, not asserted here: a shared
// machine makes wall-clock limits in unit tests flaky.
TEST(RegExpMatch, RepetitionWithoutMatchOverAMegabyte) {
  TAWKStr awk;
  ASSERT_FALSE(awk.SetRegExp("a*b").has_value());
  std::string text(1 << 20, 'a');
  TAWKMatch m = awk.Match(text);
  EXPECT_EQ(m.position, 0u);
}

TEST(RegExpMatch, ExponentialPatternCompilesAndMatchesWithinTheStateCap) {
  std::string pattern = "(a|b)*a";
  for (int i = 0; i < 24; ++i) pattern += "(a|b)";
  TAWKStr awk;
  ASSERT_FALSE(awk.SetRegExp(pattern).has_value());
  std::mt19937 rng(7);
  std::string text;
  for (int i = 0; i < 200000; ++i) text.push_back(rng() % 2 ? 'a' : 'b');
  TAWKMatch m = awk.Match(text);
  // (a|b)* takes everything before: the match starts at 1 and runs to 24 characters after
  // the last "a" that has 24 characters after it.
  size_t last_a = text.size() - 25;
  while (text[last_a] != 'a') --last_a;
  EXPECT_EQ(m.position, 1u);
  EXPECT_EQ(m.length, last_a + 25);
}

TEST(RegExpMatch, LongPatternCompilesAndMatches) {
  std::string pattern;
  for (int i = 0; i < 250; ++i)
    pattern += "[^" + std::string(1, static_cast<char>('a' + i % 26)) + "]";
  TAWKStr awk;
  ASSERT_FALSE(awk.SetRegExp(pattern).has_value());
  std::string text(4000, 'z');
  TAWKMatch m = awk.Match(text);
  EXPECT_EQ(m.position, 0u);  // every "[^z]" fails on "z"
}

// Random patterns over a small alphabet with every operator, anchors and Japanese characters,
// and random subjects made of the same characters.
class RandomInput {
 public:
  explicit RandomInput(unsigned seed) : rng_(seed) {}

  std::string Pattern(int depth = 0) {
    int kind = static_cast<int>(rng_() % (depth > 3 ? 3 : 7));
    switch (kind) {
      case 0:
      case 1:
      case 2:
        return Pick(atoms_);
      case 3:
        return Pattern(depth + 1) + Pattern(depth + 1);
      case 4:
        return Pattern(depth + 1) + "|" + Pattern(depth + 1);
      case 5:
        return "(" + Pattern(depth + 1) + ")" + std::string(1, "*+?"[rng_() % 3]);
      default:
        return Pattern(depth + 1) + Pattern(depth + 1) + Pattern(depth + 1);
    }
  }
  std::string Text(int max_pieces) {
    std::string text;
    int pieces = static_cast<int>(rng_() % static_cast<unsigned>(max_pieces));
    for (int k = 0; k < pieces; ++k) text += Pick(text_pieces_);
    return text;
  }
  unsigned Next() { return static_cast<unsigned>(rng_()); }

 private:
  const std::string& Pick(const std::vector<std::string>& v) { return v[rng_() % v.size()]; }
  std::mt19937 rng_;
  const std::vector<std::string> atoms_ = {
      "a",   "b",   Sj("あ"), Sj("い"), ".",     "[ab]", "[^a]", "[" + Sj("あ-う") + "]",
      "\\r", "\\n", "^",      "$",      "\\x82", "A"};
  const std::vector<std::string> text_pieces_ = {"a",  "b",  Sj("あ"), Sj("い"), Sj("う"), "\r\n",
                                                 "\n", "\r", "\x82",   "A",      "^",      "$"};
};

// The fast matcher must agree with the reference everywhere.
TEST(RegExpMatch, AgreesWithReferenceOnRandomInput) {
  RandomInput random(12345);
  int compared = 0;
  size_t flushes = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string pattern = random.Pattern();
    TAWKStr awk;
    awk.LineSeparator = random.Next() % 4 == 0 ? mcls_LF : mcls_CRLF;
    if (awk.SetRegExp(pattern).has_value()) continue;
    // The same pattern with a lazy DFA of a few states, flushed again and again.
    TRECompiled tiny(pattern, 8);
    uint16_t separator = awk.LineSeparator == mcls_LF ? 10 : 13;
    for (int t = 0; t < 8; ++t) {
      std::string text = random.Text(12);
      TAWKMatch fast = awk.Match(text);
      auto ref = awk.MatchReference(text);
      ASSERT_TRUE(ref.has_value());
      ASSERT_EQ(fast.position, ref->position)
          << "pattern '" << pattern << "' text '" << text << "'";
      ASSERT_EQ(fast.length, ref->length) << "pattern '" << pattern << "' text '" << text << "'";
      TREMatch small = tiny.Match(text, separator);
      ASSERT_EQ(small.found ? small.offset + 1 : 0, fast.position) << pattern << " / " << text;
      ASSERT_EQ(small.length, fast.length) << pattern << " / " << text;
      ++compared;
    }
    flushes += tiny.lazy().flushes();
  }
  EXPECT_GT(compared, 10000);
  EXPECT_GT(flushes, 0u);
}

// Every hit of a text, each search going on at the end of the previous hit (one character
// further after an empty one), as the find-all loops do.
template <typename MatchFn>
std::vector<std::pair<size_t, size_t>> AllHits(const std::string& text, MatchFn match) {
  std::vector<std::pair<size_t, size_t>> hits;
  size_t from = 0;
  while (from <= text.size()) {
    TREMatch m = match(from);
    if (!m.found) break;
    hits.emplace_back(m.offset, m.length);
    if (m.length > 0) {
      from = m.offset + m.length;
    } else {
      if (m.offset >= text.size()) break;
      from = NextCharBoundary(text, m.offset);
    }
  }
  return hits;
}

// Searching from an offset of the whole text with a memo of earlier runs (blocks of a byte or
// two make runs meet all the time; a tiny lazy DFA flushes under it) gives the hits that the
// reference finds in the suffixes.
TEST(RegExpMatch, HitsFoundWithTheRunMemoAgreeWithTheReference) {
  RandomInput random(777);
  int hits_compared = 0;
  for (int i = 0; i < 1500; ++i) {
    std::string pattern = random.Pattern();
    // Half of them of the shape of "a|a*b", whose runs go on past the hits.
    if (i % 2 == 0) {
      pattern = "(" + pattern + ")|(" + random.Pattern(2) + ")*" + random.Pattern(3);
    }
    uint16_t separator = random.Next() % 4 == 0 ? 10 : 13;
    std::optional<TRECompiled> reference;
    try {
      reference.emplace(pattern);
    } catch (const ERegExpParser&) {
      continue;
    }
    TRECompiled fast(pattern);
    TRECompiled tiny(pattern, 8);
    for (int t = 0; t < 4; ++t) {
      // Long stretches of one piece keep longest-match runs going, so that they meet.
      std::string text = random.Text(20);
      if (t % 2 == 1) {
        std::string piece = random.Text(3);
        for (unsigned k = random.Next() % 30; k > 0; --k) text += piece;
        text += random.Text(6);
      }
      bool available = true;
      auto expected = AllHits(text, [&](size_t from) {
        TREMatch m =
            reference->MatchReference(std::string_view(text).substr(from), separator, &available);
        if (m.found) m.offset += from;
        return m;
      });
      ASSERT_TRUE(available);
      for (int block_shift : {0, 1, 2, 5}) {
        TRERunMemo memo(block_shift);
        TRECompiled& compiled = block_shift == 1 ? tiny : fast;
        auto got = AllHits(
            text, [&](size_t from) { return compiled.Match(text, from, separator, &memo); });
        ASSERT_EQ(got, expected) << "pattern '" << pattern << "' text '" << text << "' block "
                                 << (1 << block_shift);
      }
      hits_compared += static_cast<int>(expected.size());
    }
  }
  EXPECT_GT(hits_compared, 5000);
}

// The hits of "a|a*b" in a long run of "a": every one is a single "a", although each
// longest-match run reads on to the end of the run looking for the "b".
TEST(RegExpMatch, EveryHitOfAnAlternationWithALongerPrefix) {
  TAWKStr awk;
  ASSERT_FALSE(awk.SetRegExp("a|a*b").has_value());
  std::string text(5000, 'a');
  text += "cab";
  TAWKScan scan(text);
  size_t hits = 0;
  size_t from = 0;
  for (TAWKMatch m = awk.MatchFrom(&scan, from); m.position != 0; m = awk.MatchFrom(&scan, from)) {
    ++hits;
    from = m.position - 1 + m.length;
    if (from < 5000) {
      ASSERT_EQ(m.length, 1u) << from;
    }
  }
  EXPECT_EQ(hits, 5001u);  // 5000 single "a", then "ab" after the "c"
}

}  // namespace
}  // namespace pw::search
