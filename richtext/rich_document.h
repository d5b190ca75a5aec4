// The headless rich document: paragraphs with their formats holding runs of Unicode text with a
// character format. It is what RTF bodies are read into and written from.
#ifndef PLOTWEAVE_RICHTEXT_RICH_DOCUMENT_H_
#define PLOTWEAVE_RICHTEXT_RICH_DOCUMENT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw::rich {

// Colours are 0x00BBGGRR; a value whose high byte is 0x80 names a system colour.
inline constexpr uint32_t kSystemColorFlag = 0x80000000u;
// The "automatic" colour of RTF (\cf0): the system's window-text colour.
inline constexpr uint32_t kWindowTextColor = 0x80000008u;
constexpr bool IsSystemColor(uint32_t color) { return (color >> 24) == 0x80; }

// Character sets of font tables (\fcharsetN) used by the Japanese rich-edit output.
inline constexpr int kAnsiCharset = 0;
inline constexpr int kShiftJisCharset = 128;

// Characters with a meaning of their own inside run text (UTF-8).
inline constexpr char kLineBreak = '\v';  // a line break inside a paragraph (RTF \line)
inline constexpr char kTab = '\t';

struct CharFormat {
  std::string face;                // UTF-8 face name; empty means the reader found no font
  int charset = kShiftJisCharset;  // \fcharset of the font
  double size = 9;                 // points; RTF keeps half points, so n/2 values are exact
  uint32_t color = kWindowTextColor;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;

  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

enum class Alignment { kLeft, kCenter, kRight, kJustify };

struct ParagraphFormat {
  Alignment alignment = Alignment::kLeft;
  double first_indent = 0;        // points, relative to the left indent (may be negative)
  double left_indent = 0;         // points
  double right_indent = 0;        // points
  std::vector<double> tab_stops;  // points, ascending
  bool bullet = false;

  friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;
};

// Text is UTF-8. kLineBreak and kTab stand for line breaks and tabs; there is no paragraph
// break inside a run (paragraphs are separate objects).
struct Run {
  std::string text;
  CharFormat format;

  friend bool operator==(const Run&, const Run&) = default;
};

struct Paragraph {
  ParagraphFormat format;
  std::vector<Run> runs;

  std::string Text() const;  // the runs' text joined (UTF-8)
  bool Empty() const;
  friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

// A document always has at least one paragraph. Paragraphs are separated by paragraph marks;
// the last paragraph has none (an empty document is one empty paragraph).
struct RichDocument {
  std::vector<Paragraph> paragraphs{Paragraph{}};

  bool Empty() const;  // no text at all
  // Merges neighbouring runs of equal format and drops empty runs; reader and writer keep
  // documents in this form, so equal text and formats compare equal.
  void Normalize();
  friend bool operator==(const RichDocument&, const RichDocument&) = default;
};

// A place in a document: a paragraph and a count of Unicode characters into its text.
struct TextPosition {
  size_t paragraph = 0;
  size_t offset = 0;

  friend auto operator<=>(const TextPosition&, const TextPosition&) = default;
};

// The position after the last character.
TextPosition EndPosition(const RichDocument& document);

// Number of Unicode characters in a UTF-8 string.
size_t Utf8CharCount(std::string_view utf8);

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_RICH_DOCUMENT_H_
