// The plain (not regular-expression) search of the find dialogs: a byte string, optionally
// with ASCII letters compared without regard to case.
#ifndef PLOTWEAVE_SEARCH_PLAIN_SEARCH_H_
#define PLOTWEAVE_SEARCH_PLAIN_SEARCH_H_

#include <cstddef>
#include <string_view>

namespace pw::search {

inline constexpr size_t kNotFound = static_cast<size_t>(-1);

// Offset of the first occurrence of `needle` in `text` at or after `from` that starts on a
// character boundary, or kNotFound. Without `match_case`, "a"-"z" equal "A"-"Z" (in single-byte
// characters only). An empty needle is never found.
size_t PlainFind(std::string_view text, std::string_view needle, size_t from, bool match_case);

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_PLAIN_SEARCH_H_
