// XHTML for the pages of an EPUB. A paragraph is first laid out as one string of characters
// with the run each came from; ruby is found on that string (a ruby may span runs), and each
// stretch of one run is then written with its own complete set of format elements, so the
// elements nest properly around <ruby> whatever the runs are.
#include "export/epub_content.h"

#include "core/cp932.h"
#include "export/ruby_notation.h"

namespace pw::epub {
namespace {

// Below 0x80 only: the rest is sorted out while encoding.
bool XmlAllows(char32_t c) { return c >= 0x20 || c == U'\t' || c == U'\n' || c == U'\r'; }

void AppendEscapedChar(char32_t c, std::string* out) {
  if (c >= 0x80) {
    // Inline, since nearly every character of a Japanese book comes this way.
    if (c < 0x800) {
      out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    } else if (c < 0x10000) {
      if (c == 0xFFFE || c == 0xFFFF) return;
      out->push_back(static_cast<char>(0xE0 | (c >> 12)));
      out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xF0 | (c >> 18)));
      out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    }
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    return;
  }
  switch (c) {
    case U'&':
      *out += "&amp;";
      return;
    case U'<':
      *out += "&lt;";
      return;
    case U'>':
      *out += "&gt;";
      return;
    case U'"':
      *out += "&quot;";
      return;
    default:
      if (XmlAllows(c)) out->push_back(static_cast<char>(c));
  }
}

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

void OpenFormat(const rich::CharFormat& f, std::string* out) {
  // Black is left to the reader, so that a night theme can still show the text.
  if (!rich::IsSystemColor(f.color) && (f.color & 0xFFFFFF) != 0) {
    static const char kHex[] = "0123456789abcdef";
    const uint32_t r = f.color & 0xFF, g = (f.color >> 8) & 0xFF, b = (f.color >> 16) & 0xFF;
    *out += "<span style=\"color:#";
    for (uint32_t v : {r, g, b}) {
      *out += kHex[v >> 4];
      *out += kHex[v & 15];
    }
    *out += "\">";
  }
  if (f.bold) *out += "<b>";
  if (f.italic) *out += "<i>";
  if (f.underline) *out += "<u>";
  if (f.strike_out) *out += "<s>";
}

void CloseFormat(const rich::CharFormat& f, std::string* out) {
  if (f.strike_out) *out += "</s>";
  if (f.underline) *out += "</u>";
  if (f.italic) *out += "</i>";
  if (f.bold) *out += "</b>";
  if (!rich::IsSystemColor(f.color) && (f.color & 0xFFFFFF) != 0) *out += "</span>";
}

// The length of the well-formed UTF-8 sequence at `pos` when XML can hold its character,
// else 0.
size_t GoodSequence(std::string_view s, size_t pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  const size_t len = b0 >= 0xC2 && b0 <= 0xDF   ? 2
                     : b0 >= 0xE0 && b0 <= 0xEF ? 3
                     : b0 >= 0xF0 && b0 <= 0xF4 ? 4
                                                : 0;
  if (len == 0 || pos + len > s.size()) return 0;
  char32_t c = b0 & (0x7F >> len);
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[pos + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = c << 6 | (b & 0x3F);
  }
  if ((len == 3 && c < 0x800) || (len == 4 && (c < 0x10000 || c > 0x10FFFF))) return 0;
  if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) return 0;
  return len;
}

bool NeedsCare(unsigned char b) {
  return b == '&' || b == '<' || b == '>' || b == '"' ||
         (b < 0x20 && b != '\t' && b != '\n' && b != '\r');
}

// Copies UTF-8 through in stretches, stopping only where a character must be escaped, dropped
// or replaced (a malformed sequence becomes U+FFFD), and for line breaks when they are wanted
// as <br/>.
void AppendChecked(std::string_view s, bool line_breaks, std::string* out) {
  size_t i = 0;
  size_t clean = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      if (!NeedsCare(b)) {
        ++i;
        continue;
      }
    } else if (const size_t len = GoodSequence(s, i); len != 0) {
      i += len;
      continue;
    }
    out->append(s.substr(clean, i - clean));
    if (line_breaks && b == static_cast<unsigned char>(rich::kLineBreak)) {
      *out += "<br/>";
      ++i;
    } else {
      AppendEscapedChar(NextUtf8(s, &i), out);
    }
    clean = i;
  }
  out->append(s.substr(clean));
}

// True when the text holds no "《" (E3 80 8A) and, in vertical writing, no ASCII digit. The
// last byte of the bracket is rare in Japanese UTF-8; its first byte starts nearly every kana.
bool PlainRun(std::string_view s, bool digits_matter) {
  for (size_t i = 0; i < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b == 0x8A && i >= 2 && s[i - 1] == '\x80' && s[i - 2] == '\xE3') return false;
    if (digits_matter && b >= '0' && b <= '9') return false;
  }
  return true;
}

}  // namespace

