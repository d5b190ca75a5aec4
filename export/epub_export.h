// The EPUB 3 export: a book made of a range of nodes, for reading as a Japanese novel in
// vertical writing (lines top to bottom, right to left) or horizontally. Each node is a heading
// of its depth followed by its body; the items of a character are a small table; the ruby
// notation becomes ruby.
#ifndef PLOTWEAVE_EXPORT_EPUB_EXPORT_H_
#define PLOTWEAVE_EXPORT_EPUB_EXPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"
#include "export/export_scope.h"
#include "export/text_format.h"

namespace pw {

inline constexpr char kEpubExportCaption[] = "EPUBﾌｧｲﾙ書き出し中";
inline constexpr char kEpubExtension[] = ".epub";
inline constexpr char kEpubDefaultExtension[] = "epub";
inline constexpr char kEpubFilter[] = "EPUBﾌｧｲﾙ (*.EPUB)|*.EPUB";
inline constexpr char kEpubSaveTitle[] = "EPUBﾌｧｲﾙの保存";
inline constexpr char kNothingToExport[] = "書き出すノードがありません";

// A page file is closed at the next node once it holds this much, so that no page grows too
// large for a reader; parts (below) start new pages of their own.
inline constexpr size_t kEpubPageSoftLimit = 256 * 1024;
// At most this many page files: beyond it several parts share one.
inline constexpr size_t kEpubMaxPartFiles = 20000;

struct EpubOptions {
  bool vertical = true;
  std::string title;   // UTF-8; a blank title becomes "No Title"
  std::string author;  // UTF-8; may be empty
  // Headings take chapter numbers from `numbering` (the text format's committed table).
  bool chapter_numbers = false;
  NumberingTable numbering = BuiltInNumbering();
  int64_t modified = 0;  // seconds since 1970-01-01 UTC, the package's modification time
};

// Where the files of a book go: a ZIP archive, or memory in tests. Files come in archive
// order, "mimetype" first.
class BookSink {
 public:
  virtual ~BookSink() = default;
  virtual Status Add(std::string_view name, std::string_view content, bool compress) = 0;
};

// The book of `range`. Pages: the parts of the range each begin one (the nodes of its first
// depth, or of the depth below when the range has a single node there, as a story whose one
// top-level node holds the chapters), and a page that has grown past the soft limit ends at
// the next node that is not a character item. The progress steps once per node.
Status WriteEpub(const Outline& outline, PreorderRange range, const EpubOptions& options,
                 BookSink* sink, ProgressSink* progress = nullptr);

// The book written to `path` (atomically) as an EPUB (ZIP) file.
Status ExportEpub(const std::string& path, const Outline& outline, PreorderRange range,
                  const EpubOptions& options, ProgressSink* progress = nullptr);

// "urn:uuid:" and the name-based UUID of the title and the author, so that the same book
// exported again replaces itself in a reader's library.
std::string BookIdentifier(std::string_view title_utf8, std::string_view author_utf8);

// The title the options start with, as the HTML export presets its site title: the selected
// node's caption for the node scopes, the first node's caption for all nodes (UTF-8).
std::string EpubTitlePreset(const Outline& outline, ExportScope scope, const Node* selected);

// "2024-05-01T09:30:00Z".
std::string Iso8601Utc(int64_t seconds);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_EPUB_EXPORT_H_
