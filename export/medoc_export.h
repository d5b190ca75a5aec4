// The MeDoc export: the document as a handheld e-book. Two intermediate texts are written in
// a private temporary folder, "$TMP2.TXT" (a "." heading per node, then its body lines and
// an empty line) and from it "$TMP.TXT" (an index of the headings, then the text), which the
// PalmDOC converter turns into the database.
#ifndef PLOTWEAVE_EXPORT_MEDOC_EXPORT_H_
#define PLOTWEAVE_EXPORT_MEDOC_EXPORT_H_

#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"

namespace pw {

inline constexpr char kMeDocCaption[] = "MeDoc形式書き出し中";
inline constexpr char kMeDocFilter[] = "PalmOSﾃﾞｰﾀﾍﾞｰｽ (*.PDB)|*.PDB";
inline constexpr char kMeDocSaveTitle[] = "MeDoc形式の保存";
inline constexpr char kMeDocHeadingsFile[] = "$TMP2.TXT";
inline constexpr char kMeDocIndexFile[] = "$TMP.TXT";

// "$TMP2.TXT": for every node, "." and the caption, its body lines, one empty line; CR LF.
std::string BuildMeDocHeadings(const Outline& outline, ProgressSink* progress = nullptr);

// "$TMP.TXT" from the text of "$TMP2.TXT": "#!Medoc index N", N lines "L:heading" (L the line
// at which that heading's text starts, the heading without its leading full stops), then the
// lines under every heading. Every line that starts with "." is a heading.
std::string BuildMeDocIndex(std::string_view headings_text);

// The database title for an output path: the file name without folder and extension, in CP932.
std::string MeDocTitle(const std::string& pdb_path);

// Writes both intermediate files into `work_folder` (when empty, a private temporary folder made
// for this export), converts, and removes them again on every way out.
Status ExportMeDoc(const std::string& pdb_path, const Outline& outline,
                   ProgressSink* progress = nullptr, const std::string& work_folder = {});

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_MEDOC_EXPORT_H_
