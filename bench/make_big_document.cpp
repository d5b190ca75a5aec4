// Writes a large, deterministic document for benchmarks: 100,000 nodes over 6 levels, every
// node with a body of Japanese text as a rich-edit control writes it, about 100 MB in all.
// Usage: make_big_document OUT.PWV [NODES]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/node_marks.h"
#include "core/outline_file.h"

namespace {

// Fan-out per level: 5 * 5 * 5 * 8 * 10 * 9 gives just over 100,000 nodes.
constexpr int kFanOut[] = {5, 5, 5, 8, 10, 9};

// A pool of CP932 double-byte characters (hiragana, katakana, common kanji, punctuation).
std::vector<std::string> CharacterPool() {
  std::vector<std::string> pool;
  for (int trail = 0x9F; trail <= 0xF1; ++trail) pool.push_back({'\x82', static_cast<char>(trail)});
  for (int trail = 0x40; trail <= 0x96; ++trail) {
    if (trail != 0x7F) pool.push_back({'\x83', static_cast<char>(trail)});
  }
  for (int lead = 0x88; lead <= 0x98; ++lead) {
    for (int trail = 0x9F; trail <= 0xFC; trail += 3) {
      pool.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  pool.push_back("\x81\x41");  // 、
  pool.push_back("\x81\x42");  // 。
  return pool;
}

void AppendEscaped(std::string* rtf, const std::string& cp932) {
  static const char kHex[] = "0123456789abcdef";
  for (char c : cp932) {
    auto b = static_cast<unsigned char>(c);
    *rtf += "\\'";
    *rtf += kHex[b >> 4];
    *rtf += kHex[b & 15];
  }
}

std::string MakeBody(std::mt19937& random, const std::vector<std::string>& pool) {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fnil"
      "\\fcharset128 \\'82\\'6c\\'82\\'72 \\'82\\'6f\\'96\\'be\\'92\\'a9;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
      "\\viewkind4\\uc1\\pard\\lang1041\\f0\\fs20 ";
  int paragraphs = 1 + static_cast<int>(random() % 4);
  for (int p = 0; p < paragraphs; ++p) {
    int chars = 10 + static_cast<int>(random() % 50);
    bool bold = random() % 5 == 0;
    bool red = random() % 7 == 0;
    if (bold) rtf += "\\b ";
    if (red) rtf += "\\cf1 ";
    for (int i = 0; i < chars; ++i) AppendEscaped(&rtf, pool[random() % pool.size()]);
    if (red) rtf += "\\cf0 ";
    if (bold) rtf += "\\b0 ";
    rtf += "\\par\r\n";
  }
  rtf += "}\r\n";
  return rtf;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_big_document OUT.PWV [NODES]\n");
    return 1;
  }
  const size_t limit = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
  std::mt19937 random(20261208);
  const std::vector<std::string> pool = CharacterPool();
  pw::Outline outline;
  size_t count = 0;
  outline.BeginBulkLoad();
  // Depth-first, so the pre-order matches the order of creation.
  struct Frame {
    pw::Node* node;
    int level;
    int made;
  };
  std::vector<Frame> stack;
  int top_made = 0;
  while (count < limit) {
    pw::Node* parent = nullptr;
    int level = 0;
    if (!stack.empty()) {
      Frame& frame = stack.back();
      if (frame.level == 5 || frame.made == kFanOut[frame.level + 1]) {
        stack.pop_back();
        continue;
      }
      ++frame.made;
      parent = frame.node;
      level = frame.level + 1;
    } else if (top_made++ == kFanOut[0]) {
      break;
    }
    int32_t kind = level == 0 ? pw::nkRoot : level == 5 ? pw::nkChild : pw::nkParent;
    int32_t color = 1 + static_cast<int32_t>(random() % 6);
    auto data = pw::NewNodeData(kind);
    data->Color = level == 0 ? 1 : color;
    data->Body = MakeBody(random, pool);
    std::string title = std::to_string(count + 1) + " ";
    for (int i = 0; i < 6; ++i) title += pool[random() % pool.size()];
    pw::Node* node = outline.Append(parent, title, std::move(data), pw::IconFor(kind, color));
    outline.SetExpanded(node, level < 2);
    ++count;
    stack.push_back({node, level, 0});
  }
  outline.EndBulkLoad();
  pw::WriteOptions options;
  options.flush_to_disk = false;
  if (pw::Status s = pw::WriteOutlineFile(argv[1], outline, options); !s) {
    std::fprintf(stderr, "make_big_document: %s\n", s.message.c_str());
    return 1;
  }
  std::printf("%zu nodes written to %s\n", count, argv[1]);
  return 0;
}
