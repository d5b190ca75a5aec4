// A compiled pattern and the two matchers that run it over CP932 text: the reference matcher
// (full DFA, restart at every position) and the fast one (lazy DFA, one pass over the text).
#ifndef PLOTWEAVE_SEARCH_REGEXP_MATCH_H_
#define PLOTWEAVE_SEARCH_REGEXP_MATCH_H_

#include <array>
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

// Everything a pattern compiles to. Matching only reads the compiled data, except for the
// lazily made DFA states (and the full DFA, made the first time the reference needs it).
class TRECompiled {
 public:
  // Throws ERegExpParser for a malformed pattern. `lazy_state_cap` 0 sizes the lazy DFA from
  // its memory budget; tests pass a tiny one to exercise flushing.
  explicit TRECompiled(std::string_view pattern, size_t lazy_state_cap = 0);

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
  TREMatch Match(std::string_view text, uint16_t separator);
  // The same, by the restart-at-every-position scan over the full DFA; found is false and
  // `available` false when the full DFA is too large to build.
  TREMatch MatchReference(std::string_view text, uint16_t separator, bool* available,
                          size_t max_states = 20000);

 private:
  size_t FindStart(const unsigned char* p, size_t n, uint16_t separator, bool* line_start);
  size_t Skip(const unsigned char* p, size_t i, size_t n) const;
  size_t Run(const unsigned char* p, size_t n, size_t pos, int32_t state, uint16_t separator);
  void PrepareSkipping();

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
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGEXP_MATCH_H_
