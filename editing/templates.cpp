// Saving and loading templates.
#include "editing/templates.h"

#include "core/outline_file.h"
#include "editing/subtree_copy.h"

namespace pw {

Status SaveTemplate(const Outline& outline, const Node* root, Outline* scratch,
                    const std::string& path) {
  CopySubtreeTo(outline, root, scratch);
  scratch->ForEach([](Node* node) { node->data()->Body.reset(); });
  WriteOptions options;
  options.variant = OutlineVariant::kTemplate;
  return WriteOutlineFile(path, *scratch, options);
}

Status LoadTemplate(const std::string& path, Outline* scratch) {
  return ReadOutlineFile(path, ReadTarget::kOtherTree, scratch).status;
}

}  // namespace pw
