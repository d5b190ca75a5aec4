// Writer: the exact form of a small document, and the round trip over generated documents
// that use every attribute, Japanese text and characters CP932 cannot hold.
#include "richtext/rtf_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"

namespace pw::rich {
namespace {

TEST(RtfWriterTest, WritesLikeARichEditControl) {
  RichDocument doc;
  CharFormat gothic;
  gothic.face = "ＭＳ ゴシック";
  gothic.size = 10.5;
  CharFormat red = gothic;
  red.color = 0x0000FF;
  red.bold = true;
  doc.paragraphs[0].runs = {rich::Run{"第1章 {x}", gothic}, rich::Run{"赤", red}};
  Paragraph second;
  second.format.alignment = Alignment::kCenter;
  second.format.first_indent = -9;
  second.format.left_indent = 18;
  second.format.tab_stops = {36};
  second.runs = {rich::Run{"a\tb\vc☃", gothic}};
  doc.paragraphs.push_back(second);
  EXPECT_EQ(WriteRtf(doc),
            "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fnil"
            "\\fcharset128\\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\r\n"
            "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
            "\\viewkind4\\uc1\\pard\\plain\\f0\\fs21\\'91\\'e6"
            "1\\'8f\\'cd \\{x\\}\\plain\\f0\\fs21\\cf1\\b\\'90\\'d4\\par\r\n"
            "\\pard\\qc\\fi-180\\li360\\tx720\\plain\\f0\\fs21 a\\tab b\\line c\\u9731?}\r\n");
}

TEST(RtfWriterTest, EmptyDocument) {
  std::string rtf = WriteRtf(RichDocument{});
  EXPECT_TRUE(DocumentLines(ReadRtf(rtf)).empty());
  EXPECT_EQ(ReadRtf(rtf), RichDocument{});
}

// Random documents in normal form.
class DocumentGenerator {
 public:
  explicit DocumentGenerator(uint32_t seed) : rng_(seed) {}

