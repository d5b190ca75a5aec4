// Operations: lines and text of a document, pasting and appending, whole-document formats.
#include "richtext/rich_operations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "richtext/plain_text.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw::rich {
namespace {

RichDocument Doc(const std::vector<std::string>& paragraphs, const CharFormat& format = {}) {
  RichDocument doc;
  doc.paragraphs.clear();
  for (const std::string& text : paragraphs) {
    Paragraph paragraph;
    if (!text.empty()) paragraph.runs.push_back(rich::Run{text, format});
    doc.paragraphs.push_back(paragraph);
  }
  return doc;
}

std::vector<std::string> Texts(const RichDocument& doc) {
  std::vector<std::string> texts;
  for (const Paragraph& p : doc.paragraphs) texts.push_back(p.Text());
  return texts;
}

TEST(RichOperationsTest, LinesAndText) {
  struct Case {
    std::vector<std::string> paragraphs;
    std::vector<std::string> lines;
    std::string text;
  } cases[] = {
      {{""}, {}, ""},
      {{"", ""}, {""}, "\r\n"},
      {{"a", ""}, {"a"}, "a\r\n"},
      {{"a", "", ""}, {"a", ""}, "a\r\n\r\n"},
      {{"a\vb", "c"}, {"a", "b", "c"}, "a\r\nb\r\nc"},
      {{"a\v"}, {"a"}, "a\r\n"},
      // No wrapping: a long paragraph stays one line.
      {{std::string(5000, 'x')}, {std::string(5000, 'x')}, std::string(5000, 'x')},
  };
  for (const Case& c : cases) {
    RichDocument doc = Doc(c.paragraphs);
    EXPECT_EQ(DocumentLines(doc), c.lines);
    EXPECT_EQ(DocumentText(doc), c.text);
  }
}

TEST(RichOperationsTest, InsertSplitsTheParagraph) {
  CharFormat bold;
  bold.bold = true;
  RichDocument target = Doc({"あいう", "end"});
  target.paragraphs[0].format.alignment = Alignment::kRight;
  RichDocument source = Doc({"X", "Y"}, bold);
  source.paragraphs[0].format.alignment = Alignment::kCenter;

  TextPosition after = InsertDocument(&target, {0, 1}, source);
  EXPECT_EQ(Texts(target), (std::vector<std::string>{"あX", "Yいう", "end"}));
  // The first half ends with the pasted paragraph's mark, the second keeps the target's.
  EXPECT_EQ(target.paragraphs[0].format.alignment, Alignment::kCenter);
  EXPECT_EQ(target.paragraphs[1].format.alignment, Alignment::kRight);
  EXPECT_EQ(after, (TextPosition{1, 1}));
  ASSERT_EQ(target.paragraphs[1].runs.size(), 2u);
  EXPECT_TRUE(target.paragraphs[1].runs[0].format.bold);
  EXPECT_FALSE(target.paragraphs[1].runs[1].format.bold);

  // One paragraph pasted inside another takes that paragraph's format.
  RichDocument one = Doc({"abc"});
  InsertDocument(&one, {0, 3}, Doc({"d"}, bold));
  EXPECT_EQ(Texts(one), (std::vector<std::string>{"abcd"}));
  EXPECT_EQ(one.paragraphs[0].runs.size(), 2u);
}

TEST(RichOperationsTest, RichAppendBuildsADocument) {
  // As the document builder does: an empty view, then titles and bodies that end in a
  // paragraph mark, each keeping its own formats.
  RichDocument view;
  CharFormat title_font;
  title_font.face = "ＭＳ 明朝";
  title_font.size = 14;
  title_font.bold = true;
  RichDocument title = Doc({"第一章", ""}, title_font);
  title.paragraphs[0].format.left_indent = 0;
  AppendDocument(&view, title);
  // \u escapes, then raw CP932 bytes in the document's ANSI code page.
  RichDocument body = ReadRtf(
      "{\\rtf1\\ansi\\ansicpg932{\\colortbl;\\red255\\green0\\blue0;}\\qc\\cf1 \\u26412?\\u25991?"
      "\\par\\pard " +
      Utf8ToCp932("二行目").text + "\\par}");
  AppendDocument(&view, body);
  EXPECT_EQ(Texts(view), (std::vector<std::string>{"第一章", "本文", "二行目", ""}));
  EXPECT_TRUE(view.paragraphs[0].runs[0].format.bold);
  EXPECT_EQ(view.paragraphs[1].format.alignment, Alignment::kCenter);
  EXPECT_EQ(view.paragraphs[1].runs[0].format.color, 0x0000FFu);
  EXPECT_EQ(view.paragraphs[2].format.alignment, Alignment::kLeft);
  // A body loaded, ended with one more line break, appended.
  RichDocument second = ReadRtf("{\\rtf1\\li200 last}");
  AppendParagraphBreak(&second);
  AppendDocument(&view, second);
  EXPECT_EQ(Texts(view), (std::vector<std::string>{"第一章", "本文", "二行目", "last", ""}));
  EXPECT_EQ(view.paragraphs[3].format.left_indent, 10);
  SetIndentsAll(&view, 0, 0, 0);
  EXPECT_EQ(view.paragraphs[3].format.left_indent, 0);
  EXPECT_EQ(DocumentLines(ReadRtf(WriteRtf(view))),
            (std::vector<std::string>{"第一章", "本文", "二行目", "last"}));
}

TEST(RichOperationsTest, AppendTakingOverEqualsAppendCopying) {
  CharFormat bold;
  bold.bold = true;
  std::vector<RichDocument> sources = {
      Doc({"one paragraph"}), Doc({"a", "b", ""}, bold), Doc({""}), Doc({"tail", "more"}),
      ReadRtf("{\\rtf1\\li400\\qc centred\\par\\pard plain\\par}"), Doc({"same"}),
      Doc({"same", ""}), RichDocument{}};
  sources.back().paragraphs.clear();  // a document without paragraphs adds nothing
  RichDocument copied;
  RichDocument moved;
  for (const RichDocument& source : sources) {
    AppendDocument(&copied, source);
    RichDocument taken = source;
    AppendDocument(&moved, std::move(taken));
    ASSERT_EQ(moved, copied) << Texts(copied).size();
  }
  // A source without a final paragraph mark runs on into the next one.
  EXPECT_EQ(Texts(moved), (std::vector<std::string>{"one paragrapha", "b", "tail", "morecentred",
                                                    "plain", "samesame", ""}));
}

TEST(RichOperationsTest, InsertRtfAndPlainText) {
  RichDocument doc = Doc({"ac"});
  TextPosition after = InsertRtf(&doc, {0, 1}, "{\\rtf1 \\b b\\b0}");
  EXPECT_EQ(Texts(doc), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(after, (TextPosition{0, 2}));
  InsertRtf(&doc, {0, 0}, "x\r\ny");  // not RTF: plain text
  EXPECT_EQ(Texts(doc), (std::vector<std::string>{"x", "yabc"}));
  // Positions beyond the end are clamped.
  InsertRtf(&doc, {7, 7}, "{\\rtf1 !}");
  EXPECT_EQ(Texts(doc), (std::vector<std::string>{"x", "yabc!"}));
}

TEST(RichOperationsTest, UnifyFontAndTabs) {
  RichDocument doc = ReadRtf(
      "{\\rtf1{\\fonttbl{\\f0\\fcharset128 A;}{\\f1\\fcharset0 B;}}"
      "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\b x\\f1\\cf1\\i y\\par\\tx100 z}");
  CharFormat chosen = DefaultBodyFormat();
  chosen.size = 11;
  SetCharFormatAll(&doc, chosen);
  for (const Paragraph& p : doc.paragraphs) {
    for (const rich::Run& run : p.runs) EXPECT_EQ(run.format, chosen);
  }
  EXPECT_EQ(doc.paragraphs[0].runs.size(), 1u);  // "xy" is one run now

  std::vector<double> stops;
  for (int k = 1; k <= 32; ++k) stops.push_back(k * 24.0);
  SetTabStopsAll(&doc, stops);
  for (const Paragraph& p : doc.paragraphs) EXPECT_EQ(p.format.tab_stops, stops);
  RichDocument back = ReadRtf(WriteRtf(doc));
  EXPECT_EQ(back, doc);
}

}  // namespace
}  // namespace pw::rich
