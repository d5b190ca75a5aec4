// The PalmDOC converter: records, compression, the database layout, and the Debian readers
// (txt2pdbdoc, mobitool) decoding our databases back to the exact text where they are installed.
#include "platform/palm_doc.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/cp932.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

uint32_t Get16(const std::string& s, size_t at) {
  return static_cast<unsigned char>(s[at]) << 8 | static_cast<unsigned char>(s[at + 1]);
}
uint32_t Get32(const std::string& s, size_t at) { return Get16(s, at) << 16 | Get16(s, at + 2); }

// Reads a database back as a reader would: the header, the record list, the text records.
struct ParsedDoc {
  std::string name;
  std::string type_creator;
  uint32_t version = 0;
  uint32_t text_size = 0;
  std::vector<std::string> records;  // text records, as stored
  std::string text;                  // decoded
};

ParsedDoc Parse(const std::string& db) {
  ParsedDoc doc;
  doc.name = db.substr(0, db.find('\0'));
  doc.type_creator = db.substr(60, 8);
  const uint32_t count = Get16(db, 76);
  std::vector<uint32_t> offsets;
  for (uint32_t k = 0; k < count; ++k) offsets.push_back(Get32(db, 78 + 8 * k));
  offsets.push_back(static_cast<uint32_t>(db.size()));
  const std::string header = db.substr(offsets[0], offsets[1] - offsets[0]);
  doc.version = Get16(header, 0);
  doc.text_size = Get32(header, 4);
  EXPECT_EQ(Get16(header, 8), count - 1);
  EXPECT_EQ(Get16(header, 10), kPalmDocRecordSize);
  for (uint32_t k = 1; k < count; ++k) {
    doc.records.push_back(db.substr(offsets[k], offsets[k + 1] - offsets[k]));
    doc.text += doc.version == 2 ? DecompressPalmDocRecord(doc.records.back())
                                 : doc.records.back();
  }
  return doc;
}

// Shift-JIS prose with CR LF, half-width katakana (single bytes of 0xA1-0xDF), control bytes
// 0x01-0x08, spaces before ASCII letters and long repeats, over several records.
std::string MixedText() {
  std::string text = "#!Medoc index 2\r\n4:\x8f\x8d\x8f\xcd\r\n";  // 序章
  for (int i = 0; i < 400; ++i) {
    text += "\x82\xa0\x82\xa2\x82\xa4 word \xb1\xb2\xb3 \x01\x08\x7f\xff\x80 ";  // あいう, ｱｲｳ
    text += std::to_string(i);
    text += "\r\n";
  }
  return text;
}

TEST(PalmDocTest, CompressionRoundTrips) {
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  std::string repeats(4096, ' ');
  std::string alternating;  // the largest output: three bytes for every two
  for (int i = 0; i < 2048; ++i) alternating += "\x80" "a";
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"ascii", "The quick brown fox jumps over the lazy dog. The quick brown fox."},
      {"space pairs", " a b c  Z ~ \x7f"},
      {"escapes", std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x80\xff\x00", 12)},
      {"shift-jis", "\x82\xa0\x82\xa2\x82\xa0\x82\xa2\x82\xa0\x82\xa2\x83\x41\x83\x42"},
      {"spaces", repeats},
      {"noise", noise},
      {"alternating", alternating},
      {"mixed", MixedText().substr(0, 4096)},
  };
  for (const auto& c : cases) {
    const std::string packed = CompressPalmDocRecord(c.text);
    EXPECT_EQ(DecompressPalmDocRecord(packed), c.text) << c.name;
  }
  EXPECT_LT(CompressPalmDocRecord(repeats).size(), repeats.size() / 4);
}

TEST(PalmDocTest, RecordsNeverSplitADoubleByteCharacter) {
  // 4095 ASCII bytes and a double-byte character: the character starts the next record.
  std::string text(4095, 'a');
  text += "\x82\xa0";
  text += std::string(5000, 'b');
  std::vector<size_t> ends = PalmDocRecordEnds(text);
  ASSERT_EQ(ends.size(), 3u);
  EXPECT_EQ(ends[0], 4095u);
  EXPECT_EQ(ends[1], 4095u + 4096u);
  EXPECT_EQ(ends[2], text.size());

  // All double-byte characters after one single byte: every record ends one byte short.
  std::string kanji = "x";
  for (int i = 0; i < 5000; ++i) kanji += "\x8a\xbf";
  ends = PalmDocRecordEnds(kanji);
  size_t start = 0;
  for (size_t end : ends) {
    EXPECT_LE(end - start, kPalmDocRecordSize);
    EXPECT_EQ((end - 1) % 2, 0u) << "record ending at " << end;
    start = end;
  }
  EXPECT_EQ(start, kanji.size());
  EXPECT_TRUE(PalmDocRecordEnds("").empty());
}

