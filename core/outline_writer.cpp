// Writing an outline in the current layout: titles, then bodies, then records, then (for a
// document) the selected node and the caret.
#include "core/atomic_file.h"
#include "core/outline_file.h"
#include "core/title_section.h"

namespace pw {
namespace {

void AppendRecord(std::string* records, const Node* node, bool has_body, int32_t body_length,
                  int32_t body_offset) {
  const TNodeData* data = node->data();
  records->push_back(has_body ? 1 : 0);
  AppendInt32(records, has_body ? body_length : 0);
  AppendInt32(records, has_body ? body_offset : 0);
  AppendInt32(records, node->icon());
  AppendInt32(records, node->selected_icon());
  AppendInt32(records, data != nullptr ? data->Color : ncBlue);
  records->push_back(node->expanded() ? 1 : 0);
  AppendInt32(records, data != nullptr ? data->Kind : (node->parent() ? nkChild : nkRoot));
}

}  // namespace

std::string SerializeOutline(const Outline& outline, const WriteOptions& options) {
  const bool with_bodies = options.variant != OutlineVariant::kTemplate;
  ProgressScope progress(options.progress, kSavingCaption, outline.size() + 1);

  std::string titles = BuildTitleSection(outline);
  std::string bodies;
  std::string records;
  records.reserve(outline.size() * kRecordSize);
  if (with_bodies) {
    size_t total = 0;
    outline.ForEach([&total](Node* node) {
      if (node->data() != nullptr && node->data()->Body) total += node->data()->Body->size();
    });
    bodies.reserve(total);
  }
  outline.ForEach([&](Node* node) {
    const TNodeData* data = node->data();
    bool has_body = with_bodies && data != nullptr && data->Body.has_value();
    int32_t offset = 0;
    int32_t length = 0;
    if (has_body) {
      offset = static_cast<int32_t>(bodies.size());
      if (options.body_serializer) {
        bodies += options.body_serializer(*data->Body);
      } else {
        bodies += *data->Body;
      }
      length = static_cast<int32_t>(bodies.size() - static_cast<size_t>(offset));
    }
    AppendRecord(&records, node, has_body, length, offset);
    progress.Step();
  });

  std::string out;
  out.reserve(15 + titles.size() + bodies.size() + records.size() + 8);
  out.append("\x03\x00\x00", 3);
  AppendInt32(&out, static_cast<int32_t>(titles.size()));
  if (with_bodies) AppendInt32(&out, static_cast<int32_t>(bodies.size()));
  AppendInt32(&out, static_cast<int32_t>(records.size()));
  out += titles;
  if (with_bodies) out += bodies;
  out += records;
  if (options.variant == OutlineVariant::kDocument) {
    AppendInt32(&out, options.selected_index);
    AppendInt32(&out, options.caret);
  }
  progress.Step();
  return out;
}

Status WriteOutlineFile(const std::string& path, const Outline& outline,
                        const WriteOptions& options) {
  std::string bytes = SerializeOutline(outline, options);
  // Section sizes are 32-bit fields; a larger document cannot be stored in this layout.
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) {
    return Status::Error("文書が大きすぎて保存できません");
  }
  return WriteFileAtomically(path, bytes, options.flush_to_disk);
}

}  // namespace pw
