// The lists of recently used documents and templates: newest first, at most ten entries, a path
// re-added in another letter case moves its entry to the top instead of doubling it.
#ifndef PLOTWEAVE_SETTINGS_RECENT_LIST_H_
#define PLOTWEAVE_SETTINGS_RECENT_LIST_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Entries are file-system paths (UTF-8 on this platform), compared ignoring ASCII letter case.
class RecentList {
 public:
  static constexpr size_t kMaxEntries = 10;

  RecentList() = default;
  // Takes at most the first kMaxEntries entries, in order, as they are (empty ones included).
  explicit RecentList(std::vector<std::string> entries);

  // After opening or writing `path`: an entry equal to it ignoring case is moved to the top and
  // takes the new spelling; otherwise the path goes on top, the oldest entry dropping out when
  // the list is full.
  void Add(std::string_view path);
  // Moves entry `index` to the top (choosing an entry that opened fine); out of range: nothing.
  void MoveToTop(size_t index);
  // Drops entry `index` (choosing an entry whose file has gone); out of range: nothing.
  void Remove(size_t index);
  void Clear() { entries_.clear(); }

  // Index of the entry equal to `path` ignoring ASCII case, or npos.
  size_t Find(std::string_view path) const;

  const std::vector<std::string>& entries() const { return entries_; }
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const std::string& operator[](size_t index) const { return entries_[index]; }

  // Menu caption of entry `index`: "&" + index + " " + path ("&0 /home/a.PWV" for the newest).
  static std::string MenuCaption(size_t index, std::string_view path);

  friend bool operator==(const RecentList&, const RecentList&) = default;

 private:
  std::vector<std::string> entries_;
};

}  // namespace pw

#endif  // PLOTWEAVE_SETTINGS_RECENT_LIST_H_
