// The HTML export: a small site for reading in a browser (a two-frame page, a contents page and
// one page per node, named by the node's whole-document index, with the mark images in a "gif"
// folder), or a single page for one node. Pages follow HTML 3.2 and hold the Shift-JIS text
// as it is, unescaped, inside preformatted blocks.
#ifndef PLOTWEAVE_EXPORT_HTML_EXPORT_H_
#define PLOTWEAVE_EXPORT_HTML_EXPORT_H_

#include <array>
#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"
#include "export/export_scope.h"
#include "export/text_format.h"

namespace pw {

inline constexpr char kHtmlExportCaption[] = "HTML書き出し実行中";
inline constexpr char kHtmlExportFilter[] = "HTMLﾌｧｲﾙ (*.HTM)|*.htm";
inline constexpr char kHtmlExportTitle[] = "HTMLﾌｧｲﾙの保存";
inline constexpr char kHtmlExportExtension[] = ".htm";
// The folder of the shipped mark images inside the data folder, and the one made in the site.
inline constexpr char kMarkImageSourceFolder[] = "HTML";
inline constexpr char kMarkImageSiteFolder[] = "gif";

// The 15 mark images: child marks and parent marks of colours 1-6, top-level node, character,
// character item.
inline constexpr std::array<const char*, 15> kMarkImageNames = {
    "c_blue.gif",   "c_brown.gif", "c_green.gif", "c_orange.gif", "c_parple.gif",
    "c_pink.gif",   "p_blue.gif",  "p_brown.gif", "p_green.gif",  "p_orange.gif",
    "p_parple.gif", "p_pink.gif",  "top.gif",     "char.gif",     "char_i.gif"};

enum class HtmlMarks { kImages, kText, kNone };

struct HtmlOptions {
  HtmlMarks marks = HtmlMarks::kImages;
  bool indent = true;           // indent contents entries by depth with full-width spaces
  bool html_extension = false;  // ".html" instead of ".htm" for every page written
  std::string title;            // the site title, Shift-JIS
};

std::string_view PageExtension(const HtmlOptions& options);

// The title the options start with: the selected node's caption for the subtree scope, the
// first node's for all nodes.
std::string DefaultSiteTitle(const Outline& outline, ExportScope scope, const Node* selected);

// The contents-page mark of an icon (Shift-JIS; "" for kNone), or `previous` when the icon has
// no mark of its own.
std::string_view HtmlMark(HtmlMarks marks, int32_t icon, std::string_view previous);

// Writes the site for `range` into the folder of `chosen_path`: the mark images (from
// `image_source_folder`) when asked for, one page per node, the contents page and last the
// frame page (`chosen_path` with the page extension), so a failed export never leaves a frame
// page pointing at pages that were not written. A "gif" folder that cannot be made, or a page
// that cannot be written, stops the export with a failure; an image that cannot be copied is
// skipped. The progress bar steps once for the frame page, once per contents entry and once
// per node page.
Status WriteHtmlSite(const std::string& chosen_path, const Outline& outline, PreorderRange range,
                     const TextFormat& format, const HtmlOptions& options,
                     const std::string& image_source_folder, ProgressSink* progress = nullptr);

// The single page of one node, written to `chosen_path` as chosen.
Status WriteHtmlPage(const std::string& chosen_path, const Node& node);

// The page texts, for tests and the writers.
std::string HtmlFramePage(std::string_view title, size_t first_index, const HtmlOptions& options);
std::string HtmlNodePage(const Node& node, bool single);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_HTML_EXPORT_H_
