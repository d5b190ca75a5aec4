// The content of a new document.
#include "core/new_document.h"

namespace pw {

Node* MakeNewDocument(Outline* outline) {
  outline->Clear();
  return outline->Append(nullptr, kNewNodeTitle, NewNodeData(nkRoot), kIconRoot);
}

}  // namespace pw
