// Writes a RichDocument as a complete RTF document in the manner of a Japanese rich-edit
// control: \ansicpg932, a font table, a colour table, \pard and \plain before every change.
#ifndef PLOTWEAVE_RICHTEXT_RTF_WRITER_H_
#define PLOTWEAVE_RICHTEXT_RTF_WRITER_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "richtext/rich_document.h"

namespace pw::rich {

// Text that the font's code page holds is written as \'hh bytes (CP932 for \fcharset128);
// anything else as \uN with "?" as the fallback, so no character is lost. System colours
// other than the window-text colour have no RTF form and are written as the automatic one.
std::string WriteRtf(const RichDocument& document);

// The same RTF handed out in pieces of about `chunk` bytes, so that a large document can go to
// a file without being held twice in memory.
void WriteRtf(const RichDocument& document, const std::function<void(std::string_view)>& sink,
              size_t chunk = size_t{1} << 20);

// WriteRtf for a document that arrives a paragraph at a time and is never held whole (the RTF
// export of a large document): the paragraphs are written as they come while the font and colour
// tables grow, and Finish hands out the header with the tables, then the text. The result is
// byte for byte WriteRtf of the document the paragraphs make.
class RtfStreamWriter {
 public:
  RtfStreamWriter();
  ~RtfStreamWriter();
  RtfStreamWriter(const RtfStreamWriter&) = delete;
  RtfStreamWriter& operator=(const RtfStreamWriter&) = delete;

  void Add(const Paragraph& paragraph);
  // Once, after the last paragraph.
  void Finish(const std::function<void(std::string_view)>& sink);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The RTF of the text between two positions (clipboard, merge, split).
std::string WriteRtfRange(const RichDocument& document, TextPosition begin, TextPosition end);

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_RTF_WRITER_H_
