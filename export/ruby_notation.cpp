// Ruby notation: one pass from left to right. The latest bar since the last bracket (or line
// break) is remembered; at an opening bracket the ruby text is looked for first, so a bracket
// that is not ruby costs no look backwards, and a failed look forward resumes where it stopped.
#include "export/ruby_notation.h"

namespace pw {
namespace {

constexpr char32_t kFullBar = U'\uFF5C';  // ｜
constexpr char32_t kHalfBar = U'|';
constexpr char32_t kOpen = U'\u300A';   // 《
constexpr char32_t kClose = U'\u300B';  // 》
constexpr size_t kNone = static_cast<size_t>(-1);

bool IsLineBreak(char32_t c) {
  return c == U'\n' || c == U'\r' || c == U'\v' || c == U'\u2028' || c == U'\u2029';
}

}  // namespace

bool IsRubyKanji(char32_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3005 ||
         c == 0x3006 || c == 0x3007 || c == 0x303B || c == 0x30F6;
}

std::vector<RubySpan> FindRuby(std::u32string_view text) {
  std::vector<RubySpan> spans;
  size_t floor = 0;  // nothing before this belongs to a new ruby
  size_t bar = kNone;
  size_t i = 0;
  while (i < text.size()) {
    const char32_t c = text[i];
    if (c == kFullBar || c == kHalfBar) {
      bar = i++;
      continue;
    }
    if (IsLineBreak(c)) {
      bar = kNone;
      floor = ++i;
      continue;
    }
    if (c != kOpen) {
      ++i;
      continue;
    }
    size_t close = i + 1;
    while (close < text.size() && text[close] != kClose && text[close] != kOpen &&
           !IsLineBreak(text[close])) {
      ++close;
    }
    if (close == text.size() || text[close] != kClose || close == i + 1) {
      // Not ruby, and a bar goes with the next bracket only. What lies between holds no
      // bracket, so the scan goes on from where it stopped.
      bar = kNone;
      i = close == i + 1 ? i + 1 : close;
      continue;
    }
    RubySpan span;
    if (bar != kNone && bar + 1 < i) {
      span.start = bar;
      span.base_begin = bar + 1;
    } else {
      size_t b = i;
      while (b > floor && IsRubyKanji(text[b - 1])) --b;
      if (b == i) {
        bar = kNone;
        i = close;
        continue;
      }
      span.start = span.base_begin = b;
    }
    span.base_end = i;
    span.text_begin = i + 1;
    span.text_end = close;
    span.end = close + 1;
    spans.push_back(span);
    floor = i = span.end;
    bar = kNone;
  }
  return spans;
}

}  // namespace pw
