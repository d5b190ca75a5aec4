// Plain search. Candidates are found with memchr on one byte of the needle, then checked in
// full; a candidate must start a character, which the boundary
// tracker answers without walking the text from its start, so a find-all loop stays linear.
// The needle being whole characters, a hit that starts on a character start also ends on one.
#include "search/plain_search.h"

#include <cstring>

#include "core/cp932.h"
#include "search/char_boundary.h"

namespace pw::search {
namespace {

constexpr bool IsAsciiLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

PlainSearcher::PlainSearcher(std::string_view needle, bool match_case)
    : needle_(needle), folded_(needle.size(), '\0') {
  // The byte that candidates are looked for: one that case cannot change, and preferably a
  // trail byte, which Japanese text spreads over many values (lead bytes repeat: every
  // hiragana starts with 0x82).
  int best = -1;
  auto consider = [&](size_t i, int score) {
    if (score >= best) best = score, anchor_ = i;
  };
  for (size_t i = 0; i < needle_.size();) {
    auto b = static_cast<unsigned char>(needle_[i]);
    if (IsLeadByte(b)) {
      if (i + 1 == needle_.size()) {
        ends_in_lone_lead_ = true;
        consider(i, 0);
        break;
      }
      consider(i, 0);
      consider(i + 1, 3);
      i += 2;
      continue;
    }
    if (!match_case && IsAsciiLetter(b)) {
      needle_[i] = static_cast<char>(b | 0x20);
      folded_[i] = 1;
      fold_ = true;
    } else {
      consider(i, b > 0x20 ? 2 : 1);
    }
    ++i;
  }
  anchor_is_letter_ = best < 0;
}

bool PlainSearcher::MatchesAt(std::string_view text, size_t at) const {
  const size_t n = needle_.size();
  if (at + n > text.size()) return false;
  if (ends_in_lone_lead_ && at + n != text.size()) return false;
  const char* t = text.data() + at;
  if (!fold_) return std::memcmp(t, needle_.data(), n) == 0;
  for (size_t i = 0; i < n; ++i) {
    auto c = static_cast<unsigned char>(t[i]);
    if (folded_[i] != 0) c = IsAsciiLetter(c) ? (c | 0x20) : c;
    if (c != static_cast<unsigned char>(needle_[i])) return false;
  }
  return true;
}

size_t PlainSearcher::Find(std::string_view text, size_t from) const {
  const size_t n = needle_.size();
  if (n == 0 || from > text.size() || text.size() - from < n) return kNotFound;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  BoundaryTracker boundary(p, text.size(), from);
  const size_t last_start = text.size() - n;
  size_t start = from;
  while (start <= last_start) {
    size_t candidate;
    if (!anchor_is_letter_) {
      const void* hit = std::memchr(p + start + anchor_, needle_[anchor_], last_start - start + 1);
      if (hit == nullptr) return kNotFound;
      candidate = static_cast<size_t>(static_cast<const unsigned char*>(hit) - p) - anchor_;
    } else {
      // Every byte of the needle is a letter that folds: look for either case.
      const auto lower = static_cast<unsigned char>(needle_[0]);
      candidate = start;
      while (candidate <= last_start && (p[candidate] | 0x20) != lower) ++candidate;
      if (candidate > last_start) return kNotFound;
    }
    if (MatchesAt(text, candidate) && boundary.IsStart(candidate)) return candidate;
    start = candidate + 1;
  }
  return kNotFound;
}

size_t PlainFind(std::string_view text, std::string_view needle, size_t from, bool match_case) {
  return PlainSearcher(needle, match_case).Find(text, from);
}

}  // namespace pw::search
