// The MeDoc export: both intermediate texts (golden files for the documented two-node example
// and a body line starting with "."), the index rules, and the whole export into a database
// with its intermediate files gone afterwards, on success and on failure.
#include "export/medoc_export.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "core/cp932.h"
#include "core/new_document.h"
#include "golden.h"
#include "platform/palm_doc.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

Node* Add(Outline* outline, Node* parent, const char* title, const char* body_utf8) {
  Node* node = outline->Append(parent, Sjis(title),
                               NewNodeData(parent == nullptr ? nkRoot : nkChild), 7);
  if (body_utf8 != nullptr) node->data()->Body = Sjis(body_utf8);
  return node;
}

TEST(MeDocExport, TwoNodesWithOneLineEach) {
  Outline outline;
  Add(&outline, Add(&outline, nullptr, "物語", nullptr), "第一章", "{\\rtf1 one line\\par}");
  outline.NodeAt(0)->data()->Body = Sjis("はじまり");
  const std::string headings = BuildMeDocHeadings(outline);
  EXPECT_EQ(headings, Sjis(".物語\r\nはじまり\r\n\r\n.第一章\r\none line\r\n\r\n"));
  testing::ExpectGolden(BuildMeDocIndex(headings), "medoc_two_nodes.TXT");
}

TEST(MeDocExport, BodyLineStartingWithAStopIsAHeading) {
  Outline outline;
  Node* root = Add(&outline, nullptr, "物語", "前書き\r\n..台詞の前の間\r\n続き");
  Add(&outline, root, "終章", nullptr);
  testing::ExpectGolden(BuildMeDocIndex(BuildMeDocHeadings(outline)), "medoc_stop_line.TXT");
}

TEST(MeDocExport, IndexRules) {
  const struct {
    const char* name;
    const char* headings;
    const char* index;
  } cases[] = {
      {"no headings", "", "#!Medoc index 0\r\n"},
      {"stops only stay whole", ".\r\n...\r\nx\r\n",
       "#!Medoc index 2\r\n4:.\r\n4:...\r\nx\r\n"},
      {"all leading stops go", "...A\r\nb\r\n", "#!Medoc index 1\r\n3:A\r\nb\r\n"},
      {"lone CR and LF end lines", ".A\rb\nc", "#!Medoc index 1\r\n3:A\r\nb\r\nc\r\n"},
      {"lines before the first heading belong to none", "x\r\n.A\r\ny\r\n",
       "#!Medoc index 1\r\n3:A\r\ny\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildMeDocIndex(c.headings), c.index) << c.name;
}

TEST(MeDocExport, TitleIsTheFileNameInShiftJis) {
  EXPECT_EQ(MeDocTitle("/home/u/本/星の話.PDB"), Sjis("星の話"));
  EXPECT_EQ(MeDocTitle("plain.name.PDB"), "plain.name");
}

class MeDocFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "medoc-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    fs::create_directory(dir_ / "work");
  }
  void TearDown() override { fs::remove_all(dir_); }
  bool WorkIsEmpty() const { return fs::is_empty(dir_ / "work"); }
  fs::path dir_;
};

TEST_F(MeDocFiles, WritesTheDatabaseAndRemovesTheIntermediates) {
  Outline outline;
  Node* root = Add(&outline, nullptr, "物語", "はじまり");
  for (int i = 0; i < 300; ++i) {
    Add(&outline, root, "章", "本文の行が続きます。ｶﾀｶﾅも混ぜて。\r\n二行目");
  }
  const std::string pdb = (dir_ / "星の話.PDB").string();
  ASSERT_TRUE(ExportMeDoc(pdb, outline, nullptr, (dir_ / "work").string()));
  EXPECT_TRUE(WorkIsEmpty());

  const std::string db = testing::ReadBytes(pdb);
  ASSERT_GT(db.size(), 78u);
  EXPECT_EQ(db.substr(0, db.find('\0')), Sjis("星の話"));
  EXPECT_EQ(db.substr(60, 8), "TEXtREAd");
  // Decode every text record and compare with the index text.
  auto get32 = [&](size_t at) {
    uint32_t v = 0;
    for (size_t k = 0; k < 4; ++k) v = v << 8 | static_cast<unsigned char>(db[at + k]);
    return v;
  };
  const size_t count = static_cast<unsigned char>(db[76]) << 8 | static_cast<unsigned char>(db[77]);
  std::string text;
  for (size_t k = 1; k < count; ++k) {
    const size_t begin = get32(78 + 8 * k);
    const size_t end = k + 1 < count ? get32(78 + 8 * (k + 1)) : db.size();
    text += DecompressPalmDocRecord(db.substr(begin, end - begin));
  }
  EXPECT_EQ(text, BuildMeDocIndex(BuildMeDocHeadings(outline)));
}

TEST_F(MeDocFiles, FailureIsReportedAndLeavesNothingBehind) {
  Outline outline;
  Add(&outline, nullptr, "物語", "はじまり");
  EXPECT_FALSE(ExportMeDoc((dir_ / "missing/x.PDB").string(), outline, nullptr,
                           (dir_ / "work").string()));
  EXPECT_TRUE(WorkIsEmpty());
  EXPECT_FALSE(ExportMeDoc((dir_ / "x.PDB").string(), outline, nullptr,
                           (dir_ / "no-work-folder").string()));
  EXPECT_FALSE(fs::exists(dir_ / "x.PDB"));
}

}  // namespace
}  // namespace pw
