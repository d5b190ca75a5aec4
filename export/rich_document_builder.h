// The rich-text document builder: titles and bodies of a range of nodes as one rich document,
// each title block in the title font, each body with its own formatting. The RTF export saves
// what it builds; the whole-document view shows it and both prints print it.
#ifndef PLOTWEAVE_EXPORT_RICH_DOCUMENT_BUILDER_H_
#define PLOTWEAVE_EXPORT_RICH_DOCUMENT_BUILDER_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/outline.h"
#include "core/progress.h"
#include "export/export_scope.h"
#include "export/text_format.h"
#include "richtext/rich_document.h"
#include "settings/settings.h"

namespace pw {

inline constexpr char kBuildCaption[] = "実行中";

// A pane font as the rich document's character format (the face in UTF-8, Shift-JIS charset).
rich::CharFormat CharFormatOf(const FontSetting& font);

// The settings the whole-document view builds with: separators above and below, the given
// title font, bodies, marks, and never chapter numbers.
TextFormat ViewTextFormat(const FontSetting& title_font);

// Appends to `target` (which the caller has cleared) for every node of `range` in pre-order:
// the title block (the separator line `split_line` above and below when the settings ask for
// them, the title line with chapter number and mark as they ask) in the title font with all
// indents 0, then, when bodies are included, the node's body with its own formats. Every block
// ends with a paragraph mark, so the next starts on a line of its own; an empty body adds
// nothing. Each node is read once and appended at the end: the time is linear in the text.
void BuildRichDocument(const Outline& outline, PreorderRange range, const TextFormat& format,
                       std::string_view split_line, rich::RichDocument* target,
                       ProgressSink* progress = nullptr);

// The same document handed out a paragraph at a time, each as soon as no later node can change
// it, so that the whole is never held (the RTF export).
void BuildRichDocument(const Outline& outline, PreorderRange range, const TextFormat& format,
                       std::string_view split_line,
                       const std::function<void(const rich::Paragraph&)>& paragraph_done,
                       ProgressSink* progress = nullptr);

// The builder node by node, for a caller that lets events run between nodes (the document
// viewer filling itself): everything it needs of the tree (title lines with their marks and
// numbers, bodies) is copied when it is made, so later edits of the tree cannot reach it.
class RichDocumentSnapshot {
 public:
  RichDocumentSnapshot(const Outline& outline, PreorderRange range, const TextFormat& format,
                       std::string_view split_line);

  size_t size() const { return nodes_.size(); }
  bool done() const { return next_ >= nodes_.size(); }
  // Appends the next node's title block and body to `target`, as BuildRichDocument does.
  void AppendNext(rich::RichDocument* target);

 private:
  struct NodeCopy {
    std::string title_line;
    std::optional<std::string> body;
  };
  TextFormat format_;
  rich::CharFormat title_font_;
  std::string split_line_;
  std::vector<NodeCopy> nodes_;
  size_t next_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_RICH_DOCUMENT_BUILDER_H_
