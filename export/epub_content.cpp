// XHTML for the pages of an EPUB. A paragraph is first laid out as one string of characters
// with the run each came from; ruby is found on that string (a ruby may span runs), and each
// stretch of one run is then written with its own complete set of format elements, so the
// elements nest properly around <ruby> whatever the runs are.
#include "export/epub_content.h"

#include "core/cp932.h"
#include "export/ruby_notation.h"

namespace pw::epub {
namespace {

bool XmlAllows(char32_t c) {
  if (c < 0x20) return c == U'\t' || c == U'\n' || c == U'\r';
  return c != 0xFFFE && c != 0xFFFF;
}

void AppendEscapedChar(char32_t c, std::string* out) {
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
      if (XmlAllows(c)) AppendUtf8(c, out);
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

}  // namespace

void AppendEscaped(std::string_view utf8, std::string* out) {
  size_t pos = 0;
  while (pos < utf8.size()) {
    // Plain ASCII goes through in one piece; it is most of what the markup around holds.
    size_t plain = pos;
    while (plain < utf8.size()) {
      const auto b = static_cast<unsigned char>(utf8[plain]);
      if (b >= 0x80 || b == '&' || b == '<' || b == '>' || b == '"' ||
          (b < 0x20 && b != '\t' && b != '\n' && b != '\r')) {
        break;
      }
      ++plain;
    }
    out->append(utf8.substr(pos, plain - pos));
    pos = plain;
    if (pos < utf8.size()) AppendEscapedChar(NextUtf8(utf8, &pos), out);
  }
}

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
  if (text_.empty()) {
    *out += "<br/>";
  } else {
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
