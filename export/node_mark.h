// The mark the formatted exports put before a title: one double-byte symbol and a half-width
// space, chosen by the node's icon. An icon without a mark of its own (a story node whose colour
// is out of range) takes the mark of the node before it in the export.
#ifndef PLOTWEAVE_EXPORT_NODE_MARK_H_
#define PLOTWEAVE_EXPORT_NODE_MARK_H_

#include <cstdint>
#include <string_view>

namespace pw {

// Shift-JIS bytes.
inline constexpr std::string_view kMarkRoot = "\x81\xa1 ";       // "■ " icons 0-1
inline constexpr std::string_view kMarkChara = "\x81\x9c ";      // "● " icons 2-3
inline constexpr std::string_view kMarkCharaItem = "\x81\x45 ";  // "・ " icons 4-5
inline constexpr std::string_view kMarkChild = "\x81\x9f ";      // "◆ " icons 7-12
inline constexpr std::string_view kMarkParent = "\x81\xa5 ";     // "▼ " icons 14-19

// What an icon index stands for in the marks of the exports.
enum class MarkKind { kNone, kRoot, kChara, kCharaItem, kChild, kParent };
MarkKind MarkKindOfIcon(int32_t icon);

// The mark of an icon, or `previous` when the icon has none of its own.
std::string_view NodeMark(int32_t icon, std::string_view previous);

// Walks the nodes of one export in order and carries the last mark over.
class NodeMarker {
 public:
  std::string_view Next(int32_t icon) {
    current_ = NodeMark(icon, current_);
    return current_;
  }

 private:
  std::string_view current_;  // empty before the first node with a mark
};

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_NODE_MARK_H_
