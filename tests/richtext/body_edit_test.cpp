// Editing stored bodies in place: the text comes out right, the new text takes the formatting
// of what it replaces, and the rest of the RTF stays byte for byte.
#include "richtext/body_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "random_rtf.h"
#include "richtext/body_text.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"

namespace pw::rich {
namespace {

std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8).text; }

TEST(BodyEdit, SplicesTheReplacedBytesOnly) {
  const std::string head =
      "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 a;}{\\f1\\fcharset0 b;}}\\f0 ";
  struct Case {
    std::string rest;  // after the header
    size_t begin, end;
    std::string text;  // CP932, pane form
    std::string expected_rest;
  } cases[] = {
      // Inside a bold group: the new text is bold too; around it nothing moves.
      {"ab{\\b cd}ef}", 3, 4, "X", "ab{\\b cX}ef}"},
      // Across the group's edge: the new text goes where the first replaced character was.
      {"ab{\\b cd}ef}", 1, 3, "X", "aX{\\b d}ef}"},
      {"ab{\\b cd}ef}", 2, 2, "X", "abX{\\b cd}ef}"},  // an insertion takes the one before
      {"\\'82\\'a0\\'82\\'a2}", 2, 2, Sj("う"), "\\'82\\'a0\\'82\\'a4\\'82\\'a2}"},
      // A control word left in front of letters gets its space.
      {"\\b\\'82\\'a0x}", 0, 2, "", "\\b x}"},
      {"\\fs20\\'82\\'a0 1}", 0, 2, "9", "\\fs20 9 1}"},
      // Line breaks: a paragraph mark goes, or comes as \par; a tab as \tab.
      {"a\\par\r\nb}", 1, 3, "", "a\r\nb}"},
      {"ab}", 1, 1, "\r\n\t", "a\\par \\tab b}"},
      // \uN goes with its fallback; in a Latin font Japanese goes as \uN with \uc's count.
      {"\\u12354?x}", 0, 2, "", "x}"},
      {"{\\f1\\uc2 ab}}", 1, 1, Sj("あ"), "{\\f1\\uc2 a\\u12354??b}}"},
      // Specials are escaped; an empty body takes the text before its closing brace.
      {"a}", 1, 1, "{\\}", "a\\{\\\\\\}}"},
      {"}", 0, 0, "x", "x}"},
  };
  for (const Case& c : cases) {
    bool spliced = false;
    std::string out = EditBody(head + c.rest, {{c.begin, c.end, c.text}}, &spliced);
    EXPECT_TRUE(spliced) << c.rest;
    EXPECT_EQ(out, head + c.expected_rest) << c.rest;
  }
}

TEST(BodyEdit, PlainAndEmptyBodies) {
  EXPECT_EQ(EditBody(Sj("一\n二"), {{0, 2, "x"}}), "x\r\n" + Sj("二"));
  std::string made = EditBody("", {{0, 0, "a\r\nb"}});
  EXPECT_TRUE(made.starts_with("{\\rtf1"));
  EXPECT_EQ(BodyPlainText(made), "a\r\nb");
  EXPECT_EQ(EditBody("{\\rtf1 keep}", {}), "{\\rtf1 keep}");
}

// Random bodies and random edits: the text is always the expected one, and almost always the
// bytes are spliced rather than written again.
TEST(BodyEdit, RandomEditsGiveTheEditedText) {
  testing::RandomRtf random(99);
  const std::vector<std::string> texts = {"",         "x",      "ab1",  " ",  "\r\n",  "\t",
                                          Sj("あい"), Sj("表"), "\\{}", "-5", "a\r\nb"};
  int spliced_count = 0;
  int total = 0;
  for (int i = 0; i < 2000; ++i) {
    std::string body = random.Body(static_cast<int>(random.Next() % 30));
    const std::string text = BodyPlainText(body);
    // Character starts, with a line break's CR LF kept whole.
    std::vector<size_t> starts;
    for (size_t at = 0; at <= text.size(); at = NextCharBoundary(text, at)) {
      if (!(at > 0 && text[at - 1] == '\r' && at < text.size() && text[at] == '\n')) {
        starts.push_back(at);
      }
      if (at == text.size()) break;
    }
    std::vector<TextEdit> edits;
    size_t from = 0;
    for (int k = static_cast<int>(random.Next() % 4); k > 0; --k) {
      std::vector<size_t> later;
      for (size_t s : starts) {
        if (s >= from) later.push_back(s);
      }
      if (later.empty()) break;
      size_t begin = later[random.Next() % later.size()];
      size_t end = begin;
      if (random.Next() % 3 != 0) {
        for (size_t s : later) {
          if (s >= begin && s <= begin + 6 && random.Next() % 2 == 0) end = s;
        }
      }
      edits.push_back({begin, end, texts[random.Next() % texts.size()]});
      from = end + 1;
    }
    bool spliced = false;
    std::string out = EditBody(body, edits, &spliced);
    const std::string expected = ApplyTextEdits(text, edits);
    ASSERT_EQ(BodyPlainText(out), expected) << body;
    spliced_count += spliced ? 1 : 0;
    // The same edits on the document, as the fallback makes them.
    RichDocument document = BodyToDocument(body);
    for (size_t k = edits.size(); k-- > 0;) {
      EditDocumentText(&document, edits[k].begin, edits[k].end, edits[k].text);
    }
    ASSERT_EQ(Utf8ToPlainCp932(DocumentText(document)), expected) << body;
    ++total;
  }
  EXPECT_GT(spliced_count, total * 9 / 10);
}

TEST(BodyEdit, DocumentEditTakesTheFormatOfTheReplacedText) {
  RichDocument document = ReadRtf("{\\rtf1 ab{\\b cd}\\par ef}");
  EditDocumentText(&document, 2, 4, "XY");
  EXPECT_EQ(Utf8ToPlainCp932(DocumentText(document)), "abXY\r\nef");
  ASSERT_EQ(document.paragraphs[0].runs.size(), 2u);
  EXPECT_TRUE(document.paragraphs[0].runs[1].format.bold);
  EditDocumentText(&document, 4, 6, "");  // the paragraph mark
  EXPECT_EQ(Utf8ToPlainCp932(DocumentText(document)), "abXYef");
}

}  // namespace
}  // namespace pw::rich
