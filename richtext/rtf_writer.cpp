// RTF writer: stateless, one pass to collect the font and colour tables, one to write. Every
// paragraph starts with \pard and every run with \plain, so no property leaks from one to the
// next and reading the output back gives the same document.
#include "richtext/rtf_writer.h"

#include <charconv>
#include <cmath>
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/cp932.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"

namespace pw::rich {
namespace {

struct FontKey {
  std::string face;
  int charset;
  bool operator==(const FontKey&) const = default;
};

struct FontKeyHash {
  size_t operator()(const FontKey& key) const {
    return std::hash<std::string>()(key.face) * 31 + static_cast<size_t>(key.charset);
  }
};

// Looked up once per run: hashed, so a merged document with many bodies (and as many fonts or
// colours as a hostile file likes) is still written in linear time.
class Tables {
 public:
  Tables() = default;
  explicit Tables(const RichDocument& document) {
    for (const Paragraph& paragraph : document.paragraphs) Register(paragraph);
    Close();
  }
  // Gives the fonts and colours of a paragraph their numbers, in the order of first use.
  void Register(const Paragraph& paragraph) {
    for (const Run& run : paragraph.runs) {
      FontIndex(run.format);
      ColorIndex(run.format.color);
    }
  }
  // The table needs one font even for a document without text.
  void Close() {
    if (fonts_.empty()) {
      CharFormat format = DefaultBodyFormat();
      FontIndex(format);
    }
  }
  int FontIndex(const CharFormat& format) {
    // Runs after one another mostly share their font, or take turns with a few (titles and
    // bodies of a merged document): those are found without building a key.
    for (int index : recent_fonts_) {
      if (index >= 0 && fonts_[static_cast<size_t>(index)].charset == format.charset &&
          fonts_[static_cast<size_t>(index)].face == format.face) {
        return index;
      }
    }
    FontKey key{format.face, format.charset};
    auto [it, added] = font_index_.try_emplace(key, static_cast<int>(fonts_.size()));
    if (added) fonts_.push_back(std::move(key));
    std::copy_backward(recent_fonts_.begin(), recent_fonts_.end() - 1, recent_fonts_.end());
    recent_fonts_[0] = it->second;
    return it->second;
  }
  // 0 is the automatic colour; system colours have no RTF form and fall back to it.
  int ColorIndex(uint32_t color) {
    if (IsSystemColor(color)) return 0;
    color &= 0x00FFFFFF;
    auto [it, added] = color_index_.try_emplace(color, static_cast<int>(colors_.size() + 1));
    if (added) colors_.push_back(color);
    return it->second;
  }
  const std::vector<FontKey>& fonts() const { return fonts_; }
  const std::vector<uint32_t>& colors() const { return colors_; }