// Record ends against a walk from the start of the text, on texts whose double-byte characters
// have trail bytes that are lead bytes too (kanji such as 0x889F, 0xE0E0), where a walk that
// looks only near the limit can lose the pairing.
TEST(PalmDocTest, RecordEndsMatchAWalkFromTheStart) {
  auto walked = [](const std::string& text) {
    std::vector<size_t> ends;
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = pos;
      while (end < text.size()) {
        const size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
        if (next - pos > kPalmDocRecordSize) break;
        end = next;
      }
      end = std::min(end, text.size());
      ends.push_back(end);
      pos = end;
    }
    return ends;
  };
  const std::vector<std::string> pieces = {"a", "\x88\x9f", "\xe0\xe0", "\x82\xa0", "\xb1",
                                           "\x81\x40", "\x9f\x81"};
  uint32_t seed = 12345;
  for (int round = 0; round < 40; ++round) {
    std::string text;
    const size_t size = 4000 + static_cast<size_t>(round) * 613;
    while (text.size() < size) {
      seed = seed * 1103515245u + 12345u;
      // Long runs of one piece as well as mixtures.
      const std::string& piece = pieces[(seed >> 16) % pieces.size()];
      const size_t repeat = round % 3 == 0 ? 1 + (seed >> 8) % 3000 : 1;
      for (size_t k = 0; k < repeat; ++k) text += piece;
    }
    EXPECT_EQ(PalmDocRecordEnds(text), walked(text)) << "round " << round;
  }
}

TEST(PalmDocTest, NameIsCutAtACharacterBoundary) {
  const struct {
    std::string title;
    std::string name;
  } cases[] = {
      {"short", "short"},
      {std::string(31, 'n'), std::string(31, 'n')},
      {std::string(40, 'n'), std::string(31, 'n')},
      {std::string(30, 'n') + "\x82\xa0", std::string(30, 'n')},  // あ would need bytes 31-32
      {std::string(29, 'n') + "\x82\xa0z", std::string(29, 'n') + "\x82\xa0"},
      {std::string("ab\0cd", 5), "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(PalmDbName(c.title), c.name) << c.title;
}

TEST(PalmDocTest, DatabaseLayout) {
  const std::string text = MixedText();
  PalmDocOptions options;
  options.palm_time = 3'900'000'000u;
  for (bool compress : {true, false}) {
    options.compress = compress;
    std::string db;
    ASSERT_TRUE(BuildPalmDoc(text, "\x95\xa8\x8c\xea", options, &db));  // 物語
    ParsedDoc doc = Parse(db);
    EXPECT_EQ(doc.name, "\x95\xa8\x8c\xea");
    EXPECT_EQ(doc.type_creator, "TEXtREAd");
    EXPECT_EQ(doc.version, compress ? 2u : 1u);
    EXPECT_EQ(doc.text_size, text.size());
    EXPECT_GT(doc.records.size(), 1u);
    EXPECT_EQ(doc.text, text);
    EXPECT_EQ(Get32(db, 36), options.palm_time);
    EXPECT_EQ(Get16(db, 32), 0u);  // no backup attribute unless asked
  }
}

TEST(PalmDocTest, TooManyRecordsIsRefused) {
  std::string text((kPalmDocMaxTextRecords + 1) * kPalmDocRecordSize, 'a');
  std::string db;
  PalmDocOptions options;
  options.compress = false;
  EXPECT_FALSE(BuildPalmDoc(text, "big", options, &db));
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "palmdoc-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path_); }
  fs::path operator/(const char* name) const { return path_ / name; }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(PalmDocTest, Txt2PrcWritesTheFileAndReportsFailure) {
  TempFolder dir;
  const std::string text = MixedText();
  WriteFile(dir / "$TMP.TXT", text);
  const std::string db = (dir / "book.PDB").string();
  EXPECT_TRUE(Txt2Prc((dir / "$TMP.TXT").c_str(), db.c_str(), "book", 1, 0));
  EXPECT_EQ(Parse(ReadFile(db)).text, text);
  EXPECT_FALSE(Txt2Prc((dir / "missing.TXT").c_str(), db.c_str(), "book", 1, 0));
  EXPECT_FALSE(
      Txt2Prc((dir / "$TMP.TXT").c_str(), (dir / "no/such/x.PDB").c_str(), "book", 1, 0));
}

// The readers of the platform: both must give back the converter's input byte for byte.
TEST(PalmDocTest, DebianReadersDecodeTheExactText) {
  const bool txt2pdbdoc = Installed("txt2pdbdoc");
  const bool mobitool = Installed("mobitool");
  if (!txt2pdbdoc && !mobitool) GTEST_SKIP() << "neither txt2pdbdoc nor mobitool is installed";
  TempFolder dir;
  const std::string text = MixedText();
  WriteFile(dir / "in.TXT", text);
  for (int compress : {1, 0}) {
    const fs::path db = dir / "book.pdb";
    ASSERT_TRUE(Txt2Prc((dir / "in.TXT").c_str(), db.c_str(), "\x95\xa8\x8c\xea", compress, 0));
    if (txt2pdbdoc) {
      const fs::path out = dir / "txt2pdbdoc.txt";
      const std::string command = "txt2pdbdoc -d '" + db.string() + "' '" + out.string() + "'";
      ASSERT_EQ(std::system(command.c_str()), 0) << command;
      EXPECT_EQ(ReadFile(out), text) << "txt2pdbdoc, compress " << compress;
    }
    if (mobitool) {
      const fs::path out_dir = dir / "mobi";
      fs::create_directories(out_dir);
      const std::string command =
          "mobitool -d -o '" + out_dir.string() + "' '" + db.string() + "' >/dev/null";
      ASSERT_EQ(std::system(command.c_str()), 0) << command;
      EXPECT_EQ(ReadFile(out_dir / "book.rawml"), text) << "mobitool, compress " << compress;
      fs::remove_all(out_dir);
    }
  }
}

}  // namespace
}  // namespace pw
