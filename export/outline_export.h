// The outline export: the titles alone, one line per node, drawn as a tree with the box
// characters of code page 932. The tree print prints the same lines.
#ifndef PLOTWEAVE_EXPORT_OUTLINE_EXPORT_H_
#define PLOTWEAVE_EXPORT_OUTLINE_EXPORT_H_

#include <string>
#include <vector>

#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"

namespace pw {

inline constexpr char kOutlineExportCaption[] = "ｱｳﾄﾗｲﾝ書き出し中";
inline constexpr char kOutlineFilter[] = "ﾃｷｽﾄﾌｧｲﾙ (*.TXT)|*.TXT";
inline constexpr char kOutlineSaveTitle[] = "ｱｳﾄﾗｲﾝの保存";

// One CP932 line per node in pre-order: "■" and the caption at depth 0; deeper, the drawing
// under the ancestors taken from the line before, "├─" or "└─", and the caption.
std::vector<std::string> BuildOutlineLines(const Outline& outline, ProgressSink* progress = nullptr);

// The lines with CR LF after each.
std::string BuildOutlineText(const Outline& outline, ProgressSink* progress = nullptr);

// Writes the export to `path` (atomically); the message is the system's on failure.
Status ExportOutline(const std::string& path, const Outline& outline,
                     ProgressSink* progress = nullptr);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_OUTLINE_EXPORT_H_
