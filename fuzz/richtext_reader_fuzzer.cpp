// Fuzzes the RTF reader with arbitrary bytes: no crash, the line reader, the plain-text reader,
// the source map and the document reader see the same text, the writer's RTF of what was read
// reads back unchanged, and an edit of the body in place gives the edited text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp932.h"
#include "richtext/body_edit.h"
#include "richtext/body_text.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "richtext_reader_fuzzer: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rtf(reinterpret_cast<const char*>(data), size);
  pw::rich::RichDocument doc = pw::rich::ReadRtf(rtf);

  std::vector<std::string> fast;
  for (const std::string& line : pw::rich::ReadRtfLines(rtf)) {
    // The line reader keeps double-byte codes without a Unicode counterpart; the document
    // has U+FFFD for them, which becomes "?" in CP932.
    std::string utf8 = pw::Cp932ToUtf8(line).text;
    for (size_t at; (at = utf8.find("\xEF\xBF\xBD")) != std::string::npos;)
      utf8.replace(at, 3, "?");
    fast.push_back(std::move(utf8));
  }
  std::vector<std::string> slow;
  for (const std::string& line : pw::rich::DocumentLines(doc)) {
    slow.push_back(pw::Cp932ToUtf8(pw::rich::Utf8ToPlainCp932(line)).text);
  }
  Check(fast == slow, "line reader and document reader disagree");

  const std::string text = pw::rich::Utf8ToPlainCp932(pw::rich::DocumentText(doc));
  std::string plain;
  pw::rich::AppendRtfPlainText(rtf, &plain);
  Check(plain == text, "plain-text reader and document reader disagree");
  const pw::rich::RtfTextMap map = pw::rich::MapRtfText(rtf);
  Check(map.text == text, "source map and document reader disagree");
  if (pw::rich::IsRtf(rtf) && rtf.find('\0') == std::string_view::npos) {
    // Replace the middle third (moved to character starts) and insert at the start.
    auto start = [&](size_t at) {
      size_t i = 0;
      while (i < at && i < text.size()) i = pw::NextCharBoundary(text, i);
      if (i > 0 && i < text.size() && text[i - 1] == '\r' && text[i] == '\n') ++i;
      return i;
    };
    const size_t a = start(text.size() / 3);
    const size_t b = std::max(a, start(2 * text.size() / 3));
    std::vector<pw::rich::TextEdit> edits = {{0, 0, "x"}, {a, b, "\x82\xa0\r\n\t{"}};
    if (a == 0) edits.erase(edits.begin());
    const std::string edited = pw::rich::EditBody(rtf, edits);
    Check(pw::rich::BodyPlainText(edited) == pw::rich::ApplyTextEdits(text, edits),
          "edited body has other text");
  }

  std::string written = pw::rich::WriteRtf(doc);
  pw::rich::RichDocument back = pw::rich::ReadRtf(written);
  Check(back == doc, "written document reads back different");
  Check(pw::rich::WriteRtf(back) == written, "second write differs");
  return 0;
}
