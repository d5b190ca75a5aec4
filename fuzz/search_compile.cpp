// Fuzzes the pattern compiler: any bytes either compile or report an error inside the pattern;
// a compiled pattern then matches and substitutes on a few fixed subjects without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/regular_expression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view pattern(reinterpret_cast<const char*>(data), size);
  pw::search::TAWKStr awk;
  auto error = awk.SetRegExp(pattern);
  size_t effective = pattern.size();
  if (error) {
    // Positions are 16-bit: only shorter patterns can be checked against their length.
    if (error->message.empty() ||
        (effective < 0xFFFF && (error->position < 1 || error->position > effective + 1))) {
      std::abort();
    }
    if (!awk.RegExp().empty() || awk.CurrentIndex() != 0) std::abort();
    return 0;
  }
  if (awk.RegExp() != pattern.substr(0, effective)) std::abort();
  static const std::string subjects[] = {
      "", "a", "abc\r\ndef\r\n", "\x82\xa0\x82\xa2\r\n\x82", "\n\n^$\\&", std::string(300, 'a')};
  for (const std::string& s : subjects) {
    pw::search::TAWKMatch m = awk.Match(s);
    if (m.position > s.size() + 1 || (m.position == 0 && m.length != 0) ||
        (m.position != 0 && m.position - 1 + m.length > s.size())) {
      std::abort();
    }
    std::string text = s;
    awk.Sub(pattern.substr(0, 16), &text);
  }
  return 0;
}
