// The EPUB export. The pages are written one after the other while the range is walked, each
// handed to the sink as soon as it is complete, so memory holds one page and the contents;
// the navigation document, toc.ncx and the package document follow once every page is known.
#include "export/epub_export.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/atomic_file.h"
#include "core/cp932.h"
#include "export/chapter_number.h"
#include "export/epub_content.h"
#include "export/name_uuid.h"
#include "export/zip_writer.h"
#include "richtext/body_text.h"

namespace pw {
namespace {

constexpr char kNoTitle[] = "No Title";
constexpr char kContentsTitle[] = "目次";
constexpr char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

constexpr char kVerticalStyle[] =
    "@charset \"UTF-8\";\n"
    "html {\n"
    "  -epub-writing-mode: vertical-rl;\n"
    "  -webkit-writing-mode: vertical-rl;\n"
    "  writing-mode: vertical-rl;\n"
    "}\n"
    ".tcy {\n"
    "  -epub-text-combine: horizontal;\n"
    "  -webkit-text-combine: horizontal;\n"
    "  text-combine-upright: all;\n"
    "}\n";
constexpr char kCommonStyle[] =
    "body {\n"
    "  margin: 0;\n"
    "  font-family: serif;\n"
    "  line-height: 1.75;\n"
    "}\n"
    "h1, h2, h3, h4, h5, h6 {\n"
    "  font-weight: bold;\n"
    "  line-height: 1.5;\n"
    "  margin: 0 0 1em 0;\n"
    "}\n"
    "h1 { font-size: 1.6em; }\n"
    "h2 { font-size: 1.4em; }\n"
    "h3 { font-size: 1.2em; }\n"
    "h4, h5, h6 { font-size: 1em; }\n"
    "p {\n"
    "  margin: 0;\n"
    "  white-space: pre-wrap;\n"
    "}\n"
    "p.center { text-align: center; }\n"
    "p.end { text-align: end; }\n"
    "p + h1, p + h2, p + h3, p + h4, p + h5, p + h6, table + h1, table + h2, table + h3,\n"
    "table + h4, table + h5, table + h6 {\n"
    "  margin-top: 2em;\n"
    "}\n"
    "table.chara {\n"
    "  border-collapse: collapse;\n"
    "  margin: 0 0 1em 0;\n"
    "}\n"
    "table.chara th, table.chara td {\n"
    "  border: 1px solid #888888;\n"
    "  padding: 0.2em 0.5em;\n"
    "  text-align: start;\n"
    "  vertical-align: top;\n"
    "}\n"
    "table.chara th {\n"
    "  font-weight: bold;\n"
    "  white-space: nowrap;\n"
    "}\n"
    "nav ol {\n"
    "  list-style-type: none;\n"
    "}\n";

std::string Utf8(std::string_view cp932) { return Cp932ToUtf8(cp932).text; }

bool IsBlank(std::string_view utf8) {
  for (char c : utf8) {
    if (c != ' ' && c != '\t') return false;
  }
  return true;
}

std::string PageHeader(std::string_view title_utf8) {
  std::string out = kXmlDeclaration;
  out +=
      "<!DOCTYPE html>\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\""
      " xml:lang=\"ja\" lang=\"ja\">\n"
      "<head>\n"
      "<meta charset=\"UTF-8\"/>\n"
      "<title>";
  epub::AppendEscaped(title_utf8, &out);
  out += "</title>\n";
  return out;
}

// Headings stop at h6 and the contents nest no deeper either: a reader's contents of more
// levels would not be read, and some readers parse nesting by recursion.
constexpr int kDeepestLevel = 5;  // relative to the range's first node

// The levels of a range's nodes in pre-order without a walk to the top for each node (a very
// deep tree would make that quadratic): the path from the range's first level down to the
// node before.
class RangeLevels {
 public:
  explicit RangeLevels(int base) : base_(base) {}
  int Next(const Node* node) {
    while (!path_.empty() && path_.back() != node->parent()) path_.pop_back();
    path_.push_back(node);
    return base_ + static_cast<int>(path_.size()) - 1;
  }

 private:
  int base_;
  std::vector<const Node*> path_;
};

struct NavEntry {
  size_t level;       // 0 for the outermost list
  std::string label;  // UTF-8, escaped
  std::string href;   // relative to the package folder
};

struct Page {
  std::string id;
  std::string href;
};

class BookBuilder {
 public:
  BookBuilder(const Outline& outline, PreorderRange range, const EpubOptions& options,
              BookSink* sink, ProgressSink* progress)
      : outline_(outline),
        range_(range),
        options_(options),
        sink_(sink),
        progress_(progress),
        content_(options.vertical) {}

