// History lists.
#include "search/find_history.h"

#include <algorithm>

#include "core/cp932.h"

namespace pw::search {

void AddToHistory(std::vector<std::string>* list, std::string_view text, bool ignore_case) {
  const std::string folded = ignore_case ? AsciiUpper(text) : std::string();
  const bool present = std::any_of(list->begin(), list->end(), [&](const std::string& entry) {
    return ignore_case ? AsciiUpper(entry) == folded : entry == text;
  });
  if (present) return;
  if (list->size() >= kFindHistoryEntries) list->resize(kFindHistoryEntries - 1);
  list->insert(list->begin(), std::string(text));
}

}  // namespace pw::search
