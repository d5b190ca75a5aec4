// Merge and split: the two tree commands that move body text between nodes. They work on the
// stored bodies (the window stores the body pane first and reloads it afterwards), keep the
// moved text's formatting, and cannot be undone.
#ifndef PLOTWEAVE_EDITING_BODY_TRANSFER_H_
#define PLOTWEAVE_EDITING_BODY_TRANSFER_H_

#include "core/outline.h"
#include "editing/tree_editor.h"
#include "richtext/rich_document.h"

namespace pw {

inline constexpr char kMergeQuestion[] = "ﾉｰﾄﾞの結合は取り消せません。\r\nよろしいですか？";
inline constexpr char kSplitQuestion[] = "ﾉｰﾄﾞの分割は取り消せません。\r\nよろしいですか？";

// True when the node may be merged into its parent: below the top level, without children,
// neither a character node nor an item.
bool CanMerge(const Node* node);
// True when the node may be split: neither a character node nor an item.
bool CanSplit(const Node* node);

// Appends the node's body, formatting included, to its parent's body and deletes the node.
// Returns the parent (to be selected), or nullptr when the node cannot be merged.
Node* MergeIntoParent(TreeEditor* editor, Outline* outline, Node* node);

// Moves the body from `caret` to the end into a new node: the first child of `node` with
// `into_child`, else the node directly after it. Returns the new node.
Node* SplitNode(TreeEditor* editor, Node* node, rich::TextPosition caret, bool into_child);

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_BODY_TRANSFER_H_
