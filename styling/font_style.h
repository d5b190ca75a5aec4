// Named font styles: the table of at most eight styles the body's style menus apply, and the
// ".FSF" file that keeps one (300-byte records, no header).
#ifndef PLOTWEAVE_STYLING_FONT_STYLE_H_
#define PLOTWEAVE_STYLING_FONT_STYLE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "richtext/rich_document.h"

namespace pw::styling {

// Style bits, as in the file and in the settings' font styles.
inline constexpr uint8_t kStyleBold = 1;
inline constexpr uint8_t kStyleItalic = 2;
inline constexpr uint8_t kStyleUnderline = 4;
inline constexpr uint8_t kStyleStrikeOut = 8;

inline constexpr size_t kMaxFontStyles = 8;
inline constexpr size_t kFontStyleRecordSize = 300;
inline constexpr size_t kMaxFaceNameBytes = 31;
inline constexpr size_t kMaxStyleNameBytes = 255;

// One style. Names are Shift-JIS bytes.
struct FontStyle {
  int32_t color = 0;  // 0x00BBGGRR, or a system colour (high byte 0x80)
  int32_t size = 9;   // points
  std::string face;   // at most kMaxFaceNameBytes
  uint8_t style = 0;  // kStyle* bits; other bits are kept as read and mean nothing
  std::string name;   // at most kMaxStyleNameBytes

  friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

// `text` cut to at most `max_bytes` without splitting a double-byte character.
std::string CutToBytes(std::string_view text, size_t max_bytes);

// The styles in menu order; style n (1-based) is at(n - 1).
class FontStyleTable {
 public:
  size_t size() const { return styles_.size(); }
  bool empty() const { return styles_.empty(); }
  bool full() const { return styles_.size() >= kMaxFontStyles; }
  const FontStyle& at(size_t i) const { return styles_[i]; }
  const std::vector<FontStyle>& styles() const { return styles_; }

  // Appends a style (names cut to their fields); false when the table is full.
  bool Add(FontStyle style);
  // Replaces style i; names are cut as by Add.
  void Set(size_t i, FontStyle style);
  void Rename(size_t i, std::string_view name);
  void Remove(size_t i);
  // Swaps styles i and j.
  void Swap(size_t i, size_t j);
  void Clear() { styles_.clear(); }

  friend bool operator==(const FontStyleTable&, const FontStyleTable&) = default;

 private:
  std::vector<FontStyle> styles_;
};

// The style that the edit dialog selects after deleting: the one before the deleted position,
// or the first; none (-1) when the table became empty. Deleting with nothing selected
// (selected < 0) deletes the last style.
struct StyleDeletion {
  int removed = -1;
  int select_after = -1;
};
StyleDeletion DeleteStyle(FontStyleTable* table, int selected);

// A style's font as the rich-text engine formats text with it, and back. Sizes are whole points
// within 1 .. kMaxFontSize (a style file can hold any number); face names turn from Shift-JIS
// into UTF-8 and back.
inline constexpr int kMaxFontSize = 1638;
rich::CharFormat CharFormatFromStyle(const FontStyle& style);
FontStyle StyleFromCharFormat(const rich::CharFormat& format, std::string_view name);

// The 300-byte record of one style, and the whole file of a table.
std::string EncodeFontStyle(const FontStyle& style);
FontStyle DecodeFontStyle(std::string_view record);  // record.size() == kFontStyleRecordSize
std::string EncodeFontStyleFile(const FontStyleTable& table);

// Decodes a whole file. Records beyond the eighth are ignored; a file whose length is not a
// whole number of records is refused (it is not a style file, or it was cut short).
Status DecodeFontStyleFile(std::string_view bytes, FontStyleTable* table);

// Reading replaces the table only when the whole file was read; on failure the table is left
// as it was. At most eight records are read however long the file is. Messages are the
// user's: "ﾌｧｲﾙの読み込みに失敗しました" / "保存に失敗しました" (UTF-8).
Status ReadFontStyleFile(const std::string& path, FontStyleTable* table);
Status WriteFontStyleFile(const std::string& path, const FontStyleTable& table);

}  // namespace pw::styling

#endif  // PLOTWEAVE_STYLING_FONT_STYLE_H_
