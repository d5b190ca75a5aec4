// Hierarchical text: the export's exact lines, the import's level rules, records and bodies,
// and the round trip.
#include "export/hier_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/new_document.h"
#include "core/node_marks.h"

namespace pw {
namespace {

std::string Shape(const Outline& outline) {
  std::string out;
  outline.ForEach([&](Node* n) { out += std::to_string(n->level()) + ":" + n->title() + " "; });
  return out;
}

// A story in CP932 with an RTF body, a plain body, an absent and an empty body.
void BuildStory(Outline* outline) {
  Node* top = outline->Append(nullptr, Utf8ToCp932("物語").text, NewNodeData(nkRoot), 1);
  Node* chapter = outline->Append(top, Utf8ToCp932("第一章").text, NewNodeData(nkParent), 14);
  chapter->data()->Body =
      "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 \\'82\\'a0\\line b\\par c}";
  outline->Append(chapter, "scene", NewNodeData(nkChild), 7)->data()->Body = "plain\r\ntext";
  outline->Append(chapter, "empty", NewNodeData(nkChild), 7)->data()->Body = "";
  outline->Append(top, "end", NewNodeData(nkChild), 7);
}

TEST(HierExport, WritesHeadingsBodyLinesAndOneEmptyLinePerNode) {
  Outline one;
  one.Append(nullptr, "T", NewNodeData(nkRoot), 1);
  EXPECT_EQ(BuildHierText(one), ".T\r\n\r\n");

  Outline story;
  BuildStory(&story);
  const std::string expected = Utf8ToCp932(
                                   ".物語\r\n\r\n"
                                   "..第一章\r\nあ\r\nb\r\nc\r\n\r\n"
                                   "...scene\r\nplain\r\ntext\r\n\r\n"
                                   "...empty\r\n\r\n"
                                   "..end\r\n\r\n")
                                   .text;
  EXPECT_EQ(BuildHierText(story), expected);
}

// A literal with its embedded NULs.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

TEST(HierImport, HeadingLevelsAreClampedAndTheFirstIsAlwaysTopLevel) {
  const std::pair<std::string, const char*> cases[] = {
      {Bytes(".A\r\n...B\r\n....C\r\n"), "0:A 1:B 2:C "},
      {Bytes(".A\r\n..B\r\n.C\r\n"), "0:A 1:B 0:C "},
      {Bytes("..A\r\n..B\r\n"), "0:.A 1:B "},
      {Bytes(".A\n..B\r...C\r\n..D"), "0:A 1:B 2:C 1:D "},
      {Bytes(".A\r\nbody\r\n.\r\n"), "0:A 0: "},
      {Bytes(".A\r\n..B\0\r\n.C\r\n"), "0:A 1:B "},  // the text ends at the NUL
  };
  for (const auto& [text, shape] : cases) {
    Outline outline;
    HierImport result = ImportHierText(text, &outline);
    ASSERT_TRUE(result.status) << text << result.status.message;
    EXPECT_FALSE(result.plain_text);
    EXPECT_EQ(Shape(outline), shape) << text;
  }
}

TEST(HierImport, RecordsFollowDepthAndChildren) {
  Outline outline;
  ASSERT_TRUE(ImportHierText(".A\r\n..B\r\n...C\r\n..D\r\n", &outline).status);
  struct Expect {
    int32_t kind, color, icon;
  };
  const Expect expected[] = {{nkRoot, 0, 1}, {nkParent, 1, 14}, {nkChild, 1, 7}, {nkChild, 1, 7}};
  for (size_t i = 0; i < 4; ++i) {
    const Node* n = outline.NodeAt(i);
    EXPECT_EQ(n->data()->Kind, expected[i].kind) << i;
    EXPECT_EQ(n->data()->Color, expected[i].color) << i;
    EXPECT_EQ(n->icon(), expected[i].icon) << i;
    EXPECT_EQ(n->selected_icon(), expected[i].icon) << i;
  }
}

TEST(HierImport, BodiesArePlainLinesEachEndedByCrLf) {
  Outline outline;
  ASSERT_TRUE(ImportHierText(".A\r\none\r\n\r\ntwo\r\n..B\r\n..C\r\nlast", &outline).status);
  EXPECT_EQ(*outline.NodeAt(0)->data()->Body, "one\r\n\r\ntwo\r\n");
  EXPECT_FALSE(outline.NodeAt(1)->data()->Body.has_value());
  EXPECT_EQ(*outline.NodeAt(2)->data()->Body, "last\r\n");
}

TEST(HierImport, TextWithoutALeadingHeadingBecomesOneBody) {
  for (const char* text : {"first\r\n.not a heading\r\nlast", "\r\n.A\r\n"}) {
    Outline outline;
    outline.Append(nullptr, "old", NewNodeData(nkRoot), 1);
    HierImport result = ImportHierText(text, &outline);
    ASSERT_TRUE(result.status);
    EXPECT_TRUE(result.plain_text);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline.NodeAt(0)->title(), kNewNodeTitle);
    EXPECT_EQ(*outline.NodeAt(0)->data()->Body,
              std::string(text) == "\r\n.A\r\n" ? "\r\n.A" : "first\r\n.not a heading\r\nlast");
  }
}

TEST(HierImport, EmptyTextIsRefusedAndChangesNothing) {
  for (const std::string& text : {std::string(), Bytes("\0.A\r\n")}) {
    Outline outline;
    outline.Append(nullptr, "kept", NewNodeData(nkRoot), 1);
    HierImport result = ImportHierText(text, &outline);
    EXPECT_FALSE(result.status);
    EXPECT_EQ(result.status.message, kEmptyTextFile);
    EXPECT_EQ(Shape(outline), "0:kept ");
  }
}

TEST(HierImport, BlanksBeforeATitleAddDepthAndMayBreakTheTree) {
  Outline ok;
  ASSERT_TRUE(ImportHierText(".A\r\n. B\r\n", &ok).status);
  EXPECT_EQ(Shape(ok), "0:A 1:B ");

  Outline bad;
  HierImport result = ImportHierText(".A\r\n..B\r\n..  \x88\xea\r\n", &bad);
  EXPECT_FALSE(result.status);
  EXPECT_EQ(result.status.message, "アイテム \"一\" の階層 (3) が不正です");
  EXPECT_EQ(Shape(bad), std::string("0:") + kNewNodeTitle + " ");  // an empty new document
}

TEST(HierText, RoundTripAddsOneEmptyBodyLinePerNode) {
  Outline story;
  BuildStory(&story);
  const std::string first = BuildHierText(story);
  Outline imported;
  ASSERT_TRUE(ImportHierText(first, &imported).status);
  EXPECT_EQ(Shape(imported), Shape(story));
  const std::string second = BuildHierText(imported);
  // Every node's block gains one CR LF: the separator line came back as a body line.
  std::string expected;
  size_t block_start = 0;
  for (size_t pos = first.find("\r\n.", 0);; pos = first.find("\r\n.", pos + 2)) {
    size_t block_end = pos == std::string::npos ? first.size() : pos + 2;
    expected += first.substr(block_start, block_end - block_start) + "\r\n";
    if (pos == std::string::npos) break;
    block_start = block_end;
  }
  EXPECT_EQ(second, expected);
}

}  // namespace
}  // namespace pw
