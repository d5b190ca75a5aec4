// Reads RTF as Windows rich-edit controls and our own writer produce it into a RichDocument,
// and (without building one) into plain lines for exports.
#ifndef PLOTWEAVE_RICHTEXT_RTF_READER_H_
#define PLOTWEAVE_RICHTEXT_RTF_READER_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/rich_document.h"

namespace pw::rich {

// Groups deeper than this are read as if their content were skipped.
inline constexpr int kMaxGroupDepth = 256;

// Reading never fails: whatever cannot be understood is skipped, the rest is kept. The input
// need not end at its last closing brace; an unterminated document is read to the end.
RichDocument ReadRtf(std::string_view rtf);

// The text of the RTF as CP932 lines, one per paragraph and line break, without building a
// document. CP932 text is copied through as it stands (a well-formed double-byte code is kept
// even when it has no Unicode counterpart); characters CP932 cannot hold become "?". A
// trailing empty line is dropped (the final paragraph mark does not start a line of its own),
// so empty RTF gives no lines.
std::vector<std::string> ReadRtfLines(std::string_view rtf);

// Appends the text of the RTF in plain CP932 with CR LF line ends, byte for byte what
// Utf8ToPlainCp932(DocumentText(ReadRtf(rtf))) gives (the body pane's text), without building
// a document.
void AppendRtfPlainText(std::string_view rtf, std::string* out);

// The same for many RTF documents in turn (the bodies of a document): the header that the
// documents share is read once.
class RtfPlainTextReader {
 public:
  RtfPlainTextReader();
  ~RtfPlainTextReader();
  RtfPlainTextReader(const RtfPlainTextReader&) = delete;
  RtfPlainTextReader& operator=(const RtfPlainTextReader&) = delete;

  void Append(std::string_view rtf, std::string* out);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_RTF_READER_H_
