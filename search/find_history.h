// The search and replacement histories of the find and replace dialogs: the most recent text
// first, at most 10 entries (stored in section "Find" of the settings file).
#ifndef PLOTWEAVE_SEARCH_FIND_HISTORY_H_
#define PLOTWEAVE_SEARCH_FIND_HISTORY_H_

#include <string>
#include <string_view>
#include <vector>

namespace pw::search {

inline constexpr size_t kFindHistoryEntries = 10;

// A text not in the list yet goes to the top (the last entry goes when the list is full); a
// text already there leaves the list as it is, where it is. `ignore_case` compares ASCII
// letters without regard to case (the replace dialog's "次を検索(&I)"). An empty text is a
// text like any other.
void AddToHistory(std::vector<std::string>* list, std::string_view text, bool ignore_case);

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_FIND_HISTORY_H_
