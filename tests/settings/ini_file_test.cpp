// INI reading and writing: what a file keeps across a rewrite, look-ups, numbers, quoting.
#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/cp932.h"

namespace pw {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A hand-edited file: comments, blank lines, odd spacing, unknown sections and keys, a
// Shift-JIS value, a malformed line and one whose brackets never close.
std::string HandEditedFile() {
  return "; Plotweave settings\r\n"
         "\r\n"
         "[Window]\r\n"
         "  Left = 10\r\n"
         "Width=709\r\n"
         "Unknown=keep me\r\n"
         "this line is not a key\r\n"
         "\r\n"
         "; fonts follow\r\n"
         "[Font]\r\n"
         "MemoFontName=" +
         Sjis("ＭＳ ゴシック") +
         "\r\n"
         "MemoFontSize=11\r\n"
         "[Other]\r\n"
         "[unclosed\r\n"
         "x=\t\"quoted\"  \r\n";
}

TEST(IniFile, UntouchedFileIsWrittenBackByteForByte) {
  const std::string bytes = HandEditedFile();
  EXPECT_EQ(IniFile::FromBytes(bytes).ToBytes(), bytes);
}

TEST(IniFile, RewritingChangesOnlyTheChangedValues) {
  IniFile ini = IniFile::FromBytes(HandEditedFile());
  ini.WriteInteger("Window", "Left", 10);  // same value: the line keeps its spacing
  ini.WriteInteger("window", "WIDTH", 800);
  ini.WriteString("Font", "MemoFontName", Sjis("ＭＳ ゴシック"));
  std::string expected = HandEditedFile();
  expected.replace(expected.find("Width=709"), 9, "Width=800");
  EXPECT_EQ(ini.ToBytes(), expected);

  ini.WriteInteger("Window", "Left", -3);  // a changed value keeps the spacing before it
  EXPECT_NE(ini.ToBytes().find("  Left = -3\r\n"), std::string::npos);
}

TEST(IniFile, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
  IniFile ini = IniFile::FromBytes(HandEditedFile());
  ini.WriteBool("Window", "Maximized", true);
  ini.WriteString("Other", "y", "2");
  ini.WriteString("Color", "TVColor", "16777215");
  const std::string out = ini.ToBytes();
  // After the last entry of [Window] (the malformed line counts), before the blank line and
  // the comment that lead into [Font].
  EXPECT_NE(out.find("this line is not a key\r\nMaximized=1\r\n\r\n; fonts follow\r\n"),
            std::string::npos)
      << out;
  // [Other] holds no entry; "[unclosed" is kept as a line of its own inside it.
  EXPECT_NE(out.find("[Other]\r\n[unclosed\r\nx=\t\"quoted\"  \r\ny=2\r\n"), std::string::npos)
      << out;
  const std::string tail = "y=2\r\n[Color]\r\nTVColor=16777215\r\n";
  EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
  EXPECT_EQ(ini.ReadSection("Window"),
            (std::vector<std::string>{"Left", "Width", "Unknown", "Maximized"}));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Window", "Font", "Other", "Color"}));
}

TEST(IniFile, ReadsAnyLineEndsAndWritesCrLf) {
  IniFile ini = IniFile::FromBytes("[A]\nk1=1\rk2=2\r\nk3=3\n\n[B]\r\nk=4");
  EXPECT_EQ(ini.ReadString("A", "k1", ""), "1");
  EXPECT_EQ(ini.ReadString("A", "k2", ""), "2");
  EXPECT_EQ(ini.ReadString("A", "k3", ""), "3");
  EXPECT_EQ(ini.ReadString("B", "k", ""), "4");
  EXPECT_EQ(ini.ToBytes(), "[A]\r\nk1=1\r\nk2=2\r\nk3=3\r\n\r\n[B]\r\nk=4\r\n");
}

TEST(IniFile, NamesIgnoreAsciiCaseOnly) {
  // 0x82 0x61 and 0x82 0x41 differ only in a trail byte that looks like a letter: they are two
  // different characters and must not be folded together.
  IniFile ini = IniFile::FromBytes("[General]\r\nMakeBak=1\r\n\x82\x61=lower\r\n");
  EXPECT_EQ(ini.ReadString("GENERAL", "makebak", ""), "1");
  EXPECT_EQ(ini.ReadString("general", "MAKEBAK", ""), "1");
  EXPECT_TRUE(ini.ValueExists("General", "\x82\x61"));
  EXPECT_FALSE(ini.ValueExists("General", "\x82\x41"));
  ini.WriteString("GENERAL", "MAKEBAK", "0");
  EXPECT_EQ(ini.ToBytes(), "[General]\r\nMakeBak=0\r\n\x82\x61=lower\r\n");
}

TEST(IniFile, BracketAsTrailByteDoesNotEndASectionName) {
  // "ゾ" is 0x83 0x5D; its trail byte is ']'.
  const std::string zo = Sjis("ゾ");
  ASSERT_EQ(zo, "\x83\x5d");
  IniFile ini = IniFile::FromBytes("[" + zo + "]\r\nk=v\r\n[" + zo + "x]\r\nk=w\r\n");
  EXPECT_EQ(ini.ReadString(zo, "k", ""), "v");
  EXPECT_EQ(ini.ReadString(zo + "x", "k", ""), "w");
}

TEST(IniFile, ShiftJisValuesAndKeysRoundTrip) {
  IniFile ini;
  const std::string value = Sjis("表示 ソ能 ＼");  // trail bytes 0x5C and 0x5F included
  ini.WriteString("Find", Sjis("検索"), value);
  IniFile back = IniFile::FromBytes(ini.ToBytes());
  EXPECT_EQ(back.ReadString("Find", Sjis("検索"), ""), value);
}

TEST(IniFile, ValuesKeepBlanksAndQuotesThroughAWriteAndRead) {
  const std::string values[] = {" ",  "  lead", "trail  ", "\"quoted\"", "'single'",
                                "\"", "a\"b",   "",        "=",          "x = y"};
  IniFile ini;
  for (size_t i = 0; i < std::size(values); ++i) {
    ini.WriteString("S", "k" + std::to_string(i), values[i]);
  }
  IniFile back = IniFile::FromBytes(ini.ToBytes());
  for (size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(back.ReadString("S", "k" + std::to_string(i), "?"), values[i]) << i;
  }
  // As other INI readers do, blanks around a value and one pair of quotes are not part of it.
  IniFile hand = IniFile::FromBytes("[S]\r\na =  x y  \r\nb=\"q\"\r\nc='r'\r\nd=\"s'\r\n");
  EXPECT_EQ(hand.ReadString("S", "a", ""), "x y");
  EXPECT_EQ(hand.ReadString("S", "b", ""), "q");
  EXPECT_EQ(hand.ReadString("S", "c", ""), "r");
  EXPECT_EQ(hand.ReadString("S", "d", ""), "\"s'");
}

TEST(IniFile, LineBreaksInAValueCannotStartNewLines) {
  IniFile ini;
  ini.WriteString("History", "Filename1", "a\r\n[Window]\nWidth=1");
  IniFile back = IniFile::FromBytes(ini.ToBytes());
  EXPECT_FALSE(back.SectionExists("Window"));
  EXPECT_EQ(back.ReadString("History", "Filename1", ""), "a  [Window] Width=1");
}

TEST(IniFile, IntegersAndBooleans) {
  struct Case {
    const char* text;
    int32_t value;  // with default 77
  };
  const Case cases[] = {
      {"12", 12},
      {" -5 ", -5},
      {"+7", 7},
      {"$FF", 255},
      {"0x10", 16},
      {"16777215", 16777215},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$80000005", static_cast<int32_t>(0x80000005u)},
      {"$FFFFFFFF", -1},
      {"2147483648", 77},
      {"-2147483649", 77},
      {"$100000000", 77},
      {"", 77},
      {"abc", 77},
      {"12abc", 77},
      {"1 2", 77},
      {"-", 77},
      {"$", 77},
      {"1.5", 77},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::FromBytes(std::string("[S]\r\nk=") + c.text + "\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "k", 77), c.value) << c.text;
  }
  IniFile ini = IniFile::FromBytes("[S]\r\none=1\r\nzero=0\r\ntwo=2\r\nneg=-1\r\nbad=yes\r\n");
  EXPECT_TRUE(ini.ReadBool("S", "one", false));
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "neg", false));
  EXPECT_TRUE(ini.ReadBool("S", "bad", true));
  EXPECT_FALSE(ini.ReadBool("S", "bad", false));
  EXPECT_TRUE(ini.ReadBool("S", "missing", true));
  EXPECT_EQ(ini.ReadInteger("Missing", "k", -9), -9);