 private:
  std::vector<FontKey> fonts_;
  std::vector<uint32_t> colors_;
  std::unordered_map<FontKey, int, FontKeyHash> font_index_;
  std::unordered_map<uint32_t, int> color_index_;
  std::array<int, 4> recent_fonts_{-1, -1, -1, -1};
};

void AppendNumber(std::string* out, const char* word, long value) {
  out->push_back('\\');
  *out += word;
  char digits[24];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;  // a long always fits
  out->append(digits, end);
}

void AppendHexByte(std::string* out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  const char escape[4] = {'\\', '\'', kHex[byte >> 4], kHex[byte & 0xF]};
  out->append(escape, 4);
}

void AppendUnicodeEscape(std::string* out, char32_t ch) {
  auto one = [out](uint32_t unit) {
    long value = unit > 32767 ? static_cast<long>(unit) - 65536 : static_cast<long>(unit);
    AppendNumber(out, "u", value);
    out->push_back('?');
  };
  if (ch >= 0x10000) {
    uint32_t v = ch - 0x10000;
    one(0xD800 + (v >> 10));
    one(0xDC00 + (v & 0x3FF));
  } else {
    one(ch);
  }
}

// The CP932 code of every BMP character that has one reading back as the same character (some
// characters share a code), else 0: the writer's hot path, built once from core's tables.
const std::vector<uint16_t>& RoundTripCp932() {
  static const std::vector<uint16_t> table = [] {
    std::vector<uint16_t> codes(0x10000, 0);
    std::string bytes;
    for (char32_t ch = 0x20; ch < 0x10000; ++ch) {
      bytes.clear();
      if (!EncodeCp932Char(ch, &bytes) || bytes.empty() || bytes.size() > 2) continue;
      const uint16_t code =
          bytes.size() == 2 ? static_cast<uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                    static_cast<unsigned char>(bytes[1]))
                            : static_cast<unsigned char>(bytes[0]);
      if (DecodeCp932Char(code) == ch) codes[ch] = code;
    }
    return codes;
  }();
  return table;
}

long Twips(double points) { return std::lround(points * 20); }

// Writes UTF-8 text for a font of `charset`. `delimit` is true while the last thing written
// is a control word that a following letter, digit or space would extend.
void AppendText(std::string* out, std::string_view utf8, int charset, bool* delimit) {
  for (size_t i = 0; i < utf8.size();) {
    char32_t ch = NextUtf8(utf8, &i);
    // Johab (\fcharset130) has the won sign at 0x5C, so a backslash cannot go as a byte there.
    constexpr int kJohabCharset = 130;
    if (ch >= 0x20 && ch < 0x7F && !(ch == '\\' && charset == kJohabCharset)) {
      if (ch == '\\' || ch == '{' || ch == '}') {
        out->push_back('\\');
        out->push_back(static_cast<char>(ch));
        *delimit = false;
        continue;
      }
      if (*delimit) out->push_back(' ');
      out->push_back(static_cast<char>(ch));
      *delimit = false;
      continue;
    }
    *delimit = true;
    switch (ch) {
      case static_cast<char32_t>(kTab):
        *out += "\\tab";
        continue;
      case static_cast<char32_t>(kLineBreak):
        *out += "\\line";
        continue;
      case 0x00A0:
        *out += "\\~";
        *delimit = false;
        continue;
      case 0x00AD:
        *out += "\\-";
        *delimit = false;
        continue;
      case 0x2011:
        *out += "\\_";
        *delimit = false;
        continue;
      default:
        break;
    }
    *delimit = false;
    if (ch < 0x20) continue;  // other control characters have no place in a paragraph
    if (charset == kShiftJisCharset && ch < 0x10000) {
      if (const uint16_t code = RoundTripCp932()[ch]; code != 0) {
        if (code > 0xFF) AppendHexByte(out, static_cast<unsigned char>(code >> 8));
        AppendHexByte(out, static_cast<unsigned char>(code & 0xFF));
        continue;
      }
    } else if (charset == kAnsiCharset && ch >= 0xA0 && ch <= 0xFF) {
      AppendHexByte(out, static_cast<unsigned char>(ch));  // Windows-1252 agrees with Latin-1 here
      continue;
    }
    AppendUnicodeEscape(out, ch);
  }
}

void AppendParagraphFormat(std::string* out, const ParagraphFormat& format, int bullet_font) {
  *out += "\\pard";
  switch (format.alignment) {
    case Alignment::kLeft:
      break;
    case Alignment::kCenter:
      *out += "\\qc";
      break;
    case Alignment::kRight:
      *out += "\\qr";
      break;
    case Alignment::kJustify:
      *out += "\\qj";
      break;
  }
  if (format.bullet) {
    // \pntext is what readers without \pn show; ours skips it.
    *out += "{\\pntext";
    AppendNumber(out, "f", bullet_font);
    *out += "\\'81\\'45\\tab}{\\*\\pn\\pnlvlblt";
    AppendNumber(out, "pnf", bullet_font);
    *out += "\\pnindent0{\\pntxtb\\'81\\'45}}";
  }
  if (Twips(format.first_indent) != 0) AppendNumber(out, "fi", Twips(format.first_indent));
  if (Twips(format.left_indent) != 0) AppendNumber(out, "li", Twips(format.left_indent));
  if (Twips(format.right_indent) != 0) AppendNumber(out, "ri", Twips(format.right_indent));
  for (double stop : format.tab_stops) AppendNumber(out, "tx", Twips(stop));
}

void AppendCharFormat(std::string* out, const CharFormat& format, Tables* tables) {
  *out += "\\plain";
  AppendNumber(out, "f", tables->FontIndex(format));
  AppendNumber(out, "fs", std::lround(format.size * 2));
  if (int color = tables->ColorIndex(format.color); color != 0) AppendNumber(out, "cf", color);
  if (format.bold) *out += "\\b";
  if (format.italic) *out += "\\i";
  if (format.underline) *out += "\\ul";
  if (format.strike_out) *out += "\\strike";
}

}  // namespace

