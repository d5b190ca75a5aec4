// The ZIP writer, read back by a small reader over its central directory: names, methods,
// sizes and CRCs agree, deflated data inflates to what went in, and the first entry sits where
// an EPUB reader looks for "mimetype".
#include "export/zip_writer.h"

#include <gtest/gtest.h>
#include <libdeflate.h>

#include <random>
#include <string>
#include <vector>

namespace pw {
namespace {

uint32_t Get16(const std::string& s, size_t at) {
  return static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8;
}
uint32_t Get32(const std::string& s, size_t at) { return Get16(s, at) | Get16(s, at + 2) << 16; }

struct ReadEntry {
  std::string name;
  uint32_t method;
  uint32_t packed;
  std::string data;
  uint32_t local_offset;
};

std::string Inflate(std::string_view in, size_t size) {
  std::string out(size, '\0');
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  size_t got = 0;
  EXPECT_EQ(libdeflate_deflate_decompress(d, in.data(), in.size(), out.data(), size, &got),
            LIBDEFLATE_SUCCESS);
  libdeflate_free_decompressor(d);
  EXPECT_EQ(got, size);
  return out;
}

// Reads the archive through its end record and central directory, checking every local header
// against its directory entry.
std::vector<ReadEntry> ReadZip(const std::string& zip) {
  std::vector<ReadEntry> entries;
  EXPECT_GE(zip.size(), 22u);
  const size_t end = zip.size() - 22;
  EXPECT_EQ(Get32(zip, end), 0x06054b50u);
  const uint32_t count = Get16(zip, end + 10);
  size_t at = Get32(zip, end + 16);
  EXPECT_EQ(at + Get32(zip, end + 12), end);
  for (uint32_t i = 0; i < count; ++i) {
    EXPECT_EQ(Get32(zip, at), 0x02014b50u);
    ReadEntry e;
    e.method = Get16(zip, at + 10);
    const uint32_t crc = Get32(zip, at + 16);
    const uint32_t packed = e.packed = Get32(zip, at + 20);
    const uint32_t size = Get32(zip, at + 24);
    const uint32_t name_size = Get16(zip, at + 28);
    e.local_offset = Get32(zip, at + 42);
    e.name = zip.substr(at + 46, name_size);
    const size_t local = e.local_offset;
    EXPECT_EQ(Get32(zip, local), 0x04034b50u);
    EXPECT_EQ(Get16(zip, local + 8), e.method);
    EXPECT_EQ(Get32(zip, local + 14), crc);
    EXPECT_EQ(Get32(zip, local + 18), packed);
    EXPECT_EQ(Get32(zip, local + 22), size);
    EXPECT_EQ(zip.substr(local + 30, Get16(zip, local + 26)), e.name);
    const size_t data_at = local + 30 + Get16(zip, local + 26) + Get16(zip, local + 28);
    const std::string raw = zip.substr(data_at, packed);
    e.data = e.method == 8 ? Inflate(raw, size) : raw;
    EXPECT_EQ(e.data.size(), size);
    EXPECT_EQ(Crc32(e.data), crc) << e.name;
    entries.push_back(e);
    at += 46 + name_size + Get16(zip, at + 30) + Get16(zip, at + 32);
  }
  return entries;
}

TEST(ZipWriter, EntriesReadBackWithTheirMethodsAndData) {
  std::mt19937 random(7);
  std::string noise(300000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const struct {
    std::string name;
    std::string data;
    ZipMethod method;
  } cases[] = {
      {"mimetype", "application/epub+zip", ZipMethod::kStored},
      {"empty-stored", "", ZipMethod::kStored},
      {"empty-deflated", "", ZipMethod::kDeflated},
      {"OEBPS/本文/一.xhtml", std::string(100000, 'a') + "終", ZipMethod::kDeflated},
      {"noise.bin", noise, ZipMethod::kDeflated},  // incompressible: larger when deflated
  };
  std::string zip;
  ZipWriter writer([&](std::string_view b) { zip += b; }, DosTimeFromUnix(0));
  for (const auto& c : cases) ASSERT_TRUE(writer.Add(c.name, c.data, c.method));
  ASSERT_TRUE(writer.Finish());
  EXPECT_EQ(writer.bytes_written(), zip.size());

  // An EPUB reader finds "mimetype" and its text at fixed offsets: no extra field.
  EXPECT_EQ(zip.substr(30, 28), "mimetypeapplication/epub+zip");
  const std::vector<ReadEntry> entries = ReadZip(zip);
  ASSERT_EQ(entries.size(), std::size(cases));
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].name, cases[i].name);
    EXPECT_EQ(entries[i].method, static_cast<uint32_t>(cases[i].method));
    EXPECT_EQ(entries[i].data, cases[i].data) << cases[i].name;
  }
  EXPECT_LT(entries[3].packed, 1000u) << "repetitive text is compressed";
  EXPECT_FALSE(writer.Add("late", "x", ZipMethod::kStored)) << "nothing after Finish";
}

TEST(ZipWriter, RefusesMoreEntriesThanTheClassicFormatCounts) {
  size_t bytes = 0;
  ZipWriter writer([&](std::string_view b) { bytes += b.size(); }, DosTime{});
  for (size_t i = 0; i < ZipWriter::kMaxEntries; ++i) {
    ASSERT_TRUE(writer.Add("f", "", ZipMethod::kStored)) << i;
  }
  const Status refused = writer.Add("f", "", ZipMethod::kStored);
  EXPECT_FALSE(refused);
  EXPECT_NE(refused.message.find("大きすぎます"), std::string::npos);
  EXPECT_FALSE(writer.Finish()) << "a refused archive is not completed as if whole";
}

TEST(ZipWriter, DosTimesOfKnownMoments) {
  const struct {
    int64_t unix;
    uint16_t date, time;
  } cases[] = {
      {315532800, (0 << 9) | (1 << 5) | 1, 0},                               // 1980-01-01
      {0, (0 << 9) | (1 << 5) | 1, 0},                                       // before: clamped
      {1709214358, (44 << 9) | (2 << 5) | 29, (13 << 11) | (45 << 5) | 29},  // 2024-02-29 13:45:58
      {4354819199, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},  // clamped
  };
  for (const auto& c : cases) {
    const DosTime t = DosTimeFromUnix(c.unix);
    EXPECT_EQ(t.date, c.date) << c.unix;
    EXPECT_EQ(t.time, c.time) << c.unix;
  }
}

}  // namespace
}  // namespace pw
