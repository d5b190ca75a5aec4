// Copying a subtree into a scratch tree and inserting a scratch tree's content back under a
// node: what delete and undo, the node clipboard and templates use to move subtrees around.
#ifndef PLOTWEAVE_EDITING_SUBTREE_COPY_H_
#define PLOTWEAVE_EDITING_SUBTREE_COPY_H_

#include <cstddef>
#include <string>

#include "core/outline.h"

namespace pw {

inline constexpr char kCharaItemPlacementCaption[] = "追加できません";
inline constexpr char kCharaItemPlacementMessage[] = "ｷｬﾗｸﾀｰ項目はｷｬﾗｸﾀ-の下以外には追加できません";

// Absolute index of the last node of `node`'s subtree.
size_t LastDescendantIndex(const Outline& outline, const Node* node);

// Replaces the content of `scratch` by a copy of the subtree at `root`: titles, bodies, kinds,
// colours and icons. Expanded states are not copied.
void CopySubtreeTo(const Outline& from, const Node* root, Outline* scratch);

// Appends a copy of `source`'s children in pre-order under `copy_root` (already created as the
// copy of `source_root`), with titles, bodies (an absent body becomes an empty one), kinds,
// colours and icons.
void CopyDescendants(const Outline& source, const Node* source_root, Outline* target,
                     Node* copy_root);

// A detached copy of the subtree at `root` whose first node takes `root_data` and the given
// icons; the rest as CopyDescendants makes them. Attaching it with Outline::Adopt lets a view
// hear of one insertion, not thousands.
std::unique_ptr<Node> CopyAside(const Outline& source, const Node* root,
                                std::unique_ptr<TNodeData> root_data, int32_t icon,
                                int32_t selected_icon);

struct InsertResult {
  Node* node = nullptr;  // the copy of the scratch tree's first node, or nothing
  std::string message;   // why nothing was inserted, for a message box
};

// Inserts the scratch tree's content as the last child of `selected`: the first node's record
// is reset to colour 1 (a former top-level node becomes a story node), a kind 3 `selected`
// takes the parent mark, and a character item is refused anywhere but under a character node.
InsertResult InsertSubtreeFrom(const Outline& scratch, Outline* outline, Node* selected);

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_SUBTREE_COPY_H_
