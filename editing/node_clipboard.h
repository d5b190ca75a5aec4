// The node clipboard's payload: a subtree as one node-stream block, under one of two format
// names chosen by the kind of its first node, so that running copies of the program (ours or
// another writer's) exchange subtrees.
#ifndef PLOTWEAVE_EDITING_NODE_CLIPBOARD_H_
#define PLOTWEAVE_EDITING_NODE_CLIPBOARD_H_

#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/status.h"

namespace pw {

inline constexpr char kStandardNodeFormat[] = "vantrel pwv standard treenode data format";
inline constexpr char kCharaItemNodeFormat[] = "vantrel pwv charaitem treenode data format";
inline constexpr char kPastedNothingMessage[] = "貼り付けられるノードがありません";

// The format a subtree travels in: the character-item format when its first node is a
// character item (icon 5), else the standard one.
const char* PayloadFormatFor(const Node* first);
// The format paste reads, chosen by the selected node: a character node takes items.
const char* PasteFormatFor(const Node* selected);

// The scratch tree as one node-stream block; plain-text bodies become RTF on the way.
std::string BuildNodePayload(const Outline& scratch);

// Reads a block from the clipboard into `scratch`. Anything malformed (another program may put
// any bytes under these names) leaves `scratch` empty and says why.
Status ReadNodePayload(std::string_view bytes, Outline* scratch);

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_NODE_CLIPBOARD_H_
