// Body-to-lines as a process: prints the CP932 lines of each RTF file given, one per line;
// the whole-process peer of `unrtf --text`.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "richtext/body_text.h"

int main(int argc, char** argv) {
  std::string out;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "richtext_lines: cannot read %s\n", argv[i]);
      return 1;
    }
    std::string rtf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    out.clear();
    for (const std::string& line : pw::rich::BodyToLines(rtf)) {
      out += line;
      out += "\r\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  return 0;
}
