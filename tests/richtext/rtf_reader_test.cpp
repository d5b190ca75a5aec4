// Reader: rich-edit style fixtures (fonts, code pages, colours, bullets, tabs, \u escapes,
// split \'hh pairs, nested and unknown destinations) and hostile input.
#include "richtext/rtf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"

namespace pw::rich {
namespace {

std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(PW_RTF_FIXTURE_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The line reader's output in UTF-8; a kept code without a Unicode counterpart shows as "?",
// as it does after a trip through the document.
std::vector<std::string> FastLinesUtf8(std::string_view rtf) {
  std::vector<std::string> lines;
  for (const std::string& line : ReadRtfLines(rtf)) {
    std::string utf8 = Cp932ToUtf8(line).text;
    for (size_t at; (at = utf8.find("\uFFFD")) != std::string::npos;) utf8.replace(at, 3, "?");
    lines.push_back(utf8);
  }
  return lines;
}

// The fast CP932 line reader and the document reader must see the same text.
void ExpectSameLines(std::string_view rtf) {
  std::vector<std::string> from_document;
  for (const std::string& line : DocumentLines(ReadRtf(rtf))) {
    from_document.push_back(Cp932ToUtf8(Utf8ToPlainCp932(line)).text);
  }
  EXPECT_EQ(FastLinesUtf8(rtf), from_document);
}

constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kBlue = 0x00FF0000;

TEST(RtfReaderTest, RichEditJapaneseDocument) {
  std::string rtf = Fixture("richedit_japanese.rtf");
  RichDocument doc = ReadRtf(rtf);
  ASSERT_EQ(doc.paragraphs.size(), 8u);

  const Paragraph& p0 = doc.paragraphs[0];
  ASSERT_EQ(p0.runs.size(), 1u);
  EXPECT_EQ(p0.runs[0].text, "第一章　旅立ち");
  EXPECT_EQ(p0.runs[0].format.face, "ＭＳ ゴシック");
  EXPECT_EQ(p0.runs[0].format.charset, 128);
  EXPECT_EQ(p0.runs[0].format.size, 9);
  EXPECT_EQ(p0.runs[0].format.color, kWindowTextColor);
  EXPECT_EQ(p0.format, ParagraphFormat{});

  const Paragraph& p1 = doc.paragraphs[1];
  EXPECT_EQ(p1.format.alignment, Alignment::kCenter);
  ASSERT_EQ(p1.runs.size(), 2u);
  EXPECT_EQ(p1.runs[0].text, "見出し");
  EXPECT_EQ(p1.runs[0].format.color, kRed);
  EXPECT_TRUE(p1.runs[0].format.bold);
  EXPECT_EQ(p1.runs[1].text, " plain");
  EXPECT_EQ(p1.runs[1].format.color, kWindowTextColor);
  EXPECT_FALSE(p1.runs[1].format.bold);

  // Bullets: \pntext is not text; the bullet stays on until \pard.
  for (int i : {2, 3}) {
    const ParagraphFormat& f = doc.paragraphs[i].format;
    EXPECT_TRUE(f.bullet) << i;
    EXPECT_EQ(f.first_indent, -10) << i;
    EXPECT_EQ(f.left_indent, 10) << i;
  }
  EXPECT_EQ(doc.paragraphs[2].Text(), "箇条書き");
  EXPECT_EQ(doc.paragraphs[3].Text(), "二つ目");

  const Paragraph& p4 = doc.paragraphs[4];
  EXPECT_FALSE(p4.format.bullet);
  EXPECT_EQ(p4.format.tab_stops, (std::vector<double>{36, 72}));
  EXPECT_EQ(p4.format.right_indent, 15);
  ASSERT_EQ(p4.runs.size(), 3u);
  EXPECT_EQ(p4.runs[0].text, "A\tB\t");
  EXPECT_EQ(p4.runs[1].text, "C表");               // 0x95 0x5C: a trail byte that is a backslash
  EXPECT_EQ(p4.runs[1].format.face, "ＭＳ 明朝");  // {\*\falt} is not part of the name
  EXPECT_EQ(p4.runs[1].format.size, 12);
  EXPECT_TRUE(p4.runs[1].format.italic);
  EXPECT_TRUE(p4.runs[1].format.underline);
  EXPECT_EQ(p4.runs[2].text, "x");
  EXPECT_TRUE(p4.runs[2].format.strike_out);
  EXPECT_FALSE(p4.runs[2].format.underline);

  const Paragraph& p5 = doc.paragraphs[5];
  EXPECT_EQ(p5.format.alignment, Alignment::kRight);
  ASSERT_EQ(p5.runs.size(), 1u);
  EXPECT_EQ(p5.runs[0].text, "Café € end");
  EXPECT_EQ(p5.runs[0].format.face, "Arial");
  EXPECT_EQ(p5.runs[0].format.charset, 0);
  EXPECT_EQ(p5.runs[0].format.size, 10);
  EXPECT_EQ(p5.runs[0].format.color, kBlue);

  EXPECT_EQ(doc.paragraphs[6].Text(), "漢字\v二行目");
  EXPECT_TRUE(doc.paragraphs[7].runs.empty());

  EXPECT_EQ(DocumentLines(doc),
            (std::vector<std::string>{"第一章　旅立ち", "見出し plain", "箇条書き", "二つ目",
                                      "A\tB\tC表x", "Café € end", "漢字", "二行目"}));
  std::vector<std::string> lines = ReadRtfLines(rtf);
  ASSERT_EQ(lines.size(), 8u);
  // The line reader keeps the bytes of a code that has no Unicode counterpart.
  EXPECT_EQ(ReadRtfLines("{\\rtf1\\ansicpg932 \\'85\\'40}"), std::vector<std::string>{"\x85\x40"});
  EXPECT_EQ(lines[0], Utf8ToCp932("第一章　旅立ち").text);
  EXPECT_EQ(lines[5], "Caf? ? end");  // CP932 has neither é nor €
  ExpectSameLines(rtf);
}

TEST(RtfReaderTest, FixtureText) {
  struct Case {
    const char* file;
    std::vector<std::string> lines;  // UTF-8
  } cases[] = {
      // A double-byte character split over two escapes, also across a line end.
      {"split_pairs.rtf", {"あいうえ"}},
      // \uN with \ucN: surrogate pairs, negative N, \uc2 skipping two escapes, \uc0, and a
      // fallback that swallows the next control word as the RTF rules say.
      {"unicode_escapes.rtf", {"A?😊B☎C你DあEい", "～\u00A0x\u00ADy\u2011z{}\\"}},
      // Style sheet, info, pictures, unknown and nested ignorable destinations, fields and
      // \bin data are not text.
      {"destinations.rtf", {"前後", "リンク", "textmark"}},
      {"codepages.rtf", {"naïve €", "日本語", "Привет", "中文", "中文"}},
  };
  for (const Case& c : cases) {
    std::string rtf = Fixture(c.file);
    EXPECT_EQ(DocumentLines(ReadRtf(rtf)), c.lines) << c.file;
    ExpectSameLines(rtf);
  }
}

TEST(RtfReaderTest, FieldResultKeepsItsFormat) {
  RichDocument doc = ReadRtf(Fixture("destinations.rtf"));
  ASSERT_GE(doc.paragraphs.size(), 2u);
  ASSERT_EQ(doc.paragraphs[1].runs.size(), 1u);
  EXPECT_TRUE(doc.paragraphs[1].runs[0].format.underline);
}

TEST(RtfReaderTest, SmallCases) {
  struct Case {
    const char* rtf;
    std::vector<std::string> lines;
  } cases[] = {
      {"{\\rtf1}", {}},
      {"{\\rtf1 \\par}", {""}},
      {"{\\rtf1 a\\par\\par}", {"a", ""}},
      {"{\\rtf1 a\\line}", {"a"}},
      {"{\\rtf1 a\\line\\line b}", {"a", "", "b"}},
      // Unterminated documents are read to the end.
      {"{\\rtf1 abc\\par def", {"abc", "def"}},
      {"{\\rtf1 abc\\'8", {"abc"}},
      // Text after the document's closing brace is not part of it.
      {"{\\rtf1 abc}trailing", {"abc"}},
      // Unknown control words are ignored, unknown \* destinations skipped.
      {"{\\rtf1 a\\frobnicate b{\\*\\frob c{d}}e}",
       {"ab"
        "e"}},
      // A lead byte left alone at the end of a run.
      {"{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 \\'82\\par z}", {"\uFFFD", "z"}},
      // An unassigned double-byte code: no Unicode counterpart.
      {"{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 \\'85\\'40}", {"\uFFFD"}},
      // Characters between \uN and its fallback count limit.
      {"{\\rtf1\\uc3\\u21512 ab}", {"合"}},
      // A soft hyphen alone still makes a line, though its plain text is empty.
      {"{\\rtf1 a\\par\\-}", {"a", "\u00AD"}},
      {"{\\rtf1 \\u-1?}", {"\uFFFF"}},
      {"{\\rtf1 \\cell x\\row y}", {"\tx", "y"}},
      // Code pages with combining marks must not swallow the last character of a run.
      {"{\\rtf1{\\fonttbl{\\f0\\fcharset163 V;}}\\f0 abc\\par\\'e0\\'81z}", {"abc", "à\uFFFDz"}},
      {"{\\rtf1{\\fonttbl{\\f0\\fcharset177 H;}}\\f0 xyz\\par}", {"xyz"}},
      {"{\\rtf1 \\emdash\\lquote\\rdblquote}", {"—‘”"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DocumentLines(ReadRtf(c.rtf)), c.lines) << c.rtf;
    ExpectSameLines(c.rtf);
  }
}

TEST(RtfReaderTest, DeepNestingIsBounded) {
  std::string rtf = "{\\rtf1 a";
  for (int i = 0; i < 100000; ++i) rtf += "{";
  rtf += "hidden";
  for (int i = 0; i < 100000; ++i) rtf += "}";
  rtf += "b\\par c}";
  EXPECT_EQ(DocumentLines(ReadRtf(rtf)), (std::vector<std::string>{"ab", "c"}));
  ExpectSameLines(rtf);

  std::string shallow = "{\\rtf1 ";
  for (int i = 0; i < kMaxGroupDepth - 2; ++i) shallow += "{";
  shallow += "kept";
  for (int i = 0; i < kMaxGroupDepth - 2; ++i) shallow += "}";
  shallow += "}";
  EXPECT_EQ(DocumentLines(ReadRtf(shallow)), (std::vector<std::string>{"kept"}));
}

TEST(RtfReaderTest, AsciiBytesInAnEbcdicCodePage) {
  // Letters are not ASCII in every code page iconv knows; both readers must decode them.
  std::string rtf = "{\\rtf1\\ansi\\ansicpg500 abc}";
  EXPECT_NE(DocumentLines(ReadRtf(rtf)), std::vector<std::string>{"abc"});
  ExpectSameLines(rtf);
  // A font entry whose only name is a \\u escape closes with its group in both readers.
  ExpectSameLines("{\\rtf1{\\fonttbl{\\f\\u4}\\fcharset128 b}\\'b8}");
  // Johab has the won sign where ASCII has the backslash.
  ExpectSameLines("{\\rtf1\\ansi\\ansicpg1361 a\\\\b}");
}

TEST(RtfReaderTest, FontWithoutCharsetIsInTheDocumentCodePage) {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fnil \\'82\\'6c\\'82\\'72;}}\\f0 "
      "\\'82\\'a0}";
  RichDocument doc = ReadRtf(rtf);
  ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
  EXPECT_EQ(doc.paragraphs[0].runs[0].text, "あ");
  EXPECT_EQ(doc.paragraphs[0].runs[0].format.face, "ＭＳ");
  EXPECT_EQ(doc.paragraphs[0].runs[0].format.charset, kShiftJisCharset);
}

TEST(RtfReaderTest, GroupScopesCharacterFormat) {
  RichDocument doc = ReadRtf("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}a{\\b\\cf1 b}c\\cf9 d}");
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  const auto& runs = doc.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, "a");
  EXPECT_EQ(runs[1].text, "b");
  EXPECT_TRUE(runs[1].format.bold);
  EXPECT_EQ(runs[1].format.color, 0x030201u);
  // Back outside the group; \cf9 names no colour and means the automatic one.
  EXPECT_EQ(runs[2].text, "cd");
  EXPECT_FALSE(runs[2].format.bold);
  EXPECT_EQ(runs[2].format.color, kWindowTextColor);
}

}  // namespace
}  // namespace pw::rich

