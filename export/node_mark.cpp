// Node marks by icon index.
#include "export/node_mark.h"

namespace pw {

MarkKind MarkKindOfIcon(int32_t icon) {
  if (icon >= 0 && icon <= 1) return MarkKind::kRoot;
  if (icon >= 2 && icon <= 3) return MarkKind::kChara;
  if (icon >= 4 && icon <= 5) return MarkKind::kCharaItem;
  if (icon >= 7 && icon <= 12) return MarkKind::kChild;
  if (icon >= 14 && icon <= 19) return MarkKind::kParent;
  return MarkKind::kNone;
}

std::string_view NodeMark(int32_t icon, std::string_view previous) {
  switch (MarkKindOfIcon(icon)) {
    case MarkKind::kRoot:
      return kMarkRoot;
    case MarkKind::kChara:
      return kMarkChara;
    case MarkKind::kCharaItem:
      return kMarkCharaItem;
    case MarkKind::kChild:
      return kMarkChild;
    case MarkKind::kParent:
      return kMarkParent;
    case MarkKind::kNone:
      break;
  }
  return previous;
}

}  // namespace pw
