// Recent-file list rules shared by the document and template lists.
#include "settings/recent_list.h"

#include <algorithm>
#include <iterator>

namespace pw {
namespace {

// Paths are UTF-8 here, so a plain byte-wise ASCII fold is right: no UTF-8 byte other than an
// ASCII one falls in the letter ranges.
char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

}  // namespace

RecentList::RecentList(std::vector<std::string> entries) : entries_(std::move(entries)) {
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

size_t RecentList::Find(std::string_view path) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (EqualIgnoringAsciiCase(entries_[i], path)) return i;
  }
  return std::string::npos;
}

void RecentList::Add(std::string_view path) {
  size_t found = Find(path);
  if (found != std::string::npos) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(found));
  } else {
    if (entries_.size() >= kMaxEntries) entries_.resize(kMaxEntries - 1);
  }
  entries_.insert(entries_.begin(), std::string(path));
}

void RecentList::MoveToTop(size_t index) {
  if (index >= entries_.size()) return;
  std::rotate(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(index),
              entries_.begin() + static_cast<std::ptrdiff_t>(index) + 1);
}

void RecentList::Remove(size_t index) {
  if (index >= entries_.size()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string RecentList::MenuCaption(size_t index, std::string_view path) {
  std::string caption = "&" + std::to_string(index) + " ";
  caption += path;
  return caption;
}

}  // namespace pw
