// The box-drawn outline. Each line is made from the line before it in pre-order: that line
// always starts with the drawing of the parent's level, so mapping its first 2 × (depth − 1)
// characters (a branch or a bar becomes a bar, a corner, a rule or a blank becomes a blank)
// gives a bar under every ancestor that has siblings still to come.
#include "export/outline_export.h"

#include "core/atomic_file.h"
#include "core/cp932.h"

namespace pw {
namespace {

// The drawing characters, CP932.
constexpr char kRootMark[] = "\x81\xa1";   // ■
constexpr char kBar[] = "\x84\xa0";        // │
constexpr char kBlank[] = "\x81\x40";      // full-width space
constexpr char kBranch[] = "\x84\xa5\x84\x9f";  // ├─
constexpr char kCorner[] = "\x84\xa4\x84\x9f";  // └─
constexpr uint16_t kBranchCode = 0x84A5;
constexpr uint16_t kBarCode = 0x84A0;
constexpr uint16_t kCornerCode = 0x84A4;
constexpr uint16_t kRuleCode = 0x849F;
constexpr uint16_t kBlankCode = 0x8140;

bool HasNextSibling(const Outline& outline, const Node* node) {
  return node->row() + 1 < outline.child_count(node->parent());
}

}  // namespace

std::vector<std::string> BuildOutlineLines(const Outline& outline, ProgressSink* progress) {
  ProgressScope scope(progress, kOutlineExportCaption, outline.size());
  std::vector<std::string> lines;
  lines.reserve(outline.size());
  std::string previous;
  outline.ForEach([&](Node* node) {
    std::string line;
    const int depth = node->level();
    if (depth == 0) {
      line = kRootMark;
    } else {
      const size_t wanted = 2 * static_cast<size_t>(depth - 1);
      size_t pos = 0;
      for (size_t chars = 0; chars < wanted && pos < previous.size(); ++chars) {
        const CharCode c = CharCodeAt(previous, pos);
        if (c.code == kBranchCode || c.code == kBarCode) {
          line += kBar;
        } else if (c.code == kCornerCode || c.code == kRuleCode || c.code == kBlankCode) {
          line += kBlank;
        }
        pos += c.length;
      }
      line += HasNextSibling(outline, node) ? kBranch : kCorner;
    }
    line += node->title();
    previous = line;
    lines.push_back(std::move(line));
    scope.Step();
  });
  return lines;
}

std::string BuildOutlineText(const Outline& outline, ProgressSink* progress) {
  std::string text;
  for (const std::string& line : BuildOutlineLines(outline, progress)) {
    text += line;
    text += "\r\n";
  }
  return text;
}

Status ExportOutline(const std::string& path, const Outline& outline, ProgressSink* progress) {
  return WriteFileAtomically(path, BuildOutlineText(outline, progress));
}

}  // namespace pw
