// The EPUB book: its files and their order, how the range is divided into pages, headings,
// character tables, the contents in both forms, the package, and the book of the sample story
// against golden files.
#include "export/epub_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/outline_file.h"
#include "tests/export/epub_story.h"

namespace pw {
namespace {

struct MemoryBook : BookSink {
  std::vector<std::string> names;
  std::map<std::string, std::string> files;
  std::map<std::string, bool> compressed;
  Status Add(std::string_view name, std::string_view content, bool compress) override {
    names.emplace_back(name);
    files[std::string(name)] = content;
    compressed[std::string(name)] = compress;
    return Status::Ok();
  }
  std::vector<std::string> Pages() const {
    std::vector<std::string> pages;
    for (const std::string& n : names) {
      if (n.rfind("OEBPS/text/", 0) == 0) pages.push_back(files.at(n));
    }
    return pages;
  }
};

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

EpubOptions Options(bool vertical = true) {
  EpubOptions options;
  options.vertical = vertical;
  options.title = "星降る町の物語";
  options.author = "作者 名";
  options.modified = 1700000000;
  return options;
}

MemoryBook Book(const Outline& outline, PreorderRange range, const EpubOptions& options) {
  MemoryBook book;
  Status s = WriteEpub(outline, range, options, &book);
  EXPECT_TRUE(s) << s.message;
  return book;
}

TEST(EpubBook, FilesComeInArchiveOrderWithMimetypeFirstAndStored) {
  Outline outline;
  testing::BuildEpubStory(&outline);
  MemoryBook book = Book(outline, {0, outline.size()}, Options());
  ASSERT_GE(book.names.size(), 7u);
  EXPECT_EQ(book.names[0], "mimetype");
  EXPECT_EQ(book.files["mimetype"], "application/epub+zip");
  EXPECT_FALSE(book.compressed["mimetype"]);
  EXPECT_EQ(book.names[1], "META-INF/container.xml");
  EXPECT_TRUE(book.compressed["OEBPS/content.opf"]);
  EXPECT_EQ(book.names.back(), "OEBPS/content.opf");
  // Every page is in the manifest and, in order, in the spine.
  const std::string& opf = book.files["OEBPS/content.opf"];
  std::string spine;
  for (const std::string& n : book.names) {
    if (n.rfind("OEBPS/text/", 0) != 0) continue;
    const std::string id = n.substr(11, 5);
    EXPECT_NE(opf.find("<item id=\"" + id + "\" href=\"" + n.substr(6) + "\""), std::string::npos);
    spine += "<itemref idref=\"" + id + "\"/>\n";
  }
  EXPECT_NE(opf.find("page-progression-direction=\"rtl\">\n" + spine + "</spine>"),
            std::string::npos);
}

TEST(EpubBook, PagesFollowThePartsAndLongChaptersAreDivided) {
  Outline outline;
  testing::BuildEpubStory(&outline);
  const std::vector<std::string> pages = Book(outline, {0, outline.size()}, Options()).Pages();
  // The title node alone, chapter 1, chapter 2 in several pieces, the untitled scene, the
  // character with its items, the broken title.
  ASSERT_GE(pages.size(), 7u);
  EXPECT_EQ(Count(pages[0], " id=\"n"), 1u);
  EXPECT_NE(pages[0].find("<h1 id=\"n0\"><ruby>星降<rt>ほしふ</rt></ruby>る町の物語</h1>"),
            std::string::npos);
  EXPECT_NE(pages[0].find("<title>星降る町の物語</title>"), std::string::npos);
  EXPECT_NE(pages[1].find("<h2 id=\"n1\">第<span class=\"tcy\">1</span>章　出会い</h2>"),
            std::string::npos);
  // Depth below the range's first node, deeper levels all h6.
  EXPECT_NE(pages[1].find("<h3 id=\"n2\">駅前の<ruby>雨<rt>あめ</rt></ruby></h3>"),
            std::string::npos);
  EXPECT_NE(pages[1].find("<h4 id=\"n3\">深さ<span class=\"tcy\">3</span></h4>"),
            std::string::npos);
  EXPECT_NE(pages[1].find("<h6 id=\"n7\">深さ<span class=\"tcy\">7</span></h6>"),
            std::string::npos);
  EXPECT_NE(pages[1].find("<h6 id=\"n8\">深さ<span class=\"tcy\">8</span></h6>"),
            std::string::npos);
  size_t chapter_two = 0;
  for (const std::string& page : pages) {
    if (page.find("場面") != std::string::npos) ++chapter_two;
    // A page ends at the first node after the soft limit: one scene's worth over at most.
    EXPECT_LT(page.size(), kEpubPageSoftLimit + 100000);
  }
  EXPECT_GE(chapter_two, 2u);
  const std::string& chara = pages[pages.size() - 2];
  EXPECT_NE(chara.find("<h2 id=\"n"), std::string::npos);
  EXPECT_EQ(Count(chara, "<table class=\"chara\">"), 1u);
  EXPECT_EQ(Count(chara, "<tr id=\"n"), 3u);
  EXPECT_NE(chara.find("<th>備考</th><td></td></tr>"), std::string::npos);
  EXPECT_NE(chara.find("<th>年齢</th><td><p><span class=\"tcy\">27</span>歳</p>"),
            std::string::npos);
  // The undecodable byte of the last title became a replacement character, not broken XML.
  EXPECT_NE(pages.back().find("壊れた題\xef\xbf\xbd</h2>"), std::string::npos);
}

TEST(EpubBook, ContentsNestByDepthWithoutCharacterItems) {
  Outline outline;
  testing::BuildEpubStory(&outline);
  MemoryBook book = Book(outline, {0, outline.size()}, Options());
  const std::string& nav = book.files["OEBPS/nav.xhtml"];
  const std::string& ncx = book.files["OEBPS/toc.ncx"];
  size_t items = 0;
  outline.ForEach([&](Node* n) { items += n->data()->Kind == nkCharaItem; });
  const size_t entries = outline.size() - items;
  EXPECT_EQ(Count(nav, "<li>"), entries);
  EXPECT_EQ(Count(nav, "<li>"), Count(nav, "</li>"));
  EXPECT_EQ(Count(nav, "<ol>"), Count(nav, "</ol>"));
  EXPECT_EQ(Count(ncx, "<navPoint "), entries);
  EXPECT_EQ(Count(ncx, "<navPoint "), Count(ncx, "</navPoint>"));
  EXPECT_NE(ncx.find("<meta name=\"dtb:depth\" content=\"6\"/>"), std::string::npos);
  // Ruby reduced to its base; a blank caption still gives the entry a text.
  EXPECT_NE(nav.find(">星降る町の物語</a>\n<ol>\n<li><a href=\"text/p0002.xhtml#n1\">"),
            std::string::npos);
  // Eight levels deep, listed no deeper than the sixth, then back to the second chapter.
  EXPECT_NE(nav.find("#n7\">深さ7</a></li>\n<li><a href=\"text/p0002.xhtml#n8\">深さ8"),
            std::string::npos);
  std::string back = "#n8\">深さ8</a></li>\n";
  for (int i = 0; i < 4; ++i) back += "</ol>\n</li>\n";
  EXPECT_NE(nav.find(back + "<li><a href=\"text/p0003.xhtml#n9\">第2章"), std::string::npos);
  EXPECT_NE(nav.find("\">No Title</a>"), std::string::npos);
  EXPECT_NE(ncx.find("<text>水瀬 湊</text>"), std::string::npos);
}

TEST(EpubBook, OptionsReachHeadingsPackageAndStyle) {
  Outline outline;
  testing::BuildEpubStory(&outline);
  EpubOptions options = Options(false);
  options.chapter_numbers = true;
  MemoryBook book = Book(outline, {0, outline.size()}, options);
  const std::vector<std::string> pages = book.Pages();
  EXPECT_NE(pages[1].find("<h2 id=\"n1\">1-1 第1章　出会い</h2>"), std::string::npos);
  EXPECT_NE(book.files["OEBPS/nav.xhtml"].find(">1-1-1 駅前の雨</a>"), std::string::npos);
  EXPECT_EQ(Count(pages[1], "tcy"), 0u) << "numbers lie along horizontal lines";
  const std::string& opf = book.files["OEBPS/content.opf"];
  EXPECT_NE(opf.find("page-progression-direction=\"ltr\""), std::string::npos);
  EXPECT_NE(opf.find("<dc:title>星降る町の物語</dc:title>\n<dc:creator>作者 名</dc:creator>\n"
                     "<dc:language>ja</dc:language>\n"
                     "<meta property=\"dcterms:modified\">2023-11-14T22:13:20Z</meta>"),
            std::string::npos);
  EXPECT_EQ(book.files["OEBPS/style.css"].find("writing-mode"), std::string::npos);
  EXPECT_NE(Book(outline, {0, outline.size()}, Options(true))
                .files["OEBPS/style.css"]
                .find("  writing-mode: vertical-rl;"),
            std::string::npos);

  // A blank title and author: the package still has a title and no empty creator.
  options.title = " ";
  options.author = "";
  const std::string bare = Book(outline, {0, outline.size()}, options).files["OEBPS/content.opf"];
  EXPECT_NE(bare.find("<dc:title>No Title</dc:title>"), std::string::npos);
  EXPECT_EQ(bare.find("dc:creator"), std::string::npos);
}

TEST(EpubBook, ScopesOfOneNodeOrOneSubtree) {
  Outline outline;
  testing::BuildEpubStory(&outline);
  const Node* chapter = outline.NodeAt(1);
  MemoryBook subtree =
      Book(outline, ScopeRange(outline, ExportScope::kSubtree, chapter), Options());
  std::vector<std::string> pages = subtree.Pages();
  ASSERT_EQ(pages.size(), 2u);  // the chapter, then its one scene as a part
  EXPECT_NE(pages[0].find("<h1 id=\"n1\">"), std::string::npos);
  EXPECT_NE(pages[1].find("<h2 id=\"n2\">"), std::string::npos);
  EXPECT_NE(pages[1].find("<h6 id=\"n8\">"), std::string::npos);

  pages =
      Book(outline, ScopeRange(outline, ExportScope::kSelectedNode, chapter), Options()).Pages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Count(pages[0], "<h1"), 1u);

