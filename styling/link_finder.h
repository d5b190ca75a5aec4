// Links in body text: text between the link markers (by default "<#" and "#>") names a node
// title, a file or an address.
#ifndef PLOTWEAVE_STYLING_LINK_FINDER_H_
#define PLOTWEAVE_STYLING_LINK_FINDER_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pw::styling {

// How far past the opening marker the closing one is looked for.
inline constexpr size_t kLinkWindowBytes = 300;

// What the link command puts in place of the selection.
std::string MakeLink(std::string_view selection, std::string_view left, std::string_view right);

// The target of the link at byte `position` (from 1) of `text` (Shift-JIS, CR LF line ends),
// or nothing. From `position` the text is walked back to the first byte of `left` (a last byte
// of `right` on the way means the position lies outside any link); from there the
// kLinkWindowBytes bytes must begin with `left` and hold `right`. Control bytes below 0x14
// (line ends among them) are not part of the target. Markers are taken as bytes; an empty
// `left` or `right` finds nothing.
std::optional<std::string> FindLink(std::string_view text, size_t position, std::string_view left,
                                    std::string_view right);

// The target with spaces and control characters removed from both ends, as a double click
// follows it.
std::string TrimLinkTarget(std::string_view target);

}  // namespace pw::styling

#endif  // PLOTWEAVE_STYLING_LINK_FINDER_H_