  Status Build();

 private:
  std::string HeadingText(const Node* node) const;
  void BeginPage(std::string_view label);
  Status FinishPage();
  void AddNode(const Node* node, int level, size_t index, const std::string& heading);
  void AddBody(const Node* node);
  void CloseTable();
  std::string NavDocument() const;
  std::string Ncx(const std::string& identifier) const;
  std::string Package(const std::string& identifier) const;

  const Outline& outline_;
  PreorderRange range_;
  const EpubOptions& options_;
  BookSink* sink_;
  ProgressSink* progress_;
  epub::ContentWriter content_;
  std::string title_;  // UTF-8, never blank

  std::string page_;  // the page being written; empty between pages
  std::vector<Page> pages_;
  std::vector<NavEntry> nav_;
  std::vector<int> nav_levels_;  // tree levels of the open contents entries
  const Node* table_parent_ = nullptr;
  bool table_open_ = false;
  int base_level_ = 0;
};

std::string BookBuilder::HeadingText(const Node* node) const {
  std::string cp932 = options_.chapter_numbers ? ChapterNumber(*node, options_.numbering) : "";
  cp932 += node->title();
  return Utf8(cp932);
}

void BookBuilder::BeginPage(std::string_view label) {
  char name[32];
  std::snprintf(name, sizeof name, "p%04zu", pages_.size() + 1);
  pages_.push_back({name, std::string("text/") + name + ".xhtml"});
  page_.clear();  // keeps its capacity: a page is about as large as the one before
  page_ += PageHeader(label.empty() ? title_ : std::string(label));
  page_ +=
      "<link rel=\"stylesheet\" type=\"text/css\" href=\"../style.css\"/>\n"
      "</head>\n"
      "<body>\n";
}

Status BookBuilder::FinishPage() {
  CloseTable();
  page_ += "</body>\n</html>\n";
  Status s = sink_->Add("OEBPS/" + pages_.back().href, page_, true);
  page_.clear();
  return s;
}

void BookBuilder::CloseTable() {
  if (!table_open_) return;
  page_ += "</tbody></table>\n";
  table_open_ = false;
}

void BookBuilder::AddBody(const Node* node) {
  const TNodeData* data = node->data();
  if (data == nullptr || !data->Body || data->Body->empty()) return;
  rich::RichDocument document = rich::BodyToDocument(*data->Body);
  std::vector<rich::Paragraph>& paragraphs = document.paragraphs;
  // The paragraph after the final paragraph mark is not a line of the body.
  if (paragraphs.size() > 1 && paragraphs.back().Empty()) paragraphs.pop_back();
  if (paragraphs.size() == 1 && paragraphs[0].Empty()) return;
  for (const rich::Paragraph& p : paragraphs) content_.AppendParagraph(p, &page_);
}

void BookBuilder::AddNode(const Node* node, int level, size_t index, const std::string& heading) {
  const std::string number = std::to_string(index);
  const bool item = node->data() != nullptr && node->data()->Kind == nkCharaItem;
  if (item) {
    if (!table_open_ || table_parent_ != node->parent()) {
      CloseTable();
      page_ += "<table class=\"chara\"><tbody>\n";
      table_open_ = true;
      table_parent_ = node->parent();
    }
    page_ += "<tr id=\"n";
    page_ += number;
    page_ += "\"><th>";
    content_.AppendText(heading, &page_);
    page_ += "</th><td>";
    AddBody(node);
    page_ += "</td></tr>\n";
  } else {
    CloseTable();
    const char depth = static_cast<char>('1' + std::min(level - base_level_, kDeepestLevel));
    page_ += "<h";
    page_ += depth;
    page_ += " id=\"n";
    page_ += number;
    page_ += "\">";
    content_.AppendText(heading, &page_);
    page_ += "</h";
    page_ += depth;
    page_ += ">\n";
    AddBody(node);
  }
}

Status BookBuilder::Build() {
  if (range_.empty() || range_.end > outline_.size()) return Status::Error(kNothingToExport);
  title_ = IsBlank(options_.title) ? std::string(kNoTitle) : options_.title;
  const Node* first = outline_.NodeAt(range_.first);
  base_level_ = first->level();
  // A range with one node at its first level (a story under its title node, or a subtree)
  // is divided at the level below.
  const bool single_top = outline_.SubtreeSize(first) >= range_.size();
  const int part_level = base_level_ + (single_top && range_.size() > 1 ? 1 : 0);
  size_t part_count = 0;
  bool any_heading = false;
  RangeLevels count_levels(base_level_);
  for (size_t i = range_.first; i < range_.end; ++i) {
    const Node* node = outline_.NodeAt(i);
    if (count_levels.Next(node) == part_level) ++part_count;
    if (node->data() == nullptr || node->data()->Kind != nkCharaItem) any_heading = true;
  }
  const size_t parts_per_page =
      std::max<size_t>(1, (part_count + kEpubMaxPartFiles - 1) / kEpubMaxPartFiles);

  if (Status s = sink_->Add("mimetype", "application/epub+zip", false); !s) return s;
  if (Status s = sink_->Add("META-INF/container.xml",
                            std::string(kXmlDeclaration) +
                                "<container version=\"1.0\" "
                                "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
                                "<rootfiles>\n"
                                "<rootfile full-path=\"OEBPS/content.opf\" "
                                "media-type=\"application/oebps-package+xml\"/>\n"
                                "</rootfiles>\n"
                                "</container>\n",
                            true);
      !s) {
    return s;
  }

  ProgressScope scope(progress_, kEpubExportCaption, range_.size());
  size_t parts_seen = 0;
  RangeLevels levels(base_level_);
  for (size_t i = range_.first; i < range_.end; ++i) {
    const Node* node = outline_.NodeAt(i);
    const int level = levels.Next(node);
    const bool item = node->data() != nullptr && node->data()->Kind == nkCharaItem;
    bool new_page = page_.empty();
    if (!new_page && level == part_level && parts_seen % parts_per_page == 0) new_page = true;
    if (!new_page && !item && page_.size() >= kEpubPageSoftLimit) new_page = true;
    if (level == part_level) ++parts_seen;
    const std::string heading = HeadingText(node);
    const std::string plain = epub::RubyBase(heading);
    if (new_page) {
      if (!page_.empty()) {
        if (Status s = FinishPage(); !s) return s;
      }
      BeginPage(plain);
    }
    if (!item || !any_heading) {
      while (!nav_levels_.empty() && nav_levels_.back() >= level) nav_levels_.pop_back();
      nav_.push_back({std::min<size_t>(nav_levels_.size(), kDeepestLevel),
                      IsBlank(plain) ? kNoTitle : epub::Escaped(plain),
                      pages_.back().href + "#n" + std::to_string(i)});
      nav_levels_.push_back(level);
    }
    AddNode(node, level, i, heading);
    scope.Step();
  }
  if (Status s = FinishPage(); !s) return s;

  const std::string identifier = BookIdentifier(title_, options_.author);
  std::string style = "@charset \"UTF-8\";\n";
  if (options_.vertical) style = kVerticalStyle;
  style += kCommonStyle;
  if (Status s = sink_->Add("OEBPS/style.css", style, true); !s) return s;
  if (Status s = sink_->Add("OEBPS/nav.xhtml", NavDocument(), true); !s) return s;
  if (Status s = sink_->Add("OEBPS/toc.ncx", Ncx(identifier), true); !s) return s;
  return sink_->Add("OEBPS/content.opf", Package(identifier), true);
}

std::string BookBuilder::NavDocument() const {
  std::string out = PageHeader(kContentsTitle);
  out +=
      "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n"
      "</head>\n"
      "<body>\n"
      "<nav epub:type=\"toc\" id=\"toc\">\n"
      "<h1>";
  out += kContentsTitle;
  out += "</h1>\n<ol>\n";
  size_t previous = 0;
  for (size_t k = 0; k < nav_.size(); ++k) {
    const NavEntry& e = nav_[k];
    if (k > 0) {
      if (e.level > previous) {
        out += "\n<ol>\n";
      } else {
        out += "</li>\n";
        for (size_t l = previous; l > e.level; --l) out += "</ol>\n</li>\n";
      }
    }
    out += "<li><a href=\"" + e.href + "\">" + e.label + "</a>";
    previous = e.level;
  }
  out += "</li>\n";
  for (size_t l = previous; l > 0; --l) out += "</ol>\n</li>\n";
  out += "</ol>\n</nav>\n</body>\n</html>\n";
  return out;
}

std::string BookBuilder::Ncx(const std::string& identifier) const {
  size_t depth = 0;
  for (const NavEntry& e : nav_) depth = std::max(depth, e.level + 1);
  std::string out = kXmlDeclaration;
  out +=
      "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\" xml:lang=\"ja\">\n"
      "<head>\n"
      "<meta name=\"dtb:uid\" content=\"" +
      identifier +
      "\"/>\n"
      "<meta name=\"dtb:depth\" content=\"" +
      std::to_string(depth) +
      "\"/>\n"
      "<meta name=\"dtb:totalPageCount\" content=\"0\"/>\n"
      "<meta name=\"dtb:maxPageNumber\" content=\"0\"/>\n"
      "</head>\n"
      "<docTitle><text>" +
      epub::Escaped(title_) +
      "</text></docTitle>\n"
      "<navMap>\n";
  size_t previous = 0;
  for (size_t k = 0; k < nav_.size(); ++k) {
    const NavEntry& e = nav_[k];
    if (k > 0 && e.level <= previous) {
      for (size_t l = previous + 1; l > e.level; --l) out += "</navPoint>\n";
    }
    const std::string n = std::to_string(k + 1);
    out += "<navPoint id=\"np" + n + "\" playOrder=\"" + n + "\"><navLabel><text>" + e.label +
           "</text></navLabel><content src=\"" + e.href + "\"/>\n";
    previous = e.level;
  }
  for (size_t l = previous + 1; l > 0; --l) out += "</navPoint>\n";
  out += "</navMap>\n</ncx>\n";
  return out;
}

std::string BookBuilder::Package(const std::string& identifier) const {
  std::string out = kXmlDeclaration;
  out +=
      "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
      "unique-identifier=\"book-id\" xml:lang=\"ja\">\n"
      "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
      "<dc:identifier id=\"book-id\">" +
      identifier +
      "</dc:identifier>\n"
      "<dc:title>" +
      epub::Escaped(title_) + "</dc:title>\n";
  if (!IsBlank(options_.author)) {
    out += "<dc:creator>" + epub::Escaped(options_.author) + "</dc:creator>\n";
  }
  out += "<dc:language>ja</dc:language>\n<meta property=\"dcterms:modified\">" +
         Iso8601Utc(options_.modified) +
         "</meta>\n"
         "</metadata>\n"
         "<manifest>\n"
         "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
         "properties=\"nav\"/>\n"
         "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n"
         "<item id=\"style\" href=\"style.css\" media-type=\"text/css\"/>\n";
  for (const Page& p : pages_) {
    out += "<item id=\"" + p.id + "\" href=\"" + p.href +
           "\" media-type=\"application/xhtml+xml\"/>\n";
  }
  out += "</manifest>\n<spine toc=\"ncx\" page-progression-direction=\"";
  out += options_.vertical ? "rtl" : "ltr";
  out += "\">\n";
  for (const Page& p : pages_) out += "<itemref idref=\"" + p.id + "\"/>\n";
  out += "</spine>\n</package>\n";
  return out;
}

// Writes the files into a ZIP archive inside an atomically replaced file.
class ZipBookSink : public BookSink {
 public:
  ZipBookSink(AtomicFile* file, DosTime time)
      : zip_([file](std::string_view bytes) { file->Write(bytes); }, time) {}
  Status Add(std::string_view name, std::string_view content, bool compress) override {
    return zip_.Add(name, content, compress ? ZipMethod::kDeflated : ZipMethod::kStored);
  }
  Status Finish() { return zip_.Finish(); }

