// The RTF export: build, then write the document in one piece.
#include "export/rtf_export.h"

#include "core/atomic_file.h"
#include "export/rich_document_builder.h"
#include "richtext/rtf_writer.h"

namespace pw {

std::string BuildRtf(const Outline& outline, PreorderRange range, const TextFormat& format,
                     std::string_view split_line, ProgressSink* progress) {
  rich::RichDocument document;
  BuildRichDocument(outline, range, format, split_line, &document, progress);
  return rich::WriteRtf(document);
}

Status ExportRtf(const std::string& path, const Outline& outline, PreorderRange range,
                 const TextFormat& format, std::string_view split_line, ProgressSink* progress) {
  Status status;
  std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status);
  if (!file) return status;
  rich::RichDocument document;
  BuildRichDocument(outline, range, format, split_line, &document, progress);
  // Written as it is produced: the RTF of a large document is never held whole in memory.
  rich::WriteRtf(document, [&file](std::string_view piece) { file->Write(piece); });
  return file->Commit();
}

}  // namespace pw
