// Editing a body's text in place.
//
// The reader's map gives, for every piece of the plain text, the RTF bytes it comes from. An
// edit cuts out the bytes of the pieces it replaces, and nothing else: control words, groups
// and destinations between them stay, so the formatting around the edit is untouched. The new
// text goes where the first replaced piece was (after the piece before, for an insertion), so
// it is read in that piece's font and formatting, and is written as the RTF writer writes
// text: \'hh in a CP932 font, \uN otherwise, \par and \tab. Text that the pane does not hold
// byte for byte (another code page, bytes without a character) is mapped as whole runs; a run
// that an edit touches is written again character by character. Where bytes meet after a cut,
// a space keeps a control word from running into the text after it.
//
// The result is read back and compared with the expected text; should the two ever differ (a
// lead byte left alone by a cut meeting the next character, say), the body is edited as a
// document and written again by the writer instead.
#include "richtext/body_edit.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

#include "core/cp932.h"
#include "richtext/body_text.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw::rich {
namespace {

std::string_view UpToNul(std::string_view body) {
  size_t nul = body.find('\0');
  return nul == std::string_view::npos ? body : body.substr(0, nul);
}

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AppendHex(unsigned char byte, std::string* out) {
  static constexpr char kHex[] = "0123456789abcdef";
  *out += "\\'";
  out->push_back(kHex[byte >> 4]);
  out->push_back(kHex[byte & 0xF]);
}

// \uN with as many "?" as the reader skips after it (a space when it skips none, so that
// nothing after it can run into the number).
void AppendUnicode(char32_t ch, int uc, std::string* out) {
  auto unit = static_cast<long>(ch > 0xFFFF ? 0xFFFD : ch);
  if (unit > 32767) unit -= 65536;
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "\\u%ld", unit);
  *out += buffer;
  if (uc <= 0) {
    out->push_back(' ');
  } else {
    out->append(static_cast<size_t>(uc), '?');
  }
}

void AppendAscii(char c, std::string* out) {
  if (c == '\\' || c == '{' || c == '}') out->push_back('\\');
  out->push_back(c);
}

// One character of a run written again, so that it reads back as `ch`.
void AppendChar(char32_t ch, int code_page, int uc, std::string* out) {
  if (ch == static_cast<char32_t>(kTab)) {
    *out += "\\tab ";
    return;
  }
  if (ch >= 0x20 && ch < 0x7F && (code_page == 932 || IsAsciiCompatibleCodePage(code_page))) {
    AppendAscii(static_cast<char>(ch), out);
    return;
  }
  if (code_page == 932) {
    std::string bytes;
    if (EncodeCp932Char(ch, &bytes)) {
      const uint16_t code = bytes.size() == 2
                                ? static_cast<uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                        static_cast<unsigned char>(bytes[1]))
                                : static_cast<unsigned char>(bytes[0]);
      if (DecodeCp932Char(code) == ch && ch >= 0x80) {
        for (char b : bytes) AppendHex(static_cast<unsigned char>(b), out);
        return;
      }
    }
  }
  AppendUnicode(ch, uc, out);
}

// Text in the pane's form, written for a font of `code_page`.
void AppendText(std::string_view text, int code_page, int uc, std::string* out) {
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == '\r' || b == '\n') {
      *out += "\\par ";
      i += b == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
      continue;
    }
    if (b == '\t') {
      *out += "\\tab ";
      ++i;
      continue;
    }
    if (b < 0x20) {
      ++i;
      continue;
    }
    if (b < 0x7F && (code_page == 932 || IsAsciiCompatibleCodePage(code_page))) {
      AppendAscii(static_cast<char>(b), out);
      ++i;
      continue;
    }
    const size_t length = NextCharBoundary(text, i) - i;
    if (code_page == 932) {
      for (size_t k = 0; k < length; ++k) AppendHex(static_cast<unsigned char>(text[i + k]), out);
    } else {
      const CharCode code = CharCodeAt(text, i);
      char32_t ch = code.code < 0x80 ? code.code : DecodeCp932Char(code.code);
      AppendUnicode(ch == 0 ? 0xFFFD : ch, uc, out);
    }
    i += length;
  }
}