  IniFile out;
  out.WriteBool("S", "t", true);
  out.WriteBool("S", "f", false);
  out.WriteInteger("S", "n", -2147483647 - 1);
  out.WriteInteger("S", "c", static_cast<int32_t>(0x80000008u));
  EXPECT_EQ(out.ToBytes(), "[S]\r\nt=1\r\nf=0\r\nn=-2147483648\r\nc=-2147483640\r\n");
}

TEST(IniFile, FirstOccurrenceWinsAndErasingRemovesEvery) {
  IniFile ini = IniFile::FromBytes("[A]\r\nk=1\r\nk=2\r\n[B]\r\nk=b\r\n[a]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
  EXPECT_FALSE(ini.ValueExists("A", "j"));  // only in the second [a]
  EXPECT_EQ(ini.ReadSection("A"), std::vector<std::string>{"k"});
  ini.WriteString("A", "k", "9");
  EXPECT_EQ(ini.ToBytes(), "[A]\r\nk=9\r\nk=2\r\n[B]\r\nk=b\r\n[a]\r\nk=3\r\nj=4\r\n");
  ini.DeleteKey("A", "K");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "2");
  ini.EraseSection("a");
  EXPECT_EQ(ini.ToBytes(), "[B]\r\nk=b\r\n");
  EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"B"});
}

