// Drag-over acceptance and drops in the tree.
#include "editing/tree_drop.h"

#include "core/node_marks.h"

namespace pw {
namespace {

int32_t KindOf(const Node* node) { return node->data() != nullptr ? node->data()->Kind : 0; }

}  // namespace

DragOverResult DragOver(const Outline& outline, const Node* dragged, const Node* target,
                        DropHit hit) {
  switch (hit) {
    case DropHit::kOutsideAbove:
      return {false, AutoScroll::kUp};
    case DropHit::kOutsideBelow:
      return {false, AutoScroll::kDown};
    case DropHit::kOutsideLeft:
      return {false, AutoScroll::kLeft};
    case DropHit::kOutsideRight:
      return {false, AutoScroll::kRight};
    default:
      break;
  }
  if (target == nullptr || hit == DropHit::kNowhere) return {};
  if (dragged == nullptr || dragged->data() == nullptr || outline.AbsoluteIndex(dragged) == 0) {
    return {};
  }
  if (KindOf(dragged) == nkCharaItem) {
    if (target->data() == nullptr) return {};
    if (KindOf(target) == nkChara) return {hit == DropHit::kLabel, AutoScroll::kNone};
    if (KindOf(target) == nkCharaItem) return {hit == DropHit::kButton, AutoScroll::kNone};
    return {};
  }
  return {true, AutoScroll::kNone};
}

bool Drop(Outline* outline, Node* dragged, Node* target, DropHit hit, UndoRecord* undo,
          DocumentFlags* flags) {
  if (target == nullptr || dragged == nullptr || target == dragged) return false;
  if (hit != DropHit::kLabel && hit != DropHit::kButton) return false;
  Node* new_parent = nullptr;
  size_t row = SIZE_MAX;
  if (hit == DropHit::kLabel) {
    new_parent = target;
  } else if (outline->AbsoluteIndex(target) != 0) {
    new_parent = target->parent();
    row = target->row();
  }
  // A node cannot go into its own subtree.
  if (new_parent != nullptr && IsInSubtree(new_parent, dragged)) return false;

  Node* old_parent = dragged->parent();
  undo->Clear();
  undo->kind = UndoRecord::Kind::kMove;
  undo->node = dragged;
  undo->anchor = PlaceOf(*outline, dragged);
  outline->Move(dragged, new_parent, row);

  if (dragged->parent() == nullptr) {
    SetRootMark(*outline, dragged);
  } else {
    if (old_parent == nullptr) {
      SetParentMark(*outline, dragged);
    } else if (!old_parent->has_children() && KindOf(old_parent) == nkParent) {
      SetChildMark(*outline, old_parent);
    }
    // A story node that gains a child takes the parent mark, wherever the child came from.
    if (hit == DropHit::kLabel && KindOf(target) == nkChild) SetParentMark(*outline, target);
  }
  flags->TreeModified = true;
  return true;
}

}  // namespace pw
