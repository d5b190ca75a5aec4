// Reading and writing the settings file: one place that knows every section, key and default.
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/cp932.h"
#include "settings/options.h"

namespace pw {
namespace {

constexpr std::string_view kFontPrefixTree = "TreeView";
constexpr std::string_view kFontPrefixMemo = "Memo";
constexpr std::string_view kFontPrefixRichEdit = "RichEdit";

std::string Key(std::string_view a, std::string_view b) {
  std::string key(a);
  key += b;
  return key;
}

std::string Key(std::string_view a, size_t number) { return Key(a, std::to_string(number)); }

std::optional<int> ReadOptionalInteger(const IniFile& ini, std::string_view section,
                                       std::string_view key, std::optional<int> default_value) {
  if (!ini.ValueExists(section, key)) return default_value;
  // Two different fall-backs tell a malformed value from a stored one.
  int32_t a = ini.ReadInteger(section, key, 0);
  int32_t b = ini.ReadInteger(section, key, 1);
  if (a != b) return default_value;
  return a;
}

// Paths are Shift-JIS in the file and UTF-8 in memory; one that does not convert is no path.
std::string ReadPath(const IniFile& ini, std::string_view section, std::string_view key,
                     const std::string& default_value) {
  if (!ini.ValueExists(section, key)) return default_value;
  Conversion utf8 = Cp932ToUtf8(ini.ReadString(section, key, ""), Unmappable::kFail);
  return utf8.ok ? utf8.text : default_value;
}

std::optional<std::string> PathForFile(std::string_view path) {
  if (path.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  Conversion cp932 = Utf8ToCp932(path, Unmappable::kFail);
  if (!cp932.ok) return std::nullopt;
  return cp932.text;
}

void WritePath(IniFile* ini, std::string_view section, std::string_view key,
               std::string_view path) {
  if (std::optional<std::string> text = PathForFile(path)) ini->WriteString(section, key, *text);
}

// A stored count is trusted only up to the length the list can have.
size_t ReadCount(const IniFile& ini, std::string_view section, std::string_view key,
                 size_t maximum) {
  int32_t count = ini.ReadInteger(section, key, 0);
  if (count < 0) return 0;
  return std::min(static_cast<size_t>(count), maximum);
}

// Removes `prefix` + number keys numbered `first` and above, left over from a longer list.
void DeleteNumberedKeysFrom(IniFile* ini, std::string_view section, std::string_view prefix,
                            size_t first) {
  const std::string upper_prefix = AsciiUpper(prefix);
  for (const std::string& key : ini->ReadSection(section)) {
    if (key.size() <= prefix.size() || AsciiUpper(key.substr(0, prefix.size())) != upper_prefix) {
      continue;
    }
    std::string_view digits = std::string_view(key).substr(prefix.size());
    // Only numbers as this program spells them: "Filename01" is somebody else's key.
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) continue;
    if (digits.size() > 1 && digits[0] == '0') continue;
    // Very long digit strings are numbers beyond any list, so they go too.
    size_t number = digits.size() > 9 ? first : std::stoul(std::string(digits));
    if (number < first) continue;
    while (ini->ValueExists(section, key)) ini->DeleteKey(section, key);  // duplicates too
  }
}

RecentList ReadRecentList(const IniFile& ini, std::string_view section) {
  size_t count = ReadCount(ini, section, "Count", RecentList::kMaxEntries);
  std::vector<std::string> entries;
  for (size_t i = 1; i <= count; ++i)
    entries.push_back(ReadPath(ini, section, Key("Filename", i), ""));
  return RecentList(std::move(entries));
}

void WriteRecentList(const RecentList& list, std::string_view section, IniFile* ini) {
  std::vector<std::string> stored;
  for (const std::string& path : list.entries()) {
    if (std::optional<std::string> text = PathForFile(path)) stored.push_back(std::move(*text));
  }
  ini->WriteInteger(section, "Count", static_cast<int32_t>(stored.size()));
  for (size_t i = 0; i < stored.size(); ++i) {
    ini->WriteString(section, Key("Filename", i + 1), stored[i]);
  }
  DeleteNumberedKeysFrom(ini, section, "Filename", stored.size() + 1);
}

std::vector<std::string> ReadFindList(const IniFile& ini, std::string_view name) {
  size_t count = ReadCount(ini, kSectionFind, Key(name, "Num"), kFindHistoryMax);
  std::vector<std::string> entries;
  for (size_t i = 0; i < count; ++i)
    entries.push_back(ini.ReadString(kSectionFind, Key(name, i), ""));
  return entries;
}

void WriteFindList(const std::vector<std::string>& list, std::string_view name, IniFile* ini) {
  ini->WriteInteger(kSectionFind, Key(name, "Num"), static_cast<int32_t>(list.size()));
  for (size_t i = 0; i < list.size(); ++i) ini->WriteString(kSectionFind, Key(name, i), list[i]);
  DeleteNumberedKeysFrom(ini, kSectionFind, name, list.size());
}

FontSetting ReadFont(const IniFile& ini, std::string_view prefix, const FontSetting& defaults) {
  FontSetting font;
  font.Name = ini.ReadString(kSectionFont, Key(prefix, "FontName"), defaults.Name);
  font.Size = ini.ReadInteger(kSectionFont, Key(prefix, "FontSize"), defaults.Size);
  font.Color = ini.ReadInteger(kSectionFont, Key(prefix, "FontColor"), defaults.Color);
  font.Style = ini.ReadInteger(kSectionFont, Key(prefix, "FontStyle"), defaults.Style);
  return font;
}

void WriteFont(const FontSetting& font, std::string_view prefix, IniFile* ini) {
  ini->WriteString(kSectionFont, Key(prefix, "FontName"), font.Name);
  ini->WriteInteger(kSectionFont, Key(prefix, "FontSize"), font.Size);
  ini->WriteInteger(kSectionFont, Key(prefix, "FontColor"), font.Color);
  ini->WriteInteger(kSectionFont, Key(prefix, "FontStyle"), font.Style);
}

ToolBarLayout ReadToolBars(const IniFile& ini, const ToolBarLayout& defaults) {
  ToolBarLayout bars = defaults;
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    bars.button_visible[i] =
        ini.ReadBool(kSectionVisible, ToolButtons()[i].name, defaults.button_visible[i]);
  }
  for (size_t i = 0; i < kToolBarCount; ++i) {
    std::string_view name = ToolBarName(static_cast<ToolBar>(i));
    bars.bar_visible[i] = ini.ReadBool(kSectionVisible, name, defaults.bar_visible[i]);
    bars.bar_pos[i].Left =
        ReadOptionalInteger(ini, kSectionPos, Key(name, "L"), defaults.bar_pos[i].Left);
    bars.bar_pos[i].Top =
        ReadOptionalInteger(ini, kSectionPos, Key(name, "T"), defaults.bar_pos[i].Top);
  }
  bars.PanelEditToolFont = ini.ReadBool(kSectionVisible, kFontBarName, defaults.PanelEditToolFont);
  bars.anlRulerMain = ini.ReadBool(kSectionVisible, kRulerName, defaults.anlRulerMain);
  bars.font_bar_pos.Left =
      ReadOptionalInteger(ini, kSectionPos, Key(kFontBarName, "L"), defaults.font_bar_pos.Left);
  bars.font_bar_pos.Top =
      ReadOptionalInteger(ini, kSectionPos, Key(kFontBarName, "T"), defaults.font_bar_pos.Top);
  // A bar stored as shown but left without a visible button would show up empty.
  bars.HideEmptyToolBars();
  return bars;
}

// An absent value means "let the window decide", which the file says by not having the key.
void WriteOptionalInteger(IniFile* ini, std::string_view section, std::string_view key,
                          std::optional<int> value) {
  if (value) {
    ini->WriteInteger(section, key, *value);
  } else {
    ini->DeleteKey(section, key);
  }
}

void WritePosition(const BarPosition& pos, std::string_view name, IniFile* ini) {
  WriteOptionalInteger(ini, kSectionPos, Key(name, "L"), pos.Left);
  WriteOptionalInteger(ini, kSectionPos, Key(name, "T"), pos.Top);
}

void WriteToolBars(const ToolBarLayout& bars, IniFile* ini) {
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    ini->WriteBool(kSectionVisible, ToolButtons()[i].name, bars.button_visible[i]);
  }
  for (size_t i = 0; i < kToolBarCount; ++i) {
    ini->WriteBool(kSectionVisible, ToolBarName(static_cast<ToolBar>(i)), bars.bar_visible[i]);
  }
  ini->WriteBool(kSectionVisible, kFontBarName, bars.PanelEditToolFont);
  ini->WriteBool(kSectionVisible, kRulerName, bars.anlRulerMain);
  for (size_t i = 0; i < kToolBarCount; ++i) {
    WritePosition(bars.bar_pos[i], ToolBarName(static_cast<ToolBar>(i)), ini);
  }
  WritePosition(bars.font_bar_pos, kFontBarName, ini);
}

}  // namespace

