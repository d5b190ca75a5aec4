// The HTML export: golden sites for the scopes and options, the single page, and the failures
// that must never be reported as a finished site.
#include "export/html_export.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "tests/export/story_fixture.h"

namespace pw {
namespace {

namespace fs = std::filesystem;
using testing::BuildStory;
using testing::ExpectGolden;
using testing::Sjis;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class HtmlExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildStory(&story_);
    char pattern[] = "/tmp/html_export_XXXXXX";
    dir_ = mkdtemp(pattern);
  }
  void TearDown() override { fs::remove_all(dir_); }

  PreorderRange Scope(ExportScope scope, size_t index) {
    return ScopeRange(story_, scope, story_.NodeAt(index));
  }
  // Every page of the site, in name order, each after a line with its name; the images are
  // checked against the shipped ones and only named.
  std::string Site() {
    std::map<std::string, fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      if (entry.is_regular_file()) files[fs::relative(entry.path(), dir_).string()] = entry.path();
    }
    std::string out;
    for (const auto& [name, path] : files) {
      out += "=== " + name + "\r\n";
      if (name.starts_with("gif/")) {
        EXPECT_EQ(ReadAll(path), ReadAll(fs::path(PW_MARK_IMAGE_DIR) / path.filename())) << name;
      } else {
        out += ReadAll(path);
      }
    }
    return out;
  }

  Outline story_;
  std::string dir_;
};

TEST_F(HtmlExportTest, GoldenSites) {
  TextFormat numbered = DefaultTextFormat();
  numbered.chapter_numbers = true;
  HtmlOptions options;
  options.title = DefaultSiteTitle(story_, ExportScope::kAll, nullptr);
  ASSERT_TRUE(WriteHtmlSite(dir_ + "/Story.htm", story_, Scope(ExportScope::kAll, 0), numbered,
                            options, PW_MARK_IMAGE_DIR));
  ExpectGolden(Site(), "html_all_images.txt");
}

TEST_F(HtmlExportTest, SubtreeSitePagesAreNamedByWholeDocumentIndex) {
  fs::remove_all(dir_);
  fs::create_directory(dir_);
  HtmlOptions options;
  options.marks = HtmlMarks::kText;
  options.indent = false;
  options.html_extension = true;
  options.title = DefaultSiteTitle(story_, ExportScope::kSubtree, story_.NodeAt(5));
  EXPECT_EQ(options.title, Sjis("第二章"));
  ASSERT_TRUE(WriteHtmlSite(dir_ + "/part.htm", story_, Scope(ExportScope::kSubtree, 5),
                            DefaultTextFormat(), options, PW_MARK_IMAGE_DIR));
  // Pages 5, 6 and 7, ".html" throughout, no "gif" folder with text marks; the frame page
  // shows node 5.
  ExpectGolden(Site(), "html_subtree_text_marks.txt");
}

TEST_F(HtmlExportTest, MarksWithoutAnEntryCarryOverAndNoMarksMeansNone) {
  EXPECT_EQ(HtmlMark(HtmlMarks::kText, 6, "prev"), "prev");
  EXPECT_EQ(HtmlMark(HtmlMarks::kText, 20, "prev"), "prev");
  EXPECT_EQ(HtmlMark(HtmlMarks::kNone, 1, "prev"), "");
  EXPECT_EQ(HtmlMark(HtmlMarks::kImages, 1, ""),
            Sjis("<IMG SRC=\"./gif/top.gif\" BORDER=0 WIDTH=16 HEIGHT=16 ALT=\"■\" "
                 "ALIGN=\"middle\"> "));
  EXPECT_EQ(HtmlMark(HtmlMarks::kText, 15, ""), Sjis("<FONT COLOR=\"#993300\">▼</FONT> "));
}

TEST_F(HtmlExportTest, SinglePageCarriesTheCharsetAndTheBodyUnescaped) {
  ASSERT_TRUE(WriteHtmlPage(dir_ + "/one.htm", *story_.NodeAt(3)));
  EXPECT_EQ(ReadAll(dir_ + "/one.htm"),
            Sjis("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
                 "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\r\n"
                 "<TITLE>駅前の雨</TITLE>\r\n</HEAD>\r\n<BODY>\r\n<PRE>\r\n"
                 "<b>雨</b> & 傘 > 空\r\n\r\n</PRE>\r\n</BODY>\r\n</HTML>\r\n"));
  EXPECT_FALSE(WriteHtmlPage(dir_ + "/missing/one.htm", *story_.NodeAt(3)));
}

TEST_F(HtmlExportTest, FailuresStopTheExportAndNeverLeaveAFramePage) {
  const PreorderRange all = Scope(ExportScope::kAll, 0);
  HtmlOptions options;
  // A file where the "gif" folder should be: nothing is written.
  std::ofstream(dir_ + "/gif") << "x";
  EXPECT_FALSE(
      WriteHtmlSite(dir_ + "/a.htm", story_, all, DefaultTextFormat(), options, PW_MARK_IMAGE_DIR));
  EXPECT_FALSE(fs::exists(dir_ + "/0.htm"));
  EXPECT_FALSE(fs::exists(dir_ + "/a.htm"));

  // A page that cannot be written (a folder has its name): failure, and no frame page.
  fs::remove(dir_ + "/gif");
  fs::create_directory(dir_ + "/7.htm");
  EXPECT_FALSE(
      WriteHtmlSite(dir_ + "/a.htm", story_, all, DefaultTextFormat(), options, PW_MARK_IMAGE_DIR));
  EXPECT_FALSE(fs::exists(dir_ + "/a.htm"));
  EXPECT_FALSE(fs::exists(dir_ + "/contents.htm"));

  // A folder that does not exist.
  EXPECT_FALSE(WriteHtmlSite(dir_ + "/none/a.htm", story_, all, DefaultTextFormat(), options,
                             PW_MARK_IMAGE_DIR));

  // Missing source images are skipped without failing.
  fs::remove(dir_ + "/7.htm");
  fs::remove_all(dir_ + "/gif");
  ASSERT_TRUE(WriteHtmlSite(dir_ + "/a.htm", story_, all, DefaultTextFormat(), options,
                            dir_ + "/no-images"));
  EXPECT_TRUE(fs::is_directory(dir_ + "/gif"));
  EXPECT_TRUE(fs::is_empty(dir_ + "/gif"));
  EXPECT_TRUE(fs::exists(dir_ + "/26.htm"));
  EXPECT_FALSE(fs::exists(dir_ + "/27.htm"));
}

}  // namespace
}  // namespace pw
