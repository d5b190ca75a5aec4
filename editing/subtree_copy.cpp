// Subtree copies between the main tree and the scratch trees. Copies walk the source once in
// pre-order and keep a stack of the copies of the open ancestors, so they stay linear.
#include "editing/subtree_copy.h"

#include <cstdint>
#include <vector>

#include "core/node_marks.h"

namespace pw {
namespace {

std::unique_ptr<TNodeData> CopyRecord(const Node* source, bool empty_body_for_none) {
  auto data = NewNodeData(nkChild);
  if (const TNodeData* from = source->data()) {
    data->Color = from->Color;
    data->Kind = from->Kind;
    data->Expanded = from->Expanded;
    if (from->Body) {
      data->Body = from->Body;
    } else if (empty_body_for_none) {
      data->Body = std::string();
    }
  }
  return data;
}

// Copies the descendants of `source_root` below `copy_root`, in pre-order.
void CopyChildren(const Outline& source, const Node* source_root, Outline* target, Node* copy_root,
                  bool empty_body_for_none) {
  const size_t first = source.AbsoluteIndex(source_root);
  const size_t last = first + source.SubtreeSize(source_root) - 1;
  const int base_level = source_root->level();
  std::vector<Node*> copies{copy_root};  // copies[k]: copy of the open ancestor at depth k
  for (size_t i = first + 1; i <= last; ++i) {
    const Node* node = source.NodeAt(i);
    const size_t depth = static_cast<size_t>(node->level() - base_level);
    copies.resize(depth);
    Node* copy = target->Append(copies.back(), node->title(), CopyRecord(node, empty_body_for_none),
                                node->icon());
    target->SetIcons(copy, node->icon(), node->selected_icon());
    copies.push_back(copy);
  }
}

}  // namespace

size_t LastDescendantIndex(const Outline& outline, const Node* node) {
  return outline.AbsoluteIndex(node) + outline.SubtreeSize(node) - 1;
}

void CopySubtreeTo(const Outline& from, const Node* root, Outline* scratch) {
  scratch->BeginBulkLoad();
  scratch->Clear();
  Node* copy = scratch->Append(nullptr, root->title(), CopyRecord(root, false), root->icon());
  scratch->SetIcons(copy, root->icon(), root->selected_icon());
  CopyChildren(from, root, scratch, copy, false);
  scratch->EndBulkLoad();
}

void CopyDescendants(const Outline& source, const Node* source_root, Outline* target,
                     Node* copy_root) {
  CopyChildren(source, source_root, target, copy_root, true);
}

std::unique_ptr<Node> CopyAside(const Outline& source, const Node* root,
                                std::unique_ptr<TNodeData> root_data, int32_t icon,
                                int32_t selected_icon) {
  Outline aside;
  Node* copy = aside.Append(nullptr, root->title(), std::move(root_data), icon);
  aside.SetIcons(copy, icon, selected_icon);
  CopyDescendants(source, root, &aside, copy);
  return aside.Take(copy);
}

InsertResult InsertSubtreeFrom(const Outline& scratch, Outline* outline, Node* selected) {
  InsertResult result;
  const Node* first = scratch.NodeAt(0);
  if (first == nullptr || selected == nullptr) return result;
  const TNodeData* first_data = first->data();
  const int32_t first_kind = first_data != nullptr ? first_data->Kind : nkChild;
  const int32_t selected_kind = selected->data() != nullptr ? selected->data()->Kind : 0;
  if (selected_kind != nkChara && first_kind == nkCharaItem) {
    result.message = kCharaItemPlacementMessage;
    return result;
  }
  auto data = NewNodeData(first_kind);
  data->Body = first_data != nullptr && first_data->Body ? *first_data->Body : std::string();
  int32_t icon = first->icon();
  int32_t selected_icon = first->selected_icon();
  if (first_kind == nkRoot) {
    data->Kind = first->has_children() ? nkParent : nkChild;
    icon = selected_icon = IconFor(data->Kind, ncBlue);
  }
  result.node = outline->Adopt(selected, SIZE_MAX,
                               CopyAside(scratch, first, std::move(data), icon, selected_icon));
  if (selected_kind == nkChild) SetParentMark(*outline, selected);
  outline->SetExpanded(selected, true);
  return result;
}

}  // namespace pw