Settings DefaultSettings(std::string_view document_folder) {
  Settings settings;
  std::string folder = FolderWithSeparator(std::string(document_folder));
  settings.DefaultDir = folder;
  settings.BackDir = folder;
  settings.FormatFileName = folder + "NewFile.PWO";
  settings.ChrFileName = folder + "NewFile.CHR";
  return settings;
}

Settings LoadSettings(const IniFile& ini, const Settings& defaults) {
  Settings s = defaults;
  constexpr std::string_view W = kSectionWindow;
  s.Left = ReadOptionalInteger(ini, W, "Left", defaults.Left);
  s.Top = ReadOptionalInteger(ini, W, "Top", defaults.Top);
  s.Width = ini.ReadInteger(W, "Width", defaults.Width);
  s.Height = ini.ReadInteger(W, "Height", defaults.Height);
  s.Maximized = ini.ReadBool(W, "Maximized", defaults.Maximized);
  s.SplitH = ini.ReadBool(W, "SplitH", defaults.SplitH);
  int tree_default = s.SplitH == defaults.SplitH ? defaults.TreeWidth
                     : s.SplitH                  ? kTreeWidthBeside
                                                 : kTreeHeightAbove;
  s.TreeWidth = ini.ReadInteger(W, "TreeWidth", tree_default);

  constexpr std::string_view G = kSectionGeneral;
  s.Tab = ini.ReadInteger(G, "Tab", defaults.Tab);
  s.TitleMaxLength = ini.ReadInteger(G, "TitleMaxLength", defaults.TitleMaxLength);
  s.ShowButtons = ini.ReadBool(G, "ShowButtons", defaults.ShowButtons);
  s.ShowLines = ini.ReadBool(G, "ShowLines", defaults.ShowLines);
  s.ScrollBars = ini.ReadBool(G, "ScrollBars", defaults.ScrollBars);
  s.WordWrap = ini.ReadBool(G, "WordWrap", defaults.WordWrap);
  s.NodeOpen = ini.ReadBool(G, "NodeOpen", defaults.NodeOpen);
  s.MakeBak = ini.ReadBool(G, "MakeBak", defaults.MakeBak);
  s.SplitLine = ini.ReadString(G, "SplitLine", defaults.SplitLine);
  s.IMEEnable = ini.ReadBool(G, "IMEEnable", defaults.IMEEnable);
  s.UseBakDir = ini.ReadBool(G, "UseBakDir", defaults.UseBakDir);
  s.LoadEditPos = ini.ReadBool(G, "LoadEditPos", defaults.LoadEditPos);
  // File names are made by appending to these folders, so an empty folder is no folder and a
  // hand-written one gets its separator.
  s.BackDir = FolderWithSeparator(ReadPath(ini, G, "BackDir", defaults.BackDir));
  if (s.BackDir.empty()) s.BackDir = defaults.BackDir;
  s.DefaultDir = FolderWithSeparator(ReadPath(ini, G, "DefaultDir", defaults.DefaultDir));
  if (s.DefaultDir.empty()) s.DefaultDir = defaults.DefaultDir;
  s.LinkRight = ini.ReadString(G, "LinkRight", defaults.LinkRight);
  s.LinkLeft = ini.ReadString(G, "LinkLeft", defaults.LinkLeft);
  s.StyFileName = ReadPath(ini, G, "StyFileName", defaults.StyFileName);
  // These two follow the default folder just read unless the file names one of its own.
  s.FormatFileName = ReadPath(ini, G, "FormatFileName", "");
  if (s.FormatFileName.empty()) s.FormatFileName = s.DefaultDir + "NewFile.PWO";
  s.ChrFileName = ReadPath(ini, G, "ChrFileName", "");
  if (s.ChrFileName.empty()) s.ChrFileName = s.DefaultDir + "NewFile.CHR";
  s.UndoDialog = ini.ReadBool(G, "UndoDialog", defaults.UndoDialog);

  constexpr std::string_view C = kSectionColor;
  s.TVColor = ini.ReadInteger(C, "TVColor", defaults.TVColor);
  s.MemoColor = ini.ReadInteger(C, "MemoColor", defaults.MemoColor);
  s.REColor = ini.ReadInteger(C, "REColor", defaults.REColor);
  s.IMEText = ini.ReadInteger(C, "IMEText", defaults.IMEText);
  s.IMEBack = ini.ReadInteger(C, "IMEBack", defaults.IMEBack);
  s.IMEInput = ini.ReadInteger(C, "IMEInput", defaults.IMEInput);

  s.TreeViewFont = ReadFont(ini, kFontPrefixTree, defaults.TreeViewFont);
  s.MemoFont = ReadFont(ini, kFontPrefixMemo, defaults.MemoFont);
  s.RichEditFont = ReadFont(ini, kFontPrefixRichEdit, defaults.RichEditFont);

  s.History = ReadRecentList(ini, kSectionHistory);
  s.TempHistory = ReadRecentList(ini, kSectionTempHistory);

  s.ToolBars = ReadToolBars(ini, defaults.ToolBars);

  s.FindFind = ReadFindList(ini, "FindFind");
  s.ReplaceFind = ReadFindList(ini, "ReplaceFind");
  s.ReplaceReplace = ReadFindList(ini, "ReplaceReplace");
  return s;
}

