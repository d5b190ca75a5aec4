// A node's stored body (RTF bytes, plain CP932 text, or nothing) as the rest of the program
// sees it: its lines, its plain text, and the bytes a document file holds for it.
#ifndef PLOTWEAVE_RICHTEXT_BODY_TEXT_H_
#define PLOTWEAVE_RICHTEXT_BODY_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

#include "richtext/rich_document.h"
#include "richtext/rtf_reader.h"

namespace pw::rich {

// Body-to-lines: CP932 lines without their ends, one per paragraph and per line break inside
// one, never wrapped. An empty or absent body gives no lines.
std::vector<std::string> BodyToLines(std::string_view body);

// The same lines in UTF-8 (characters outside CP932 survive).
std::vector<std::string> BodyToLinesUtf8(std::string_view body);

// The body's plain text in CP932 with CR LF line ends, byte for byte what the body pane holds
// once the body is loaded (character count and search use it).
std::string BodyPlainText(std::string_view body);

// What the body pane holds for plain CP932 text (a plain-text body, or text typed into the
// pane): one line break (CR LF) for each CR LF, CR or LF, control characters but tab dropped,
// and each character as AppendPaneCp932 writes it. NUL bytes are control characters here.
std::string PlainTextPaneForm(std::string_view cp932);

// BodyPlainText for many bodies in turn, faster: what the RTF bodies share is read once.
class BodyTextReader {
 public:
  // Replaces *text by the body's plain text.
  void PlainText(std::string_view body, std::string* text);

 private:
  RtfPlainTextReader rtf_;
};

// The body as a document: RTF read, or plain text in the default body format.
RichDocument BodyToDocument(std::string_view body);

// The bytes written for a body into a document or node stream: RTF bodies byte for byte
// (whatever our engine does not understand survives), plain text converted into RTF.
// Matches core's BodySerializer.
std::string SerializeBodyForFile(std::string_view body);

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_BODY_TEXT_H_
