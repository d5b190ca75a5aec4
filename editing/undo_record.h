// The one-level undo record of the tree: what the last add, delete or move was, and where a
// node goes back to.
#ifndef PLOTWEAVE_EDITING_UNDO_RECORD_H_
#define PLOTWEAVE_EDITING_UNDO_RECORD_H_

#include "core/outline.h"

namespace pw {

enum class AnchorMode {
  kInsertBefore,  // directly before the anchor node
  kAppend,        // as the anchor's last child; without an anchor, the last top-level node
};

struct Anchor {
  Node* node = nullptr;
  AnchorMode mode = AnchorMode::kAppend;
};

// Where `node` stands now, as a place to come back to: before its next sibling, or else at the
// end of its parent's children (of the top level when it has no parent).
Anchor PlaceOf(const Outline& outline, const Node* node);

// True when `node` is `root` or lies in its subtree.
bool IsInSubtree(const Node* node, const Node* root);

struct UndoRecord {
  enum class Kind { kNone, kAdd, kDelete, kMove };
  Kind kind = Kind::kNone;
  Node* node = nullptr;  // the added or moved node
  Anchor anchor;         // delete and move

  void Clear() { *this = UndoRecord(); }
};

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_UNDO_RECORD_H_
