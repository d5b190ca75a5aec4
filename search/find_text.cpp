// Searching a pane's text and the text a replacement puts into a pane.
#include "search/find_text.h"

#include <vector>

#include "core/cp932.h"
#include "richtext/body_text.h"
#include "search/regexp_sub.h"

namespace pw::search {
namespace {

// One bit per CP932 code: the character reads back from Unicode as the same code.
class RoundTripTable {
 public:
  RoundTripTable() : bits_(0x10000 / 64, 0) {
    std::string bytes;
    for (unsigned code = 0x80; code < 0x10000; ++code) {
      const bool pair = code > 0xFF;
      if (pair ? !(IsLeadByte(static_cast<unsigned char>(code >> 8)) &&
                   IsTrailByte(static_cast<unsigned char>(code & 0xFF)))
               : IsLeadByte(static_cast<unsigned char>(code))) {
        continue;
      }
      const char32_t ch = DecodeCp932Char(static_cast<uint16_t>(code));
      bytes.clear();
      if (ch == 0 || !EncodeCp932Char(ch, &bytes)) continue;
      const unsigned back = bytes.size() == 2 ? static_cast<unsigned char>(bytes[0]) << 8 |
                                                    static_cast<unsigned char>(bytes[1])
                                              : static_cast<unsigned char>(bytes[0]);
      if (back == code) bits_[code / 64] |= uint64_t{1} << (code % 64);
    }
  }
  bool Same(unsigned code) const { return (bits_[code / 64] >> (code % 64)) & 1; }

 private:
  std::vector<uint64_t> bits_;
};

const RoundTripTable& RoundTrips() {
  static const RoundTripTable table;
  return table;
}

bool IsTitleControl(char c) { return c == '\r' || c == '\n' || c == '\t' || c == '\0'; }

}  // namespace

std::optional<ERegExpParser> TextFinder::Prepare(std::string_view pattern,
                                                 const FindOptions& options) {
  regex_ = options.regex;
  plain_.reset();
  if (regex_) return awk_->SetRegExp(pattern);
  plain_.emplace(pattern, options.match_case);
  return std::nullopt;
}

std::optional<TextHit> TextFinder::Find(std::string_view text, size_t from, TAWKScan* scan) const {
  if (from > text.size()) return std::nullopt;
  if (!regex_) {
    size_t at = plain_ ? plain_->Find(text, from) : kNotFound;
    if (at == kNotFound) return std::nullopt;
    return TextHit{at, plain_->size()};
  }
  TAWKMatch m;
  if (scan != nullptr && scan->text().data() == text.data() && scan->text().size() == text.size()) {
    m = awk_->MatchFrom(scan, from);
    if (m.position == 0) return std::nullopt;
    return TextHit{m.position - 1, m.length};
  }
  m = awk_->Match(text.substr(from));
  if (m.position == 0) return std::nullopt;
  return TextHit{from + m.position - 1, m.length};
}

std::optional<std::string> TextFinder::Replacement(std::string_view selected,
                                                   std::string_view templ, bool title) const {
  if (!regex_) return std::string(templ);
  std::string text(selected);
  if (!awk_->Sub(title ? TitleTemplate(templ) : std::string(templ), &text)) return std::nullopt;
  return text;
}

std::string TitleTemplate(std::string_view templ) {
  std::string out;
  out.reserve(templ.size());
  // Character by character: the trail byte of 表 or ソ is no backslash.
  for (size_t i = 0; i < templ.size();) {
    const size_t next = NextCharBoundary(templ, i);
    if (templ[i] == '\\' && next < templ.size() &&
        (templ[next] == 'r' || templ[next] == 'n' || templ[next] == 't')) {
      i = next + 1;
      continue;
    }
    if (templ[i] == '\\' && next < templ.size()) {
      // An escape is copied as a pair, so "\\\\r" keeps its escaped backslash and the "r".
      const size_t after = NextCharBoundary(templ, next);
      out.append(templ.substr(i, after - i));
      i = after;
      continue;
    }
    out.append(templ.substr(i, next - i));
    i = next;
  }
  return out;
}

std::string TitlePaneText(std::string_view cp932) {
  const RoundTripTable& table = RoundTrips();
  bool same = true;
  for (size_t i = 0; i < cp932.size() && same;) {
    auto b = static_cast<unsigned char>(cp932[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (IsLeadByte(b)) {
      if (i + 1 >= cp932.size()) {
        same = false;
        break;
      }
      same = table.Same(static_cast<unsigned>(b) << 8 | static_cast<unsigned char>(cp932[i + 1]));
      i += 2;
    } else {
      same = table.Same(b);
      ++i;
    }
  }
  if (same) return std::string(cp932);
  return Utf8ToCp932(Cp932ToUtf8(cp932).text).text;
}

std::string BodyPaneText(std::string_view cp932) { return rich::PlainTextPaneForm(cp932); }

std::string TrimTitle(std::string_view title) {
  size_t begin = 0;
  size_t end = title.size();
  while (begin < end && static_cast<unsigned char>(title[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(title[end - 1]) <= 0x20) --end;
  return std::string(title.substr(begin, end - begin));
}

TitleEdit EditTitle(std::string_view text, size_t begin, size_t end, std::string_view inserted) {
  if (begin > text.size()) begin = text.size();
  if (end < begin) end = begin;
  if (end > text.size()) end = text.size();
  // The pane takes characters, so the inserted bytes are whole characters first; then no line
  // break, tab or NUL may reach a title.
  std::string piece = TitlePaneText(inserted);
  std::erase_if(piece, IsTitleControl);
  const size_t kept = CharCount(text.substr(0, begin)) + CharCount(text.substr(end));
  const size_t room = kept < kTitlePaneMaxChars ? kTitlePaneMaxChars - kept : 0;
  size_t cut = 0;
  for (size_t chars = 0; cut < piece.size() && chars < room; ++chars) {
    cut = NextCharBoundary(piece, cut);
  }
  piece.resize(cut);

  TitleEdit edit;
  edit.text.reserve(text.size() + piece.size());
  edit.text.append(text.substr(0, begin));
  edit.text.append(piece);
  edit.text.append(text.substr(end));
  edit.caret = begin + piece.size();
  // The title pane's change rule: a trailing blank survives only as the last thing typed.
  if (!edit.text.empty() && edit.text.back() == ' ') return edit;
  std::string trimmed = TrimTitle(edit.text);
  if (trimmed != edit.text) {
    size_t lead = 0;
    while (lead < edit.text.size() && static_cast<unsigned char>(edit.text[lead]) <= 0x20) ++lead;
    edit.caret = edit.caret > lead ? edit.caret - lead : 0;
    if (edit.caret > trimmed.size()) edit.caret = trimmed.size();
    edit.text = std::move(trimmed);
  }
  return edit;
}

bool HasHalfALineBreak(std::string_view search_text) {
  // Whole characters: the "\\" of a trail byte (表, ソ) followed by "r" is no escape.
  const bool cr = PlainFind(search_text, "\\r", 0, true) != kNotFound;
  const bool lf = PlainFind(search_text, "\\n", 0, true) != kNotFound;
  return cr != lf;
}

size_t StepOverEmptyHit(std::string_view text, size_t pos) {
  if (pos >= text.size()) return text.size() + 1;
  // A line break is one character in the pane.
  if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') return pos + 2;
  return NextCharBoundary(text, pos);
}

}  // namespace pw::search
