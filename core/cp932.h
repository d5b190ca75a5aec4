// Shift-JIS (code page 932) bytes: the one lead-byte test, character walking, ASCII case
// folding and conversion to and from UTF-8. Document text stays CP932 everywhere else.
#ifndef PLOTWEAVE_CORE_CP932_H_
#define PLOTWEAVE_CORE_CP932_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// True for a byte that can follow a lead byte (0x40-0xFC but 0x7F).
constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Offset of the character after the one starting at `pos`. A lead byte with nothing after it
// counts as one character of one byte, so walking never leaves the string.
size_t NextCharBoundary(std::string_view text, size_t pos);

// Offset of the start of the character that ends at `pos` (pos > 0). Walks from the start of
// the text, because a trail byte cannot be told from a lead byte by looking backwards.
size_t PrevCharBoundary(std::string_view text, size_t pos);

// Number of characters (a double-byte character counts once).
size_t CharCount(std::string_view text);

// Upper-cases ASCII letters, leaving both bytes of every double-byte character alone.
std::string AsciiUpper(std::string_view text);

// The 16-bit code of the character at `pos` (a single byte is its value, a double-byte
// character lead*256+trail) and its length in bytes.
struct CharCode {
  uint16_t code;
  size_t length;
};
CharCode CharCodeAt(std::string_view text, size_t pos);

// What to do with text that has no counterpart in the other encoding.
enum class Unmappable {
  kReplace,  // substitute (U+FFFD towards UTF-8, "?" towards CP932) and count it
  kFail,     // stop and report failure
};

struct Conversion {
  std::string text;
  size_t unmappable = 0;  // characters that were replaced
  bool ok = true;         // false only with Unmappable::kFail when something was unmappable
};

Conversion Cp932ToUtf8(std::string_view cp932, Unmappable policy = Unmappable::kReplace);
Conversion Utf8ToCp932(std::string_view utf8, Unmappable policy = Unmappable::kReplace);

// Per-character tables, built once from the system converter. Decode returns 0 when the code
// has no Unicode counterpart; Encode returns false when the character has no CP932 form.
char32_t DecodeCp932Char(uint16_t code);
bool EncodeCp932Char(char32_t ch, std::string* out);

// UTF-8 helpers used at the boundaries.
void AppendUtf8(char32_t ch, std::string* out);
// Decodes one UTF-8 character at `pos`; malformed input yields U+FFFD and advances one byte.
char32_t NextUtf8(std::string_view utf8, size_t* pos);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_CP932_H_
