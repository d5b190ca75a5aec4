// Bodies that are not RTF: plain CP932 text whose lines end at CR LF, CR or LF.
#ifndef PLOTWEAVE_RICHTEXT_PLAIN_TEXT_H_
#define PLOTWEAVE_RICHTEXT_PLAIN_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

#include "richtext/rich_document.h"

namespace pw::rich {

// True when the bytes are RTF: they begin with "{\rtf".
bool IsRtf(std::string_view body);

// The format plain text takes in the scratch editor: the default body font.
CharFormat DefaultBodyFormat();

// One paragraph per line, all in `format`; a final line end gives a final empty paragraph.
RichDocument PlainTextToDocument(std::string_view cp932, const CharFormat& format);

// The lines of plain text without their ends; a trailing empty line is dropped.
std::vector<std::string> PlainTextLines(std::string_view cp932);

// Appends one character of rich text as plain CP932: no-break space becomes a space,
// non-breaking hyphen a hyphen, soft hyphens and control characters other than tab and line
// ends vanish, and what CP932 cannot hold becomes "?".
void AppendPlainCp932(char32_t ch, std::string* out);
std::string Utf8ToPlainCp932(std::string_view utf8);

// Appends what the body pane holds for CP932 run text: each character decoded, control
// characters but tab dropped, and written back with AppendPlainCp932, exactly as
// Utf8ToPlainCp932 of the decoded text with those characters removed (so a code that reads
// back as another code, or as none, is written as the pane would write it). Text that already
// is in that form is copied as it stands.
void AppendPaneCp932(std::string_view cp932, std::string* out);
// The length of the longest prefix of `cp932` that AppendPaneCp932 copies as it stands
// (whole characters).
size_t PaneCleanPrefix(std::string_view cp932);

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_PLAIN_TEXT_H_
