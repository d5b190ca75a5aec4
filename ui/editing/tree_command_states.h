// Which tree commands the selected node allows: the rules alone, without the window, so
// they are tested on an outline.
#ifndef PLOTWEAVE_UI_EDITING_TREE_COMMAND_STATES_H_
#define PLOTWEAVE_UI_EDITING_TREE_COMMAND_STATES_H_

#include "core/outline.h"

namespace pw {

// The enabled state of each command that depends on the selected node.
struct TreeCommandStates {
  bool add = false;               // MenuTreeAdd
  bool add_child = false;         // MenuTreeAddChild
  bool ins_parent_child = false;  // MenuTreeInsParent, MenuTreeInsChild
  bool ins_chara_item = false;    // MenuTreeInsCharaItem
  bool up = false;                // MenuTreeUp
  bool down = false;              // MenuTreeDown
  bool mark_change = false;       // MenuTreeMarkChange
  bool color = false;             // MenuTreeColor
  bool del = false;               // MenuTreeDel
  bool merge = false;             // MenuTreeMerge
  bool split = false;             // MenuTreeSplitChild, MenuTreeSplit
  bool save_template = false;     // MenuTreeSaveTemplate
  bool edit_up = false;           // MenuEditUp: a previous node in pre-order
  bool edit_down = false;         // MenuEditDown: a next node in pre-order
  friend bool operator==(const TreeCommandStates&, const TreeCommandStates&) = default;
};

// The rules for `node` (nullptr: nothing selected, everything off).
TreeCommandStates ComputeTreeCommandStates(const Outline& outline, const Node* node);

}  // namespace pw

#endif  // PLOTWEAVE_UI_EDITING_TREE_COMMAND_STATES_H_
