// The formatted text export. Output goes out in pieces, so a large document never needs its
// whole export in memory at once.
#include "export/text_export.h"

#include <algorithm>
#include <memory>

#include "core/atomic_file.h"
#include "export/chapter_number.h"
#include "export/node_mark.h"
#include "richtext/body_text.h"

namespace pw {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Appends lines to a buffer that is handed to `file` (when there is one) whenever it grows large.
class LineOutput {
 public:
  LineOutput(std::string* buffer, AtomicFile* file) : buffer_(*buffer), file_(file) {}
  void Line(std::string_view prefix, std::string_view text) {
    buffer_ += prefix;
    buffer_ += text;
    buffer_ += kCrLf;
    if (file_ != nullptr && buffer_.size() >= AtomicFile::kBufferSize) Flush();
  }
  void Flush() {
    if (file_ == nullptr) return;
    file_->Write(buffer_);
    buffer_.clear();
  }

 private:
  std::string& buffer_;
  AtomicFile* file_;
};

void WriteFormattedText(const Outline& outline, PreorderRange range, const TextFormat& format,
                        std::string_view split_line, ProgressSink* progress, LineOutput* out) {
  range.end = std::min(range.end, outline.size());
  ProgressScope scope(progress, kTextExportCaption, range.empty() ? 0 : range.size());
  if (range.empty()) return;
  const int base_depth = outline.NodeAt(range.first)->level();
  const std::string_view unit = IndentUnit(format.indent, format.custom_indent);
  NodeMarker marker;
  std::string prefix;
  for (size_t i = range.first; i < range.end; ++i) {
    const Node* node = outline.NodeAt(i);
    const std::string_view mark = marker.Next(node->icon());
    prefix.clear();
    for (int d = node->level() - base_depth; d > 0; --d) prefix += unit;

    if (format.separator_above) out->Line(prefix, split_line);
    out->Line(prefix, TitleLine(*node, format, mark));
    if (format.separator_below) out->Line(prefix, split_line);
    const TNodeData* data = node->data();
    if (format.include_bodies && data != nullptr && data->Body) {
      for (const std::string& line : rich::BodyToLines(*data->Body)) out->Line(prefix, line);
    }
    scope.Step();
  }
}

}  // namespace

std::string BuildFormattedText(const Outline& outline, PreorderRange range,
                               const TextFormat& format, std::string_view split_line,
                               ProgressSink* progress) {
  std::string text;
  LineOutput out(&text, nullptr);
  WriteFormattedText(outline, range, format, split_line, progress, &out);
  return text;
}

Status ExportFormattedText(const std::string& path, const Outline& outline, PreorderRange range,
                           const TextFormat& format, std::string_view split_line,
                           ProgressSink* progress) {
  Status status;
  std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status);
  if (file == nullptr) return status;
  std::string buffer;
  LineOutput out(&buffer, file.get());
  WriteFormattedText(outline, range, format, split_line, progress, &out);
  out.Flush();
  return file->Commit();
}

}  // namespace pw
