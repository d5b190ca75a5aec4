// The nondeterministic automaton (TRE_NFA) built from a parse tree: state 0 starts, state 1
// is final; labels are runs of alphabet pieces, plus the line-start and line-end anchors.
#ifndef PLOTWEAVE_SEARCH_REGEXP_NFA_H_
#define PLOTWEAVE_SEARCH_REGEXP_NFA_H_

#include <cstdint>
#include <vector>

#include "search/regexp_parse_tree.h"

namespace pw::search {

class TRE_NFA {
 public:
  static constexpr int32_t kStart = 0;
  static constexpr int32_t kFinal = 1;

  struct Edge {
    uint16_t piece_low;  // first and last alphabet piece of the label
    uint16_t piece_high;
    int32_t target;
  };

  // Builds the automaton for tree.root() (GenerateStateList).
  TRE_NFA(const TREParseTree& tree, const TREAlphabet& alphabet);

  size_t size() const { return edges_.size(); }
  const std::vector<Edge>& edges(int32_t state) const { return edges_[Index(state)]; }
  const std::vector<int32_t>& empties(int32_t state) const { return empties_[Index(state)]; }
  // Targets of the line-start transitions (all leave the start state).
  const std::vector<int32_t>& line_start_targets() const { return line_start_targets_; }
  // The state has a line-end transition (which always leads to the final state).
  bool has_line_end(int32_t state) const { return line_end_[Index(state)] != 0; }

  bool begins_with_line_start() const { return begins_with_line_start_; }
  bool ends_with_line_end() const { return ends_with_line_end_; }

 private:
  static size_t Index(int32_t state) { return static_cast<size_t>(state); }
  int32_t NewState();

  std::vector<std::vector<Edge>> edges_;
  std::vector<std::vector<int32_t>> empties_;
  std::vector<uint8_t> line_end_;
  std::vector<int32_t> line_start_targets_;
  bool begins_with_line_start_ = false;
  bool ends_with_line_end_ = false;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGEXP_NFA_H_
