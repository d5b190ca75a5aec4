// The title section: one line per node in pre-order, TAB-indented by level, CR LF after each.
// Documents, templates, the node stream and the character-item file all use it.
#ifndef PLOTWEAVE_CORE_TITLE_SECTION_H_
#define PLOTWEAVE_CORE_TITLE_SECTION_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "core/outline.h"
#include "core/status.h"

namespace pw {

// The title as it can be stored on one line: leading TAB and SPACE bytes would be read back as
// depth and CR or LF as another node, so those leading blanks are dropped and line breaks
// become spaces. CP932 trail bytes never take these values, so the walk is bytewise.
std::string StorableTitle(std::string_view title);

std::string BuildTitleSection(const Outline& outline);

// Replaces the content of `outline` by the nodes the lines describe. Every node gets a
// TNodeData of kind nkChild (the readers fill in the real record afterwards). A level more
// than one deeper than the previous node's stops with the documented message, and a line
// beyond `max_nodes` with the stream read error; the outline keeps the nodes built so far.
Status ParseTitleSection(std::string_view section, Outline* outline,
                         size_t max_nodes = SIZE_MAX);

// The message for a title line whose level jumps by more than one.
std::string LevelErrorMessage(int level, std::string_view title_cp932);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_TITLE_SECTION_H_