// Whether `out` ends in a control word that the next bytes could lengthen: 0 no, 1 a word
// without a number (letters, digits, "-" and a space would join it), 2 one with a number
// (digits and a space would).
int OpenControlWord(const std::string& out) {
  size_t k = out.size();
  size_t digits_end = k;
  while (k > 0 && IsDigit(out[k - 1])) --k;
  const bool has_number = k < digits_end;
  if (has_number && k > 0 && out[k - 1] == '-') --k;
  const size_t letters_end = k;
  while (k > 0 && IsAsciiLetter(out[k - 1])) --k;
  if (k == letters_end || k == 0 || out[k - 1] != '\\') return 0;
  // The backslash starts a control word unless it is itself escaped.
  size_t slashes = 0;
  while (k > slashes && out[k - 1 - slashes] == '\\') ++slashes;
  if (slashes % 2 == 0) return 0;
  return has_number ? 2 : 1;
}

bool Lengthens(int open, std::string_view next) {
  if (open == 0 || next.empty()) return false;
  const char c = next[0];
  if (c == ' ' || IsDigit(c)) return true;
  if (open == 2) return false;
  return IsAsciiLetter(c) || (c == '-' && next.size() > 1 && IsDigit(next[1]));
}

void AppendJoined(std::string_view piece, std::string* out) {
  if (piece.empty()) return;
  if (Lengthens(OpenControlWord(*out), piece)) out->push_back(' ');
  out->append(piece);
}

struct Cut {
  size_t begin;
  size_t end;
  std::string text;
};

// Changes to the characters of a run that has to be written again.
struct RunEdit {
  std::vector<bool> deleted;             // per piece of the run
  std::map<size_t, std::string> before;  // text before piece k
  std::map<size_t, std::string> after;   // text after piece k
};