namespace {

// Everything before the first paragraph: the font and colour tables among it.
void AppendHeader(std::string* out_text, const Tables& tables) {
  std::string& out = *out_text;
  out += "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl";
  for (size_t i = 0; i < tables.fonts().size(); ++i) {
    const FontKey& font = tables.fonts()[i];
    out += "{";
    AppendNumber(&out, "f", static_cast<long>(i));
    out += "\\fnil";
    AppendNumber(&out, "fcharset", font.charset);
    bool delimit = true;
    // A semicolon ends the name in the table; it goes as an escape.
    std::string face;
    for (char c : font.face) {
      if (c == ';') {
        AppendText(&out, face, font.charset, &delimit);
        face.clear();
        out += "\\'3b";
        delimit = false;
      } else {
        face.push_back(c);
      }
    }
    AppendText(&out, face, font.charset, &delimit);
    out += ";}";
  }
  out += "}\r\n";
  if (!tables.colors().empty()) {
    out += "{\\colortbl ;";
    for (uint32_t color : tables.colors()) {
      AppendNumber(&out, "red", color & 0xFF);
      AppendNumber(&out, "green", color >> 8 & 0xFF);
      AppendNumber(&out, "blue", color >> 16 & 0xFF);
      out += ";";
    }
    out += "}\r\n";
  }
  out += "\\viewkind4\\uc1";
}

// One paragraph, without the paragraph mark that separates it from the next.
void AppendParagraph(std::string* out, const Paragraph& paragraph, Tables* tables) {
  int bullet_font = paragraph.runs.empty() ? 0 : tables->FontIndex(paragraph.runs[0].format);
  AppendParagraphFormat(out, paragraph.format, bullet_font);
  bool delimit = true;
  for (const Run& run : paragraph.runs) {
    if (run.text.empty()) continue;
    AppendCharFormat(out, run.format, tables);
    delimit = true;
    AppendText(out, run.text, run.format.charset, &delimit);
  }
}

constexpr char kParagraphMark[] = "\\par\r\n";
constexpr char kDocumentEnd[] = "}\r\n";

// Writes into `*out`; with a sink, hands the text over whenever it reaches `chunk` bytes and at
// the end, so `*out` never holds more than about one chunk.
void WriteInto(const RichDocument& document, std::string* out_text, size_t chunk,
               const std::function<void(std::string_view)>* sink) {
  std::string& out = *out_text;
  Tables tables(document);
  out.reserve(std::min<size_t>(chunk, 256 + document.paragraphs.size() * 64) + 4096);
  AppendHeader(&out, tables);
  for (size_t p = 0; p < document.paragraphs.size(); ++p) {
    AppendParagraph(&out, document.paragraphs[p], &tables);
    if (p + 1 < document.paragraphs.size()) out += kParagraphMark;
    if (sink != nullptr && out.size() >= chunk) {
      (*sink)(out);
      out.clear();
    }
  }
  out += kDocumentEnd;
  if (sink != nullptr) (*sink)(out);
}

}  // namespace

void WriteRtf(const RichDocument& document, const std::function<void(std::string_view)>& sink,
              size_t chunk) {
  std::string out;
  WriteInto(document, &out, chunk, &sink);
}

std::string WriteRtf(const RichDocument& document) {
  std::string out;
  WriteInto(document, &out, SIZE_MAX, nullptr);
  return out;
}

std::string WriteRtfRange(const RichDocument& document, TextPosition begin, TextPosition end) {
  return WriteRtf(Slice(document, begin, end));
}

}  // namespace pw::rich

namespace pw::rich {

// The text is kept in pieces of about a megabyte: a document of hundreds of megabytes grows
// without being copied over and over into ever larger buffers.
constexpr size_t kStreamPiece = size_t{1} << 20;

struct RtfStreamWriter::Impl {
  Tables tables;
  std::vector<std::string> pieces;  // the paragraphs so far
  std::string text;                 // the piece being written
  bool first = true;
};

RtfStreamWriter::RtfStreamWriter() : impl_(std::make_unique<Impl>()) {}
RtfStreamWriter::~RtfStreamWriter() = default;

void RtfStreamWriter::Add(const Paragraph& paragraph) {
  Impl& m = *impl_;
  m.tables.Register(paragraph);
  if (!m.first) m.text += kParagraphMark;
  m.first = false;
  AppendParagraph(&m.text, paragraph, &m.tables);
  if (m.text.size() >= kStreamPiece) {
    m.pieces.push_back(std::move(m.text));
    m.text = std::string();
    m.text.reserve(kStreamPiece + kStreamPiece / 4);
  }
}

void RtfStreamWriter::Finish(const std::function<void(std::string_view)>& sink) {
  Impl& m = *impl_;
  m.tables.Close();
  std::string header;
  AppendHeader(&header, m.tables);
  sink(header);
  for (std::string& piece : m.pieces) {
    sink(piece);
    piece = std::string();
  }
  m.pieces.clear();
  m.text += kDocumentEnd;
  sink(m.text);
  m.text = std::string();
}

}  // namespace pw::rich
