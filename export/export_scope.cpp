// Export scopes as pre-order ranges.
#include "export/export_scope.h"

#include <string>

namespace pw {

bool SubtreeScopeAvailable(const Node* selected) {
  return selected != nullptr && selected->has_children();
}

PreorderRange ScopeRange(const Outline& outline, ExportScope scope, const Node* selected) {
  if (scope == ExportScope::kAll) return {0, outline.size()};
  if (selected == nullptr) return {};
  const size_t first = outline.AbsoluteIndex(selected);
  if (scope == ExportScope::kSelectedNode) return {first, first + 1};
  return {first, first + outline.SubtreeSize(selected)};
}

Status ScopeRangeAt(const Outline& outline, ExportScope scope, size_t index, PreorderRange* range) {
  if (scope == ExportScope::kAll) {
    *range = ScopeRange(outline, scope, nullptr);
    return Status::Ok();
  }
  const Node* node = outline.NodeAt(index);
  if (node == nullptr) {
    return Status::Error("ノード " + std::to_string(index) + " はありません (ノード数 " +
                         std::to_string(outline.size()) + ")");
  }
  if (scope == ExportScope::kSubtree && !SubtreeScopeAvailable(node)) {
    return Status::Error("ノード " + std::to_string(index) + " には子ノードがありません");
  }
  *range = ScopeRange(outline, scope, node);
  return Status::Ok();
}

}  // namespace pw
