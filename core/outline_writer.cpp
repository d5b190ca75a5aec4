// Writing an outline in the current layout: titles, then bodies, then records, then (for a
// document) the selected node and the caret. Sizes are all worked out first, so a file is
// streamed out body by body and never assembled in memory.
#include <string_view>
#include <vector>

#include "core/atomic_file.h"
#include "core/outline_file.h"
#include "core/title_section.h"

namespace pw {
namespace {

constexpr std::string_view kRtfPrefix = "{\\rtf";

}  // namespace

void AppendNodeRecord(std::string* records, const Node* node, bool has_body, int32_t body_length,
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

namespace {

// Everything but the bodies themselves, which are handed out one by one.
class Layout {
 public:
  Layout(const Outline& outline, const WriteOptions& options) : options_(options) {
    with_bodies_ = options.variant != OutlineVariant::kTemplate;
    titles_ = BuildTitleSection(outline);
    records_.reserve(outline.size() * kRecordSize);
    int64_t offset = 0;
    outline.ForEach([&](Node* node) {
      const TNodeData* data = node->data();
      const bool has_body = with_bodies_ && data != nullptr && data->Body.has_value();
      int64_t length = 0;
      if (has_body) {
        const std::string_view body = *data->Body;
        // RTF is stored as it is; anything else becomes RTF through the serializer.
        if (options.body_serializer && body.substr(0, kRtfPrefix.size()) != kRtfPrefix) {
          converted_.push_back(options.body_serializer(body));
          length = static_cast<int64_t>(converted_.back().size());
        } else {
          length = static_cast<int64_t>(body.size());
        }
      }
      AppendNodeRecord(&records_, node, has_body, static_cast<int32_t>(length),
                   static_cast<int32_t>(offset));
      offset += length;
    });
    body_size_ = offset;
  }

  int64_t total_size() const {
    return 15 + static_cast<int64_t>(titles_.size()) + body_size_ +
           static_cast<int64_t>(records_.size()) + 8;
  }

  template <typename Sink>
  void Emit(const Outline& outline, ProgressScope& progress, Sink&& sink) const {
    std::string header("\x03\x00\x00", 3);
    AppendInt32(&header, static_cast<int32_t>(titles_.size()));
    if (with_bodies_) AppendInt32(&header, static_cast<int32_t>(body_size_));
    AppendInt32(&header, static_cast<int32_t>(records_.size()));
    sink(header);
    sink(titles_);
    size_t next_converted = 0;
    outline.ForEach([&](Node* node) {
      const TNodeData* data = node->data();
      if (with_bodies_ && data != nullptr && data->Body.has_value()) {
        const std::string_view body = *data->Body;
        if (options_.body_serializer && body.substr(0, kRtfPrefix.size()) != kRtfPrefix) {
          sink(converted_[next_converted++]);
        } else {
          sink(body);
        }
      }
      progress.Step();
    });
    sink(records_);
    if (options_.variant == OutlineVariant::kDocument) {
      std::string trailer;
      AppendInt32(&trailer, options_.selected_index);
      AppendInt32(&trailer, options_.caret);
      sink(trailer);
    }
    progress.Step();
  }

 private:
  const WriteOptions& options_;
  bool with_bodies_ = true;
  std::string titles_;
  std::string records_;
  std::vector<std::string> converted_;
  int64_t body_size_ = 0;
};

}  // namespace

std::string SerializeOutline(const Outline& outline, const WriteOptions& options) {
  ProgressScope progress(options.progress, kSavingCaption, outline.size() + 1);
  Layout layout(outline, options);
  std::string out;
  out.reserve(static_cast<size_t>(layout.total_size()));
  layout.Emit(outline, progress, [&out](std::string_view bytes) { out.append(bytes); });
  return out;
}

Status WriteOutlineFile(const std::string& path, const Outline& outline,
                        const WriteOptions& options) {
  ProgressScope progress(options.progress, kSavingCaption, outline.size() + 1);
  Layout layout(outline, options);
  // Section sizes are 32-bit fields; a larger document cannot be stored in this layout.
  if (layout.total_size() > kMaxOutlineFileSize) return Status::Error(kTooLargeToSave);
  Status status;
  AtomicFileOptions file_options = options.file;
  file_options.remove_stale_temporaries = true;  // a document: left-overs of killed saves go
  std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status, file_options);
  if (!file) return status;
  layout.Emit(outline, progress, [&file](std::string_view bytes) { file->Write(bytes); });
  return file->Commit(options.flush_to_disk);
}

}  // namespace pw
