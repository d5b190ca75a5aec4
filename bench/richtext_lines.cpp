// Body-to-lines as a process: prints the CP932 lines of each RTF file given, one per line;
// the whole-process peer of `unrtf --text`. Plain stdio, so start-up costs no more than a C
// program's.
#include <cstdio>
#include <string>

#include "richtext/body_text.h"

namespace {

bool ReadWhole(const char* path, std::string* out) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) out->append(buffer, n);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::string rtf;
  std::string out;
  for (int i = 1; i < argc; ++i) {
    rtf.clear();
    if (!ReadWhole(argv[i], &rtf)) {
      std::fprintf(stderr, "richtext_lines: cannot read %s\n", argv[i]);
      return 1;
    }
    out.clear();
    for (const std::string& line : pw::rich::BodyToLines(rtf)) {
      out += line;
      out += "\r\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  return 0;
}
