// Text-format settings: the built-in and the file defaults, the ".PWO" round trip, the
// indentation keys, the font rules and hostile files.
#include "export/text_format.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "core/cp932.h"

namespace pw {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/pwo_test_XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(TextFormat, BuiltInDefaultsEndTheLastComponentWithASpace) {
  const TextFormat f = DefaultTextFormat();
  EXPECT_EQ(f.committed, f.working);
  EXPECT_EQ(f.committed.at(0, 0), (NumberComponent{"", 1, " "}));
  EXPECT_EQ(f.committed.at(9, 8), (NumberComponent{"", 1, "-"}));
  EXPECT_EQ(f.committed.at(9, 9), (NumberComponent{"", 1, " "}));
  EXPECT_FALSE(f.chapter_numbers);
  EXPECT_EQ(f.indent, IndentChoice::kFullSpace);
  EXPECT_TRUE(f.separator_above && f.separator_below && f.mark_before_title && f.include_bodies);
  EXPECT_EQ(f.title_font.Name, kFontMsPGothic);
  EXPECT_EQ(f.title_font.Size, 9);
  EXPECT_EQ(f.scope, ExportScope::kAll);
}

TEST(TextFormat, AnEmptyFileGivesTheFileDefaultsAndKeepsTheShownFont) {
  TextFormat f = DefaultTextFormat();
  f.chapter_numbers = true;
  f.indent = IndentChoice::kTab;
  f.separator_above = false;
  f.title_font = {"Font", 20, 0x123456, kFontStyleBold};
  f.scope = ExportScope::kSubtree;
  f.working.at(3, 1).Front = "w";
  ReadTextFormat(IniFile::FromBytes(""), &f);
  // Missing suffixes are "-", even the last one of a row.
  for (int d = 0; d < kNumberingDepths; ++d) {
    for (int c = 0; c <= d; ++c) ASSERT_EQ(f.committed.at(d, c), (NumberComponent{"", 1, "-"}));
  }
  EXPECT_FALSE(f.chapter_numbers);
  EXPECT_EQ(f.indent, IndentChoice::kFullSpace);
  EXPECT_TRUE(f.separator_above);
  EXPECT_EQ(f.title_font, (FontSetting{"Font", 20, 0x123456, kFontStyleBold}));
  // Loading touches neither the scope nor the table being edited.
  EXPECT_EQ(f.scope, ExportScope::kSubtree);
  EXPECT_EQ(f.working.at(3, 1).Front, "w");
}

TEST(TextFormat, SaveWritesEveryKeyFromTheWorkingTableAndLoadRestoresIt) {
  TextFormat saved = DefaultTextFormat();
  saved.working.at(0, 0) = {Sjis("第"), 2, Sjis("章 ")};
  saved.working.at(9, 4) = {" a ", 8, "\"q\""};
  saved.working.at(5, 5) = {"", 77, ""};
  saved.committed.at(0, 0).Front = "not saved";
  saved.chapter_numbers = true;
  saved.indent = IndentChoice::kCustom;
  saved.custom_indent = Sjis("　・");
  saved.separator_below = false;
  saved.mark_before_title = false;
  saved.include_bodies = false;
  saved.title_font = {Sjis("ＭＳ 明朝"), 14, static_cast<int32_t>(0x80000005u),
                      kFontStyleItalic | kFontStyleStrikeOut};

  IniFile ini;
  WriteTextFormat(saved, &ini);
  EXPECT_EQ(ini.ReadSection("Format").size(), 3 * NumberingTable::kCells + 1);
  EXPECT_EQ(ini.ReadSection("Indent").size(), 6u);
  EXPECT_EQ(ini.ReadSection("Font").size(), 4u);
  EXPECT_EQ(ini.ReadString("Indent", "Custom", ""), "1");
  EXPECT_EQ(ini.ReadString("Indent", "ZSpace", ""), "0");

  TempDir dir;
  const std::string path = dir.File("a.PWO");
  ASSERT_TRUE(SaveTextFormatFile(path, saved));
  TextFormat loaded = DefaultTextFormat();
  ASSERT_TRUE(LoadTextFormatFile(path, &loaded));
  EXPECT_EQ(loaded.committed, saved.working);
  EXPECT_EQ(loaded.committed.at(0, 0).Back, Sjis("章 "));  // the blank survives
  EXPECT_TRUE(loaded.chapter_numbers);
  EXPECT_EQ(loaded.indent, IndentChoice::kCustom);
  EXPECT_EQ(loaded.custom_indent, saved.custom_indent);
  EXPECT_FALSE(loaded.separator_below);
  EXPECT_FALSE(loaded.mark_before_title);
  EXPECT_FALSE(loaded.include_bodies);
  EXPECT_EQ(loaded.title_font, saved.title_font);
}

TEST(TextFormat, IndentationKeysActLikeRadioButtons) {
  const std::pair<const char*, IndentChoice> cases[] = {
      {"[Indent]\r\nZSpace=0\r\n", IndentChoice::kNone},
      {"[Indent]\r\nNone=0\r\nHSpace=0\r\nZSpace=0\r\nTab=0\r\nCustom=0\r\n", IndentChoice::kNone},
      {"[Indent]\r\nHSpace=1\r\n", IndentChoice::kFullSpace},  // a missing ZSpace is 1
      {"[Indent]\r\nHSpace=1\r\nZSpace=0\r\n", IndentChoice::kHalfSpace},
      {"[Indent]\r\nHSpace=1\r\nZSpace=0\r\nTab=7\r\n", IndentChoice::kTab},
      {"[Indent]\r\nNone=1\r\nZSpace=0\r\nCustom=1\r\n", IndentChoice::kCustom},
      {"[Indent]\r\nZSpace=x\r\n", IndentChoice::kFullSpace},  // malformed: the default
  };
  for (const auto& [text, expected] : cases) {
    TextFormat f = DefaultTextFormat();
    ReadTextFormat(IniFile::FromBytes(text), &f);
    EXPECT_EQ(f.indent, expected) << text;
  }
}

TEST(TextFormat, FontKeysKeepTheShownFontWhereTheyCarryNothing) {
  const FontSetting shown{"Shown", 12, 0x0000FF, kFontStyleUnderline};
  struct Case {
    const char* text;
    FontSetting expected;
  };
  const Case cases[] = {
      {"[Font]\r\nFontStyle=0\r\n", shown},
      {"[Font]\r\nFontStyle=3\r\n", {"Shown", 12, 0x0000FF, kFontStyleBold | kFontStyleItalic}},
      {"[Font]\r\nFontName=\r\nFontSize=0\r\n", shown},
      {"[Font]\r\nFontSize=99999999\r\n", shown},
      {"[Font]\r\nFontName=Other\r\nFontSize=30\r\nFontColor=-2147483643\r\n",
       {"Other", 30, static_cast<int32_t>(0x80000005u), kFontStyleUnderline}},
  };
  for (const Case& c : cases) {
    TextFormat f = DefaultTextFormat();
    f.title_font = shown;
    ReadTextFormat(IniFile::FromBytes(c.text), &f);
    EXPECT_EQ(f.title_font, c.expected) << c.text;
  }
}

TEST(TextFormat, HostileFilesAreBoundedOrRefused) {
  // A long prefix is cut at a character boundary, never inside a double-byte character.
  std::string long_text = "a" + std::string(400, '\x82');  // 0x82 0x82 ... pairs after "a"
  TextFormat f = DefaultTextFormat();
  ReadTextFormat(IniFile::FromBytes("[Format]\r\nFront00=" + long_text + "\r\nNum00=-5\r\n"), &f);
  EXPECT_EQ(f.committed.at(0, 0).Front.size(), kMaxFormatTextBytes - 1);
  EXPECT_EQ(f.committed.at(0, 0).Num, -5);  // kept; it writes no number

  TempDir dir;
  TextFormat untouched = DefaultTextFormat();
  untouched.chapter_numbers = true;
  TextFormat g = untouched;
  const std::string big = dir.File("big.PWO");
  WriteBytes(big, "[Format]\r\nON=0\r\n" + std::string(kMaxTextFormatFileBytes, ';'));
  EXPECT_FALSE(LoadTextFormatFile(big, &g));
  EXPECT_FALSE(LoadTextFormatFile(dir.File("missing.PWO"), &g));
  EXPECT_FALSE(LoadTextFormatFile(dir.File(""), &g));  // a folder
  EXPECT_EQ(g, untouched);

  // The dialog starts from the built-in defaults when the default file is missing or bad.
  EXPECT_EQ(InitialTextFormat(dir.File("PLOTWEAV.PWO")), DefaultTextFormat());
  EXPECT_EQ(InitialTextFormat(big), DefaultTextFormat());
  const std::string good = dir.File("PLOTWEAV.PWO");
  WriteBytes(good, "[Format]\r\nON=1\r\n");
  const TextFormat initial = InitialTextFormat(good);
  EXPECT_TRUE(initial.chapter_numbers);
  EXPECT_EQ(initial.committed.at(0, 0).Back, "-");
}

TEST(TextFormat, SavingToAMissingFolderFails) {
  EXPECT_FALSE(SaveTextFormatFile("/nonexistent-folder/x.PWO", DefaultTextFormat()));
}

}  // namespace
}  // namespace pw
