// Subtree copies into scratch trees and their insertion under a node.
#include "editing/subtree_copy.h"

#include <gtest/gtest.h>

#include "tests/editing/story_fixture.h"

namespace pw {
namespace {

using testing::BuildStory;
using testing::Describe;
using testing::Find;

TEST(SubtreeCopy, CopiesTitlesBodiesKindsColoursAndIcons) {
  Outline outline;
  BuildStory(&outline);
  EXPECT_EQ(LastDescendantIndex(outline, Find(outline, "Ch1")), 3u);
  EXPECT_EQ(LastDescendantIndex(outline, Find(outline, "S2")), 3u);
  EXPECT_EQ(LastDescendantIndex(outline, Find(outline, "Story")), 8u);
  Outline scratch;
  scratch.Append(nullptr, "stale", NewNodeData(nkRoot), 1);
  CopySubtreeTo(outline, Find(outline, "Ch1"), &scratch);
  EXPECT_EQ(Describe(scratch), "0:Ch1:2:3:16 1:S1:3:4:10 1:S2:3:1:7 ");
  EXPECT_EQ(*scratch.NodeAt(1)->data()->Body, "{\\rtf1 s1}");
  EXPECT_FALSE(scratch.NodeAt(2)->data()->Body.has_value());
}

struct InsertCase {
  const char* copied;
  const char* under;
  const char* expected;  // Describe() of the inserted subtree, or the message
};

TEST(SubtreeCopy, InsertFollowsTheKindRules) {
  const InsertCase cases[] = {
      // A top-level node becomes a story node; colour reset to 1, icon by the new kind.
      {"Story", "S3", "3:Story:2:1:14 4:Ch1:2:3:16 "},
      {"Notes", "S3", "3:Notes:3:1:7 "},
      // Other kinds keep kind and icon, though the colour is reset.
      {"S1", "S3", "3:S1:3:1:10 "},
      {"Name", "Hero", "2:Name:5:1:5 "},
      {"Name", "S3", kCharaItemPlacementMessage},
      {"Name", "Age", kCharaItemPlacementMessage},
  };
  for (const InsertCase& c : cases) {
    Outline outline;
    BuildStory(&outline);
    Outline scratch;
    CopySubtreeTo(outline, Find(outline, c.copied), &scratch);
    Node* under = Find(outline, c.under);
    InsertResult result = InsertSubtreeFrom(scratch, &outline, under);
    if (result.node == nullptr) {
      EXPECT_EQ(result.message, c.expected) << c.copied;
      continue;
    }
    Outline inserted;
    CopySubtreeTo(outline, result.node, &inserted);
    std::string described;
    inserted.ForEach([&](Node* n) {
      described += std::to_string(n->level() + result.node->level()) + ":" + n->title() + ":" +
                   std::to_string(n->data()->Kind) + ":" + std::to_string(n->data()->Color) + ":" +
                   std::to_string(n->icon()) + " ";
    });
    EXPECT_EQ(described.substr(0, std::string(c.expected).size()), c.expected) << c.copied;
    EXPECT_EQ(result.node->parent(), under);
    EXPECT_EQ(result.node->row(), under->child_count() - 1);
    EXPECT_TRUE(under->expanded());
    EXPECT_TRUE(result.node->data()->Body.has_value());  // absent bodies come back empty
  }
}

TEST(SubtreeCopy, AChildMarkedTargetTakesTheParentMark) {
  Outline outline;
  BuildStory(&outline);
  Outline scratch;
  CopySubtreeTo(outline, Find(outline, "S2"), &scratch);
  Node* s1 = Find(outline, "S1");
  ASSERT_NE(InsertSubtreeFrom(scratch, &outline, s1).node, nullptr);
  EXPECT_EQ(s1->data()->Kind, nkParent);
  EXPECT_EQ(s1->icon(), ncOrange + kParentIconBase);
  EXPECT_EQ(InsertSubtreeFrom(Outline(), &outline, s1).node, nullptr);  // empty scratch
}

TEST(SubtreeCopy, LargeSubtreesCopyAndInsertWhole) {
  Outline outline;
  Node* top = outline.Append(nullptr, "top", NewNodeData(nkRoot), 1);
  Node* branch = outline.Append(top, "branch", NewNodeData(nkParent), 14);
  Node* parent = branch;
  for (int i = 0; i < 50000; ++i) {
    Node* n = outline.Append(i % 100 == 0 ? branch : parent, "n", NewNodeData(nkChild), 7);
    n->data()->Body = "{\\rtf1 x}";
    if (i % 100 == 0) parent = n;
  }
  Outline scratch;
  CopySubtreeTo(outline, branch, &scratch);
  EXPECT_EQ(scratch.size(), 50001u);
  InsertResult result = InsertSubtreeFrom(scratch, &outline, top);
  ASSERT_NE(result.node, nullptr);
  EXPECT_EQ(outline.size(), 2u + 2 * 50001u - 1);
  EXPECT_EQ(outline.SubtreeSize(result.node), 50001u);
}

}  // namespace
}  // namespace pw
