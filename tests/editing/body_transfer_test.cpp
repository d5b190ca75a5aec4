// Merge and split move body text with its formatting and cannot be undone.
#include "editing/body_transfer.h"

#include <gtest/gtest.h>

#include "richtext/body_text.h"
#include "richtext/rtf_reader.h"
#include "tests/editing/story_fixture.h"

namespace pw {
namespace {

using testing::Build;
using testing::Find;

std::vector<std::string> Lines(const Node* node) {
  return node->data()->Body ? rich::BodyToLinesUtf8(*node->data()->Body)
                            : std::vector<std::string>();
}

class BodyTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Build(&outline_, {{0, "Top", nkRoot},
                      {1, "Chapter", nkParent, ncBlue, "{\\rtf1 intro\\par}"},
                      {2, "Scene", nkChild, ncBlue, "{\\rtf1 {\\b bold} one\\par two}"},
                      {2, "Empty", nkChild},
                      {1, "Hero", nkChara}});
  }
  Node* N(const char* title) { return Find(outline_, title); }

  Outline outline_;
  DocumentFlags flags_;
  TreeEditor editor_{&outline_, &flags_};
};

TEST_F(BodyTransferTest, MergeAppendsTheBodyWithItsFormattingAndDeletes) {
  Node* parent = MergeIntoParent(&editor_, &outline_, N("Scene"));
  ASSERT_EQ(parent, N("Chapter"));
  EXPECT_EQ(N("Scene"), nullptr);
  EXPECT_EQ(Lines(parent), (std::vector<std::string>{"intro", "bold one", "two"}));
  rich::RichDocument doc = rich::ReadRtf(*parent->data()->Body);
  ASSERT_GE(doc.paragraphs.size(), 2u);
  EXPECT_TRUE(doc.paragraphs[1].runs.front().format.bold);
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kNone);
  EXPECT_TRUE(flags_.TreeModified);
}

TEST_F(BodyTransferTest, MergingAnEmptyBodyOnlyDeletesAndTheParentKeepsItsKind) {
  MergeIntoParent(&editor_, &outline_, N("Scene"));
  const std::string before = *N("Chapter")->data()->Body;
  ASSERT_EQ(MergeIntoParent(&editor_, &outline_, N("Empty")), N("Chapter"));
  EXPECT_EQ(*N("Chapter")->data()->Body, before);
  EXPECT_EQ(N("Chapter")->data()->Kind, nkParent);
  EXPECT_FALSE(N("Chapter")->has_children());
}

TEST_F(BodyTransferTest, OnlyChildlessStoryNodesBelowTheTopMerge) {
  EXPECT_FALSE(CanMerge(N("Top")));
  EXPECT_FALSE(CanMerge(N("Chapter")));
  EXPECT_FALSE(CanMerge(N("Hero")));
  EXPECT_TRUE(CanMerge(N("Empty")));
  EXPECT_FALSE(CanSplit(N("Hero")));
  EXPECT_TRUE(CanSplit(N("Top")));
}

TEST_F(BodyTransferTest, SplitMovesTheTextAfterTheCaret) {
  struct Case {
    rich::TextPosition caret;
    bool into_child;
    std::vector<std::string> kept, moved;
  };
  const Case cases[] = {
      {{0, 5}, false, {"bold "}, {"one", "two"}},
      {{1, 0}, true, {"bold one"}, {"two"}},
      {{0, 0}, false, {}, {"bold one", "two"}},  // the whole body moves
      {{1, 3}, true, {"bold one", "two"}, {}},   // at the end: an empty node
  };
  for (const Case& c : cases) {
    Outline outline;
    Build(&outline, {{0, "Top", nkRoot},
                     {1, "Scene", nkChild, ncBlue, "{\\rtf1 {\\b bold} one\\par two}"},
                     {1, "Next", nkChild}});
    DocumentFlags flags;
    TreeEditor editor(&outline, &flags);
    Node* scene = Find(outline, "Scene");
    Node* created = SplitNode(&editor, scene, c.caret, c.into_child);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->parent(), c.into_child ? scene : scene->parent());
    EXPECT_EQ(outline.AbsoluteIndex(created), outline.AbsoluteIndex(scene) + 1);
    EXPECT_TRUE(created->title().empty());
    EXPECT_EQ(Lines(created), c.moved);
    if (!c.moved.empty()) {
      EXPECT_EQ(Lines(scene), c.kept);
    }
    EXPECT_EQ(editor.undo_record().kind, UndoRecord::Kind::kNone);
    EXPECT_TRUE(flags.TreeModified);
  }
}

}  // namespace
}  // namespace pw
