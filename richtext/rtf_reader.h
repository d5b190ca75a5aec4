// Reads RTF as Windows rich-edit controls and our own writer produce it into a RichDocument,
// and (without building one) into plain lines for exports.
#ifndef PLOTWEAVE_RICHTEXT_RTF_READER_H_
#define PLOTWEAVE_RICHTEXT_RTF_READER_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/rich_document.h"

namespace pw::rich {

// Groups deeper than this are read as if their content were skipped.
inline constexpr int kMaxGroupDepth = 256;
// What the rich-text control holds of a paragraph's tab stops and of a face name (in UTF-16
// units); what goes beyond is dropped, so no format grows with the input.
inline constexpr size_t kMaxTabStops = 32;
inline constexpr size_t kMaxFaceLength = 31;

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

// Which RTF bytes give each piece of AppendRtfPlainText's text, so that an edit of the text
// can change just those bytes.
struct RtfTextPiece {
  uint32_t text_begin = 0;  // the piece in the plain text (may be empty: a soft hyphen)
  uint32_t text_end = 0;
  uint32_t source_begin = 0;  // its RTF bytes; for a piece of a run, the run's bytes
  uint32_t source_end = 0;
  // -1: the bytes are this piece's alone. Otherwise the index of a run of text bytes that the
  // pane does not hold byte for byte; to change one of its characters the run is written
  // again, as `ch` (its characters) in code page `code_page`.
  int32_t run = -1;
  char32_t ch = 0;
  int code_page = 932;      // of the font in effect there
  int uc = 1;               // \uc in effect there
  bool line_break = false;  // a paragraph end or \line: CR LF in the text
};
struct RtfTextRun {
  uint32_t source_begin = 0;
  uint32_t source_end = 0;
};
struct RtfTextMap {
  std::string text;  // what AppendRtfPlainText gives
  std::vector<RtfTextPiece> pieces;
  std::vector<RtfTextRun> runs;
  // The closing brace of the document's own group (where text goes into an empty body), and
  // the font's code page and \uc there.
  bool has_document_end = false;
  uint32_t document_end = 0;
  int end_code_page = 932;
  int end_uc = 1;
};
// Printable ASCII reads as ASCII in this code page.
bool IsAsciiCompatibleCodePage(int code_page);

// Documents of 4 GB or more are not mapped (offsets are 32-bit); callers check the size.
RtfTextMap MapRtfText(std::string_view rtf);

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
