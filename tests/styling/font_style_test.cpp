// The style table's limits and the ".FSF" record layout, byte for byte.
#include "styling/font_style.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/cp932.h"

namespace pw::styling {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

FontStyle Style(const char* name, int32_t size = 12) {
  return {0x000000FF, size, Sjis("ＭＳ 明朝"), kStyleBold | kStyleUnderline, Sjis(name)};
}

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/pw_fsf_XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(FontStyleTable, NinthStyleIsRefusedAndAFreedPlaceIsNumberEight) {
  FontStyleTable table;
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(table.Add(Style("見出し")));
  EXPECT_TRUE(table.full());
  EXPECT_FALSE(table.Add(Style("九番目")));
  EXPECT_EQ(table.size(), 8u);
  table.Remove(2);
  EXPECT_TRUE(table.Add(Style("新しい")));
  EXPECT_EQ(table.at(7).name, Sjis("新しい"));
}

TEST(FontStyleTable, DeletingSelectsThePreviousStyle) {
  struct Case {
    int count;
    int selected;
    int removed;
    int select_after;
  } cases[] = {
      {3, 1, 1, 0},    // the one above
      {3, 0, 0, 0},    // at the top: the (new) first
      {3, -1, 2, 1},   // nothing selected: the last goes
      {1, 0, 0, -1},   // the table empties
      {0, -1, -1, -1}, // nothing to delete
  };
  for (const Case& c : cases) {
    FontStyleTable table;
    for (int i = 0; i < c.count; ++i) table.Add(Style(std::to_string(i).c_str()));
    StyleDeletion d = DeleteStyle(&table, c.selected);
    EXPECT_EQ(d.removed, c.removed) << c.count << " " << c.selected;
    EXPECT_EQ(d.select_after, c.select_after) << c.count << " " << c.selected;
    EXPECT_EQ(table.size(), static_cast<size_t>(std::max(c.count - 1, 0)));
  }
}

TEST(FontStyleTable, StylesAndCharacterFormats) {
  rich::CharFormat format;
  format.face = "ＭＳ 明朝";
  format.size = 10.5;  // a style holds whole points
  format.color = 0x00112233;
  format.bold = true;
  format.strike_out = true;
  const FontStyle style = StyleFromCharFormat(format, Sjis("見出し"));
  EXPECT_EQ(style, (FontStyle{0x00112233, 11, Sjis("ＭＳ 明朝"), kStyleBold | kStyleStrikeOut,
                              Sjis("見出し")}));
  format.size = 11;
  EXPECT_EQ(CharFormatFromStyle(style), format);
  // Sizes out of reason from a style file are brought into range.
  EXPECT_EQ(CharFormatFromStyle(FontStyle{0, -5, "", 0, ""}).size, 1);
  EXPECT_EQ(CharFormatFromStyle(FontStyle{0, 1 << 30, "", 0, ""}).size, kMaxFontSize);
}

TEST(FontStyleFile, RecordLayout) {
  FontStyle style{-2147483640, 0x01020304, "Face", kStyleItalic | kStyleStrikeOut, "Name"};
  const std::string record = EncodeFontStyle(style);
  ASSERT_EQ(record.size(), 300u);
  std::string want(300, '\0');
  want.replace(0, 4, "\x08\x00\x00\x80", 4);  // colour, little-endian
  want.replace(4, 4, "\x04\x03\x02\x01", 4);  // size
  want.replace(8, 5, "\x04""Face");           // 32-byte counted face name
  want[40] = 0x0A;                            // style bits
  want.replace(41, 5, "\x04""Name");          // 256-byte counted style name; 3 bytes of padding
  EXPECT_EQ(record, want);
  EXPECT_EQ(DecodeFontStyle(record), style);
}

TEST(FontStyleFile, NamesAreCutToTheirFieldsWithoutSplittingACharacter) {
  // 16 double-byte characters (32 bytes) do not fit 31 bytes: 15 remain.
  std::string face;
  for (int i = 0; i < 16; ++i) face += Sjis("あ");
  std::string name(300, 'n');
  FontStyleTable table;
  table.Add({0, 9, face, 0, name});
  EXPECT_EQ(table.at(0).face.size(), 30u);
  EXPECT_EQ(table.at(0).name.size(), 255u);
  const FontStyle back = DecodeFontStyle(EncodeFontStyle(table.at(0)));
  EXPECT_EQ(back, table.at(0));

  // A record from elsewhere with a length byte past its field, a NUL inside, or a lead byte cut
  // off at the end reads as clean text.
  std::string record = EncodeFontStyle({});
  record[8] = static_cast<char>(200);
  record.replace(9, 31, std::string(31, 'F'));
  record[41] = 3;
  record.replace(42, 3, std::string("ab") + Sjis("あ")[0]);
  FontStyle odd = DecodeFontStyle(record);
  EXPECT_EQ(odd.face, std::string(31, 'F'));
  EXPECT_EQ(odd.name, "ab");
}

TEST(FontStyleFile, WrittenBytesReadBackIdentical) {
  TempDir dir;
  FontStyleTable table;
  table.Add(Style("見出し", 16));
  table.Add(Style("本文", 9));
  table.Add({static_cast<int32_t>(0x80000008), -3, "", 0xFF, ""});
  const std::string path = dir.File("スタイル.FSF");
  ASSERT_TRUE(WriteFontStyleFile(path, table));
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, EncodeFontStyleFile(table));
  EXPECT_EQ(bytes.size(), 900u);

  FontStyleTable read;
  ASSERT_TRUE(ReadFontStyleFile(path, &read));
  EXPECT_EQ(read, table);
  EXPECT_EQ(EncodeFontStyleFile(read), bytes);
}

TEST(FontStyleFile, Reading) {
  TempDir dir;
  FontStyleTable two;
  two.Add(Style("一"));
  two.Add(Style("二"));
  std::string nine;
  for (int i = 0; i < 9; ++i) nine += EncodeFontStyle(Style(std::to_string(i).c_str()));

  struct Case {
    const char* what;
    std::string bytes;
    bool ok;
    size_t count;  // after reading into a table that held two styles
  } cases[] = {
      {"empty file", "", true, 0},
      {"one record", EncodeFontStyle(Style("一")), true, 1},
      {"nine records keep eight", nine, true, 8},
      {"a cut record", EncodeFontStyleFile(two).substr(0, 450), false, 2},
      {"one byte", "x", false, 2},
  };
  for (const Case& c : cases) {
    const std::string path = dir.File("t.FSF");
    WriteBytes(path, c.bytes);
    FontStyleTable table = two;
    Status status = ReadFontStyleFile(path, &table);
    EXPECT_EQ(status.ok, c.ok) << c.what;
    EXPECT_EQ(table.size(), c.count) << c.what;
    if (!c.ok) {
      EXPECT_EQ(status.message, "ﾌｧｲﾙの読み込みに失敗しました") << c.what;
      EXPECT_EQ(table, two) << c.what;  // a failed read leaves the table alone
    }
  }
  FontStyleTable table = two;
  EXPECT_FALSE(ReadFontStyleFile(dir.File("missing.FSF"), &table));
  EXPECT_EQ(table, two);
}

TEST(FontStyleFile, AFailedWriteSaysSo) {
  Status status = WriteFontStyleFile("/nonexistent-folder/x.FSF", FontStyleTable{});
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message, "保存に失敗しました");
}

}  // namespace
}  // namespace pw::styling
