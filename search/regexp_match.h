// A compiled pattern and the two matchers that run it over CP932 text: the reference matcher
// (full DFA, restart at every position) and the fast one (lazy DFA, one pass over the text).
#ifndef PLOTWEAVE_SEARCH_REGEXP_MATCH_H_
#define PLOTWEAVE_SEARCH_REGEXP_MATCH_H_

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "search/regexp_dfa.h"
#include "search/regexp_nfa.h"
#include "search/regexp_parse_tree.h"

namespace pw::search {

// Where a match lies in the subject: 0-based byte offset and byte length.
struct TREMatch {
  bool found = false;
  size_t offset = 0;
  size_t length = 0;
  bool operator==(const TREMatch&) const = default;
};

// What the longest-match runs learnt about one subject, kept between the searches of a
// find-all loop over it (see TRECompiled::Run). Valid for one subject and one pattern.
class TRERunMemo {
 public:
  static constexpr size_t kSlots = 2;  // runs in different states remembered per block
  static constexpr uint32_t kNoResult = UINT32_MAX;
  // Subjects this long or longer are searched without the memo (results are 32-bit).
  static constexpr size_t kMaxSubject = UINT32_MAX;

  struct Slot {
    int32_t state = -1;
    uint32_t result = 0;  // where the run from here ends, or kNoResult
  };

  // Blocks of 2^block_shift bytes (tests pass tiny ones to merge runs all the time).
  explicit TRERunMemo(int block_shift = 4) : shift_(block_shift) {}
  size_t BlockOf(size_t position) const { return position >> shift_; }

  void Clear() { blocks_.clear(); }
  const Slot* Find(size_t block, int32_t state) const {
    if (block >= blocks_.size()) return nullptr;
    for (const Slot& slot : blocks_[block].slots) {
      if (slot.state == state) return &slot;
    }
    return nullptr;
  }
  void Store(size_t block, int32_t state, uint32_t result);

  // The lazy DFA's flush count the states belong to.
  size_t flushes = static_cast<size_t>(-1);

 private:
  struct Block {
    Slot slots[kSlots];
    uint8_t next = 0;
  };
  int shift_;
  std::vector<Block> blocks_;
};

// Everything a pattern compiles to. Matching only reads the compiled data, except for the
// lazily made DFA states (and the full DFA, made the first time the reference needs it).
class TRECompiled {
 public:
  // Throws ERegExpParser for a malformed pattern. `lazy_state_cap` 0 sizes the lazy DFA from
  // its memory budget; tests pass a tiny one to exercise flushing.
  explicit TRECompiled(std::string_view pattern, size_t lazy_state_cap = 0);

  // Distinct for every compiled pattern of the process (memos are tied to one).
  uint64_t serial() const { return serial_; }
  // Either anchor flag set: the anchored matcher's rules apply.
  bool anchored() const { return nfa_->begins_with_line_start() || nfa_->ends_with_line_end(); }
  const TRE_NFA& nfa() const { return *nfa_; }
  size_t lazy_state_cap() const { return lazy_->max_states(); }
  const TREAlphabet& alphabet() const { return *alphabet_; }
  TRE_LazyDFA& lazy() { return *lazy_; }
  // Null when the full automaton would exceed max_states.
  const TRE_DFA* full(size_t max_states);
  const std::string& literal_prefix() const { return prefix_; }

  // Leftmost-longest match. `separator` is the character before which "$" matches (CR or LF).
  TREMatch Match(std::string_view text, uint16_t separator) {
    return Match(text, 0, separator, nullptr);
  }
  // The match of Match(text.substr(from)), with offsets into `text`: the text before `from`
  // is never looked at. `memo`, kept by the caller for this text and pattern, lets a loop
  // over the hits of one text stay linear; searches with one memo must not go backwards.
  TREMatch Match(std::string_view text, size_t from, uint16_t separator, TRERunMemo* memo);
  // The same, by the restart-at-every-position scan over the full DFA; found is false and
  // `available` false when the full DFA is too large to build.
  TREMatch MatchReference(std::string_view text, uint16_t separator, bool* available,
                          size_t max_states = 20000);

 private:
  size_t FindStart(const unsigned char* p, size_t from, size_t n, uint16_t separator,
                   bool* line_start);
  size_t Skip(const unsigned char* p, size_t i, size_t n) const;
  size_t Run(const unsigned char* p, size_t n, size_t pos, int32_t state, uint16_t separator,
             TRERunMemo* memo);
  bool HasRequired(const unsigned char* p, size_t from, size_t n) const;
  void PrepareSkipping();
  void PrepareRequired();

  struct Crossing {
    size_t block;
    size_t position;
    int32_t state;
  };
  std::vector<Crossing> crossings_;  // scratch of Run
  uint64_t serial_;

  struct LiveRun {
    int32_t state;
    size_t start;
    bool line_start;
  };
  // Scratch of FindStart, kept between calls so that a find-all loop does not allocate.
  std::vector<LiveRun> runs_;
  std::vector<LiveRun> next_runs_;
  std::vector<uint32_t> mark_;
  uint32_t generation_ = 0;

  std::unique_ptr<TREAlphabet> alphabet_;
  std::unique_ptr<TRE_NFA> nfa_;
  std::unique_ptr<TRE_LazyDFA> lazy_;
  std::unique_ptr<TRE_DFA> full_;
  bool full_failed_ = false;

  // Where a match can start, tested before the automaton runs: first bytes, or a literal
  // that every match begins with.
  bool can_skip_ = false;
  std::array<bool, 256> first_byte_{};
  int first_byte_count_ = 0;
  unsigned char only_first_byte_ = 0;
  std::string prefix_;

  // A character that every match contains (1 or 2 bytes; empty when there is none): a search
  // whose rest of the subject lacks it fails at once.
  std::string required_;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGEXP_MATCH_H_
