// Deterministic automata over NFA state sets: TRE_NFAStateSet, the fully built TRE_DFA (subset
// construction up front, used by the reference matcher) and TRE_LazyDFA (states made while
// matching, with a cap on how many are kept).
#ifndef PLOTWEAVE_SEARCH_REGEXP_DFA_H_
#define PLOTWEAVE_SEARCH_REGEXP_DFA_H_

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "search/regexp_nfa.h"

namespace pw::search {

// A bit set over NFA states: n/8+1 bytes, bit i of byte i/8 is state i. Kept in a std::string
// so that it can be hashed and compared byte for byte.
class TRE_NFAStateSet {
 public:
  explicit TRE_NFAStateSet(size_t states) : bits_(states / 8 + 1, '\0') {}

  bool Has(int32_t s) const { return (static_cast<unsigned char>(bits_[Byte(s)]) >> (s & 7)) & 1; }
  // Returns false when the state was there already.
  bool Add(int32_t s) {
    if (Has(s)) return false;
    bits_[Byte(s)] = static_cast<char>(bits_[Byte(s)] | (1 << (s & 7)));
    return true;
  }
  bool Empty() const { return bits_.find_first_not_of('\0') == std::string::npos; }
  // Calls fn(state) in ascending order.
  template <typename F>
  void ForEach(F&& fn) const {
    for (size_t byte = 0; byte < bits_.size(); ++byte) {
      unsigned v = static_cast<unsigned char>(bits_[byte]);
      while (v != 0) {
        int bit = __builtin_ctz(v);
        v &= v - 1;
        fn(static_cast<int32_t>(byte * 8 + static_cast<size_t>(bit)));
      }
    }
  }
  // Adds every state reachable through empty transitions.
  void Close(const TRE_NFA& nfa);

  const std::string& bits() const { return bits_; }
  bool operator==(const TRE_NFAStateSet& other) const { return bits_ == other.bits_; }

 private:
  static size_t Byte(int32_t s) { return static_cast<size_t>(s) / 8; }
  std::string bits_;
};

inline constexpr int32_t kDeadState = -1;

// The whole automaton, built by subset construction. Each state's transitions are sorted by
// their first piece, and a step walks that list, as the reference matcher expects.
class TRE_DFA {
 public:
  struct Transition {
    uint16_t piece_low;
    uint16_t piece_high;
    int32_t target;
  };
  struct State {
    TRE_NFAStateSet set;
    bool accepting = false;
    bool line_end = false;  // has a line-end transition
    std::vector<Transition> transitions;
  };

  // Gives up (returns false) when more than max_states states would be needed.
  bool Build(const TRE_NFA& nfa, size_t max_states);

  int32_t start() const { return 0; }
  // The state the start state reaches on the line-start symbol, or kDeadState.
  int32_t line_start() const { return line_start_; }
  const State& state(int32_t s) const { return states_[static_cast<size_t>(s)]; }
  size_t size() const { return states_.size(); }
  int32_t Step(int32_t s, uint16_t piece) const;

 private:
  int32_t Register(TRE_NFAStateSet set, const TRE_NFA& nfa);

  std::vector<State> states_;
  std::unordered_map<std::string, int32_t> index_;
  int32_t line_start_ = kDeadState;
};

// States are made on demand, one transition at a time, and kept in a table indexed by state
// and alphabet piece. When the table reaches its cap the matcher flushes it, keeping only the
// states it still holds; results do not depend on the cap, only speed does.
class TRE_LazyDFA {
 public:
  static constexpr int32_t kUnknown = -2;

  TRE_LazyDFA(const TRE_NFA& nfa, size_t pieces, size_t max_states);

  int32_t start() const { return 0; }
  int32_t line_start() const { return line_start_; }
  bool accepting(int32_t s) const { return flags_[Index(s)] & kAccepting; }
  bool line_end(int32_t s) const { return flags_[Index(s)] & kLineEnd; }
  size_t size() const { return sets_.size(); }
  size_t max_states() const { return max_states_; }
  size_t flushes() const { return flushes_; }

  int32_t Next(int32_t s, uint16_t piece) {
    int32_t t = table_[Index(s) * pieces_ + piece];
    return t != kUnknown ? t : Compute(s, piece);
  }

  // True when adding `headroom` more states could pass the cap.
  bool NeedsFlush(size_t headroom) const {
    return sets_.size() + headroom > max_states_ && sets_.size() > fixed_states_;
  }
  // Forgets every state but the start states and those pointed to, whose ids are rewritten.
  void Flush(const std::vector<int32_t*>& keep);

 private:
  static constexpr uint8_t kAccepting = 1;
  static constexpr uint8_t kLineEnd = 2;

  static size_t Index(int32_t s) { return static_cast<size_t>(s); }
  int32_t Compute(int32_t s, uint16_t piece);
  int32_t Intern(const std::string& bits);

  const TRE_NFA& nfa_;
  size_t pieces_;
  size_t max_states_;
  std::vector<std::string> sets_;
  std::vector<uint8_t> flags_;
  std::vector<int32_t> table_;
  std::unordered_map<std::string, int32_t> index_;
  int32_t line_start_ = kDeadState;
  size_t fixed_states_ = 1;  // the start state, and the line-start state when there is one
  size_t flushes_ = 0;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGEXP_DFA_H_
