// The rich-text document builder and the RTF export: the lines of the merged document, title
// blocks in the title font with no indents, bodies keeping their formats, scopes, chapter
// numbers and carried-over marks, and the RTF file read back.
#include "export/rich_document_builder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "core/cp932.h"
#include "core/new_document.h"
#include "export/rtf_export.h"
#include "golden.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"

namespace pw {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

constexpr char kBoldRedIndented[] =
    "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 Serif;}}{\\colortbl ;\\red255\\green0"
    "\\blue0;}\\pard\\li400\\f0\\fs28\\cf1\\b \\'96\\'7b\\'95\\'b6\\par}";  // 本文

class BuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = Add(nullptr, "物語", nkRoot, 1, kBoldRedIndented);
    Node* chapter = Add(root_, "第一章", nkParent, 14, "plain line\r\nsecond");
    Add(chapter, "場面", nkChild, 7, "{\\rtf1 no final mark}");
    Add(chapter, "空", nkChild, 7, "");
    Add(root_, "odd icon", nkChild, 40, nullptr);  // no mark of its own: carries "◆ " over
    format_ = DefaultTextFormat();
    format_.title_font = {Sjis("ＭＳ 明朝"), 14, 0x0000FF, kFontStyleBold | kFontStyleItalic};
  }
  Node* Add(Node* parent, const char* title, int32_t kind, int32_t icon, const char* body) {
    Node* node = outline_.Append(parent, Sjis(title), NewNodeData(kind), icon);
    if (body != nullptr) node->data()->Body = body;
    return node;
  }
  std::vector<std::string> BuiltLines(PreorderRange range) {
    rich::RichDocument document;
    BuildRichDocument(outline_, range, format_, "--", &document);
    return rich::DocumentLines(document);
  }
  Outline outline_;
  Node* root_ = nullptr;
  TextFormat format_;
};

TEST_F(BuilderTest, LinesOfTitleBlocksAndBodies) {
  const std::vector<std::string> expected = {
      "--", "■ 物語",     "--", "本文",
      "--", "▼ 第一章",   "--", "plain line", "second",
      "--", "◆ 場面",     "--", "no final mark",
      "--", "◆ 空",       "--",
      "--", "◆ odd icon", "--",
  };
  EXPECT_EQ(BuiltLines({0, outline_.size()}), expected);

  format_.separator_above = false;
  format_.include_bodies = false;
  format_.mark_before_title = false;
  format_.chapter_numbers = true;
  EXPECT_EQ(BuiltLines({1, 3}),
            (std::vector<std::string>{"1-1 第一章", "--", "1-1-1 場面", "--"}));
}

TEST_F(BuilderTest, OneNodeAloneHoweverDeep) {
  format_.separator_below = false;
  EXPECT_EQ(BuiltLines(ScopeRange(outline_, ExportScope::kSelectedNode, outline_.NodeAt(2))),
            (std::vector<std::string>{"--", "◆ 場面", "no final mark"}));
  // A first node whose icon has no mark starts without one.
  EXPECT_EQ(BuiltLines({4, 5}), (std::vector<std::string>{"--", "odd icon"}));
}

TEST_F(BuilderTest, TitlesTakeTheTitleFontAndBodiesKeepTheirs) {
  // The body before the second title block is indented: the title block must not inherit it.
  rich::RichDocument document;
  BuildRichDocument(outline_, {0, 2}, format_, "--", &document);
  const rich::CharFormat title = CharFormatOf(format_.title_font);
  EXPECT_EQ(title.face, "ＭＳ 明朝");
  EXPECT_EQ(title.color, 0x0000FFu);
  EXPECT_TRUE(title.bold && title.italic && !title.underline);
  size_t titles = 0;
  for (const rich::Paragraph& paragraph : document.paragraphs) {
    for (const rich::Run& run : paragraph.runs) {
      const std::string text = run.text;
      if (text == "--" || text.find("物語") != std::string::npos ||
          text.find("第一章") != std::string::npos) {
        EXPECT_EQ(run.format, title) << text;
        EXPECT_EQ(paragraph.format.left_indent, 0) << text;
        ++titles;
      } else if (text == "本文") {
        EXPECT_EQ(run.format.face, "Serif");
        EXPECT_EQ(run.format.size, 14);
        EXPECT_EQ(run.format.color, 0x0000FFu);  // \red255 is 0x0000FF as BBGGRR
        EXPECT_TRUE(run.format.bold);
        EXPECT_EQ(paragraph.format.left_indent, 20);
      }
    }
  }
  EXPECT_EQ(titles, 6u);
}

TEST_F(BuilderTest, SnapshotBuildsTheSameDocumentWhateverHappensToTheTreeAfterwards) {
  format_.chapter_numbers = true;
  const PreorderRange all{0, outline_.size()};
  rich::RichDocument built;
  BuildRichDocument(outline_, all, format_, "--", &built);
  RichDocumentSnapshot snapshot(outline_, all, format_, "--");
  EXPECT_EQ(snapshot.size(), outline_.size());
  outline_.Remove(outline_.NodeAt(1));  // the chapter and its scenes go
  outline_.NodeAt(0)->data()->Body = "{\\rtf1 changed}";
  rich::RichDocument gradual;
  while (!snapshot.done()) snapshot.AppendNext(&gradual);
  EXPECT_EQ(gradual, built);
}

TEST_F(BuilderTest, ParagraphsHandedOutMakeTheBuiltDocument) {
  struct Case {
    bool above, below, bodies;
    PreorderRange range;
  };
  const Case cases[] = {
      {true, true, true, {0, outline_.size()}}, {false, false, true, {0, outline_.size()}},
      {false, false, false, {0, outline_.size()}}, {true, false, true, {2, 4}},
      {false, true, true, {3, 4}},  // an empty body alone
  };
  for (const Case& c : cases) {
    format_.separator_above = c.above;
    format_.separator_below = c.below;
    format_.include_bodies = c.bodies;
    rich::RichDocument built;
    BuildRichDocument(outline_, c.range, format_, "--", &built);
    rich::RichDocument handed;
    handed.paragraphs.clear();  // a new document holds one empty paragraph
    BuildRichDocument(outline_, c.range, format_, "--", [&handed](const rich::Paragraph& p) {
      handed.paragraphs.push_back(p);
    });
    EXPECT_EQ(handed, built) << c.above << c.below << c.bodies << " from " << c.range.first;
  }
}

TEST_F(BuilderTest, RtfFileReadsBackAsTheSameLines) {
  std::string pattern = ::testing::TempDir() + "rtf-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const std::string path = pattern + "/物語.RTF";
  const PreorderRange all{0, outline_.size()};
  ASSERT_TRUE(ExportRtf(path, outline_, all, format_, "--"));
  const std::vector<std::string> lines = rich::ReadRtfLines(testing::ReadBytes(path));
  std::vector<std::string> expected;
  for (const std::string& line : BuiltLines(all)) expected.push_back(Utf8ToCp932(line).text);
  EXPECT_EQ(lines, expected);
  // The file is written while the document is built, yet is the RTF of the whole.
  EXPECT_EQ(testing::ReadBytes(path), BuildRtf(outline_, all, format_, "--"));
  EXPECT_FALSE(ExportRtf(pattern + "/missing/x.RTF", outline_, all, format_, "--"));
  std::filesystem::remove_all(pattern);
}

}  // namespace
}  // namespace pw
