// The open document's modified flags.
#ifndef PLOTWEAVE_CORE_DOCUMENT_FLAGS_H_
#define PLOTWEAVE_CORE_DOCUMENT_FLAGS_H_

namespace pw {

struct DocumentFlags {
  bool BodyModified = false;
  bool TitleModified = false;
  bool TreeModified = false;
  bool DocumentModified = false;

  // Recomputes DocumentModified from the other three and returns it.
  bool TestModified();
  // Clears all four (new document, successful save).
  void Clear();
};

}  // namespace pw

#endif  // PLOTWEAVE_CORE_DOCUMENT_FLAGS_H_
