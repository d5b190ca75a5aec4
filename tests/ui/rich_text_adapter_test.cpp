// The body pane's adapter: a formatted document goes into a QTextDocument and comes back
// equal, and RTF bodies keep their text and formats through the pane.
#include "ui/common/rich_text_adapter.h"

#include <gtest/gtest.h>

#include <QTextDocument>

#include "richtext/rich_document.h"
#include "richtext/rtf_reader.h"

namespace pw {
namespace {

rich::RichDocument Sample() {
  rich::CharFormat plain;
  plain.face = "Noto Sans CJK JP";
  plain.size = 10.5;
  rich::CharFormat bold = plain;
  bold.bold = true;
  bold.color = 0x0000FF;  // red
  rich::CharFormat mixed = plain;
  mixed.italic = true;
  mixed.underline = true;
  mixed.strike_out = true;
  mixed.size = 14;

  rich::RichDocument document;
  document.paragraphs.clear();
  rich::Paragraph first;
  first.format.alignment = rich::Alignment::kCenter;
  first.runs = {{"第一章　", plain}, {"出会い", bold}};
  rich::Paragraph second;
  second.format.left_indent = 18;
  second.format.first_indent = -9;
  second.format.right_indent = 4.5;
  second.format.tab_stops = {36, 72};
  second.runs = {{"行\t一\v行二", mixed}};
  rich::Paragraph third;
  third.format.bullet = true;
  third.runs = {{"箇条", plain}};
  rich::Paragraph fourth;
  fourth.format.bullet = true;
  fourth.format.alignment = rich::Alignment::kRight;
  fourth.runs = {{"書き", plain}};
  document.paragraphs = {first, second, third, fourth, rich::Paragraph{}};
  document.Normalize();
  return document;
}

TEST(RichTextAdapterTest, FormattedDocumentRoundTrips) {
  const rich::RichDocument original = Sample();
  QTextDocument document;
  RichToQt(original, &document);
  EXPECT_EQ(document.blockCount(), 5);
  const rich::RichDocument back = QtToRich(document);
  ASSERT_EQ(back.paragraphs.size(), original.paragraphs.size());
  for (size_t i = 0; i < back.paragraphs.size(); ++i) {
    EXPECT_EQ(back.paragraphs[i].format, original.paragraphs[i].format) << "paragraph " << i;
    EXPECT_EQ(back.paragraphs[i].runs, original.paragraphs[i].runs) << "paragraph " << i;
  }
}

// Long runs of paragraphs in one format (which go in as one insertion), changes of block and
// character format, empty paragraphs and bullets: converted at once or piece by piece, the
// document comes back as it was.
TEST(RichTextAdapterTest, LargeDocumentsInPiecesRoundTrip) {
  rich::CharFormat title;
  title.face = "Noto Sans CJK JP";
  title.size = 11;
  rich::CharFormat body = title;
  body.face = "Noto Serif CJK JP";
  body.size = 10.5;
  rich::CharFormat red = body;
  red.color = 0x0000FF;
  rich::RichDocument original;
  original.paragraphs.clear();
  for (int i = 0; i < 300; ++i) {
    rich::Paragraph p;
    switch (i % 9) {
      case 0: case 2: p.runs = {{"-----", title}}; break;
      case 1: p.runs = {{"題" + std::to_string(i), title}}; break;
      case 5: p.runs = {{"色", red}, {"つき", body}}; break;
      case 6: break;  // empty
      case 7: p.format.left_indent = 12; p.runs = {{"字下げ", body}}; break;
      case 8: p.format.bullet = true; p.runs = {{"箇条", body}}; break;
      default: p.runs = {{"本文" + std::to_string(i), body}}; break;
    }
    original.paragraphs.push_back(p);
  }
  original.Normalize();
  QTextDocument whole;
  RichToQt(original, &whole);
  QTextDocument pieces;
  {
    QtDocumentWriter writer(&pieces);
    for (size_t i = 0; i < original.paragraphs.size(); ++i) {
      writer.Append(original.paragraphs[i]);
      if (i % 7 == 3) writer.Flush();
    }
  }
  for (const QTextDocument* document : {&whole, &pieces}) {
    EXPECT_EQ(document->blockCount(), 300);
    const rich::RichDocument back = QtToRich(*document);
    ASSERT_EQ(back.paragraphs.size(), original.paragraphs.size());
    for (size_t i = 0; i < back.paragraphs.size(); ++i) {
      ASSERT_EQ(back.paragraphs[i].format, original.paragraphs[i].format) << "paragraph " << i;
      ASSERT_EQ(back.paragraphs[i].runs, original.paragraphs[i].runs) << "paragraph " << i;
    }
  }
}

// Formats shared by many runs and paragraphs, interleaved, and more distinct ones than the
// adapter converts only once: each run and paragraph still gets its own.
TEST(RichTextAdapterTest, ManyRunsSharingAndNotSharingFormatsRoundTrip) {
  rich::CharFormat plain;
  plain.face = "Noto Serif CJK JP";
  plain.size = 10.5;
  rich::CharFormat bold = plain;
  bold.bold = true;
  bold.color = 0x00FF00;
  rich::RichDocument original;
  original.paragraphs.clear();
  for (int i = 0; i < 120; ++i) {
    rich::Paragraph paragraph;
    paragraph.format.alignment = i % 3 == 0 ? rich::Alignment::kRight : rich::Alignment::kLeft;
    paragraph.format.left_indent = (i % 4) * 9;
    paragraph.format.bullet = i % 10 >= 7;
    rich::CharFormat sized = plain;
    sized.size = 8 + (i % 50) * 0.5;  // 50 sizes: more than are kept converted
    sized.italic = i % 2 == 1;
    paragraph.runs = {{"雨" + std::to_string(i), plain},
                      {"朝", bold},
                      {"夜", sized},
                      {"星", i % 2 == 0 ? bold : plain}};
    original.paragraphs.push_back(paragraph);
  }
  original.Normalize();
  QTextDocument document;
  RichToQt(original, &document);
  const rich::RichDocument back = QtToRich(document);
  ASSERT_EQ(back.paragraphs.size(), original.paragraphs.size());
  for (size_t i = 0; i < back.paragraphs.size(); ++i) {
    EXPECT_EQ(back.paragraphs[i].format, original.paragraphs[i].format) << "paragraph " << i;
    EXPECT_EQ(back.paragraphs[i].runs, original.paragraphs[i].runs) << "paragraph " << i;
  }
}

TEST(RichTextAdapterTest, RtfBodyKeepsItsTextThroughThePane) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 "
      "\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\\pard\\f0\\fs18 \\'93\\'fa\\'96\\'7b\\b "
      "bold\\b0\\par second\\par}";
  QTextDocument document;
  LoadBodyIntoDocument(rtf, &document);
  EXPECT_EQ(document.toPlainText(), QString::fromUtf8("日本bold\nsecond\n"));
  const rich::RichDocument read = rich::ReadRtf(DocumentToRtf(document));
  EXPECT_EQ(read, rich::ReadRtf(rtf));
}

TEST(RichTextAdapterTest, PlainTextBodyLoadsAsText) {
  QTextDocument document;
  LoadBodyIntoDocument("abc\r\n\x82\xa0", &document);  // "abc" CR LF "あ" in CP932
  EXPECT_EQ(document.toPlainText(), QString::fromUtf8("abc\nあ"));
}

}  // namespace
}  // namespace pw
