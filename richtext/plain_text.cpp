// Plain-text bodies and the plain CP932 form of rich text.
#include "richtext/plain_text.h"

#include "core/cp932.h"

namespace pw::rich {
namespace {

// Calls `line` for every line of `text`; lines end at CR LF, CR or LF.
template <typename Fn>
void ForEachLine(std::string_view text, Fn line) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    line(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  line(text.substr(start));
}

}  // namespace

bool IsRtf(std::string_view body) { return body.starts_with("{\\rtf"); }

CharFormat DefaultBodyFormat() {
  CharFormat format;
  format.face = "ＭＳ ゴシック";
  format.charset = kShiftJisCharset;
  format.size = 9;
  format.color = kWindowTextColor;
  return format;
}

RichDocument PlainTextToDocument(std::string_view cp932, const CharFormat& format) {
  RichDocument document;
  document.paragraphs.clear();
  ForEachLine(cp932, [&](std::string_view line) {
    Paragraph paragraph;
    std::string utf8 = Cp932ToUtf8(line).text;
    std::string text;
    text.reserve(utf8.size());
    for (char c : utf8) {
      if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') text.push_back(c);
    }
    if (!text.empty()) paragraph.runs.push_back(Run{std::move(text), format});
    document.paragraphs.push_back(std::move(paragraph));
  });
  return document;
}

std::vector<std::string> PlainTextLines(std::string_view cp932) {
  std::vector<std::string> lines;
  ForEachLine(cp932, [&](std::string_view line) { lines.emplace_back(line); });
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void AppendPlainCp932(char32_t ch, std::string* out) {
  switch (ch) {
    case 0x00A0:
      out->push_back(' ');
      return;
    case 0x2011:
      out->push_back('-');
      return;
    case 0x00AD:
      return;
    case '\t':
    case '\r':
    case '\n':
      out->push_back(static_cast<char>(ch));
      return;
    default:
      break;
  }
  if (ch < 0x20) return;
  if (!EncodeCp932Char(ch, out)) out->push_back('?');
}

std::string Utf8ToPlainCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) AppendPlainCp932(NextUtf8(utf8, &i), &out);
  return out;
}

}  // namespace pw::rich
