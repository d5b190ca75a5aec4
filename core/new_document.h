// The content of a new document: one top-level node "No Title".
#ifndef PLOTWEAVE_CORE_NEW_DOCUMENT_H_
#define PLOTWEAVE_CORE_NEW_DOCUMENT_H_

#include "core/outline.h"

namespace pw {

inline constexpr char kNewNodeTitle[] = "No Title";
inline constexpr char kNewFileName[] = "NewFile.PWV";

// Empties `outline` and adds the single root node; returns it.
Node* MakeNewDocument(Outline* outline);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_NEW_DOCUMENT_H_
