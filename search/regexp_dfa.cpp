// Subset construction, whole and lazy.
//
// A DFA state is the empty-closure of a set of NFA states. The full construction takes the
// first unvisited state, groups the targets of its members' edges by label (here: by alphabet
// piece, since pieces are the disjoint labels), closes and registers each group, and repeats;
// the start state's line-start transition is registered the same way. Its size can grow
// exponentially with the pattern, so it takes a limit and is only used as the reference.
//
// The lazy automaton computes one transition the first time a match needs it and caches the
// target in a states x pieces table. States are kept up to a cap derived from a memory budget;
// beyond it the matcher calls Flush, which keeps only the states still in use. Every state is
// a pure function of its NFA set, so flushing changes the cost of a match, never its result.
#include "search/regexp_dfa.h"

#include <algorithm>
#include <map>
#include <utility>

namespace pw::search {

void TRE_NFAStateSet::Close(const TRE_NFA& nfa) {
  std::vector<int32_t> stack;
  ForEach([&](int32_t s) { stack.push_back(s); });
  while (!stack.empty()) {
    int32_t s = stack.back();
    stack.pop_back();
    for (int32_t t : nfa.empties(s)) {
      if (Add(t)) stack.push_back(t);
    }
  }
}

int32_t TRE_DFA::Register(TRE_NFAStateSet set, const TRE_NFA& nfa) {
  auto it = index_.find(set.bits());
  if (it != index_.end()) return it->second;
  auto id = static_cast<int32_t>(states_.size());
  index_.emplace(set.bits(), id);
  const bool accepting = set.Has(TRE_NFA::kFinal);
  bool line_end = false;
  set.ForEach([&](int32_t s) { line_end = line_end || nfa.has_line_end(s); });
  states_.push_back(State{std::move(set), accepting, line_end, {}});
  return id;
}

bool TRE_DFA::Build(const TRE_NFA& nfa, size_t max_states) {
  states_.clear();
  index_.clear();
  TRE_NFAStateSet start(nfa.size());
  start.Add(TRE_NFA::kStart);
  start.Close(nfa);
  Register(std::move(start), nfa);
  if (!nfa.line_start_targets().empty()) {
    TRE_NFAStateSet after(nfa.size());
    for (int32_t t : nfa.line_start_targets()) after.Add(t);
    after.Close(nfa);
    line_start_ = Register(std::move(after), nfa);
  }
  // States are appended while the loop runs; list order is creation order, so the first
  // unvisited state is always the next index.
  for (size_t visit = 0; visit < states_.size(); ++visit) {
    if (states_.size() > max_states) return false;
    std::map<uint16_t, TRE_NFAStateSet> groups;
    states_[visit].set.ForEach([&](int32_t s) {
      for (const TRE_NFA::Edge& e : nfa.edges(s)) {
        for (uint32_t piece = e.piece_low; piece <= e.piece_high; ++piece) {
          auto it = groups.try_emplace(static_cast<uint16_t>(piece), nfa.size()).first;
          it->second.Add(e.target);
        }
      }
    });
    std::vector<Transition> transitions;
    for (auto& [piece, set] : groups) {
      set.Close(nfa);
      int32_t target = Register(std::move(set), nfa);
      if (!transitions.empty() && transitions.back().target == target &&
          transitions.back().piece_high + 1 == piece) {
        transitions.back().piece_high = piece;
      } else {
        transitions.push_back({piece, piece, target});
      }
    }
    std::stable_sort(
        transitions.begin(), transitions.end(),
        [](const Transition& a, const Transition& b) { return a.piece_low < b.piece_low; });
    states_[visit].transitions = std::move(transitions);
  }
  return states_.size() <= max_states;
}

int32_t TRE_DFA::Step(int32_t s, uint16_t piece) const {
  for (const Transition& t : states_[static_cast<size_t>(s)].transitions) {
    if (t.piece_low > piece) break;
    if (t.piece_high >= piece) return t.target;
  }
  return kDeadState;
}

TRE_LazyDFA::TRE_LazyDFA(const TRE_NFA& nfa, size_t pieces, size_t max_states)
    : nfa_(nfa), pieces_(pieces), max_states_(std::max<size_t>(max_states, 8)) {
  TRE_NFAStateSet start(nfa.size());
  start.Add(TRE_NFA::kStart);
  start.Close(nfa);
  Intern(start.bits());
  if (!nfa.line_start_targets().empty()) {
    TRE_NFAStateSet after(nfa.size());
    for (int32_t t : nfa.line_start_targets()) after.Add(t);
    after.Close(nfa);
    line_start_ = Intern(after.bits());
    fixed_states_ = 2;
  }
}

int32_t TRE_LazyDFA::Intern(const std::string& bits) {
  auto it = index_.find(bits);
  if (it != index_.end()) return it->second;
  auto id = static_cast<int32_t>(sets_.size());
  index_.emplace(bits, id);
  sets_.push_back(bits);
  uint8_t flags = 0;
  // Bit 1 of byte 0 is the final state.
  if (static_cast<unsigned char>(bits[0]) & 2) flags |= kAccepting;
  for (size_t byte = 0; byte < bits.size() && !(flags & kLineEnd); ++byte) {
    unsigned v = static_cast<unsigned char>(bits[byte]);
    while (v != 0) {
      int bit = __builtin_ctz(v);
      v &= v - 1;
      if (nfa_.has_line_end(static_cast<int32_t>(byte * 8 + static_cast<size_t>(bit)))) {
        flags |= kLineEnd;
        break;
      }
    }
  }
  flags_.push_back(flags);
  table_.resize(table_.size() + pieces_, kUnknown);
  return id;
}

int32_t TRE_LazyDFA::Compute(int32_t s, uint16_t piece) {
  TRE_NFAStateSet next(nfa_.size());
  std::vector<int32_t> stack;
  const std::string& from = sets_[Index(s)];
  for (size_t byte = 0; byte < from.size(); ++byte) {
    unsigned v = static_cast<unsigned char>(from[byte]);
    while (v != 0) {
      int bit = __builtin_ctz(v);
      v &= v - 1;
      auto state = static_cast<int32_t>(byte * 8 + static_cast<size_t>(bit));
      for (const TRE_NFA::Edge& e : nfa_.edges(state)) {
        if (e.piece_low <= piece && piece <= e.piece_high && next.Add(e.target)) {
          stack.push_back(e.target);
        }
      }
    }
  }
  int32_t target = kDeadState;
  if (!stack.empty()) {
    while (!stack.empty()) {
      int32_t x = stack.back();
      stack.pop_back();
      for (int32_t t : nfa_.empties(x)) {
        if (next.Add(t)) stack.push_back(t);
      }
    }
    target = Intern(next.bits());
  }
  table_[Index(s) * pieces_ + piece] = target;
  return target;
}

void TRE_LazyDFA::Flush(const std::vector<int32_t*>& keep) {
  std::vector<std::string> kept;
  kept.reserve(keep.size());
  for (int32_t* id : keep) kept.push_back(*id >= 0 ? sets_[Index(*id)] : std::string());
  std::vector<std::string> fixed(sets_.begin(), sets_.begin() + static_cast<long>(fixed_states_));
  sets_.clear();
  flags_.clear();
  table_.clear();
  index_.clear();
  for (const std::string& bits : fixed) Intern(bits);
  for (size_t i = 0; i < keep.size(); ++i) {
    if (*keep[i] >= 0) *keep[i] = Intern(kept[i]);
  }
  ++flushes_;
}

}  // namespace pw::search
