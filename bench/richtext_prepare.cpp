// Prepares RTF for the body-to-lines comparison with unrtf: every body of a document joined
// into one RTF document by rich append, and optionally the first N bodies as files of their own.
// Usage: richtext_prepare IN.PWV OUT.RTF [DIR N]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/outline_file.h"
#include "richtext/body_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_writer.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: richtext_prepare IN.PWV OUT.RTF [DIR N]\n");
    return 1;
  }
  pw::Outline outline;
  pw::ReadResult result = pw::ReadOutlineFile(argv[1], pw::ReadTarget::kMainTree, &outline);
  if (!result.status) {
    std::fprintf(stderr, "richtext_prepare: %s\n", result.status.message.c_str());
    return 1;
  }
  const size_t separate = argc == 5 ? std::strtoul(argv[4], nullptr, 10) : 0;
  pw::rich::RichDocument all;
  size_t bodies = 0;
  bool ok = true;
  outline.ForEach([&](pw::Node* node) {
    const auto& body = node->data()->Body;
    if (!body) return;
    pw::rich::AppendDocument(&all, pw::rich::BodyToDocument(*body));
    if (bodies < separate) {
      ok = ok && WriteFile(std::string(argv[3]) + "/body" + std::to_string(bodies) + ".rtf", *body);
    }
    ++bodies;
  });
  if (!ok || !WriteFile(argv[2], pw::rich::WriteRtf(all))) {
    std::fprintf(stderr, "richtext_prepare: cannot write\n");
    return 1;
  }
  std::printf("%zu bodies, %zu paragraphs\n", bodies, all.paragraphs.size());
  return 0;
}
