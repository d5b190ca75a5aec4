// Fuzzes the RTF reader with arbitrary bytes: no crash, the line reader and the document
// reader see the same text, and the writer's RTF of what was read reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp932.h"
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

  std::string written = pw::rich::WriteRtf(doc);
  pw::rich::RichDocument back = pw::rich::ReadRtf(written);
  Check(back == doc, "written document reads back different");
  Check(pw::rich::WriteRtf(back) == written, "second write differs");
  return 0;
}
