// Hierarchical text: one heading line per node ("." repeated depth + 1 times, then the title),
// then the node's body as plain lines, then an empty line. The program's own plain-text form
// of a document, written by the export and read back by the import.
#ifndef PLOTWEAVE_EXPORT_HIER_TEXT_H_
#define PLOTWEAVE_EXPORT_HIER_TEXT_H_

#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"

namespace pw {

inline constexpr char kHierExportCaption[] = "階層付きﾃｷｽﾄ書き出し中";
inline constexpr char kHierTextFilter[] = "ﾃｷｽﾄﾌｧｲﾙ (*.TXT)|*.TXT";
inline constexpr char kHierExportTitle[] = "ｱｳﾄﾗｲﾝﾃｷｽﾄの保存";
inline constexpr char kHierImportTitle[] = "階層付きﾃｷｽﾄﾌｧｲﾙの読み込み";
inline constexpr char kEmptyTextFile[] = "ファイルが空です。読み込むものがありません";

// The whole export, CR LF after every line.
std::string BuildHierText(const Outline& outline, ProgressSink* progress = nullptr);
// Writes the export to `path` (atomically); the message is the system's on failure.
Status ExportHierText(const std::string& path, const Outline& outline,
                      ProgressSink* progress = nullptr);

struct HierImport {
  Status status;
  // The file did not start with a heading: the whole text became the body of the new
  // document's only node, which the window shows unmodified.
  bool plain_text = false;
};

// Replaces `outline` by the document the text describes. An empty text is refused before
// anything changes; a heading too deep for its place stops with the documented message and
// leaves an empty new document.
HierImport ImportHierText(std::string_view text, Outline* outline,
                          ProgressSink* progress = nullptr);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_HIER_TEXT_H_
