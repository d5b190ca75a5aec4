// The text-format settings that the text-format dialog edits and the formatted exports read:
// the chapter-numbering table, indentation, title options, bodies, the title font and the
// scope; and their ".PWO" files (INI text, Shift-JIS).
#ifndef PLOTWEAVE_EXPORT_TEXT_FORMAT_H_
#define PLOTWEAVE_EXPORT_TEXT_FORMAT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/status.h"
#include "export/export_scope.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace pw {

inline constexpr int kNumberingDepths = 10;  // depths 0 to 9 have a numbering row

inline constexpr char kTextFormatExtension[] = ".PWO";
inline constexpr char kDefaultTextFormatFile[] = "PLOTWEAV.PWO";  // in the configuration folder
inline constexpr char kTextFormatNewFile[] = "NewFile.PWO";       // in DefaultDir at first
inline constexpr char kTextFormatFilter[] = "ﾃｷｽﾄ書式ﾌｧｲﾙ (*.PWO)|*.PWO";
inline constexpr char kTextFormatSaveTitle[] = "ﾃｷｽﾄ書式ﾌｧｲﾙの保存";
inline constexpr char kTextFormatLoadTitle[] = "ﾃｷｽﾄ書式ﾌｧｲﾙの読み込み";

// Texts read from a file are cut (at a character boundary) to this many bytes, so that a
// hostile file cannot make every title of an export megabytes long.
inline constexpr size_t kMaxFormatTextBytes = 256;
// Larger ".PWO" files are refused: a complete one is a few kilobytes.
inline constexpr size_t kMaxTextFormatFileBytes = 256 * 1024;

// One component of a chapter number: prefix, style (0-8, see chapter_number.h; other values
// write no number) and suffix. Texts are Shift-JIS.
struct NumberComponent {
  std::string Front;
  int32_t Num = 1;
  std::string Back;
  friend bool operator==(const NumberComponent&, const NumberComponent&) = default;
};

// Row d (0-9) has d + 1 components: component 0 for the top-level ancestor, component d for
// the node itself. 55 components in all.
class NumberingTable {
 public:
  static constexpr size_t kCells = kNumberingDepths * (kNumberingDepths + 1) / 2;
  // 0 <= component <= depth < kNumberingDepths.
  NumberComponent& at(int depth, int component) { return cells_[Cell(depth, component)]; }
  const NumberComponent& at(int depth, int component) const {
    return cells_[Cell(depth, component)];
  }
  friend bool operator==(const NumberingTable&, const NumberingTable&) = default;

 private:
  static size_t Cell(int depth, int component) {
    return static_cast<size_t>(depth * (depth + 1) / 2 + component);
  }
  std::array<NumberComponent, kCells> cells_;
};

// The table used when there is no settings file: prefix empty, style 1, suffix "-" between
// components and " " after the last (a node at depth 2 reads "1-2-3 ").
NumberingTable BuiltInNumbering();

// Exactly one indentation choice is in effect.
enum class IndentChoice { kNone, kHalfSpace, kFullSpace, kTab, kCustom };

// The text one level of indentation adds (Shift-JIS): "", " ", "　", TAB or the custom text.
std::string_view IndentUnit(IndentChoice choice, std::string_view custom);

struct TextFormat {
  // The exporters read the committed table; the dialog's controls edit the working table.
  NumberingTable committed;
  NumberingTable working;
  bool chapter_numbers = false;
  IndentChoice indent = IndentChoice::kFullSpace;
  std::string custom_indent;  // Shift-JIS
  bool separator_above = true;
  bool separator_below = true;
  bool mark_before_title = true;
  bool include_bodies = true;
  // Used only by the rich-text outputs; the dialog's own font until a file or a caller sets it.
  FontSetting title_font{std::string(kFontMsPGothic), 9, kColorWindowText, 0};
  ExportScope scope = ExportScope::kAll;  // never stored

  // The dialog's steps: showing copies committed to working, OK copies it back.
  void BeginEditing() { working = committed; }
  void CommitEditing() { committed = working; }

  friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

// Built-in defaults: BuiltInNumbering() in both tables, everything else as initialised above.
TextFormat DefaultTextFormat();

// Loading: the committed table and the options from `ini`. Missing keys take the file's
// defaults (prefix empty, style 1, suffix "-", numbers off, full-width indentation, the three
// title options and bodies on); missing font keys, a font size outside 1-1638 and a style of 0
// keep the font `format` had. The scope and the working table are left alone. When several
// indentation keys are set the last of None, HSpace, ZSpace, Tab, Custom wins; when none is,
// no indentation.
void ReadTextFormat(const IniFile& ini, TextFormat* format);

// Saving: every key, from the working table and the options, into `ini`.
void WriteTextFormat(const TextFormat& format, IniFile* ini);

// A ".PWO" file. Loading fails on a missing, unreadable or oversized file (and then leaves
// `format` as it was); saving is atomic. Messages are the system's.
Status LoadTextFormatFile(const std::string& path, TextFormat* format);
Status SaveTextFormatFile(const std::string& path, const TextFormat& format);

// What a dialog starts with: the default settings file when it exists and loads, else the
// built-in defaults.
TextFormat InitialTextFormat(const std::string& default_file_path);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_TEXT_FORMAT_H_
