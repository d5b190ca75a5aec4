// Dragging a node inside the tree: which drops are accepted while dragging, and the move a drop
// makes. The toolkit's hit test is reduced to four classes.
#ifndef PLOTWEAVE_EDITING_TREE_DROP_H_
#define PLOTWEAVE_EDITING_TREE_DROP_H_

#include "core/document_flags.h"
#include "core/outline.h"
#include "editing/undo_record.h"

namespace pw {

enum class DropHit {
  kLabel,         // on the label, the icon or the item area: becomes the target's last child
  kButton,        // on the expand button or in the indent: goes directly before the target
  kNowhere,       // on no node, or right of a label
  kOutsideAbove,  // outside the tree: refused, and the view scrolls that way
  kOutsideBelow,
  kOutsideLeft,
  kOutsideRight,
};

enum class AutoScroll { kNone, kUp, kDown, kLeft, kRight };

struct DragOverResult {
  bool accept = false;
  AutoScroll scroll = AutoScroll::kNone;
};

// `dragged` is the selected node; `target` the node under the pointer (nullptr for none).
DragOverResult DragOver(const Outline& outline, const Node* dragged, const Node* target,
                        DropHit hit);

// Moves `dragged` for a drop on `target`, fixes the kinds and writes a move record into
// `undo`. Returns false when the drop changes nothing.
bool Drop(Outline* outline, Node* dragged, Node* target, DropHit hit, UndoRecord* undo,
          DocumentFlags* flags);

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_TREE_DROP_H_
