// The character count: how many characters the bodies hold, blanks left out. Titles never
// count.
#ifndef PLOTWEAVE_EXPORT_CHAR_COUNT_H_
#define PLOTWEAVE_EXPORT_CHAR_COUNT_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "core/outline.h"

namespace pw {

inline constexpr char kCountCaption[] = "文字数";
// A Japanese manuscript page holds 400 characters.
inline constexpr size_t kManuscriptPageChars = 400;

// Characters of CP932 text: a lead byte followed by a non-zero byte is one character of two
// bytes, any other byte one character. Blanks do not count: codes 0-32 (controls, CR, LF, TAB,
// the half-width space), 127 and the full-width space 0x8140.
size_t CountCharacters(std::string_view cp932);

// A stored body (RTF, plain text or nothing), counted over its lines.
size_t CountBodyCharacters(std::string_view body);

// Every body of the document.
size_t CountAllBodies(const Outline& outline);

// The message box text (UTF-8) for the current node's and the whole document's count.
std::string CountMessage(size_t current, size_t total);

// Pages of 400 characters the count fills, the last one partly.
size_t ManuscriptPages(size_t characters);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_CHAR_COUNT_H_
