// Bodies: plain-text fallback, lines, plain text, and the bytes written into document files.
#include "richtext/body_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/outline.h"
#include "core/outline_file.h"
#include "random_rtf.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"

namespace pw::rich {
namespace {

std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8).text; }

TEST(BodyTextTest, BodyToLines) {
  struct Case {
    std::string body;
    std::vector<std::string> lines;  // UTF-8
  } cases[] = {
      {"", {}},
      {Sj("一行目\r\n二行目\nthird\rlast"), {"一行目", "二行目", "third", "last"}},
      {Sj("末尾\r\n"), {"末尾"}},
      {"\r\n", {""}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\r", {"", ""}},
      // Read only up to a NUL.
      {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
      {"{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 \\'82\\'a0\\line x\\par}",
       {"あ", "x"}},
      {"{\\rtf1}", {}},
      // "{\rtf" decides; anything else is text, even if it looks like RTF.
      {" {\\rtf1 a}", {" {\\rtf1 a}"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    for (const std::string& line : BodyToLines(c.body)) lines.push_back(Cp932ToUtf8(line).text);
    EXPECT_EQ(lines, c.lines) << c.body;
    EXPECT_EQ(BodyToLinesUtf8(c.body), c.lines) << c.body;
  }
}

TEST(BodyTextTest, PlainText) {
  EXPECT_EQ(BodyPlainText(""), "");
  EXPECT_EQ(BodyPlainText(Sj("一\n二\r三\r\n")), Sj("一\r\n二\r\n三\r\n"));
  EXPECT_EQ(BodyPlainText("{\\rtf1 a\\line b\\par c\\~d\\u9731?}"), "a\r\nb\r\nc d?");
}

// The plain text is read without building a document; it must be byte for byte the text of
// the document the pane would load, for random bodies read one at a time and in a row (where
// bodies that share a header go on from the state after it).
TEST(BodyTextTest, PlainTextIsTheTextOfTheDocument) {
  testing::RandomRtf random(2024);
  BodyTextReader reader;
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    std::string body = random.Body(static_cast<int>(random.Next() % 40));
    if (i % 7 == 0) body = Sj("平文の本文\r\n") + std::string(1, static_cast<char>(random.Next()));
    const std::string expected = Utf8ToPlainCp932(DocumentText(BodyToDocument(body)));
    ASSERT_EQ(BodyPlainText(body), expected) << body;
    reader.PlainText(body, &text);
    ASSERT_EQ(text, expected) << body;
    if (IsRtf(body)) {
      ASSERT_EQ(MapRtfText(body).text, expected) << body;
    }
  }
  // Long runs of escapes, longer than the reader's buffer, with case and line ends mixed in.
  std::string long_body = random.Header() + "\\pard ";
  for (int i = 0; i < 6000; ++i) {
    long_body += i % 97 == 0 ? "\\'82\r\n\\'A0" : i % 13 == 0 ? "x\\'8a\\'bf" : "\\'82\\'a0";
  }
  long_body += "}";
  EXPECT_EQ(BodyPlainText(long_body), Utf8ToPlainCp932(DocumentText(BodyToDocument(long_body))));
  reader.PlainText(long_body, &text);
  EXPECT_EQ(text, Utf8ToPlainCp932(DocumentText(BodyToDocument(long_body))));

  // The same header with a different byte right after it is a different header.
  const std::string header = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 a;}}\\uc1";
  reader.PlainText(header + "\\pard \\'82\\'a0}", &text);
  EXPECT_EQ(text, Sj("あ"));
  reader.PlainText(header + "2\\pard \\u12354?\\'82\\'a0}", &text);
  // Read as \uc12, which makes the escapes after \u12354 its fallback; the state after the
  // first body's header (\uc1) would have kept them.
  EXPECT_EQ(text, Sj("あ"));
}

TEST(BodyTextTest, SerializeKeepsRtfAndConvertsPlainText) {
  // Control words our reader does not know survive untouched.
  std::string rtf = "{\\rtf1\\ansi{\\*\\mystery keep me}\\sl360\\slmult1 text\\par}\r\n";
  EXPECT_EQ(SerializeBodyForFile(rtf), rtf);

  std::string plain = Sj("一行目\r\n二行目");
  std::string written = SerializeBodyForFile(plain);
  ASSERT_TRUE(written.starts_with("{\\rtf1"));
  RichDocument doc = ReadRtf(written);
  ASSERT_EQ(doc.paragraphs.size(), 2u);
  EXPECT_EQ(doc.paragraphs[0].runs[0].format.face, "ＭＳ ゴシック");
  EXPECT_EQ(doc.paragraphs[0].runs[0].format.size, 9);
  EXPECT_EQ(BodyToLines(written), BodyToLines(plain));
  EXPECT_EQ(BodyPlainText(written), BodyPlainText(plain));
}

TEST(BodyTextTest, DocumentWriterUsesTheSerializer) {
  Outline outline;
  Node* first = outline.Append(nullptr, "plain", NewNodeData(nkRoot), 1);
  first->data()->SetBody(Sj("本文\r\n"));
  Node* second = outline.Append(nullptr, "rich", NewNodeData(nkRoot), 1);
  second->data()->SetBody("{\\rtf1 keep\\par}");
  WriteOptions options;
  options.body_serializer = SerializeBodyForFile;
  std::string bytes = SerializeOutline(outline, options);

  Outline back;
  ReadResult result = ReadOutline(MemorySource(bytes), ReadTarget::kMainTree, &back);
  ASSERT_TRUE(result.status) << result.status.message;
  std::vector<std::string> bodies;
  back.ForEach([&](Node* node) { bodies.push_back(node->data()->Body.value_or("")); });
  ASSERT_EQ(bodies.size(), 2u);
  EXPECT_TRUE(bodies[0].starts_with("{\\rtf1"));
  EXPECT_EQ(BodyToLinesUtf8(bodies[0]), (std::vector<std::string>{"本文"}));
  EXPECT_EQ(bodies[1], "{\\rtf1 keep\\par}");
}

}  // namespace
}  // namespace pw::rich
