// Building the merged rich document node by node.
#include "export/rich_document_builder.h"

#include <string>
#include <utility>

#include "core/cp932.h"
#include "export/chapter_number.h"
#include "export/node_mark.h"
#include "richtext/body_text.h"
#include "richtext/rich_operations.h"

namespace pw {
namespace {

void AddLine(rich::RichDocument* block, std::string_view cp932, const rich::CharFormat& font) {
  rich::Paragraph& paragraph = block->paragraphs.back();
  if (!cp932.empty()) paragraph.runs.push_back({Cp932ToUtf8(cp932).text, font});
  block->paragraphs.emplace_back();  // the line end
}

}  // namespace

rich::CharFormat CharFormatOf(const FontSetting& font) {
  rich::CharFormat format;
  format.face = Cp932ToUtf8(font.Name).text;
  format.charset = rich::kShiftJisCharset;
  format.size = font.Size;
  format.color = static_cast<uint32_t>(font.Color);
  format.bold = (font.Style & kFontStyleBold) != 0;
  format.italic = (font.Style & kFontStyleItalic) != 0;
  format.underline = (font.Style & kFontStyleUnderline) != 0;
  format.strike_out = (font.Style & kFontStyleStrikeOut) != 0;
  return format;
}

TextFormat ViewTextFormat(const FontSetting& title_font) {
  TextFormat format = DefaultTextFormat();
  format.separator_above = true;
  format.separator_below = true;
  format.include_bodies = true;
  format.chapter_numbers = false;
  format.mark_before_title = true;
  format.title_font = title_font;
  return format;
}

namespace {

// One node's share of the built document: its title block in the title font with all indents
// 0, then its body with its own formats.
void AppendNodeBlocks(std::string_view title_line, const std::string* body,
                      const TextFormat& format, const rich::CharFormat& title_font,
                      std::string_view split_line, rich::RichDocument* target) {
  rich::RichDocument block;
  if (format.separator_above) AddLine(&block, split_line, title_font);
  AddLine(&block, title_line, title_font);
  if (format.separator_below) AddLine(&block, split_line, title_font);
  rich::AppendDocument(target, std::move(block));

  if (!format.include_bodies || body == nullptr) return;
  rich::RichDocument document = rich::BodyToDocument(*body);
  if (document.Empty()) return;
  // A body read with a final paragraph mark already ends its last line; any other gets one, so
  // that the lines are those of the body-to-lines conversion.
  if (!document.paragraphs.back().Empty()) rich::AppendParagraphBreak(&document);
  rich::AppendDocument(target, std::move(document));
}

const std::string* BodyOf(const Node& node) {
  const TNodeData* data = node.data();
  return data != nullptr && data->Body ? &*data->Body : nullptr;
}

}  // namespace

void BuildRichDocument(const Outline& outline, PreorderRange range, const TextFormat& format,
                       std::string_view split_line, rich::RichDocument* target,
                       ProgressSink* progress) {
  if (range.end > outline.size()) range.end = outline.size();
  ProgressScope scope(progress, kBuildCaption, range.empty() ? 0 : range.size());
  if (range.empty()) return;
  const rich::CharFormat title_font = CharFormatOf(format.title_font);
  NodeMarker marker;
  const Node* node = outline.NodeAt(range.first);
  for (size_t i = range.first; i < range.end && node != nullptr;
       ++i, node = outline.NextInPreorder(node)) {
    AppendNodeBlocks(TitleLine(*node, format, marker.Next(node->icon())), BodyOf(*node), format,
                     title_font, split_line, target);
    scope.Step();
  }
}

void BuildRichDocument(const Outline& outline, PreorderRange range, const TextFormat& format,
                       std::string_view split_line,
                       const std::function<void(const rich::Paragraph&)>& paragraph_done,
                       ProgressSink* progress) {
  if (range.end > outline.size()) range.end = outline.size();
  ProgressScope scope(progress, kBuildCaption, range.empty() ? 0 : range.size());
  if (range.empty()) return;
  const rich::CharFormat title_font = CharFormatOf(format.title_font);
  NodeMarker marker;
  // Appending joins the next node's first paragraph to the last one here; every other is done.
  rich::RichDocument tail;
  const Node* node = outline.NodeAt(range.first);
  for (size_t i = range.first; i < range.end && node != nullptr;
       ++i, node = outline.NextInPreorder(node)) {
    AppendNodeBlocks(TitleLine(*node, format, marker.Next(node->icon())), BodyOf(*node), format,
                     title_font, split_line, &tail);
    std::vector<rich::Paragraph>& paragraphs = tail.paragraphs;
    if (paragraphs.size() > 1) {
      for (size_t p = 0; p + 1 < paragraphs.size(); ++p) paragraph_done(paragraphs[p]);
      paragraphs.erase(paragraphs.begin(), paragraphs.end() - 1);
    }
    scope.Step();
  }
  for (const rich::Paragraph& paragraph : tail.paragraphs) paragraph_done(paragraph);
}

RichDocumentSnapshot::RichDocumentSnapshot(const Outline& outline, PreorderRange range,
                                           const TextFormat& format, std::string_view split_line)
    : format_(format), title_font_(CharFormatOf(format.title_font)), split_line_(split_line) {
  if (range.end > outline.size()) range.end = outline.size();
  if (range.empty()) return;
  nodes_.reserve(range.size());
  NodeMarker marker;
  const Node* node = outline.NodeAt(range.first);
  for (size_t i = range.first; i < range.end && node != nullptr;
       ++i, node = outline.NextInPreorder(node)) {
    NodeCopy copy;
    copy.title_line = TitleLine(*node, format, marker.Next(node->icon()));
    if (const std::string* body = BodyOf(*node); body != nullptr && format.include_bodies) {
      copy.body = *body;
    }
    nodes_.push_back(std::move(copy));
  }
}

void RichDocumentSnapshot::AppendNext(rich::RichDocument* target) {
  if (done()) return;
  NodeCopy& node = nodes_[next_++];
  AppendNodeBlocks(node.title_line, node.body ? &*node.body : nullptr, format_, title_font_,
                   split_line_, target);
  // Done with: its memory can go.
  node = NodeCopy{};
}

}  // namespace pw
