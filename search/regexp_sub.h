// The replacement template of TAWKStr::Sub: "&" for the whole match, escapes as in patterns.
#ifndef PLOTWEAVE_SEARCH_REGEXP_SUB_H_
#define PLOTWEAVE_SEARCH_REGEXP_SUB_H_

#include <string>
#include <string_view>

namespace pw::search {

// Expands `templ` for one match whose bytes are `matched`.
std::string ExpandTemplate(std::string_view templ, std::string_view matched);

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGEXP_SUB_H_
