// The open document's modified flags.
#include "core/document_flags.h"

namespace pw {

bool DocumentFlags::TestModified() {
  DocumentModified = BodyModified || TitleModified || TreeModified;
  return DocumentModified;
}

void DocumentFlags::Clear() {
  BodyModified = TitleModified = TreeModified = DocumentModified = false;
}

}  // namespace pw