 private:
  ZipWriter zip_;
};

}  // namespace

Status WriteEpub(const Outline& outline, PreorderRange range, const EpubOptions& options,
                 BookSink* sink, ProgressSink* progress) {
  return BookBuilder(outline, range, options, sink, progress).Build();
}

Status ExportEpub(const std::string& path, const Outline& outline, PreorderRange range,
                  const EpubOptions& options, ProgressSink* progress) {
  if (range.empty() || range.end > outline.size()) return Status::Error(kNothingToExport);
  Status status;
  std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status);
  if (!file) return status;
  ZipBookSink sink(file.get(), DosTimeFromUnix(options.modified));
  if (Status s = WriteEpub(outline, range, options, &sink, progress); !s) return s;
  if (Status s = sink.Finish(); !s) return s;
  return file->Commit();
}

std::string BookIdentifier(std::string_view title_utf8, std::string_view author_utf8) {
  std::string name(title_utf8);
  name += '\0';
  name += author_utf8;
  return "urn:uuid:" + UuidString(NameBasedUuid(kBookNamespace, name));
}

std::string EpubTitlePreset(const Outline& outline, ExportScope scope, const Node* selected) {
  const Node* node =
      scope == ExportScope::kAll || selected == nullptr ? outline.NodeAt(0) : selected;
  return node != nullptr ? Utf8(node->title()) : std::string();
}

std::string Iso8601Utc(int64_t seconds) {
  const UtcTime t = UtcFromUnix(seconds);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02uT%02u:%02u:%02uZ",
                static_cast<long long>(t.year), t.month, t.day, t.hour, t.minute, t.second);
  return buffer;
}

}  // namespace pw
