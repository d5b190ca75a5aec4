// The formatted text export: golden files over the three scopes and the option combinations,
// and the line rules that the golden files do not pin down on their own.
#include "export/text_export.h"

#include <gtest/gtest.h>

#include "tests/export/story_fixture.h"

namespace pw {
namespace {

using testing::BuildStory;
using testing::ExpectGolden;
using testing::Sjis;

const std::string kSplit(50, '-');

class TextExportTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildStory(&story_); }
  PreorderRange Scope(ExportScope scope, size_t index) {
    return ScopeRange(story_, scope, story_.NodeAt(index));
  }
  Outline story_;
};

TEST_F(TextExportTest, GoldenFiles) {
  // Everything with chapter numbers: 1-1-2 for the second scene of chapter one, no numbers
  // from depth 10 on, the mark of the colourless node carried over from the node before it.
  TextFormat numbered = DefaultTextFormat();
  numbered.chapter_numbers = true;
  ExpectGolden(BuildFormattedText(story_, Scope(ExportScope::kAll, 0), numbered, kSplit),
               "text_all_numbered.TXT");

  // The subtree of part one with custom indentation, no separators, Roman and letter styles.
  TextFormat styled = DefaultTextFormat();
  styled.chapter_numbers = true;
  styled.indent = IndentChoice::kCustom;
  styled.custom_indent = Sjis("＞");
  styled.separator_above = false;
  styled.separator_below = false;
  styled.committed.at(1, 0) = {Sjis("第"), 2, Sjis("部")};
  styled.committed.at(1, 1) = {"", 3, " "};
  styled.committed.at(2, 0) = {"", 0, ""};
  styled.committed.at(2, 1) = {"", 4, "."};
  styled.committed.at(2, 2) = {"(", 6, ") "};
  ExpectGolden(BuildFormattedText(story_, Scope(ExportScope::kSubtree, 1), styled, kSplit),
               "text_subtree_custom.TXT");

  // Tab indentation, no marks, numbers off, bodies left out, the separator the user set.
  TextFormat plain = DefaultTextFormat();
  plain.indent = IndentChoice::kTab;
  plain.mark_before_title = false;
  plain.include_bodies = false;
  plain.separator_below = false;
  ExpectGolden(BuildFormattedText(story_, Scope(ExportScope::kSubtree, 11), plain, Sjis("＊＊＊")),
               "text_chain_tabs.TXT");
}

TEST_F(TextExportTest, OneNodeScopeIsNeverIndentedWhateverItsDepth) {
  TextFormat format = DefaultTextFormat();
  format.indent = IndentChoice::kHalfSpace;
  format.separator_above = false;
  format.separator_below = false;
  // Depth 12, no chapter number even with numbers on; a blank body line keeps its place.
  format.chapter_numbers = true;
  EXPECT_EQ(BuildFormattedText(story_, Scope(ExportScope::kSelectedNode, 22), format, kSplit),
            Sjis("◆ 段12\r\n深さ12\r\n"));
  EXPECT_EQ(BuildFormattedText(story_, Scope(ExportScope::kSelectedNode, 7), format, kSplit),
            Sjis("1-1-2-2 ◆ 手紙\r\n\r\n・日付\r\n\r\n追伸\r\n"));
  // An empty body contributes only the title block.
  EXPECT_EQ(BuildFormattedText(story_, Scope(ExportScope::kSelectedNode, 4), format, kSplit),
            Sjis("1-1-1-2 ◆ 空の場面\r\n"));
}

TEST_F(TextExportTest, BlankBodyLinesOfIndentedNodesAreThePrefixAlone) {
  TextFormat format = DefaultTextFormat();
  format.indent = IndentChoice::kCustom;
  format.custom_indent = "ab";
  format.mark_before_title = false;
  // The scenes are one level below chapter two, the first node of the range.
  const std::string text = BuildFormattedText(story_, Scope(ExportScope::kSubtree, 5), format, "=");
  EXPECT_EQ(text, Sjis("=\r\n第二章\r\n=\r\n"
                       "ab=\r\nab図書館\r\nab=\r\nab夜の図書館。\r\n"
                       "ab=\r\nab手紙\r\nab=\r\nab\r\nab・日付\r\nab\r\nab追伸\r\n"));
}

TEST_F(TextExportTest, WritesTheFileAndReportsWhatFails) {
  char pattern[] = "/tmp/text_export_XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string path = dir + "/out.TXT";
  const TextFormat format = DefaultTextFormat();
  ASSERT_TRUE(ExportFormattedText(path, story_, Scope(ExportScope::kAll, 0), format, kSplit));
  std::ifstream in(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, BuildFormattedText(story_, Scope(ExportScope::kAll, 0), format, kSplit));
  EXPECT_FALSE(ExportFormattedText(dir + "/missing/out.TXT", story_, Scope(ExportScope::kAll, 0),
                                   format, kSplit));
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace pw