std::optional<std::string> Splice(std::string_view body, const RtfTextMap& map,
                                  const std::vector<TextEdit>& edits) {
  const std::vector<RtfTextPiece>& pieces = map.pieces;
  // The pieces of each run, which are consecutive.
  std::vector<size_t> run_first(map.runs.size(), 0);
  std::vector<size_t> run_count(map.runs.size(), 0);
  for (size_t k = 0; k < pieces.size(); ++k) {
    if (pieces[k].run < 0) continue;
    auto r = static_cast<size_t>(pieces[k].run);
    if (run_count[r]++ == 0) run_first[r] = k;
  }
  std::map<size_t, RunEdit> run_edits;
  auto run_edit = [&](size_t r) -> RunEdit& {
    RunEdit& e = run_edits[r];
    if (e.deleted.empty()) e.deleted.assign(run_count[r], false);
    return e;
  };
  std::vector<Cut> cuts;

  for (const TextEdit& edit : edits) {
    const size_t a = edit.begin;
    const size_t b = edit.end;
    auto it = std::lower_bound(pieces.begin(), pieces.end(), a,
                               [](const RtfTextPiece& p, size_t v) { return p.text_begin < v; });
    size_t first = static_cast<size_t>(it - pieces.begin());
    if (first > 0 && pieces[first - 1].text_end > a) return std::nullopt;  // inside a piece
    std::optional<size_t> anchor;
    bool anchor_before = true;
    for (size_t k = first; k < pieces.size() && pieces[k].text_begin < b; ++k) {
      const RtfTextPiece& p = pieces[k];
      if (p.text_end > b) return std::nullopt;
      const bool empty = p.text_end == p.text_begin;
      if (empty && p.text_begin == a) continue;  // a soft hyphen at the edge stays
      if (!empty && !anchor) anchor = k;
      if (p.run < 0) {
        cuts.push_back({p.source_begin, p.source_end, std::string()});
      } else {
        auto r = static_cast<size_t>(p.run);
        run_edit(r).deleted[k - run_first[r]] = true;
      }
    }
    if (edit.text.empty()) continue;
    if (!anchor) {
      // An insertion: after the character before, in its line, else before the one after.
      for (size_t k = first; k-- > 0;) {
        if (pieces[k].text_end == pieces[k].text_begin) continue;
        if (pieces[k].text_end == a && !pieces[k].line_break) {
          anchor = k;
          anchor_before = false;
        }
        break;
      }
    }
    if (!anchor) {
      for (size_t k = first; k < pieces.size(); ++k) {
        if (pieces[k].text_end == pieces[k].text_begin) continue;
        if (pieces[k].text_begin == a) anchor = k;
        break;
      }
    }
    if (!anchor) {
      // No text around it: the body is empty.
      std::string text;
      AppendText(edit.text, map.end_code_page, map.end_uc, &text);
      const size_t at = map.has_document_end ? map.document_end : body.size();
      cuts.push_back({at, at, std::move(text)});
      continue;
    }
    const RtfTextPiece& p = pieces[*anchor];
    std::string text;
    AppendText(edit.text, p.code_page, p.uc, &text);
    if (p.run < 0) {
      const size_t at = anchor_before ? p.source_begin : p.source_end;
      cuts.push_back({at, at, std::move(text)});
    } else {
      auto r = static_cast<size_t>(p.run);
      RunEdit& e = run_edit(r);
      (anchor_before ? e.before : e.after)[*anchor - run_first[r]] += text;
    }
  }

  for (auto& [r, e] : run_edits) {
    std::string text;
    for (size_t i = 0; i < run_count[r]; ++i) {
      const RtfTextPiece& p = pieces[run_first[r] + i];
      if (auto b = e.before.find(i); b != e.before.end()) AppendJoined(b->second, &text);
      if (!e.deleted[i]) {
        std::string one;
        AppendChar(p.ch, p.code_page, p.uc, &one);
        AppendJoined(one, &text);
      }
      if (auto a = e.after.find(i); a != e.after.end()) AppendJoined(a->second, &text);
    }
    cuts.push_back({map.runs[r].source_begin, map.runs[r].source_end, std::move(text)});
  }

  // Insertions before the cut that starts at the same place; cuts never overlap.
  std::stable_sort(cuts.begin(), cuts.end(), [](const Cut& x, const Cut& y) {
    if (x.begin != y.begin) return x.begin < y.begin;
    return (x.end == x.begin) > (y.end == y.begin);
  });
  std::string out;
  out.reserve(body.size() + 64);
  size_t cursor = 0;
  for (const Cut& cut : cuts) {
    if (cut.begin < cursor) return std::nullopt;
    AppendJoined(body.substr(cursor, cut.begin - cursor), &out);
    AppendJoined(cut.text, &out);
    cursor = cut.end;
  }
  AppendJoined(body.substr(cursor), &out);
  return out;
}

// Where a plain-text offset falls in a document: the first character start at or after it.
struct DocumentPlace {
  TextPosition position;
  bool at_paragraph_start = true;
};

class PlainOffsets {
 public:
  explicit PlainOffsets(const RichDocument& document) : document_(document) {}

  DocumentPlace Find(size_t offset) const {
    size_t at = 0;
    for (size_t p = 0; p < document_.paragraphs.size(); ++p) {
      if (p > 0) {
        at += 2;  // CR LF between paragraphs
        if (offset <= at - 2) return {{p - 1, Count(p - 1)}, Count(p - 1) == 0};
        if (offset <= at) return {{p, 0}, true};
      }
      size_t chars = 0;
      for (const Run& run : document_.paragraphs[p].runs) {
        for (size_t i = 0; i < run.text.size();) {
          if (offset <= at) return {{p, chars}, chars == 0};
          const char32_t ch = NextUtf8(run.text, &i);
          at += Width(ch);
          ++chars;
        }
      }
      if (offset <= at) return {{p, chars}, chars == 0};
    }
    return {EndPosition(document_), false};
  }

 private:
  static size_t Width(char32_t ch) {
    if (ch == static_cast<char32_t>(kLineBreak)) return 2;
    std::string bytes;
    AppendPlainCp932(ch, &bytes);
    return bytes.size();
  }
  size_t Count(size_t p) const { return Utf8CharCount(document_.paragraphs[p].Text()); }
  const RichDocument& document_;
};

