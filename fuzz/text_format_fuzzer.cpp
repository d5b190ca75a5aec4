// The ".PWO" reader: arbitrary bytes must never crash it, every text it keeps stays within its
// bound, and what saving makes of the result reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "export/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  pw::TextFormat format = pw::DefaultTextFormat();
  pw::ReadTextFormat(pw::IniFile::FromBytes(bytes), &format);
  for (int d = 0; d < pw::kNumberingDepths; ++d) {
    for (int c = 0; c <= d; ++c) {
      const pw::NumberComponent& cell = format.committed.at(d, c);
      if (cell.Front.size() > pw::kMaxFormatTextBytes || cell.Back.size() > pw::kMaxFormatTextBytes)
        __builtin_trap();
    }
  }
  if (format.custom_indent.size() > pw::kMaxFormatTextBytes) __builtin_trap();

  format.BeginEditing();  // saving writes the working table
  pw::IniFile saved;
  pw::WriteTextFormat(format, &saved);
  pw::TextFormat again = pw::DefaultTextFormat();
  again.title_font = format.title_font;
  pw::ReadTextFormat(pw::IniFile::FromBytes(saved.ToBytes()), &again);
  again.working = again.committed;
  if (!(again == format)) __builtin_trap();
  return 0;
}
