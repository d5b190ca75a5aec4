// The model operations that keep a node's kind, colour and icon in step, and the saving and
// restoring of expanded states.
#ifndef PLOTWEAVE_CORE_NODE_MARKS_H_
#define PLOTWEAVE_CORE_NODE_MARKS_H_

#include <cstdint>

#include "core/document_flags.h"
#include "core/outline.h"

namespace pw {

// The icon a node of this kind and colour shows.
int32_t IconFor(int32_t kind, int32_t color);

void SetParentMark(Outline& outline, Node* node);
void SetChildMark(Outline& outline, Node* node);
void SetRootMark(Outline& outline, Node* node);
// Top-level nodes are left alone, colour included.
void SetNodeColor(Outline& outline, Node* node, int32_t color);
// Parent mark <-> child mark; other kinds unchanged. Sets TreeModified in every case.
void ToggleMark(Outline& outline, Node* node, DocumentFlags& flags);

void SaveExpandedStates(Outline& outline);
void RestoreExpandedStates(Outline& outline);

// The colour captions of the colour menus, "青" to "桃", for colours 1..6 (UTF-8).
const char* ColorCaption(int32_t color);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_NODE_MARKS_H_
