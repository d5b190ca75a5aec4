// The link finder. It looks only at bytes near the position, so it can run on every mouse
// move over a long body.
#include "styling/link_finder.h"

#include <algorithm>

namespace pw::styling {

std::string MakeLink(std::string_view selection, std::string_view left, std::string_view right) {
  std::string link;
  link.reserve(left.size() + selection.size() + right.size());
  link.append(left).append(selection).append(right);
  return link;
}

std::optional<std::string> FindLink(std::string_view text, size_t position, std::string_view left,
                                    std::string_view right) {
  if (left.empty() || right.empty() || position < 1 || position > text.size()) return {};
  const char close_last = right.back();
  const char open_first = left.front();
  if (text.size() < 4 || text.find(close_last) == std::string_view::npos) return {};

  size_t start = position - 1;
  while (true) {
    if (text[start] == close_last) return {};
    if (text[start] == open_first || start == 0) break;
    --start;
  }
  const std::string_view window = text.substr(start, kLinkWindowBytes);
  if (window.substr(0, left.size()) != left) return {};

  // The closing marker is looked for only after the opening one, so "<#>" (whose '#' the two
  // markers would share) is not a link.
  std::string collected;
  for (size_t i = left.size(); i < window.size(); ++i) {
    if (static_cast<unsigned char>(window[i]) < 0x14) continue;
    collected += window[i];
    if (collected.size() >= right.size() &&
        std::string_view(collected).substr(collected.size() - right.size()) == right) {
      collected.resize(collected.size() - right.size());
      return collected;
    }
  }
  return {};
}

std::string TrimLinkTarget(std::string_view target) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!target.empty() && blank(target.front())) target.remove_prefix(1);
  while (!target.empty() && blank(target.back())) target.remove_suffix(1);
  return std::string(target);
}

}  // namespace pw::styling
