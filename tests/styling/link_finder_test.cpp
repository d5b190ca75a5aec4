// Finding the link at a position of the body text.
#include "styling/link_finder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/cp932.h"

namespace pw::styling {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

TEST(LinkFinder, MakeLinkWrapsTheSelection) {
  EXPECT_EQ(MakeLink(Sjis("第一章"), "<#", "#>"), Sjis("<#第一章#>"));
  EXPECT_EQ(MakeLink("x", "[[", "]]"), "[[x]]");
}

TEST(LinkFinder, Positions) {
  const std::string chapter = Sjis("前<#第一章#>後");  // 前 is bytes 1-2, '<' byte 3
  const std::string broken = Sjis("<#第一\r\n章#>");
  const std::string far = "<#" + std::string(296, 'a') + "#>";  // closing marker ends at byte 300
  const std::string too_far = "<#" + std::string(297, 'a') + "#>";
  struct Case {
    const char* what;
    std::string text;
    size_t position;
    std::optional<std::string> target;
    std::string left = "<#";
    std::string right = "#>";
  } cases[] = {
      {"on the opening '<'", chapter, 3, Sjis("第一章")},
      {"inside the title", chapter, 7, Sjis("第一章")},
      {"on the closing '#'", chapter, 11, Sjis("第一章")},
      {"on the final '>'", chapter, 12, std::nullopt},
      {"after the link", chapter, 13, std::nullopt},
      {"before the link", chapter, 1, std::nullopt},
      {"a line break inside is left out", broken, 5, Sjis("第一章")},
      {"closing marker within 300 bytes", far, 100, std::string(296, 'a')},
      {"closing marker past 300 bytes", too_far, 100, std::nullopt},
      {"no closing marker", "<#abc", 3, std::nullopt},
      {"shorter than four bytes", "<##", 1, std::nullopt},
      {"markers sharing a '#'", "<#> x", 1, std::nullopt},
      {"an empty link", "a<##>", 2, std::string()},
      {"text before with no opening marker", "abc#>", 2, std::nullopt},
      {"position out of range", chapter, 0, std::nullopt},
      {"position past the end", chapter, 99, std::nullopt},
      {"tab and control bytes dropped", "<#a\tb\x13" "c#>", 1, std::string("abc")},
      {"other markers", Sjis("x[[ファイル.txt]]"), 2, Sjis("ファイル.txt"), "[[", "]]"},
      {"one-byte markers", "(a) (b)", 6, std::string("b"), "(", ")"},
      {"empty right marker", chapter, 7, std::nullopt, "<#", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindLink(c.text, c.position, c.left, c.right), c.target) << c.what;
  }
}

TEST(LinkFinder, TrimmingTheTarget) {
  EXPECT_EQ(TrimLinkTarget(" \t第一章\r\n "), "第一章");
  EXPECT_EQ(TrimLinkTarget("  "), "");
  EXPECT_EQ(TrimLinkTarget(Sjis("a　b")), Sjis("a　b"));  // double-byte space inside stays
}

}  // namespace
}  // namespace pw::styling
