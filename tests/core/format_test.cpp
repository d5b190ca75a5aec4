// Numbered-argument message formatting.
#include "core/format.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(FormatMessage, FillsNumberedAndPlainArguments) {
  const struct {
    const char* format;
    std::vector<std::string> args;
    const char* expected;
  } cases[] = {
      {"アイテム \"%1:s\" の階層 (%0:d) が不正です",
       {"3", "章"},
       "アイテム \"章\" の階層 (3) が不正です"},
      {"%s of %d", {"a", "2"}, "a of 2"},
      {"100%%", {}, "100%"},
      {"%2:s missing", {"a"}, "%2:s missing"},
      {"trailing %", {}, "trailing %"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMessage(c.format, c.args), c.expected) << c.format;
}

}  // namespace
}  // namespace pw
