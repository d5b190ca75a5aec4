// Plain-text bodies and the plain CP932 form of rich text.
#include "richtext/plain_text.h"

#include <cstdint>
#include <vector>

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

// The pane's form of every character: single bytes at their value, double-byte codes at
// lead*256+trail (a lead byte without a valid trail byte reads as a character of its own
// with no counterpart). `same` marks the characters whose form is their own bytes.
struct PaneForms {
  struct Form {
    uint8_t length;
    bool same;
    char bytes[2];
  };
  std::vector<Form> forms;
  std::vector<uint64_t> same;  // one bit per code: forms[code].same

  static Form Of(char32_t ch, std::string_view own) {
    std::string plain;
    AppendPlainCp932(ch, &plain);
    Form form{static_cast<uint8_t>(plain.size()), plain == own, {0, 0}};
    for (size_t i = 0; i < plain.size() && i < 2; ++i) form.bytes[i] = plain[i];
    return form;
  }

  PaneForms() : forms(0x10000) {
    constexpr char32_t kReplacement = 0xFFFD;
    for (unsigned b = 0; b < 0x100; ++b) {
      const char byte = static_cast<char>(b);
      if (b < 0x20 && b != '\t') {
        forms[b] = Form{0, false, {0, 0}};
        continue;
      }
      char32_t ch = b < 0x80 ? b : DecodeCp932Char(static_cast<uint16_t>(b));
      if (IsLeadByte(static_cast<unsigned char>(b)) || ch == 0) ch = kReplacement;
      forms[b] = Of(ch, std::string_view(&byte, 1));
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
        const unsigned code = lead << 8 | trail;
        char32_t ch = DecodeCp932Char(static_cast<uint16_t>(code));
        if (ch == 0) ch = kReplacement;
        const char own[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        forms[code] = Of(ch, std::string_view(own, 2));
      }
    }
    same.assign(0x10000 / 64, 0);
    for (unsigned code = 0; code < 0x10000; ++code) {
      if (forms[code].same) same[code / 64] |= uint64_t{1} << (code % 64);
    }
  }
  bool Same(unsigned code) const { return (same[code / 64] >> (code % 64)) & 1; }
};

const PaneForms& GetPaneForms() {
  static const PaneForms forms;
  return forms;
}

}  // namespace

void AppendPaneCp932(std::string_view cp932, std::string* out) {
  const PaneForms& table = GetPaneForms();
  const auto* p = reinterpret_cast<const unsigned char*>(cp932.data());
  const size_t n = cp932.size();
  size_t copied = 0;  // bytes before this are in `out` already
  size_t i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    size_t length = 1;
    unsigned code = b;
    if (b >= 0x20 && b < 0x7F) {
      ++i;
      continue;
    }
    if (IsLeadByte(b) && i + 1 < n) {
      // A code whose second byte is no trail byte is never marked the same.
      const unsigned pair = static_cast<unsigned>(b) << 8 | p[i + 1];
      if (table.Same(pair)) {
        i += 2;
        continue;
      }
      if (IsTrailByte(p[i + 1])) {
        code = pair;
        length = 2;
      }
    }
    if (!table.Same(code)) {
      const PaneForms::Form& form = table.forms[code];
      out->append(cp932.data() + copied, i - copied);
      out->append(form.bytes, form.length);
      copied = i + length;
    }
    i += length;
  }
  out->append(cp932.data() + copied, n - copied);
}

size_t PaneCleanPrefix(std::string_view cp932) {
  const PaneForms& table = GetPaneForms();
  const auto* p = reinterpret_cast<const unsigned char*>(cp932.data());
  const size_t n = cp932.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    if (b >= 0x20 && b < 0x7F) {
      ++i;
    } else if (IsLeadByte(b) && i + 1 < n && IsTrailByte(p[i + 1])) {
      if (!table.Same(static_cast<unsigned>(b) << 8 | p[i + 1])) break;
      i += 2;
    } else {
      if (IsLeadByte(b) || !table.Same(b)) break;
      ++i;
    }
  }
  return i;
}

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
