// The rules that enable the tree commands for the selected node.
#include "ui/editing/tree_command_states.h"

namespace pw {

TreeCommandStates ComputeTreeCommandStates(const Outline& outline, const Node* node) {
  TreeCommandStates s;
  if (node == nullptr) return s;
  const int32_t k = node->data() != nullptr ? node->data()->Kind : 0;
  const int level = node->level();
  const size_t children = node->child_count();
  const size_t absolute = outline.AbsoluteIndex(node);
  const size_t row = node->row();
  const size_t siblings = outline.child_count(node->parent());
  const bool chara = k == nkChara || k == nkCharaItem;
  s.add = k != nkChara;
  s.add_child = true;
  s.ins_parent_child = level > 0;
  s.ins_chara_item = k == nkChara;
  s.up = row > 0 && outline.AbsoluteIndex(outline.child(node->parent(), row - 1)) != 0;
  s.down = row + 1 < siblings && absolute != 0;
  s.mark_change = level > 0 && children == 0 && !chara;
  s.color = level > 0 && !chara;
  s.del = absolute != 0;
  s.merge = level > 0 && children == 0 && !chara;
  s.split = !chara;
  s.save_template = children > 0;
  s.edit_up = absolute > 0;
  s.edit_down = absolute + 1 < outline.size();
  return s;
}

}  // namespace pw