TEST(IniFile, EmptyAndOddInputs) {
  EXPECT_TRUE(IniFile::FromBytes("").empty());
  EXPECT_EQ(IniFile::FromBytes("").ToBytes(), "");
  // A key before any section, a line of '=' only, a NUL byte: kept, never crash.
  const std::string odd("k=v\r\n=\r\n[S]\r\na=\0b\r\n", 19);
  IniFile ini = IniFile::FromBytes(odd);
  EXPECT_EQ(ini.ToBytes(), odd);
  EXPECT_EQ(ini.ReadString("S", "a", ""), std::string("\0b", 2));
  EXPECT_FALSE(ini.ValueExists("", "k"));
}

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("pw_ini_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(IniFileOnDisk, MissingFileIsEmptyAndSaveLoadRoundTrips) {
  const std::string path = (dir_ / "plotweave.INI").string();
  IniFile ini = IniFile::FromBytes("[X]\r\nold=1\r\n");
  ASSERT_TRUE(ini.LoadFile(path).ok);
  EXPECT_TRUE(ini.empty());

  ini.WriteString("General", "DefaultDir", Sjis("/home/作家/"));
  ASSERT_TRUE(ini.SaveFile(path).ok);
  EXPECT_EQ(ReadAll(path), "[General]\r\nDefaultDir=" + Sjis("/home/作家/") + "\r\n");
  IniFile back;
  ASSERT_TRUE(back.LoadFile(path).ok);
  EXPECT_EQ(back.ToBytes(), ini.ToBytes());
}

TEST_F(IniFileOnDisk, UnreadableOrUnwritablePathsReportErrors) {
  IniFile ini;
  Status load = ini.LoadFile(dir_.string());  // a folder is no file
  EXPECT_FALSE(load.ok);
  EXPECT_FALSE(load.message.empty());
  Status save = ini.SaveFile((dir_ / "no_such_folder" / "x.INI").string());
  EXPECT_FALSE(save.ok);
  EXPECT_FALSE(save.message.empty());
}

}  // namespace
}  // namespace pw
