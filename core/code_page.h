// Decoding text of other Windows code pages (RTF fonts may use them); CP932 goes through the
// tables of cp932.h, the rest through the system converter.
#ifndef PLOTWEAVE_CORE_CODE_PAGE_H_
#define PLOTWEAVE_CORE_CODE_PAGE_H_

#include <optional>
#include <string>
#include <string_view>

namespace pw {

// Converts bytes of Windows code page `code_page` (932, 1252, 936, 1251, ...) to UTF-8.
// Bytes the code page cannot decode become U+FFFD. Returns nothing when the code page is
// unknown to the system.
std::optional<std::string> DecodeCodePageToUtf8(int code_page, std::string_view bytes);

// True when DecodeCodePageToUtf8 knows the code page.
bool IsCodePageKnown(int code_page);

// True when a byte of the code page can start a double-byte character (932, 936, 949, 950).
bool IsCodePageLeadByte(int code_page, unsigned char byte);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_CODE_PAGE_H_
