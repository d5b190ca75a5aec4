// Every preference, the window layout and the recent lists, with their defaults, and how they
// are read from and written to the settings file.
#ifndef PLOTWEAVE_SETTINGS_SETTINGS_H_
#define PLOTWEAVE_SETTINGS_SETTINGS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_file.h"
#include "settings/recent_list.h"
#include "settings/tool_bar_layout.h"

namespace pw {

// Colours are 0x00BBGGRR; a value whose high byte is 0x80 names a system colour.
inline constexpr int32_t kColorBlack = 0x000000;
inline constexpr int32_t kColorWhite = 0xFFFFFF;
inline constexpr int32_t kColorAqua = 0xFFFF00;
inline constexpr int32_t kColorNavy = 0x800000;
// The system colour of window text, the colour a pane's font has until the user picks one.
inline constexpr int32_t kColorWindowText = static_cast<int32_t>(0x80000008u);
inline constexpr bool IsSystemColor(int32_t color) {
  return (static_cast<uint32_t>(color) >> 24) == 0x80;
}

// Font style bits as stored in the settings file.
inline constexpr int kFontStyleBold = 1;
inline constexpr int kFontStyleItalic = 2;
inline constexpr int kFontStyleUnderline = 4;
inline constexpr int kFontStyleStrikeOut = 8;

// A pane font; the character set is always Shift-JIS.
struct FontSetting {
  std::string Name;                  // <prefix>FontName: face name, Shift-JIS bytes
  int Size = 9;                      // <prefix>FontSize: points
  int32_t Color = kColorWindowText;  // <prefix>FontColor
  int Style = 0;                     // <prefix>FontStyle: kFontStyle* bits
  friend bool operator==(const FontSetting&, const FontSetting&) = default;
};

// Face names of the panes' own fonts, Shift-JIS: "ＭＳ Ｐゴシック" and "ＭＳ ゴシック".
inline constexpr std::string_view kFontMsPGothic =
    "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
inline constexpr std::string_view kFontMsGothic =
    "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

// Strings marked "Shift-JIS" are bytes as in documents and in the file; paths are file-system
// paths (UTF-8), converted to Shift-JIS in the file. Folder paths end with '/'.
struct Settings {
  // [Window]
  std::optional<int> Left;  // Left: absent lets the window system place the window
  std::optional<int> Top;   // Top
  int Width = 709;          // Width
  int Height = 561;         // Height
  bool Maximized = false;   // Maximized
  bool SplitH = true;       // SplitH: tree beside the panes (true) or above them (false)
  int TreeWidth = 149;      // TreeWidth: tree width beside, height above (default 149 / 434)

  // [General]
  int Tab = 8;              // Tab: tab width in characters (taken as read, even 3 or -1)
  int TitleMaxLength = 64;  // TitleMaxLength: bytes of body taken for a title
  bool ShowButtons = true;  // ShowButtons
  bool ShowLines = true;    // ShowLines
  bool ScrollBars = true;   // ScrollBars: body pane vertical scroll bar
  bool WordWrap = true;     // WordWrap
  bool NodeOpen = false;    // NodeOpen: expand every node after reading a document
  bool MakeBak = false;     // MakeBak
  std::string SplitLine = std::string(50, '-');  // SplitLine: Shift-JIS
  bool IMEEnable = false;                        // IMEEnable
  bool UseBakDir = false;                        // UseBakDir
  bool LoadEditPos = false;                      // LoadEditPos
  std::string BackDir;           // BackDir: path; DefaultSettings() sets the default
  std::string DefaultDir;        // DefaultDir: path; DefaultSettings() sets the default
  std::string LinkRight = "#>";  // LinkRight: Shift-JIS
  std::string LinkLeft = "<#";   // LinkLeft: Shift-JIS
  std::string StyFileName;       // StyFileName: path, empty for none
  std::string FormatFileName;    // FormatFileName: path; empty read => DefaultDir + "NewFile.PWO"
  std::string ChrFileName;       // ChrFileName: path; empty read => DefaultDir + "NewFile.CHR"
  bool UndoDialog = true;        // UndoDialog

  // [Color]
  int32_t TVColor = kColorWhite;    // TVColor: tree background
  int32_t MemoColor = kColorWhite;  // MemoColor: title pane background
  int32_t REColor = kColorWhite;    // REColor: body pane background
  int32_t IMEText = kColorBlack;    // IMEText
  int32_t IMEBack = kColorAqua;     // IMEBack
  int32_t IMEInput = kColorNavy;    // IMEInput

  // [Font] TreeView*, Memo*, RichEdit*
  FontSetting TreeViewFont{std::string(kFontMsPGothic), 9, kColorWindowText, 0};
  FontSetting MemoFont{std::string(kFontMsGothic), 11, kColorBlack, 0};
  FontSetting RichEditFont{std::string(kFontMsGothic), 9, kColorWindowText, 0};

  // [History] Count, Filename1..; [TempHistory] the same
  RecentList History;
  RecentList TempHistory;

  // [Visible] and [Pos]
  ToolBarLayout ToolBars;

  // [Find] FindFindNum/FindFind0.., ReplaceFindNum/ReplaceFind0..,
  // ReplaceReplaceNum/ReplaceReplace0..: top of each list first, Shift-JIS, at most 10 each
  std::vector<std::string> FindFind;
  std::vector<std::string> ReplaceFind;
  std::vector<std::string> ReplaceReplace;

  friend bool operator==(const Settings&, const Settings&) = default;
};

inline constexpr int kTreeWidthBeside = 149;  // TreeWidth default with SplitH 1
inline constexpr int kTreeHeightAbove = 434;  // TreeWidth default with SplitH 0
inline constexpr size_t kFindHistoryMax = 10;

// Every default. `document_folder` (the home folder) becomes DefaultDir and BackDir, with a
// trailing '/', and the folder of FormatFileName and ChrFileName.
Settings DefaultSettings(std::string_view document_folder);

// Missing keys, malformed numbers and paths that do not convert keep the value in `defaults`
// (Left and Top stay absent unless stored; TreeWidth defaults by the SplitH read).
Settings LoadSettings(const IniFile& ini, const Settings& defaults);

// Writes every key. Keys already in the file keep their places; other keys are left alone;
// numbered list keys beyond a list's new length are removed, and so are the keys of an absent
// window or bar position. A path that cannot be written in Shift-JIS (or holds a line break) is
// not written: a recent entry is left out of its list, a single path key keeps what the file
// held.
void StoreSettings(const Settings& settings, IniFile* ini);

// Fits stored bounds to the screen: a width over the screen width becomes the screen width at
// left 0; a height over the screen height becomes that height minus 32 at top 0.
void FitWindowToScreen(int screen_width, int screen_height, Settings* settings);

// Body tab stops in points: 32 stops, stop i at (i + 1) * d with d = w * tab * 3 / 4 rounded
// to the nearest integer (halves to even), w the pixel width of "0" in the body font.
std::vector<int> TabStopPoints(int zero_width_px, int tab);

// Section names.
inline constexpr std::string_view kSectionWindow = "Window";
inline constexpr std::string_view kSectionGeneral = "General";
inline constexpr std::string_view kSectionColor = "Color";
inline constexpr std::string_view kSectionFont = "Font";
inline constexpr std::string_view kSectionHistory = "History";
inline constexpr std::string_view kSectionTempHistory = "TempHistory";
inline constexpr std::string_view kSectionVisible = "Visible";
inline constexpr std::string_view kSectionPos = "Pos";
inline constexpr std::string_view kSectionFind = "Find";

}  // namespace pw

#endif  // PLOTWEAVE_SETTINGS_SETTINGS_H_
