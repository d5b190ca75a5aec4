// The tree commands over the main outline: adding, inserting, deleting and moving nodes, marks
// and colours, opening and closing all, and the one-level undo of adds, deletes and moves with
// its scratch tree of the last deleted subtree. The window binds them to its commands; each
// returns the node it leaves for the window to select.
#ifndef PLOTWEAVE_EDITING_TREE_EDITOR_H_
#define PLOTWEAVE_EDITING_TREE_EDITOR_H_

#include <cstdint>
#include <string>
#include <vector>

#include "core/document_flags.h"
#include "core/outline.h"
#include "editing/tree_drop.h"
#include "editing/undo_record.h"

namespace pw {

// Undo captions of the tree (the window picks one by the focused pane).
inline constexpr char kUndoTreeCaption[] = "ﾂﾘｰを元に戻す(&U)";
inline constexpr char kUndoTreeDeleteCaption[] = "ﾂﾘｰを元に戻す(&U) 削除";
inline constexpr char kUndoTreeAddCaption[] = "ﾂﾘｰを元に戻す(&U) 追加";
inline constexpr char kUndoTreeMoveCaption[] = "ﾂﾘｰを元に戻す(&U) 移動";
inline constexpr char kUndoAddQuestion[] =
    "先ほど追加したﾉｰﾄﾞを削除します。\r\nﾃｷｽﾄが変更されている場合、そのﾃｷｽﾄも削除されます。"
    "\r\n実行してよろしいですか？";

class TreeEditor : public OutlineObserver {
 public:
  TreeEditor(Outline* outline, DocumentFlags* flags);
  ~TreeEditor() override;
  TreeEditor(const TreeEditor&) = delete;
  TreeEditor& operator=(const TreeEditor&) = delete;

  const UndoRecord& undo_record() const { return undo_; }
  const Outline& undo_tree() const { return undo_tree_; }  // the last deleted subtree
  int32_t current_color() const { return current_color_; }
  const char* UndoCaption() const;
  void ClearUndo() { undo_.Clear(); }
  // The common ending of every command that creates a node.
  void RecordAdd(Node* node);

  // A character node with one item per entry of `items` as the last child of `selected`.
  Node* InsertCharacter(Node* selected, const std::vector<std::string>& items);
  // An empty item as the last child of a character node.
  Node* InsertCharaItem(Node* chara);
  // The template in `scratch` as the last child of `selected`, fully expanded; nothing (and the
  // message to show) when it cannot stand there.
  Node* InsertTemplate(const Outline& scratch, Node* selected, std::string* message);

  // Node creation shared by several commands (no undo record, no flags).
  Node* AddSiblingNode(Node* selected, bool at_end);
  Node* AddChildNode(Node* selected, bool at_end);

  Node* Add(Node* selected);
  Node* AddChild(Node* selected);
  Node* InsertParent(Node* selected);
  Node* InsertChild(Node* selected);
  // Returns the neighbour that takes the selection (next sibling, previous sibling, parent),
  // or nullptr when nothing was deleted (the first node of the tree is never deleted).
  Node* Delete(Node* selected);
  // Copies the subtree into the undo tree, then deletes it: cut and delete share this.
  bool MoveUp(Node* selected);
  bool MoveDown(Node* selected);
  void ToggleMark(Node* selected);
  // Sets the colour and makes it the current colour; nothing at the top level.
  void SetColor(Node* selected, int32_t color);
  void ApplyCurrentColor(Node* selected) { SetColor(selected, current_color_); }
  // Open all / close all: expands or collapses every node; returns the node to select (the
  // last node in pre-order, or the first).
  Node* SetAllExpanded(bool expanded);

  // A drop in the tree (see tree_drop.h), recorded for undo.
  bool DropNode(Node* dragged, Node* target, DropHit hit) {
    return Drop(outline_, dragged, target, hit, &undo_, flags_);
  }

  // Puts the undo tree's content back at the anchor; returns the restored node.
  Node* RestoreDeletedSubtree(Anchor anchor);
  // Runs the undo of the record (an add record is undone by deleting its node: ask first).
  // Returns the node to select, or nullptr when nothing changed.
  Node* Undo();

  // OutlineObserver: a record whose node or anchor goes away is cleared, never left dangling.
  void BeginInsert(Node*, size_t, size_t) override {}
  void EndInsert() override {}
  void BeginRemove(Node* parent, size_t row, size_t count) override;
  void EndRemove() override {}
  void BeginMove(Node*, size_t, Node*, size_t) override {}
  void EndMove() override {}
  void BeginReset() override { undo_.Clear(); }
  void EndReset() override {}
  void NodeChanged(Node*) override {}

 private:
  Node* InsertBefore(Node* selected, int32_t kind);
  Node* UndoMove();

  Outline* outline_;
  DocumentFlags* flags_;
  Outline undo_tree_;
  UndoRecord undo_;
  int32_t current_color_ = ncBlue;
};

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_TREE_EDITOR_H_
