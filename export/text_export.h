// The formatted text export: a range of nodes as a plain-text file laid out for reading, each
// title framed by optional separator lines and preceded by an optional chapter number and
// mark, every line indented by the node's depth below the first node of the range.
#ifndef PLOTWEAVE_EXPORT_TEXT_EXPORT_H_
#define PLOTWEAVE_EXPORT_TEXT_EXPORT_H_

#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"
#include "export/export_scope.h"
#include "export/text_format.h"

namespace pw {

inline constexpr char kTextExportCaption[] = "ﾃｷｽﾄﾌｧｲﾙ書き出し中";
inline constexpr char kTextExportFilter[] = "ﾃｷｽﾄﾌｧｲﾙ (*.TXT)|*.TXT";
inline constexpr char kTextExportTitle[] = "ﾃｷｽﾄﾌｧｲﾙの保存";
inline constexpr char kTextExportExtension[] = ".TXT";

// The whole export, CR LF after every line. `split_line` is the separator line (the SplitLine
// setting, Shift-JIS). The progress bar steps once per node of the range.
std::string BuildFormattedText(const Outline& outline, PreorderRange range,
                               const TextFormat& format, std::string_view split_line,
                               ProgressSink* progress = nullptr);

// Writes the export to `path`, replacing it atomically; nothing is replaced on failure.
Status ExportFormattedText(const std::string& path, const Outline& outline, PreorderRange range,
                           const TextFormat& format, std::string_view split_line,
                           ProgressSink* progress = nullptr);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_TEXT_EXPORT_H_
