// Text-format settings and their ".PWO" files.
#include "export/text_format.h"

#include "core/atomic_file.h"
#include "core/byte_io.h"
#include "core/cp932.h"

namespace pw {
namespace {

constexpr char kFormat[] = "Format";
constexpr char kIndent[] = "Indent";
constexpr char kTitle[] = "Title";
constexpr char kText[] = "Text";
constexpr char kFont[] = "Font";

// The five indentation keys, in the order in which loading applies them.
constexpr std::pair<const char*, IndentChoice> kIndentKeys[] = {
    {"None", IndentChoice::kNone},        {"HSpace", IndentChoice::kHalfSpace},
    {"ZSpace", IndentChoice::kFullSpace}, {"Tab", IndentChoice::kTab},
    {"Custom", IndentChoice::kCustom},
};

constexpr int kMaxFontSize = 1638;
constexpr size_t kMaxFontNameBytes = 64;

std::string CellKey(const char* name, int depth, int component) {
  std::string key = name;
  key.push_back(static_cast<char>('0' + depth));
  key.push_back(static_cast<char>('0' + component));
  return key;
}

// Cut to at most `limit` bytes without splitting a double-byte character.
std::string Capped(std::string text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = 0;
  for (size_t next; (next = NextCharBoundary(text, end)) <= limit;) end = next;
  text.resize(end);
  return text;
}

}  // namespace

NumberingTable BuiltInNumbering() {
  NumberingTable table;
  for (int d = 0; d < kNumberingDepths; ++d) {
    for (int c = 0; c <= d; ++c) table.at(d, c) = {"", 1, c == d ? " " : "-"};
  }
  return table;
}

std::string_view IndentUnit(IndentChoice choice, std::string_view custom) {
  switch (choice) {
    case IndentChoice::kNone:
      return {};
    case IndentChoice::kHalfSpace:
      return " ";
    case IndentChoice::kFullSpace:
      return "\x81\x40";  // "　"
    case IndentChoice::kTab:
      return "\t";
    case IndentChoice::kCustom:
      return custom;
  }
  return {};
}

TextFormat DefaultTextFormat() {
  TextFormat format;
  format.committed = BuiltInNumbering();
  format.working = format.committed;
  return format;
}

void ReadTextFormat(const IniFile& ini, TextFormat* format) {
  for (int d = 0; d < kNumberingDepths; ++d) {
    for (int c = 0; c <= d; ++c) {
      NumberComponent& cell = format->committed.at(d, c);
      cell.Front = Capped(ini.ReadString(kFormat, CellKey("Front", d, c), ""), kMaxFormatTextBytes);
      cell.Num = ini.ReadInteger(kFormat, CellKey("Num", d, c), 1);
      cell.Back = Capped(ini.ReadString(kFormat, CellKey("Back", d, c), "-"), kMaxFormatTextBytes);
    }
  }
  format->chapter_numbers = ini.ReadBool(kFormat, "ON", false);

  // Radio-button semantics: each choice that is set replaces the one before.
  bool any = false;
  for (const auto& [key, choice] : kIndentKeys) {
    if (ini.ReadBool(kIndent, key, choice == IndentChoice::kFullSpace)) {
      format->indent = choice;
      any = true;
    }
  }
  if (!any) format->indent = IndentChoice::kNone;
  format->custom_indent = Capped(ini.ReadString(kIndent, "CustomStr", ""), kMaxFormatTextBytes);

  format->separator_above = ini.ReadBool(kTitle, "SplitF", true);
  format->separator_below = ini.ReadBool(kTitle, "SplitB", true);
  format->mark_before_title = ini.ReadBool(kTitle, "Mark", true);
  format->include_bodies = ini.ReadBool(kText, "Contents", true);

  FontSetting& font = format->title_font;
  if (ini.ValueExists(kFont, "FontName")) {
    std::string name = Capped(ini.ReadString(kFont, "FontName", font.Name), kMaxFontNameBytes);
    if (!name.empty()) font.Name = std::move(name);
  }
  const int32_t size = ini.ReadInteger(kFont, "FontSize", font.Size);
  if (size >= 1 && size <= kMaxFontSize) font.Size = size;
  font.Color = ini.ReadInteger(kFont, "FontColor", font.Color);
  const int32_t style = ini.ReadInteger(kFont, "FontStyle", 0);
  if (style != 0) {
    font.Style =
        style & (kFontStyleBold | kFontStyleItalic | kFontStyleUnderline | kFontStyleStrikeOut);
  }
}

void WriteTextFormat(const TextFormat& format, IniFile* ini) {
  for (int d = 0; d < kNumberingDepths; ++d) {
    for (int c = 0; c <= d; ++c) {
      const NumberComponent& cell = format.working.at(d, c);
      ini->WriteString(kFormat, CellKey("Front", d, c), cell.Front);
      ini->WriteInteger(kFormat, CellKey("Num", d, c), cell.Num);
      ini->WriteString(kFormat, CellKey("Back", d, c), cell.Back);
    }
  }
  ini->WriteBool(kFormat, "ON", format.chapter_numbers);
  for (const auto& [key, choice] : kIndentKeys)
    ini->WriteBool(kIndent, key, format.indent == choice);
  ini->WriteString(kIndent, "CustomStr", format.custom_indent);
  ini->WriteBool(kTitle, "SplitF", format.separator_above);
  ini->WriteBool(kTitle, "SplitB", format.separator_below);
  ini->WriteBool(kTitle, "Mark", format.mark_before_title);
  ini->WriteBool(kText, "Contents", format.include_bodies);
  ini->WriteString(kFont, "FontName", format.title_font.Name);
  ini->WriteInteger(kFont, "FontSize", format.title_font.Size);
  ini->WriteInteger(kFont, "FontColor", format.title_font.Color);
  ini->WriteInteger(kFont, "FontStyle", format.title_font.Style);
}

Status LoadTextFormatFile(const std::string& path, TextFormat* format) {
  std::string error;
  std::unique_ptr<FileSource> file = FileSource::Open(path, &error);
  if (file == nullptr) return Status::Error(error);
  if (file->size() > kMaxTextFormatFileBytes) {
    return Status::Error("書式ファイルが大きすぎます");
  }
  std::string bytes;
  if (!file->ReadAt(0, static_cast<size_t>(file->size()), &bytes)) {
    return Status::Error("書式ファイルを読めません");
  }
  ReadTextFormat(IniFile::FromBytes(bytes), format);
  return Status::Ok();
}

Status SaveTextFormatFile(const std::string& path, const TextFormat& format) {
  IniFile ini;
  WriteTextFormat(format, &ini);
  return ini.SaveFile(path);
}

TextFormat InitialTextFormat(const std::string& default_file_path) {
  TextFormat format = DefaultTextFormat();
  TextFormat loaded = format;
  if (LoadTextFormatFile(default_file_path, &loaded)) format = std::move(loaded);
  return format;
}

}  // namespace pw
