// CP932 walking and conversion.
#include "core/cp932.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(Cp932, LeadBytesAreExactlyTheTwoRanges) {
  for (int b = 0; b < 256; ++b) {
    bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
  }
}

TEST(Cp932, WalksDoubleByteCharactersAsOne) {
  // "aあ\" where the trail byte of あ (0x82 0xA0) is not a backslash, then ソ (0x83 0x5C),
  // whose trail byte is.
  const std::string text =
      "a\x82\xa0\x83\x5c"
      "b";
  EXPECT_EQ(NextCharBoundary(text, 0), 1u);
  EXPECT_EQ(NextCharBoundary(text, 1), 3u);
  EXPECT_EQ(NextCharBoundary(text, 3), 5u);
  EXPECT_EQ(PrevCharBoundary(text, 5), 3u);
  EXPECT_EQ(PrevCharBoundary(text, 6), 5u);
  EXPECT_EQ(CharCount(text), 4u);
  EXPECT_EQ(AsciiUpper("ab\x83\x5c"
                       "c"),
            "AB\x83\x5c"
            "C");
  EXPECT_EQ(AsciiUpper("\x82\x61"), "\x82\x61");  // trail byte 'a' is not a letter here
}

TEST(Cp932, LoneLeadByteAtTheEndIsOneCharacter) {
  const std::string text = "x\x82";
  EXPECT_EQ(NextCharBoundary(text, 1), 2u);
  EXPECT_EQ(CharCount(text), 2u);
  EXPECT_EQ(CharCodeAt(text, 1).code, 0x82);
}

struct RoundTripCase {
  const char* cp932;
  const char* utf8;
};

TEST(Cp932, ConvertsBothWays) {
  const RoundTripCase cases[] = {
      {"No Title", "No Title"},
      {"\x88\xea\x8f\xcd", "一章"},
      {"\xb1\xb2", "ｱｲ"},                      // half-width katakana
      {"\x87\x40", "①"},                       // NEC special row
      {"\x83\x5c\x83\x74\x83\x67", "ソフト"},  // 0x5C trail bytes
      {"\x81\x60", "～"},                      // CP932 maps this to the full-width tilde
  };
  for (const auto& c : cases) {
    Conversion to_utf8 = Cp932ToUtf8(c.cp932);
    EXPECT_EQ(to_utf8.text, c.utf8);
    EXPECT_EQ(to_utf8.unmappable, 0u);
    Conversion back = Utf8ToCp932(c.utf8);
    EXPECT_EQ(back.text, c.cp932);
    EXPECT_EQ(back.unmappable, 0u);
  }
}

TEST(Cp932, UnmappableCharactersAreCountedNeverDropped) {
  Conversion replaced = Utf8ToCp932("a😀b");
  EXPECT_EQ(replaced.text, "a?b");
  EXPECT_EQ(replaced.unmappable, 1u);
  EXPECT_TRUE(replaced.ok);
  Conversion failed = Utf8ToCp932("a😀b", Unmappable::kFail);
  EXPECT_FALSE(failed.ok);

  Conversion bad = Cp932ToUtf8("\x81\x20z");  // lead byte followed by a space
  EXPECT_EQ(bad.text, "\xEF\xBF\xBD z");
  EXPECT_EQ(bad.unmappable, 1u);
  EXPECT_FALSE(Cp932ToUtf8("\x81", Unmappable::kFail).ok);
}

TEST(Cp932, EveryDecodableCodeEncodesBackToACodeWithTheSameCharacter) {
  size_t mapped = 0;
  for (unsigned code = 1; code < 0x10000; ++code) {
    char32_t ch = DecodeCp932Char(static_cast<uint16_t>(code));
    if (ch == 0) continue;
    ++mapped;
    std::string bytes;
    ASSERT_TRUE(EncodeCp932Char(ch, &bytes)) << std::hex << code;
    uint16_t back = bytes.size() == 2
                        ? static_cast<uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                static_cast<unsigned char>(bytes[1]))
                        : static_cast<unsigned char>(bytes[0]);
    EXPECT_EQ(DecodeCp932Char(back), ch) << std::hex << code;
  }
  EXPECT_GT(mapped, 7000u);  // the JIS X 0208 set and the extensions are all there
}

TEST(Utf8, MalformedSequencesBecomeReplacementCharacters) {
  const std::string bad[] = {"\xC0\x80", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80", "\xE3\x81"};
  for (const std::string& s : bad) {
    size_t pos = 0;
    EXPECT_EQ(NextUtf8(s, &pos), 0xFFFDu);
    EXPECT_EQ(pos, 1u);
  }
}

}  // namespace
}  // namespace pw