namespace pw::rich {
namespace {

// Formats never grow with the input: the control holds 32 tab stops and 31-unit face names.
TEST(RtfReaderTest, TabStopsAreBoundedAndScopedByGroups) {
  std::string stops;
  for (int i = 40; i >= 1; --i) stops += "\\tx" + std::to_string(i * 20);
  RichDocument doc = ReadRtf("{\\rtf1 " + stops + "\\tx20 a\\par{\\tx2000 b\\par}c}");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  // The first 32 stops given (40 down to 9 points) are kept, in order; the rest is ignored.
  std::vector<double> kept;
  for (int i = 9; i <= 40; ++i) kept.push_back(i);
  for (const Paragraph& paragraph : doc.paragraphs) EXPECT_EQ(paragraph.format.tab_stops, kept);

  doc = ReadRtf("{\\rtf1\\tx100 {\\tx200\\qc a\\par}b\\par\\pard c}");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_EQ(doc.paragraphs[0].format.tab_stops, (std::vector<double>{5, 10}));
  EXPECT_EQ(doc.paragraphs[0].format.alignment, Alignment::kCenter);
  EXPECT_EQ(doc.paragraphs[1].format.tab_stops, (std::vector<double>{5}));
  EXPECT_EQ(doc.paragraphs[1].format.alignment, Alignment::kLeft);
  EXPECT_TRUE(doc.paragraphs[2].format.tab_stops.empty());
}

TEST(RtfReaderTest, FaceNamesAreCutToWhatTheControlHolds) {
  const std::string x31(31, 'x');
  struct Case {
    std::string font_entry;
    std::string face;
  } cases[] = {
      {"\\fnil " + std::string(40000, 'F') + ";", std::string(31, 'F')},
      {"\\fnil " + x31 + ";", x31},
      // Blanks around the name do not count, and a cut never leaves a trailing blank.
      {"\\fnil " + std::string(2000, ' ') + "Name;", "Name"},
      {"\\fnil " + std::string(30, 'a') + " bc;", std::string(30, 'a')},
      // Double-byte names count characters, not bytes ("\x82\xa0" is あ).
      {"\\fcharset128 " + [] {
         std::string s;
         for (int i = 0; i < 40; ++i) s += "\\'82\\'a0";
         return s;
       }() + ";",
       [] {
         std::string s;
         for (int i = 0; i < 31; ++i) s += "あ";
         return s;
       }()},
      // A character outside the BMP takes two units and is not split.
      {"\\fnil " + std::string(30, 'a') + "\\u-10179?\\u-8704?;", std::string(30, 'a')},
      {"\\fnil " + std::string(29, 'a') + "\\u-10179?\\u-8704?;", std::string(29, 'a') + "😀"},
  };
  for (const Case& c : cases) {
    RichDocument doc = ReadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0" + c.font_entry + "}}\\f0 x\\b y}");
    ASSERT_EQ(doc.paragraphs[0].runs.size(), 2u) << c.face;
    EXPECT_EQ(doc.paragraphs[0].runs[0].format.face, c.face);
    EXPECT_EQ(doc.paragraphs[0].runs[1].format.face, c.face);
  }
}

}  // namespace
}  // namespace pw::rich
