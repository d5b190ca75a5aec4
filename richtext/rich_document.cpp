// The rich document model: text of paragraphs, normal form, positions.
#include "richtext/rich_document.h"

namespace pw::rich {

std::string Paragraph::Text() const {
  std::string text;
  for (const Run& run : runs) text += run.text;
  return text;
}

bool Paragraph::Empty() const {
  for (const Run& run : runs) {
    if (!run.text.empty()) return false;
  }
  return true;
}

bool RichDocument::Empty() const {
  for (const Paragraph& paragraph : paragraphs) {
    if (!paragraph.Empty()) return false;
  }
  return paragraphs.size() <= 1;
}

void RichDocument::Normalize() {
  if (paragraphs.empty()) paragraphs.emplace_back();
  for (Paragraph& paragraph : paragraphs) {
    std::vector<Run> merged;
    merged.reserve(paragraph.runs.size());
    for (Run& run : paragraph.runs) {
      if (run.text.empty()) continue;
      if (!merged.empty() && merged.back().format == run.format) {
        merged.back().text += run.text;
      } else {
        merged.push_back(std::move(run));
      }
    }
    paragraph.runs = std::move(merged);
  }
}

size_t Utf8CharCount(std::string_view utf8) {
  size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

TextPosition EndPosition(const RichDocument& document) {
  if (document.paragraphs.empty()) return {};
  size_t last = document.paragraphs.size() - 1;
  return {last, Utf8CharCount(document.paragraphs[last].Text())};
}

}  // namespace pw::rich
