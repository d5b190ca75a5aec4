// Telling character starts in CP932 text from a byte offset without walking from the start:
// a trail byte cannot be told from a lead byte, but a byte outside the lead range always ends
// a character, so the lead-range bytes before an offset pair up from the last such byte.
#ifndef PLOTWEAVE_SEARCH_CHAR_BOUNDARY_H_
#define PLOTWEAVE_SEARCH_CHAR_BOUNDARY_H_

#include <cstddef>

#include "core/cp932.h"

namespace pw::search {

// Answers "does offset j start a character?" for offsets that only grow, given one known
// character start. Looking back is capped; past the cap the known start walks forward, so a
// scan over a text costs time linear in its length whatever the text holds.
class BoundaryTracker {
 public:
  BoundaryTracker(const unsigned char* text, size_t size, size_t known_start)
      : p_(text), n_(size), known_(known_start) {}

  // j must not be below the last j asked for, nor below the known start.
  bool IsStart(size_t j) {
    if (j <= known_) return j == known_;
    constexpr size_t kLookBack = 64;
    const size_t limit = j - known_ > kLookBack ? j - kLookBack : known_;
    size_t k = j;
    while (k > limit && IsLeadByte(p_[k - 1])) --k;
    if (k > limit || k == known_) return (j - k) % 2 == 0;
    // A long run of lead-range bytes: walk forward to j from the known start.
    while (known_ < j) known_ += IsLeadByte(p_[known_]) && known_ + 1 < n_ ? 2 : 1;
    return known_ == j;
  }

 private:
  const unsigned char* p_;
  size_t n_;
  size_t known_;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_CHAR_BOUNDARY_H_
