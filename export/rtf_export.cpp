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
  return WriteFileAtomically(path, BuildRtf(outline, range, format, split_line, progress));
}

}  // namespace pw
