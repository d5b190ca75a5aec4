// Plain search. Both texts are upper-cased character by character (so the trail byte of a
// double-byte character is never folded), and a hit must start on a character boundary (so a
// trail byte never starts a hit); the needle, being whole characters itself, then also ends on
// one.
#include "search/plain_search.h"

#include <string>

#include "core/cp932.h"

namespace pw::search {

size_t PlainFind(std::string_view text, std::string_view needle, size_t from, bool match_case) {
  if (needle.empty() || from > text.size()) return kNotFound;
  std::string folded_text;
  std::string folded_needle;
  if (!match_case) {
    folded_text = AsciiUpper(text);
    folded_needle = AsciiUpper(needle);
    text = folded_text;
    needle = folded_needle;
  }
  size_t boundary = 0;  // a known character start at or before the candidate
  size_t pos = from;
  for (;;) {
    size_t hit = text.find(needle, pos);
    if (hit == std::string_view::npos) return kNotFound;
    while (boundary < hit) boundary = NextCharBoundary(text, boundary);
    if (boundary == hit) return hit;
    pos = hit + 1;
  }
}

}  // namespace pw::search
