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
    const std::string_view mark = marker.Next(node->icon());

    // The title block: its lines in the title font, paragraphs with no indents.
    rich::RichDocument block;
    if (format.separator_above) AddLine(&block, split_line, title_font);
    AddLine(&block, TitleLine(*node, format, mark), title_font);
    if (format.separator_below) AddLine(&block, split_line, title_font);
    rich::AppendDocument(target, std::move(block));

    const TNodeData* data = node->data();
    if (format.include_bodies && data != nullptr && data->Body) {
      rich::RichDocument body = rich::BodyToDocument(*data->Body);
      if (!body.Empty()) {
        // A body read with a final paragraph mark already ends its last line; any other gets
        // one, so that the lines are those of the body-to-lines conversion.
        if (!body.paragraphs.back().Empty()) rich::AppendParagraphBreak(&body);
        rich::AppendDocument(target, std::move(body));
      }
    }
    scope.Step();
  }
}

}  // namespace pw
