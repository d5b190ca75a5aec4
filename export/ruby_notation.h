// The ruby notation writers type into bodies and titles: "｜親文字《るび》" (a full-width or
// half-width bar marks where the base starts) and "漢字《るび》" (the base is the run of kanji
// just before the bracket). Only the EPUB export and the manuscript-page count read it; every
// other export writes the text as it stands.
#ifndef PLOTWEAVE_EXPORT_RUBY_NOTATION_H_
#define PLOTWEAVE_EXPORT_RUBY_NOTATION_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace pw {

// One piece of ruby, as offsets into the text: the notation runs from `start` (the bar, or the
// base when there is no bar) to `end` (just after the closing bracket).
struct RubySpan {
  size_t start = 0;
  size_t base_begin = 0;
  size_t base_end = 0;  // the opening bracket
  size_t text_begin = 0;
  size_t text_end = 0;  // the closing bracket
  size_t end = 0;
  friend bool operator==(const RubySpan&, const RubySpan&) = default;
};

// Kanji for the base rule: the CJK ideograph blocks and the marks that go with them
// (々 〆 〇 〻 ヶ).
bool IsRubyKanji(char32_t c);

// Every ruby in the text, in order and not overlapping. The ruby text is what lies between
// "《" and the first "》" after it; it must be non-empty and hold no other "《" and no line
// break, or the bracket stays text. A bar belongs to the next bracket only. A bar without a
// base after it, and a bracket with neither bar nor kanji before it, stay text. Linear in the
// length of the text.
std::vector<RubySpan> FindRuby(std::u32string_view text);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_RUBY_NOTATION_H_