  RichDocument Next() {
    RichDocument doc;
    doc.paragraphs.clear();
    int paragraphs = Pick(1, 6);
    for (int p = 0; p < paragraphs; ++p) {
      Paragraph paragraph;
      paragraph.format.alignment = static_cast<Alignment>(Pick(0, 3));
      paragraph.format.first_indent = Pick(-400, 400) / 20.0;
      paragraph.format.left_indent = Pick(0, 2000) / 20.0;
      paragraph.format.right_indent = Pick(0, 2000) / 20.0;
      int stop = 0;
      for (int t = Pick(0, 4); t > 0; --t) {
        stop += Pick(1, 1440);
        paragraph.format.tab_stops.push_back(stop / 20.0);
      }
      paragraph.format.bullet = Pick(0, 3) == 0;
      for (int r = Pick(0, 5); r > 0; --r) paragraph.runs.push_back(rich::Run{Text(), Format()});
      doc.paragraphs.push_back(std::move(paragraph));
    }
    doc.Normalize();
    return doc;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  CharFormat Format() {
    static const std::pair<const char*, int> kFonts[] = {
        {"ＭＳ ゴシック", 128}, {"ＭＳ 明朝", 128}, {"Arial", 0},   {"Odd;Name", 0},
        {"游ゴシック", 0},      {"SimSun", 134},    {"Gulim", 130},
    };
    CharFormat f;
    const auto& font = kFonts[Pick(0, static_cast<int>(std::size(kFonts)) - 1)];
    f.face = font.first;
    f.charset = font.second;
    f.size = Pick(1, 144) / 2.0;
    f.color = Pick(0, 2) == 0 ? kWindowTextColor : static_cast<uint32_t>(Pick(0, 0xFFFFFF));
    f.bold = Pick(0, 1);
    f.italic = Pick(0, 1);
    f.underline = Pick(0, 1);
    f.strike_out = Pick(0, 1);
    return f;
  }

  std::string Text() {
    static const char* const kPieces[] = {
        "a",  "Z",  "0",  " ",      "  ",     "\\",     "{",      "}",  ";",    "?",  "\t", "\v",
        "あ", "漢", "字", "ｱ",      "表",     "ソ",     "〜",     "～", "①",    "髙", "é",  "€",
        "☃",  "😊",  "丂", "\u00A0", "\u00AD", "\u2011", "\u00FF", "Ω",  "\x7F", "₩",
    };
    std::string text;
    for (int n = Pick(1, 12); n > 0; --n) text += kPieces[Pick(0, std::size(kPieces) - 1)];
    return text;
  }

  std::mt19937 rng_;
};

TEST(RtfWriterTest, RoundTripOfGeneratedDocuments) {
  DocumentGenerator generator(20261208);
  for (int i = 0; i < 2000; ++i) {
    RichDocument doc = generator.Next();
    std::string rtf = WriteRtf(doc);
    RichDocument back = ReadRtf(rtf);
    ASSERT_EQ(back, doc) << "document " << i << "\n" << rtf;
    ASSERT_EQ(WriteRtf(back), rtf) << "document " << i;
    // The fast line reader sees the same text as the document.
    std::vector<std::string> lines;
    for (const std::string& line : DocumentLines(doc)) {
      lines.push_back(Cp932ToUtf8(Utf8ToPlainCp932(line)).text);
    }
    std::vector<std::string> fast;
    for (const std::string& line : ReadRtfLines(rtf)) fast.push_back(Cp932ToUtf8(line).text);
    ASSERT_EQ(fast, lines) << rtf;
    // In small pieces the RTF is the same.
    std::string pieces;
    WriteRtf(doc, [&pieces](std::string_view piece) { pieces += piece; }, 16);
    ASSERT_EQ(pieces, rtf) << "document " << i;
  }
}

// The writer fed a paragraph at a time numbers fonts and colours as they first appear, so its
// tables and text match the whole document's, also over documents merged one after another.
TEST(RtfWriterTest, ParagraphByParagraphWritesTheSameRtf) {
  DocumentGenerator generator(20261209);
  RichDocument merged;
  for (int i = 0; i < 300; ++i) {
    RichDocument doc = i % 50 == 0 ? RichDocument{} : generator.Next();
    RtfStreamWriter writer;
    for (const Paragraph& paragraph : doc.paragraphs) writer.Add(paragraph);
    std::string streamed;
    writer.Finish([&streamed](std::string_view piece) { streamed += piece; });
    ASSERT_EQ(streamed, WriteRtf(doc)) << "document " << i;
    merged.paragraphs.insert(merged.paragraphs.end(), doc.paragraphs.begin(),
                             doc.paragraphs.end());
  }
  RtfStreamWriter writer;
  for (const Paragraph& paragraph : merged.paragraphs) writer.Add(paragraph);
  std::string streamed;
  writer.Finish([&streamed](std::string_view piece) { streamed += piece; });
  EXPECT_EQ(streamed, WriteRtf(merged));
}

TEST(RtfWriterTest, RangeOfADocument) {
  RichDocument doc;
  CharFormat bold;
  bold.bold = true;
  doc.paragraphs[0].runs = {rich::Run{"一二三", CharFormat{}}, rich::Run{"四五", bold}};
  Paragraph second;
  second.format.alignment = Alignment::kRight;
  second.runs = {rich::Run{"六七", CharFormat{}}};
  doc.paragraphs.push_back(second);

  RichDocument part = ReadRtf(WriteRtfRange(doc, {0, 2}, {1, 1}));
  ASSERT_EQ(part.paragraphs.size(), 2u);
  ASSERT_EQ(part.paragraphs[0].runs.size(), 2u);
  EXPECT_EQ(part.paragraphs[0].runs[0].text, "三");
  EXPECT_EQ(part.paragraphs[0].runs[1].text, "四五");
  EXPECT_TRUE(part.paragraphs[0].runs[1].format.bold);
  EXPECT_EQ(part.paragraphs[1].Text(), "六");
  EXPECT_EQ(part.paragraphs[1].format.alignment, Alignment::kRight);
  // Reversed and out-of-range ends are put in order and clamped.
  EXPECT_EQ(ReadRtf(WriteRtfRange(doc, {9, 9}, {0, 4})).paragraphs.size(), 2u);
}

}  // namespace
}  // namespace pw::rich
