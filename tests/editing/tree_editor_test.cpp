// Tree commands and their one-level undo over a realistic story.
#include "editing/tree_editor.h"

#include <gtest/gtest.h>

#include "tests/editing/story_fixture.h"

namespace pw {
namespace {

using testing::BuildStory;
using testing::Describe;
using testing::Find;

class TreeEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildStory(&outline_); }
  Node* N(const std::string& title) { return Find(outline_, title); }

  Outline outline_;
  DocumentFlags flags_;
  TreeEditor editor_{&outline_, &flags_};
};

TEST_F(TreeEditorTest, NewNodesTakeTheKindOfTheirPlace) {
  struct Case {
    const char* selected;
    Node* (TreeEditor::*command)(Node*);
    int level;
    int32_t kind;
    int32_t icon;
    const char* next;       // title of the node after the new one in pre-order ("" at the end)
    int32_t selected_kind;  // the selected node's kind afterwards
  };
  const Case cases[] = {
      {"Story", &TreeEditor::Add, 0, nkRoot, 1, "", nkRoot},    // end of the top level
      {"S1", &TreeEditor::Add, 2, nkChild, 7, "Ch2", nkChild},  // last child of Ch1
      {"Name", &TreeEditor::Add, 2, nkChild, 7, "Notes", nkCharaItem},
      {"S3", &TreeEditor::AddChild, 3, nkChild, 7, "Hero", nkParent},
      {"Hero", &TreeEditor::AddChild, 2, nkChild, 7, "Notes", nkChara},
      {"Age", &TreeEditor::AddChild, 3, nkChild, 7, "Notes", nkCharaItem},
      {"Story", &TreeEditor::AddChild, 1, nkChild, 7, "Notes", nkRoot},
      {"S2", &TreeEditor::InsertParent, 2, nkParent, 14, "S2", nkChild},
      {"S2", &TreeEditor::InsertChild, 2, nkChild, 7, "S2", nkChild},
  };
  for (const Case& c : cases) {
    Outline outline;
    BuildStory(&outline);
    DocumentFlags flags;
    TreeEditor editor(&outline, &flags);
    Node* selected = Find(outline, c.selected);
    Node* added = (editor.*c.command)(selected);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->level(), c.level) << c.selected;
    EXPECT_EQ(added->data()->Kind, c.kind) << c.selected;
    EXPECT_EQ(added->icon(), c.icon) << c.selected;
    EXPECT_EQ(added->data()->Color, ncBlue);
    EXPECT_TRUE(added->title().empty());
    EXPECT_FALSE(added->data()->Body.has_value());
    Node* next = outline.NextInPreorder(added);
    EXPECT_EQ(next == nullptr ? "" : next->title(), c.next) << c.selected;
    EXPECT_EQ(selected->data()->Kind, c.selected_kind) << c.selected;
    EXPECT_EQ(editor.undo_record().kind, UndoRecord::Kind::kAdd);
    EXPECT_EQ(editor.undo_record().node, added);
    EXPECT_TRUE(flags.TreeModified);
    EXPECT_STREQ(editor.UndoCaption(), kUndoTreeAddCaption);
  }
}

TEST_F(TreeEditorTest, DeletingAnOnlyChildGivesAParentMarkedParentTheChildMark) {
  Node* s3 = N("S3");
  EXPECT_EQ(editor_.Delete(s3), N("Ch2"));  // the parent takes the selection
  EXPECT_EQ(N("Ch2")->data()->Kind, nkChild);
  EXPECT_EQ(N("Ch2")->icon(), ncPink + kChildIconBase);  // in its own colour

  Outline outline;
  testing::Build(
      &outline,
      {{0, "R", nkRoot}, {1, "only", nkChild}, {1, "C", nkChara}, {2, "item", nkCharaItem}});
  TreeEditor editor(&outline, &flags_);
  editor.Delete(Find(outline, "only"));
  editor.Delete(Find(outline, "item"));
  EXPECT_EQ(Describe(outline), "0:R:1:1:1 1:C:4:1:3 ");
}

TEST_F(TreeEditorTest, TheFirstNodeIsNeverDeleted) {
  EXPECT_EQ(editor_.Delete(N("Story")), nullptr);
  EXPECT_EQ(outline_.size(), 10u);
  EXPECT_FALSE(flags_.TreeModified);
}

TEST_F(TreeEditorTest, DeleteUndoUndoUndoCyclesTheSubtree) {
  EXPECT_EQ(editor_.Delete(N("Ch1")), N("Ch2"));
  EXPECT_EQ(editor_.undo_tree().size(), 3u);
  EXPECT_STREQ(editor_.UndoCaption(), kUndoTreeDeleteCaption);
  flags_.Clear();

  Node* restored = editor_.Undo();
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->title(), "Ch1");
  EXPECT_FALSE(flags_.TreeModified);  // undoing a delete leaves the flag alone
  // Colour is reset to 1 but the icon is the old one (green parent mark).
  EXPECT_EQ(restored->data()->Color, ncBlue);
  EXPECT_EQ(restored->icon(), ncGreen + kParentIconBase);
  EXPECT_EQ(*restored->data()->Body, "{\\rtf1 ch1}");
  EXPECT_EQ(*N("S1")->data()->Body, "{\\rtf1 s1}");
  EXPECT_EQ(*N("S2")->data()->Body, "");  // an absent body comes back empty
  EXPECT_EQ(N("S1")->data()->Color, ncOrange);
  EXPECT_EQ(outline_.AbsoluteIndex(restored), 1u);
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kAdd);

  editor_.Undo();  // removes it again
  EXPECT_EQ(N("Ch1"), nullptr);
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kDelete);
  ASSERT_NE(editor_.Undo(), nullptr);  // and brings it back once more
  EXPECT_EQ(outline_.AbsoluteIndex(N("Ch1")), 1u);
  EXPECT_EQ(outline_.size(), 10u);
}

