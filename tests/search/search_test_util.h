// Helpers for the search tests: CP932 literals from UTF-8 source, and a match that is also
// checked against the reference matcher.
#ifndef PLOTWEAVE_TESTS_SEARCH_SEARCH_TEST_UTIL_H_
#define PLOTWEAVE_TESTS_SEARCH_SEARCH_TEST_UTIL_H_

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/cp932.h"
#include "search/regular_expression.h"

namespace pw::search::testing {

inline std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8).text; }

// "pos:len" of the match (pos 1-based, "none" when there is none); fails the test when the
// fast matcher and the reference disagree.
inline std::string FindWith(TAWKStr* awk, std::string_view text) {
  TAWKMatch fast = awk->Match(text);
  std::optional<TAWKMatch> ref = awk->MatchReference(text);
  EXPECT_TRUE(ref.has_value());
  if (ref) {
    EXPECT_EQ(fast.position, ref->position) << "pattern " << awk->RegExp();
    EXPECT_EQ(fast.length, ref->length) << "pattern " << awk->RegExp();
  }
  if (fast.position == 0) return "none";
  return std::to_string(fast.position) + ":" + std::to_string(fast.length);
}

inline std::string Find(std::string_view pattern, std::string_view text,
                        TMatchCORE_LineSeparator separator = mcls_CRLF) {
  TAWKStr awk;
  awk.LineSeparator = separator;
  auto error = awk.SetRegExp(pattern);
  EXPECT_FALSE(error.has_value()) << pattern << ": " << (error ? error->message : "");
  if (error) return "error";
  return FindWith(&awk, text);
}

}  // namespace pw::search::testing

#endif  // PLOTWEAVE_TESTS_SEARCH_SEARCH_TEST_UTIL_H_
