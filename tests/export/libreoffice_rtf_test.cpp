// The RTF export opened by LibreOffice (headless), where it is installed: the sample story and
// a generated one must give the same lines as our own reading of the document, the titles must
// be in the title font, and the bodies must keep bold, colours, sizes and indents. Both files
// are converted in one run per output format, since LibreOffice is slow to start.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/new_document.h"
#include "core/node_marks.h"
#include "core/outline_file.h"
#include "export/rich_document_builder.h"
#include "export/rtf_export.h"
#include "golden.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8).text; }

// A story of 40 nodes over three levels whose bodies carry a bold run, a coloured run, a
// larger run and an indented paragraph, each with a text found nowhere else.
void GenerateStory(Outline* outline) {
  const uint32_t colors[] = {0x0000FF, 0x008000, 0xFF0000};  // BBGGRR: red, green, blue
  Node* root = outline->Append(nullptr, Sjis("生成された物語"), NewNodeData(nkRoot), kIconRoot);
  Node* chapter = nullptr;
  for (int i = 0; i < 39; ++i) {
    const bool is_chapter = i % 5 == 0;
    Node* parent = is_chapter ? root : chapter;
    const int32_t kind = is_chapter ? nkParent : nkChild;
    Node* node = outline->Append(parent, Sjis((is_chapter ? "章" : "場面") + std::to_string(i)),
                                 NewNodeData(kind), IconFor(kind, ncBlue));
    if (is_chapter) chapter = node;
    rich::CharFormat plain;
    plain.face = "ＭＳ 明朝";
    plain.size = 10.5;
    rich::CharFormat bold = plain;
    bold.bold = true;
    rich::CharFormat colored = plain;
    colored.color = colors[i % 3];
    rich::CharFormat large = plain;
    large.size = 14 + (i % 3) * 2;
    rich::RichDocument body;
    body.paragraphs.clear();
    const std::string n = std::to_string(i);
    body.paragraphs.push_back({{}, {{"本文" + n + "は", plain}, {"太字" + n, bold}, {"と", plain},
                                    {"色付き" + n, colored}}});
    body.paragraphs.push_back({{}, {{"大きな字" + n, large}}});
    rich::Paragraph indented{{}, {{"字下げ" + n, plain}}};
    indented.format.left_indent = 36;
    body.paragraphs.push_back(indented);
    body.paragraphs.push_back({});
    node->data()->Body = rich::WriteRtf(body);
  }
}

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Lines of a LibreOffice text export: UTF-8 with a byte-order mark, LF line ends.
std::vector<std::string> TextLines(std::string text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

// The XHTML export: CSS classes by name, and the classes of the span holding a text and of
// its paragraph.
class Xhtml {
 public:
  explicit Xhtml(std::string html) : html_(std::move(html)) {
    static const std::regex rule(R"(\.([A-Za-z0-9_]+) \{([^}]*)\})");
    for (auto it = std::sregex_iterator(html_.begin(), html_.end(), rule);
         it != std::sregex_iterator(); ++it) {
      styles_[(*it)[1]] = (*it)[2];
    }
  }
  // The style of the span whose whole text is `text` (empty when there is none).
  std::string SpanStyle(const std::string& text) const {
    const size_t at = html_.find("\">" + text + "</span>");
    if (at == std::string::npos) return {};
    const size_t open = html_.rfind("class=\"", at);
    return Style(html_.substr(open + 7, at - open - 7));
  }
  std::string ParagraphStyle(const std::string& text) const {
    const size_t at = html_.find("\">" + text + "</span>");
    if (at == std::string::npos) return {};
    const size_t p = html_.rfind("<p class=\"", at);
    const size_t end = html_.find('"', p + 10);
    return Style(html_.substr(p + 10, end - p - 10));
  }

 private:
  std::string Style(const std::string& name) const {
    auto it = styles_.find(name);
    return it == styles_.end() ? std::string() : it->second;
  }
  std::string html_;
  std::map<std::string, std::string> styles_;
};

TEST(LibreOfficeRtf, OpensTheSampleAndAGeneratedStory) {
  if (!Installed("soffice")) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  std::string pattern = ::testing::TempDir() + "lo-rtf-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;

  Outline sample;
  ASSERT_TRUE(ReadOutlineFile(PW_SAMPLE_DOCUMENT, ReadTarget::kMainTree, &sample).status);
  Outline story;
  GenerateStory(&story);

  TextFormat format = DefaultTextFormat();
  format.title_font = {Sjis("ＭＳ Ｐ明朝"), 13, 0xFF0000, kFontStyleBold};  // blue
  format.chapter_numbers = true;
  format.CommitEditing();
  const std::string split = std::string(50, '-');
  struct Doc {
    const char* name;
    const Outline* outline;
    std::vector<std::string> lines;
  };
  std::vector<Doc> docs = {{"sample", &sample, {}}, {"story", &story, {}}};
  std::string files;
  for (Doc& doc : docs) {
    const PreorderRange all{0, doc.outline->size()};
    ASSERT_TRUE(ExportRtf((dir / (std::string(doc.name) + ".rtf")).string(), *doc.outline, all,
                          format, split));
    rich::RichDocument built;
    BuildRichDocument(*doc.outline, all, format, split, &built);
    doc.lines = rich::DocumentLines(built);
    files += " '" + (dir / (std::string(doc.name) + ".rtf")).string() + "'";
  }

  // A profile of its own, so that a LibreOffice the user (or another test) runs is untouched.
  const std::string soffice = "timeout 300 soffice --headless -env:UserInstallation=file://" +
                              (dir / "profile").string() + " --convert-to ";
  ASSERT_EQ(std::system((soffice + "'txt:Text (encoded):UTF8' --outdir '" + (dir / "txt").string() +
                         "'" + files + " >/dev/null 2>&1")
                            .c_str()),
            0);
  ASSERT_EQ(std::system((soffice + "'html:XHTML Writer File:UTF8' --outdir '" +
                         (dir / "html").string() + "'" + files + " >/dev/null 2>&1")
                            .c_str()),
            0);

  for (const Doc& doc : docs) {
    std::vector<std::string> lines =
        TextLines(testing::ReadBytes((dir / "txt" / (std::string(doc.name) + ".txt")).string()));
    // LibreOffice ends the text with the last paragraph's line end; ours drops the empty line.
    if (!lines.empty() && lines.back().empty() && lines.size() == doc.lines.size() + 1) {
      lines.pop_back();
    }
    EXPECT_EQ(lines, doc.lines) << doc.name;
  }

  const Xhtml sample_html(testing::ReadBytes((dir / "html" / "sample.html").string()));
  const std::string title_style = sample_html.SpanStyle("1 ■ 星降る町の約束");
  EXPECT_NE(title_style.find("font-family:'ＭＳ Ｐ明朝'"), std::string::npos) << title_style;
  EXPECT_NE(title_style.find("font-size:13pt"), std::string::npos) << title_style;
  EXPECT_NE(title_style.find("color:#0000ff"), std::string::npos) << title_style;
  EXPECT_NE(title_style.find("font-weight:bold"), std::string::npos) << title_style;
  EXPECT_EQ(sample_html.SpanStyle(split), title_style);
  EXPECT_NE(sample_html.SpanStyle("十年ぶり").find("color:#ff0000"), std::string::npos);

  const Xhtml story_html(testing::ReadBytes((dir / "html" / "story.html").string()));
  for (int i : {0, 1, 2, 17, 38}) {
    const std::string n = std::to_string(i);
    SCOPED_TRACE("node " + n);
    EXPECT_NE(story_html.SpanStyle("太字" + n).find("font-weight:bold"), std::string::npos);
    const char* colors[] = {"color:#ff0000", "color:#008000", "color:#0000ff"};
    EXPECT_NE(story_html.SpanStyle("色付き" + n).find(colors[i % 3]), std::string::npos);
    const std::string size = "font-size:" + std::to_string(14 + (i % 3) * 2) + "pt";
    EXPECT_NE(story_html.SpanStyle("大きな字" + n).find(size), std::string::npos);
    EXPECT_NE(story_html.ParagraphStyle("字下げ" + n).find("margin-left:0.5in"),
              std::string::npos)
        << story_html.ParagraphStyle("字下げ" + n);
  }
  // The title after an indented body starts at the margin again.
  const std::string chapter_style = story_html.ParagraphStyle("1-2 ▼ 章5");
  EXPECT_FALSE(chapter_style.empty());
  EXPECT_EQ(chapter_style.find("margin-left:0.5in"), std::string::npos) << chapter_style;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace pw
