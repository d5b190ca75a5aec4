// The box-drawn outline: the two documented shapes and a deep, wide tree against golden files,
// several top-level nodes, and captions that hold drawing characters themselves.
#include "export/outline_export.h"

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/new_document.h"
#include "golden.h"

namespace pw {
namespace {

Node* Add(Outline* outline, Node* parent, const char* utf8_title) {
  return outline->Append(parent, Utf8ToCp932(utf8_title).text,
                         NewNodeData(parent == nullptr ? nkRoot : nkChild), 7);
}

TEST(OutlineExport, TwoLevelsUnderOneRoot) {
  Outline outline;
  Node* r = Add(&outline, nullptr, "R");
  Node* a = Add(&outline, r, "A");
  Add(&outline, a, "A1");
  Add(&outline, a, "A2");
  Add(&outline, r, "B");
  testing::ExpectGolden(BuildOutlineText(outline), "outline_siblings.TXT");
}

TEST(OutlineExport, LastChildrenLeaveBlanks) {
  Outline outline;
  Add(&outline, Add(&outline, Add(&outline, nullptr, "R"), "C"), "D");
  testing::ExpectGolden(BuildOutlineText(outline), "outline_chain.TXT");
}

// Fan-outs of 1 to 3 down to depth 6, Japanese captions, and a second top-level tree.
void Grow(Outline* outline, Node* node, int depth, int* counter) {
  if (depth == 6) return;
  const int children = (*counter % 3) + 1;
  for (int i = 0; i < children; ++i) {
    ++*counter;
    const std::string title = "節" + std::to_string(*counter);
    Grow(outline, Add(outline, node, title.c_str()), depth + 1, counter);
    if (*counter > 60) return;
  }
}

TEST(OutlineExport, DeepWideTree) {
  Outline outline;
  int counter = 0;
  Grow(&outline, Add(&outline, nullptr, "物語"), 0, &counter);
  Node* second = Add(&outline, nullptr, "登場人物");
  Add(&outline, Add(&outline, second, "湊"), "名前");
  Add(&outline, second, "凪");
  testing::ExpectGolden(BuildOutlineText(outline), "outline_deep.TXT");
}

TEST(OutlineExport, CaptionsHoldingDrawingCharacters) {
  // The caption of A holds "├─│" itself: the drawing under it comes from its connector only.
  Outline outline;
  Node* r = Add(&outline, nullptr, "R");
  Node* a = Add(&outline, r, "├─│A");
  Add(&outline, Add(&outline, a, "x"), "y");
  Add(&outline, r, "B");
  const std::vector<std::string> lines = BuildOutlineLines(outline);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(Cp932ToUtf8(lines[3]).text, "│　　　└─y");
  EXPECT_EQ(Cp932ToUtf8(lines[4]).text, "└─B");
}

}  // namespace
}  // namespace pw
