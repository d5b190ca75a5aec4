// Arbitrary bytes as a style file, a date-format file and a format string: nothing may crash,
// a style file that reads must write back the records it read, and every formatted text stays
// within its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "styling/date_format.h"
#include "styling/font_style.h"
#include "styling/link_finder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  using namespace pw::styling;

  FontStyleTable table;
  if (DecodeFontStyleFile(bytes, &table)) {
    FontStyleTable again;
    if (!DecodeFontStyleFile(EncodeFontStyleFile(table), &again) || !(again == table)) abort();
  }

  const DateTime at{2001, 2, 3, 13, 5, 6};
  for (const std::string& format : ParseDateFormatFile(bytes.substr(0, 4096))) {
    if (auto text = FormatDateTime(format, at); text && text->size() > kMaxFormattedBytes) abort();
  }

  for (size_t p = 1; p <= bytes.size() && p <= 64; ++p) FindLink(bytes, p, "<#", "#>");
  return 0;
}
