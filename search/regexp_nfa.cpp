// Thompson-style construction of the NFA.
//
// Each node is built between two given states a and b: a leaf is one edge, a concatenation
// puts a new state between its halves, an alternation builds both sides between the same
// pair, a closure is c,d with empty a->c, c->b, d->c around its child. "^" is an anchor only
// when built from the start state and "$" only when built into the final state; anywhere else
// (inside a repetition, after a character) they are the plain characters "^" and "$". The
// nodes are built from an explicit work list, so a very long pattern cannot exhaust the stack.
#include "search/regexp_nfa.h"

#include <utility>

namespace pw::search {

int32_t TRE_NFA::NewState() {
  edges_.emplace_back();
  empties_.emplace_back();
  line_end_.push_back(0);
  return static_cast<int32_t>(edges_.size() - 1);
}

TRE_NFA::TRE_NFA(const TREParseTree& tree, const TREAlphabet& alphabet) {
  NewState();  // kStart
  NewState();  // kFinal
  struct Work {
    int32_t node;
    int32_t from;
    int32_t to;
  };
  std::vector<Work> work{{tree.root(), kStart, kFinal}};
  auto plain_char = [&](uint16_t code, int32_t from, int32_t to) {
    uint16_t piece = alphabet.PieceOf(code);
    edges_[Index(from)].push_back({piece, piece, to});
  };
  while (!work.empty()) {
    Work w = work.back();
    work.pop_back();
    const TREParseNode& n = tree.node(w.node);
    switch (n.kind) {
      case NodeKind::kRange:
        edges_[Index(w.from)].push_back({alphabet.PieceOf(n.low), alphabet.PieceOf(n.high), w.to});
        break;
      case NodeKind::kLineStart:
        if (w.from == kStart) {
          begins_with_line_start_ = true;
          line_start_targets_.push_back(w.to);
        } else {
          plain_char(n.low, w.from, w.to);
        }
        break;
      case NodeKind::kLineEnd:
        if (w.to == kFinal) {
          ends_with_line_end_ = true;
          line_end_[Index(w.from)] = 1;
        } else {
          plain_char(n.low, w.from, w.to);
        }
        break;
      case NodeKind::kConcatenation: {
        int32_t middle = NewState();
        work.push_back({n.right, middle, w.to});
        work.push_back({n.left, w.from, middle});
        break;
      }
      case NodeKind::kAlternation:
        work.push_back({n.right, w.from, w.to});
        work.push_back({n.left, w.from, w.to});
        break;
      case NodeKind::kClosure: {
        int32_t c = NewState();
        int32_t d = NewState();
        empties_[Index(w.from)].push_back(c);
        work.push_back({n.left, c, d});
        empties_[Index(d)].push_back(c);
        empties_[Index(c)].push_back(w.to);
        break;
      }
      case NodeKind::kEmpty:
        empties_[Index(w.from)].push_back(w.to);
        break;
    }
  }
}

}  // namespace pw::search