void StoreSettings(const Settings& s, IniFile* ini) {
  constexpr std::string_view W = kSectionWindow;
  WriteOptionalInteger(ini, W, "Left", s.Left);
  WriteOptionalInteger(ini, W, "Top", s.Top);
  ini->WriteInteger(W, "Width", s.Width);
  ini->WriteInteger(W, "Height", s.Height);
  ini->WriteBool(W, "Maximized", s.Maximized);
  ini->WriteBool(W, "SplitH", s.SplitH);
  ini->WriteInteger(W, "TreeWidth", s.TreeWidth);

  constexpr std::string_view G = kSectionGeneral;
  ini->WriteInteger(G, "Tab", s.Tab);
  ini->WriteInteger(G, "TitleMaxLength", s.TitleMaxLength);
  ini->WriteBool(G, "ShowButtons", s.ShowButtons);
  ini->WriteBool(G, "ShowLines", s.ShowLines);
  ini->WriteBool(G, "ScrollBars", s.ScrollBars);
  ini->WriteBool(G, "WordWrap", s.WordWrap);
  ini->WriteBool(G, "NodeOpen", s.NodeOpen);
  ini->WriteBool(G, "MakeBak", s.MakeBak);
  ini->WriteString(G, "SplitLine", s.SplitLine);
  ini->WriteBool(G, "IMEEnable", s.IMEEnable);
  ini->WriteBool(G, "UseBakDir", s.UseBakDir);
  ini->WriteBool(G, "LoadEditPos", s.LoadEditPos);
  WritePath(ini, G, "BackDir", s.BackDir);
  WritePath(ini, G, "DefaultDir", s.DefaultDir);
  ini->WriteString(G, "LinkRight", s.LinkRight);
  ini->WriteString(G, "LinkLeft", s.LinkLeft);
  WritePath(ini, G, "StyFileName", s.StyFileName);
  WritePath(ini, G, "FormatFileName", s.FormatFileName);
  WritePath(ini, G, "ChrFileName", s.ChrFileName);
  ini->WriteBool(G, "UndoDialog", s.UndoDialog);

  constexpr std::string_view C = kSectionColor;
  ini->WriteInteger(C, "TVColor", s.TVColor);
  ini->WriteInteger(C, "MemoColor", s.MemoColor);
  ini->WriteInteger(C, "REColor", s.REColor);
  ini->WriteInteger(C, "IMEText", s.IMEText);
  ini->WriteInteger(C, "IMEBack", s.IMEBack);
  ini->WriteInteger(C, "IMEInput", s.IMEInput);

  WriteFont(s.TreeViewFont, kFontPrefixTree, ini);
  WriteFont(s.MemoFont, kFontPrefixMemo, ini);
  WriteFont(s.RichEditFont, kFontPrefixRichEdit, ini);

  WriteRecentList(s.History, kSectionHistory, ini);
  WriteRecentList(s.TempHistory, kSectionTempHistory, ini);

  WriteToolBars(s.ToolBars, ini);

  WriteFindList(s.FindFind, "FindFind", ini);
  WriteFindList(s.ReplaceFind, "ReplaceFind", ini);
  WriteFindList(s.ReplaceReplace, "ReplaceReplace", ini);
}

void FitWindowToScreen(int screen_width, int screen_height, Settings* settings) {
  if (settings->Width > screen_width) {
    settings->Width = screen_width;
    settings->Left = 0;
  }
  if (settings->Height > screen_height) {
    settings->Height = screen_height - 32;
    settings->Top = 0;
  }
}

std::vector<int> TabStopPoints(int zero_width_px, int tab) {
  // In double: a hand-edited Tab can be large enough to overflow int arithmetic. Halves go to
  // the even neighbour (10.5 -> 10, 11.5 -> 12), as the stops were always computed.
  const double exact = static_cast<double>(zero_width_px) * tab * 3.0 / 4.0;
  double d = std::floor(exact);
  const double fraction = exact - d;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(d, 2.0) != 0)) d += 1;
  std::vector<int> stops;
  stops.reserve(32);
  for (int i = 0; i < 32; ++i) {
    double stop = (i + 1) * d;
    stop = std::max(std::min(stop, 2147483647.0), -2147483648.0);
    stops.push_back(static_cast<int>(stop));
  }
  return stops;
}

}  // namespace pw
