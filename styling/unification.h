// Font and tab-width unification over every stored body of a document, without the panes: each
// body is read into a rich document, reformatted and written back as RTF.
#ifndef PLOTWEAVE_STYLING_UNIFICATION_H_
#define PLOTWEAVE_STYLING_UNIFICATION_H_

#include <cstddef>
#include <vector>

#include "core/outline.h"
#include "core/progress.h"
#include "richtext/rich_document.h"

namespace pw::styling {

// Number of stops tab unification gives every paragraph.
inline constexpr int kUnifiedTabStopCount = 32;

// The unification captions of the progress window (UTF-8).
inline constexpr char kFontUnifyCaption[] = "ﾌｫﾝﾄの統一実行中";
inline constexpr char kTabUnifyCaption[] = "ﾀﾌﾞ幅の統一実行中";

// Every character of every body takes `format` (face, size, style bits and colour; all
// earlier character formatting is replaced). Nodes without a body keep none. Returns the number
// of bodies rewritten. The progress steps once per node.
size_t UnifyFonts(const Outline& outline, const rich::CharFormat& format, ProgressSink* progress);

// Every paragraph of every body gets exactly `tab_stops` (points).
size_t UnifyTabStops(const Outline& outline, const std::vector<double>& tab_stops,
                     ProgressSink* progress);

}  // namespace pw::styling

#endif  // PLOTWEAVE_STYLING_UNIFICATION_H_