TEST_F(TreeEditorTest, DeletedLastTopLevelNodeComesBackLastWithTheRootMark) {
  editor_.Delete(N("Notes"));
  Node* restored = editor_.Undo();
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->parent(), nullptr);
  EXPECT_EQ(restored->row(), 1u);
  EXPECT_EQ(restored->data()->Kind, nkRoot);
  EXPECT_EQ(restored->icon(), kIconRoot);
}

TEST_F(TreeEditorTest, DeletedLastChildComesBackAsTheLastChild) {
  editor_.Delete(N("S2"));
  Node* restored = editor_.Undo();
  EXPECT_EQ(restored->parent(), N("Ch1"));
  EXPECT_EQ(restored->row(), 1u);
}

TEST_F(TreeEditorTest, MoveUpAndDownUndoBackAndForth) {
  Node* s2 = N("S2");
  ASSERT_TRUE(editor_.MoveUp(s2));
  EXPECT_EQ(s2->row(), 0u);
  EXPECT_STREQ(editor_.UndoCaption(), kUndoTreeMoveCaption);
  EXPECT_EQ(editor_.Undo(), s2);  // back before its former next sibling (none: append)
  EXPECT_EQ(s2->row(), 1u);
  EXPECT_EQ(editor_.Undo(), s2);  // and up again
  EXPECT_EQ(s2->row(), 0u);

  Node* ch1 = N("Ch1");
  ASSERT_TRUE(editor_.MoveDown(ch1));
  EXPECT_EQ(ch1->row(), 1u);
  EXPECT_EQ(editor_.Undo(), ch1);
  EXPECT_EQ(ch1->row(), 0u);
  EXPECT_EQ(ch1->data()->Kind, nkParent);  // the kind follows its children after a move undo
}

TEST_F(TreeEditorTest, MovesThatWouldPassTheFirstNodeAreRefused) {
  EXPECT_FALSE(editor_.MoveUp(N("Notes")));    // its previous sibling is the first node
  EXPECT_FALSE(editor_.MoveDown(N("Story")));  // the first node itself
  EXPECT_FALSE(editor_.MoveUp(N("S1")));       // no previous sibling
  EXPECT_FALSE(editor_.MoveDown(N("S2")));     // no next sibling
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kNone);
}

TEST_F(TreeEditorTest, ARecordWhoseNodeOrAnchorIsDeletedIsCleared) {
  ASSERT_TRUE(editor_.MoveUp(N("S2")));  // anchor: Ch1 (append)
  outline_.Remove(N("Ch1"));             // anchor and node gone
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kNone);
  EXPECT_EQ(editor_.Undo(), nullptr);

  editor_.Delete(N("S3"));  // anchor: Ch2 (append)
  outline_.Remove(N("Ch2"));
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kNone);
}

TEST_F(TreeEditorTest, ColoursMarksAndOpenAll) {
  editor_.SetColor(N("Story"), ncPurple);  // top level: nothing at all
  EXPECT_EQ(N("Story")->data()->Color, ncBlue);
  EXPECT_EQ(editor_.current_color(), ncBlue);
  EXPECT_FALSE(flags_.TreeModified);
  editor_.SetColor(N("Hero"), ncBrown);
  EXPECT_EQ(N("Hero")->data()->Color, ncBrown);
  EXPECT_EQ(N("Hero")->icon(), kIconChara);
  EXPECT_EQ(editor_.current_color(), ncBrown);
  editor_.ApplyCurrentColor(N("S1"));
  EXPECT_EQ(N("S1")->icon(), ncBrown + kChildIconBase);
  editor_.ToggleMark(N("S1"));
  EXPECT_EQ(N("S1")->icon(), ncBrown + kParentIconBase);
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kNone);  // not recorded

  EXPECT_EQ(editor_.SetAllExpanded(true), N("Notes"));
  bool all = true;
  outline_.ForEach([&](Node* n) { all = all && n->expanded(); });
  EXPECT_TRUE(all);
  EXPECT_EQ(editor_.SetAllExpanded(false), N("Story"));
  EXPECT_FALSE(N("Ch1")->expanded());
}

TEST_F(TreeEditorTest, UndoOfAnAddDeletesTheNodeAndCanBringItBack) {
  Node* added = editor_.AddChild(N("S1"));
  outline_.SetTitle(added, "new");
  EXPECT_EQ(N("S1")->data()->Kind, nkParent);
  editor_.Undo();
  EXPECT_EQ(N("new"), nullptr);
  EXPECT_EQ(N("S1")->data()->Kind, nkChild);  // lost its only child
  Node* back = editor_.Undo();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->title(), "new");
  EXPECT_EQ(back->parent(), N("S1"));
  EXPECT_EQ(N("S1")->data()->Kind, nkParent);
}

TEST_F(TreeEditorTest, OpeningADocumentClearsTheRecord) {
  editor_.Delete(N("S1"));
  outline_.BeginBulkLoad();
  outline_.EndBulkLoad();
  EXPECT_EQ(editor_.undo_record().kind, UndoRecord::Kind::kNone);
}

}  // namespace
}  // namespace pw