void AppendEscaped(std::string_view utf8, std::string* out) { AppendChecked(utf8, false, out); }

std::string Escaped(std::string_view utf8) {
  std::string out;
  AppendEscaped(utf8, &out);
  return out;
}

std::string RubyBase(std::string_view utf8) {
  std::u32string text;
  size_t pos = 0;
  while (pos < utf8.size()) text.push_back(NextUtf8(utf8, &pos));
  std::string out;
  size_t at = 0;
  auto copy = [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) AppendUtf8(text[i], &out);
  };
  for (const RubySpan& span : FindRuby(text)) {
    copy(at, span.start);
    copy(span.base_begin, span.base_end);
    at = span.end;
  }
  copy(at, text.size());
  return out;
}

void ContentWriter::AppendParagraph(const rich::Paragraph& paragraph, std::string* out) {
  // Most paragraphs hold neither ruby nor (in vertical writing) digits: their runs go through
  // as they are, without being taken apart into characters.
  bool plain = true;
  for (const rich::Run& run : paragraph.runs) {
    if (!PlainRun(run.text, vertical_)) {
      plain = false;
      break;
    }
  }
  switch (paragraph.format.alignment) {
    case rich::Alignment::kCenter:
      *out += "<p class=\"center\">";
      break;
    case rich::Alignment::kRight:
      *out += "<p class=\"end\">";
      break;
    default:
      *out += "<p>";
  }
  if (paragraph.Empty()) {
    *out += "<br/>";
  } else if (plain) {
    for (const rich::Run& run : paragraph.runs) {
      if (run.text.empty()) continue;
      OpenFormat(run.format, out);
      AppendChecked(run.text, true, out);
      CloseFormat(run.format, out);
    }
  } else {
    text_.clear();
    run_of_.clear();
    for (size_t r = 0; r < paragraph.runs.size(); ++r) {
      const std::string& t = paragraph.runs[r].text;
      size_t pos = 0;
      while (pos < t.size()) {
        text_.push_back(NextUtf8(t, &pos));
        run_of_.push_back(static_cast<uint32_t>(r));
      }
    }
    Render(&paragraph.runs, out);
  }
  *out += "</p>\n";
}

void ContentWriter::AppendText(std::string_view utf8, std::string* out) {
  text_.clear();
  run_of_.clear();
  size_t pos = 0;
  while (pos < utf8.size()) text_.push_back(NextUtf8(utf8, &pos));
  run_of_.assign(text_.size(), 0);
  Render(nullptr, out);
}

void ContentWriter::Render(const std::vector<rich::Run>* runs, std::string* out) {
  upright_.assign(text_.size(), false);
  if (vertical_) {
    for (size_t i = 0; i < text_.size();) {
      if (!IsAsciiDigit(text_[i])) {
        ++i;
        continue;
      }
      size_t end = i;
      while (end < text_.size() && IsAsciiDigit(text_[end])) ++end;
      if (end - i <= 2) {
        for (size_t k = i; k < end; ++k) upright_[k] = true;
      }
      i = end;
    }
  }
  size_t at = 0;
  for (const RubySpan& span : FindRuby(text_)) {
    RenderPlain(at, span.start, runs, out);
    *out += "<ruby>";
    RenderPlain(span.base_begin, span.base_end, runs, out);
    *out += "<rt>";
    RenderPlain(span.text_begin, span.text_end, runs, out);
    *out += "</rt></ruby>";
    at = span.end;
  }
  RenderPlain(at, text_.size(), runs, out);
}

void ContentWriter::RenderPlain(size_t begin, size_t end, const std::vector<rich::Run>* runs,
                                std::string* out) {
  size_t i = begin;
  while (i < end) {
    const uint32_t run = run_of_[i];
    size_t stop = i;
    while (stop < end && run_of_[stop] == run) ++stop;
    const rich::CharFormat* format = runs != nullptr ? &(*runs)[run].format : nullptr;
    if (format != nullptr) OpenFormat(*format, out);
    for (size_t k = i; k < stop; ++k) {
      if (upright_[k] && (k == i || !upright_[k - 1])) *out += "<span class=\"tcy\">";
      const char32_t c = text_[k];
      if (c == static_cast<char32_t>(rich::kLineBreak)) {
        *out += "<br/>";
      } else {
        AppendEscapedChar(c, out);
      }
      if (upright_[k] && (k + 1 == stop || !upright_[k + 1])) *out += "</span>";
    }
    if (format != nullptr) CloseFormat(*format, out);
    i = stop;
  }
}

}  // namespace pw::epub
