// Stored bodies as lines, plain text and file bytes.
#include "richtext/body_text.h"

#include "core/cp932.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw::rich {
namespace {

// A body buffer is read only up to its first NUL.
std::string_view UpToNul(std::string_view body) {
  size_t nul = body.find('\0');
  return nul == std::string_view::npos ? body : body.substr(0, nul);
}

}  // namespace

std::vector<std::string> BodyToLines(std::string_view body) {
  body = UpToNul(body);
  if (body.empty()) return {};
  if (IsRtf(body)) return ReadRtfLines(body);
  return PlainTextLines(body);
}

std::vector<std::string> BodyToLinesUtf8(std::string_view body) {
  std::vector<std::string> lines = DocumentLines(BodyToDocument(body));
  if (UpToNul(body).empty()) lines.clear();
  return lines;
}

namespace {

void AppendPlainBodyText(std::string_view body, std::string* text) {
  // One paragraph per line, as the pane reads plain text; the line ends become CR LF.
  size_t start = 0;
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i] != '\r' && body[i] != '\n') continue;
    AppendPaneCp932(body.substr(start, i - start), text);
    *text += "\r\n";
    if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
    start = i + 1;
  }
  AppendPaneCp932(body.substr(start), text);
}

}  // namespace

std::string PlainTextPaneForm(std::string_view cp932) {
  std::string text;
  text.reserve(cp932.size() + 8);
  AppendPlainBodyText(cp932, &text);
  return text;
}

std::string BodyPlainText(std::string_view body) {
  body = UpToNul(body);
  std::string text;
  if (body.empty()) return text;
  text.reserve(IsRtf(body) ? body.size() / 3 : body.size() + body.size() / 8);
  if (IsRtf(body)) {
    AppendRtfPlainText(body, &text);
  } else {
    AppendPlainBodyText(body, &text);
  }
  return text;
}

void BodyTextReader::PlainText(std::string_view body, std::string* text) {
  text->clear();
  body = UpToNul(body);
  if (body.empty()) return;
  if (IsRtf(body)) {
    rtf_.Append(body, text);
  } else {
    AppendPlainBodyText(body, text);
  }
}

RichDocument BodyToDocument(std::string_view body) {
  body = UpToNul(body);
  if (IsRtf(body)) return ReadRtf(body);
  if (body.empty()) return RichDocument{};
  return PlainTextToDocument(body, DefaultBodyFormat());
}

std::string SerializeBodyForFile(std::string_view body) {
  if (IsRtf(body)) return std::string(body);
  return WriteRtf(PlainTextToDocument(UpToNul(body), DefaultBodyFormat()));
}

}  // namespace pw::rich
