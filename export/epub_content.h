// The text of an EPUB's pages as XHTML: escaping for XML, body paragraphs with their character
// formats, ruby from the ruby notation and, in vertical writing, short numbers set upright.
#ifndef PLOTWEAVE_EXPORT_EPUB_CONTENT_H_
#define PLOTWEAVE_EXPORT_EPUB_CONTENT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/rich_document.h"

namespace pw::epub {

// UTF-8 text as XML character data (also fit for attribute values): "&", "<", ">" and '"'
// escaped; characters XML 1.0 cannot hold (control characters other than TAB, LF and CR,
// U+FFFE and U+FFFF) dropped.
void AppendEscaped(std::string_view utf8, std::string* out);
std::string Escaped(std::string_view utf8);

// The text with every ruby reduced to its base: for the contents, the package and page titles.
std::string RubyBase(std::string_view utf8);

class ContentWriter {
 public:
  // Vertical writing sets runs of one or two half-width digits upright (a longer number reads
  // along the line, turned on its side, as Japanese typesetting does).
  explicit ContentWriter(bool vertical) : vertical_(vertical) {}

  // A body paragraph: <p>, its runs with bold, italic, underline, strike-out and colour, line
  // breaks as <br/>. An empty paragraph keeps its place as an empty line.
  void AppendParagraph(const rich::Paragraph& paragraph, std::string* out);
  // Text without character formats (headings, table captions).
  void AppendText(std::string_view utf8, std::string* out);

 private:
  void Render(const std::vector<rich::Run>* runs, std::string* out);
  void RenderPlain(size_t begin, size_t end, const std::vector<rich::Run>* runs, std::string* out);

  bool vertical_;
  // The text being written, one entry per character, with the run each came from.
  std::u32string text_;
  std::vector<uint32_t> run_of_;
  std::vector<bool> upright_;
};

}  // namespace pw::epub

#endif  // PLOTWEAVE_EXPORT_EPUB_CONTENT_H_
