// Drag-over acceptance by hit class and kind, and what drops do to the tree and its kinds.
#include "editing/tree_drop.h"

#include <gtest/gtest.h>

#include "editing/tree_editor.h"
#include "tests/editing/story_fixture.h"

namespace pw {
namespace {

using testing::BuildStory;
using testing::Find;

TEST(TreeDrop, DragOverFollowsHitClassAndKinds) {
  Outline outline;
  BuildStory(&outline);
  struct Case {
    const char* dragged;
    const char* target;  // nullptr: no node under the pointer
    DropHit hit;
    bool accept;
    AutoScroll scroll;
  };
  const Case cases[] = {
      {"S1", "Ch2", DropHit::kOutsideAbove, false, AutoScroll::kUp},
      {"S1", "Ch2", DropHit::kOutsideBelow, false, AutoScroll::kDown},
      {"S1", "Ch2", DropHit::kOutsideLeft, false, AutoScroll::kLeft},
      {"S1", "Ch2", DropHit::kOutsideRight, false, AutoScroll::kRight},
      {"S1", nullptr, DropHit::kLabel, false, AutoScroll::kNone},
      {"S1", "Ch2", DropHit::kNowhere, false, AutoScroll::kNone},
      {"Story", "Ch2", DropHit::kLabel, false, AutoScroll::kNone},  // the first node stays
      {"S1", "Ch2", DropHit::kLabel, true, AutoScroll::kNone},
      {"S1", "Name", DropHit::kButton, true, AutoScroll::kNone},  // anything goes anywhere
      {"Age", "Hero", DropHit::kLabel, true, AutoScroll::kNone},  // item onto a character
      {"Age", "Hero", DropHit::kButton, false, AutoScroll::kNone},
      {"Age", "Name", DropHit::kButton, true, AutoScroll::kNone},  // item before an item
      {"Age", "Name", DropHit::kLabel, false, AutoScroll::kNone},
      {"Age", "S1", DropHit::kLabel, false, AutoScroll::kNone},  // item onto a story node
      {"Age", "S1", DropHit::kButton, false, AutoScroll::kNone},
  };
  for (const Case& c : cases) {
    const Node* target = c.target != nullptr ? Find(outline, c.target) : nullptr;
    DragOverResult r = DragOver(outline, Find(outline, c.dragged), target, c.hit);
    EXPECT_EQ(r.accept, c.accept) << c.dragged << " -> " << (c.target ? c.target : "none");
    EXPECT_EQ(r.scroll, c.scroll) << c.dragged;
  }
}

class DropTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildStory(&outline_); }
  Node* N(const std::string& title) { return Find(outline_, title); }
  bool DropOn(const char* dragged, const char* target, DropHit hit) {
    return Drop(&outline_, N(dragged), N(target), hit, &undo_, &flags_);
  }

  Outline outline_;
  UndoRecord undo_;
  DocumentFlags flags_;
};

TEST_F(DropTest, OnALabelTheNodeBecomesTheLastChild) {
  ASSERT_TRUE(DropOn("S3", "S1", DropHit::kLabel));
  EXPECT_EQ(N("S3")->parent(), N("S1"));
  EXPECT_EQ(N("S1")->data()->Kind, nkParent);  // a child-marked target takes the parent mark
  EXPECT_EQ(N("Ch2")->data()->Kind, nkChild);  // the parent left without children
  EXPECT_EQ(N("Ch2")->icon(), ncPink + kChildIconBase);
  EXPECT_EQ(undo_.kind, UndoRecord::Kind::kMove);
  EXPECT_EQ(undo_.anchor.node, N("Ch2"));
  EXPECT_EQ(undo_.anchor.mode, AnchorMode::kAppend);
  EXPECT_TRUE(flags_.TreeModified);
}

TEST_F(DropTest, OnAButtonTheNodeGoesBeforeTheTarget) {
  ASSERT_TRUE(DropOn("Age", "Name", DropHit::kButton));
  EXPECT_EQ(N("Age")->row(), 0u);
  EXPECT_EQ(N("Age")->data()->Kind, nkCharaItem);
  EXPECT_EQ(undo_.anchor.mode, AnchorMode::kAppend);
  EXPECT_EQ(undo_.anchor.node, N("Hero"));
}

TEST_F(DropTest, OnTheFirstNodesIndentTheNodeBecomesTheLastTopLevelNode) {
  ASSERT_TRUE(DropOn("S1", "Story", DropHit::kButton));
  EXPECT_EQ(N("S1")->parent(), nullptr);
  EXPECT_EQ(N("S1")->row(), 2u);
  EXPECT_EQ(N("S1")->data()->Kind, nkRoot);
  EXPECT_EQ(N("S1")->icon(), kIconRoot);
}

TEST_F(DropTest, ATopLevelNodeDroppedUnderAnotherTakesTheParentMark) {
  ASSERT_TRUE(DropOn("Notes", "S2", DropHit::kLabel));
  EXPECT_EQ(N("Notes")->data()->Kind, nkParent);
  EXPECT_FALSE(N("Notes")->has_children());
  EXPECT_EQ(N("S2")->data()->Kind, nkParent);  // and its new parent too
}

TEST_F(DropTest, AnImportedColourlessTopLevelNodeDroppedUnderAnotherShowsABlueMark) {
  N("Notes")->data()->Color = 0;  // as hierarchical import leaves top-level nodes
  ASSERT_TRUE(DropOn("Notes", "S2", DropHit::kLabel));
  EXPECT_EQ(N("Notes")->data()->Color, ncBlue);
  EXPECT_EQ(N("Notes")->icon(), ncBlue + kParentIconBase);
}

TEST_F(DropTest, DropsThatChangeNothing) {
  EXPECT_FALSE(DropOn("Ch1", "S1", DropHit::kLabel));   // into its own subtree
  EXPECT_FALSE(DropOn("Ch1", "S2", DropHit::kButton));  // likewise
  EXPECT_FALSE(DropOn("S1", "S1", DropHit::kLabel));
  EXPECT_FALSE(DropOn("S1", "Ch2", DropHit::kNowhere));
  EXPECT_EQ(undo_.kind, UndoRecord::Kind::kNone);
  EXPECT_FALSE(flags_.TreeModified);
}

TEST_F(DropTest, ADropIsUndoneAndRedoneThroughTheEditor) {
  DocumentFlags flags;
  TreeEditor editor(&outline_, &flags);
  ASSERT_TRUE(editor.DropNode(N("S1"), N("Ch2"), DropHit::kLabel));
  EXPECT_EQ(N("S1")->parent(), N("Ch2"));
  EXPECT_EQ(editor.Undo(), N("S1"));  // back before its former next sibling S2
  EXPECT_EQ(N("S1")->parent(), N("Ch1"));
  EXPECT_EQ(N("S1")->row(), 0u);
  EXPECT_EQ(editor.Undo(), N("S1"));  // and under Ch2 again
  EXPECT_EQ(N("S1")->parent(), N("Ch2"));
  EXPECT_EQ(N("S1")->row(), 1u);
}

}  // namespace
}  // namespace pw
