// The manuscript-page count, line by line.
#include "export/manuscript_pages.h"

#include <string_view>
#include <vector>

#include "core/cp932.h"
#include "export/ruby_notation.h"
#include "richtext/body_text.h"

namespace pw {

bool HangsAtLineEnd(char32_t c) {
  static constexpr std::u32string_view kHanging = U"、。，．,.｡､｣）」』】〕〉》］｝〙〗〟’”｠)]}";
  return kHanging.find(c) != std::u32string_view::npos;
}

size_t ManuscriptCounter::LinesOf(std::u32string_view line) {
  const std::vector<RubySpan> ruby = FindRuby(line);
  size_t next_ruby = 0;
  size_t lines = 1;
  size_t column = 0;
  bool hung = false;  // one character may hang below the last square of a line
  for (size_t i = 0; i < line.size(); ++i) {
    if (next_ruby < ruby.size() && i == ruby[next_ruby].start) {
      const RubySpan& span = ruby[next_ruby];
      // Only the base takes squares: skip the bar before it.
      if (i < span.base_begin) i = span.base_begin;
    }
    if (next_ruby < ruby.size() && i == ruby[next_ruby].base_end) {
      i = ruby[next_ruby++].end - 1;  // the brackets and the ruby text
      continue;
    }
    const char32_t c = line[i];
    if (c < 0x20 && c != U'\t') continue;  // control characters take no square
    if (column == kManuscriptColumns) {
      if (!hung && HangsAtLineEnd(c)) {
        hung = true;
        continue;
      }
      ++lines;
      column = 0;
      hung = false;
    }
    ++column;
  }
  return lines;
}

void ManuscriptCounter::AddLine(std::string_view utf8) {
  scratch_.clear();
  size_t pos = 0;
  while (pos < utf8.size()) scratch_.push_back(NextUtf8(utf8, &pos));
  lines_ += LinesOf(scratch_);
}

void ManuscriptCounter::AddBody(std::string_view body) {
  for (const std::string& line : rich::BodyToLinesUtf8(body)) AddLine(line);
}

size_t CountManuscriptPages(const Outline& outline) {
  ManuscriptCounter counter;
  outline.ForEach([&](Node* node) {
    if (node->data() != nullptr && node->data()->Body) counter.AddBody(*node->data()->Body);
  });
  return counter.pages();
}

}  // namespace pw
