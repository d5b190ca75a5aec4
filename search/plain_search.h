// The plain (not regular-expression) search of the find dialogs: a string of whole characters,
// optionally with ASCII letters compared without regard to case.
#ifndef PLOTWEAVE_SEARCH_PLAIN_SEARCH_H_
#define PLOTWEAVE_SEARCH_PLAIN_SEARCH_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace pw::search {

inline constexpr size_t kNotFound = static_cast<size_t>(-1);

// A needle prepared once for many searches. A hit always starts on a character start of the
// text and covers whole characters, so a needle never matches from or up to the middle of a
// double-byte character; without `match_case` only "a"-"z" and "A"-"Z" in single-byte
// characters fold (a trail byte never does).
class PlainSearcher {
 public:
  PlainSearcher(std::string_view needle, bool match_case);

  // Offset of the first hit at or after `from`, or kNotFound. `from` must start a character
  // (or be the end). An empty needle is never found. Time is linear in the text searched.
  size_t Find(std::string_view text, size_t from) const;
  size_t size() const { return needle_.size(); }

 private:
  bool MatchesAt(std::string_view text, size_t at) const;

  std::string needle_;  // lower-cased in its single-byte characters when folding
  std::string folded_;  // 1 where the needle byte is a letter that folds
  bool fold_ = false;
  bool ends_in_lone_lead_ = false;
  // The offset of the needle byte looked for first; when every byte is a letter that folds,
  // candidates are looked for byte by byte.
  size_t anchor_ = 0;
  bool anchor_is_letter_ = false;
};

// One search with a needle used once: PlainSearcher(needle, match_case).Find(text, from).
size_t PlainFind(std::string_view text, std::string_view needle, size_t from, bool match_case);

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_PLAIN_SEARCH_H_