  // A character item alone: its table, and the contents list the item after all.
  const Node* item = outline.NodeAt(outline.size() - 3);
  ASSERT_EQ(item->data()->Kind, nkCharaItem);
  MemoryBook lone = Book(outline, ScopeRange(outline, ExportScope::kSelectedNode, item), Options());
  EXPECT_EQ(Count(lone.Pages()[0], "<tr id="), 1u);
  EXPECT_EQ(Count(lone.files["OEBPS/nav.xhtml"], "<li>"), 1u);

  MemoryBook none;
  EXPECT_FALSE(WriteEpub(outline, {3, 3}, Options(), &none));
  EXPECT_FALSE(WriteEpub(outline, {0, outline.size() + 1}, Options(), &none));
}

TEST(EpubBook, VeryManyPartsSharePagesSoTheArchiveStaysWithinItsLimits) {
  Outline outline;
  for (size_t i = 0; i < kEpubMaxPartFiles + 1; ++i) {
    outline.Append(nullptr, "t", NewNodeData(nkRoot), kIconRoot);
  }
  const std::vector<std::string> pages = Book(outline, {0, outline.size()}, Options()).Pages();
  EXPECT_LE(pages.size(), kEpubMaxPartFiles);
  EXPECT_GE(pages.size(), kEpubMaxPartFiles / 2);
}

TEST(EpubBook, AVeryDeepTreeIsWrittenInLinearTimeAndNestsNoDeeperThanSixLevels) {
  Outline outline;
  Node* node = nullptr;
  for (int i = 0; i < 50000; ++i) {
    node = outline.Append(node, "d", NewNodeData(i == 0 ? nkRoot : nkChild), kIconRoot);
  }
  MemoryBook book = Book(outline, {0, outline.size()}, Options());
  EXPECT_EQ(Count(book.files["OEBPS/nav.xhtml"], "<ol>"), 6u);
  EXPECT_EQ(Count(book.files["OEBPS/toc.ncx"], "<navPoint "), outline.size());
  size_t deepest = 0;
  for (const std::string& page : book.Pages()) deepest += Count(page, "<h6 ");
  EXPECT_EQ(deepest, outline.size() - 5);
}

TEST(EpubBook, IdentifierDependsOnTitleAndAuthorOnly) {
  const std::string id = BookIdentifier("物語", "作者");
  EXPECT_EQ(id.rfind("urn:uuid:", 0), 0u);
  EXPECT_EQ(id[9 + 14], '5') << "a version 5 (name-based) UUID";
  EXPECT_EQ(id, BookIdentifier("物語", "作者"));
  EXPECT_NE(id, BookIdentifier("物語", "別人"));
  EXPECT_NE(BookIdentifier("ab", "c"), BookIdentifier("a", "bc"));
}

TEST(EpubBook, TitlePresetLikeTheHtmlSiteTitle) {
  Outline outline;
  testing::BuildEpubStory(&outline);
  const Node* chapter = outline.NodeAt(1);
  EXPECT_EQ(EpubTitlePreset(outline, ExportScope::kAll, chapter), "｜星降《ほしふ》る町の物語");
  EXPECT_EQ(EpubTitlePreset(outline, ExportScope::kSubtree, chapter), "第1章　出会い");
  EXPECT_EQ(EpubTitlePreset(outline, ExportScope::kSelectedNode, chapter), "第1章　出会い");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The sample story's vertical book, file by file (write NAME.actual beside a golden file that
// differs).
TEST(EpubBook, SampleStoryMatchesGoldenFiles) {
  Outline outline;
  ReadResult read = ReadOutlineFile(PLOTWEAVE_SAMPLE_PWV, ReadTarget::kMainTree, &outline);
  ASSERT_TRUE(read.status) << read.status.message;
  EpubOptions options = Options();
  options.title = EpubTitlePreset(outline, ExportScope::kAll, nullptr);
  MemoryBook book = Book(outline, {0, outline.size()}, options);
  const std::string golden = std::string(PLOTWEAVE_TEST_DATA) + "/epub/sample/";
  for (const std::string& name : book.names) {
    std::string file = name;
    for (char& c : file) c = c == '/' ? '_' : c;
    const std::string expected = ReadFile(golden + file);
    if (book.files[name] != expected) {
      std::ofstream(::testing::TempDir() + file + ".actual", std::ios::binary) << book.files[name];
      ADD_FAILURE() << name << " differs from " << golden << file << "; wrote "
                    << ::testing::TempDir() << file << ".actual";
    }
  }
}

}  // namespace
}  // namespace pw
