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
  // Written as it is built: the merged document is never held whole in memory, only its RTF.
  rich::RtfStreamWriter writer;
  BuildRichDocument(
      outline, range, format, split_line,
      [&writer](const rich::Paragraph& paragraph) { writer.Add(paragraph); }, progress);
  writer.Finish([&file](std::string_view piece) { file->Write(piece); });
  return file->Commit();
}

}  // namespace pw
