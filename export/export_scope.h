// Which nodes an export covers: all of them, the selected node alone, or the selected node
// with its descendants, as a range of pre-order indexes.
#ifndef PLOTWEAVE_EXPORT_EXPORT_SCOPE_H_
#define PLOTWEAVE_EXPORT_EXPORT_SCOPE_H_

#include <cstddef>

#include "core/outline.h"
#include "core/status.h"

namespace pw {

enum class ExportScope { kSelectedNode, kSubtree, kAll };

// Captions of the scope choices (UTF-8). The first one has a full-width opening parenthesis.
inline constexpr char kScopeSelectedNodeCaption[] = "選択されているﾉｰﾄﾞだけ（&G)";
inline constexpr char kScopeSubtreeCaption[] = "選択されているﾉｰﾄﾞの下だけ(&D)";
inline constexpr char kScopeAllCaption[] = "すべてのﾉｰﾄﾞ(&A)";

// Pre-order indexes [first, end) of the whole document.
struct PreorderRange {
  size_t first = 0;
  size_t end = 0;
  size_t size() const { return end - first; }
  bool empty() const { return end <= first; }
  size_t last() const { return end - 1; }  // only when not empty
  friend bool operator==(const PreorderRange&, const PreorderRange&) = default;
};

// The subtree choice is offered only for a node that has children.
bool SubtreeScopeAvailable(const Node* selected);

// kAll: every node. kSelectedNode: the node itself. kSubtree: the node to its last
// descendant (the node alone when it has none). Without a selected node the node scopes
// are empty.
PreorderRange ScopeRange(const Outline& outline, ExportScope scope, const Node* selected);

// The same for a node named by its pre-order index, as scripts do: an index past the end, or
// the subtree scope on a node without children, is refused with a message.
Status ScopeRangeAt(const Outline& outline, ExportScope scope, size_t index, PreorderRange* range);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_EXPORT_SCOPE_H_
