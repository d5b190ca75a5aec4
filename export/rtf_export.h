// The RTF export: the nodes of a scope as one rich-text document, saved as an RTF file.
#ifndef PLOTWEAVE_EXPORT_RTF_EXPORT_H_
#define PLOTWEAVE_EXPORT_RTF_EXPORT_H_

#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"
#include "export/export_scope.h"
#include "export/text_format.h"

namespace pw {

inline constexpr char kRtfExtension[] = ".RTF";
inline constexpr char kRtfFilter[] = "RTFﾌｧｲﾙ (*.RTF)|*.RTF";
inline constexpr char kRtfSaveTitle[] = "RTFﾌｧｲﾙの保存";

// The RTF of the built document (see rich_document_builder.h).
std::string BuildRtf(const Outline& outline, PreorderRange range, const TextFormat& format,
                     std::string_view split_line, ProgressSink* progress = nullptr);

// Builds and writes it to `path` (atomically); the message is the system's on failure.
Status ExportRtf(const std::string& path, const Outline& outline, PreorderRange range,
                 const TextFormat& format, std::string_view split_line,
                 ProgressSink* progress = nullptr);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_RTF_EXPORT_H_