// The format of the character at `position` (or the one before it), or of the nearest text.
CharFormat FormatAt(const RichDocument& document, TextPosition position, bool before) {
  const Paragraph& paragraph = document.paragraphs[position.paragraph];
  size_t want = before && position.offset > 0 ? position.offset - 1 : position.offset;
  size_t chars = 0;
  for (const Run& run : paragraph.runs) {
    const size_t count = Utf8CharCount(run.text);
    if (want < chars + count) return run.format;
    chars += count;
  }
  if (!paragraph.runs.empty()) return paragraph.runs.back().format;
  for (size_t p = position.paragraph; p-- > 0;) {
    if (!document.paragraphs[p].runs.empty()) return document.paragraphs[p].runs.back().format;
  }
  for (size_t p = position.paragraph + 1; p < document.paragraphs.size(); ++p) {
    if (!document.paragraphs[p].runs.empty()) return document.paragraphs[p].runs.front().format;
  }
  return DefaultBodyFormat();
}

}  // namespace

std::string ApplyTextEdits(std::string_view text, const std::vector<TextEdit>& edits) {
  std::string out;
  out.reserve(text.size());
  size_t cursor = 0;
  for (const TextEdit& edit : edits) {
    const size_t begin = std::min(std::max(edit.begin, cursor), text.size());
    out.append(text.substr(cursor, begin - cursor));
    out.append(edit.text);
    cursor = std::max(begin, std::min(edit.end, text.size()));
  }
  out.append(text.substr(cursor));
  return out;
}

void EditDocumentText(RichDocument* document, size_t begin, size_t end, std::string_view text) {
  if (document->paragraphs.empty()) document->paragraphs.emplace_back();
  PlainOffsets offsets(*document);
  const DocumentPlace from = offsets.Find(begin);
  const DocumentPlace to = end > begin ? offsets.Find(end) : from;
  const bool insertion = !(from.position < to.position);
  const CharFormat format =
      FormatAt(*document, from.position, insertion && !from.at_paragraph_start);
  RichDocument inserted;
  inserted.paragraphs.clear();
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    Paragraph paragraph;
    paragraph.format = document->paragraphs[from.position.paragraph].format;
    std::string utf8;
    std::string piece = Cp932ToUtf8(text.substr(start, i - start)).text;
    for (size_t k = 0; k < piece.size();) {
      const size_t at = k;
      const char32_t ch = NextUtf8(piece, &k);
      if (ch < 0x20 && ch != static_cast<char32_t>(kTab)) continue;
      utf8.append(piece, at, k - at);
    }
    if (!utf8.empty()) paragraph.runs.push_back(Run{std::move(utf8), format});
    inserted.paragraphs.push_back(std::move(paragraph));
    if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  RichDocument result = Slice(*document, TextPosition{}, from.position);
  if (!text.empty()) AppendDocument(&result, inserted);
  AppendDocument(&result, Slice(*document, to.position, EndPosition(*document)));
  result.Normalize();
  *document = std::move(result);
}

std::string EditBody(std::string_view body, const std::vector<TextEdit>& edits, bool* spliced) {
  if (spliced != nullptr) *spliced = true;
  body = UpToNul(body);
  if (edits.empty()) return std::string(body);
  if (!body.empty() && !IsRtf(body)) return ApplyTextEdits(BodyPlainText(body), edits);
  if (IsRtf(body) && body.size() < UINT32_MAX) {
    RtfTextMap map = MapRtfText(body);
    if (map.text == BodyPlainText(body)) {
      const std::string expected = ApplyTextEdits(map.text, edits);
      if (std::optional<std::string> out = Splice(body, map, edits)) {
        if (BodyPlainText(*out) == expected) return *std::move(out);
      }
    }
  }
  if (spliced != nullptr) *spliced = false;
  RichDocument document = BodyToDocument(body);
  for (size_t i = edits.size(); i-- > 0;) {
    EditDocumentText(&document, edits[i].begin, edits[i].end, edits[i].text);
  }
  return WriteRtf(document);
}

}  // namespace pw::rich
