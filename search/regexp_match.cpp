// The matchers.
//
// Both give the leftmost-longest match with the same line rules. The longest run from a
// position in a state steps the DFA until it cannot, remembering the last accepting position;
// if it stopped at the line separator or at the end of the subject in a state that has a
// line-end transition, the run ends just there instead. A position is a line start at the
// start of the subject and after every LF; when the pattern begins with "^" a line start is
// tried from the state after the line-start symbol as well as from the start state, and the
// longer run wins.
//
// The reference restarts that run at every character position, which is quadratic. The fast
// matcher finds the leftmost start in one forward pass instead: it keeps one run per live DFA
// state, tagged with the earliest start that reached it (two runs in the same state at the
// same position have the same future, so the later one can only matter if it already
// succeeded, and then it was recorded). The first run to accept, or to stop at a separator or
// the end in a line-end state, settles its start; runs that started later are dropped and no
// new ones begin, and the pass ends when the earlier runs have died. Then the longest run from
// that start gives the end. While no run is alive, positions where nothing can start are
// skipped with memchr or memmem on the possible first bytes or the literal prefix.
//
// The end of the subject is never stepped over, so a pattern character of code 0 cannot
// match it; a NUL byte inside the subject is a character of code 0 like any other.
#include "search/regexp_match.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/cp932.h"
#include "search/char_boundary.h"
#include "search/regexp_reader.h"

namespace pw::search {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
// Memory for the lazy DFA's transition table and sets, per compiled pattern.
constexpr size_t kLazyBudgetBytes = size_t{8} << 20;
constexpr size_t kMaxPrefixBytes = 32;

inline uint16_t CodeAt(const unsigned char* p, size_t i, size_t n, size_t* length) {
  unsigned char b = p[i];
  // A lead byte with nothing after it is read as a character of its own, so reading never
  // passes the end of the subject.
  if (IsLeadByte(b) && i + 1 < n) {
    *length = 2;
    return static_cast<uint16_t>(b << 8 | p[i + 1]);
  }
  *length = 1;
  return b;
}

// Whether byte offset j starts a character, given that b <= j does: the lead-range bytes
// after the last byte that cannot be a lead pair up from there.
bool IsBoundaryFrom(const unsigned char* p, size_t b, size_t j) {
  size_t k = j;
  while (k > b && IsLeadByte(p[k - 1])) --k;
  return (j - k) % 2 == 0;
}

}  // namespace

TRECompiled::TRECompiled(std::string_view pattern, size_t lazy_state_cap) {
  static uint64_t next_serial = 0;
  serial_ = ++next_serial;
  TREParseTree tree;
  ParsePattern(pattern, &tree);
  alphabet_ = std::make_unique<TREAlphabet>(tree);
  nfa_ = std::make_unique<TRE_NFA>(tree, *alphabet_);
  size_t per_state = alphabet_->size() * sizeof(int32_t) + nfa_->size() / 8 + 64;
  size_t cap = lazy_state_cap != 0 ? lazy_state_cap : kLazyBudgetBytes / per_state;
  lazy_ = std::make_unique<TRE_LazyDFA>(*nfa_, alphabet_->size(), cap);
  PrepareSkipping();
  // A literal prefix is looked for with memmem anyway, which finds no match just as fast.
  if (prefix_.empty()) PrepareRequired();
}

void TRERunMemo::Store(size_t block, int32_t state, uint32_t result) {
  if (block >= blocks_.size()) blocks_.resize(block + 1 + block / 2);
  Block& b = blocks_[block];
  for (Slot& slot : b.slots) {
    if (slot.state == state) {
      slot.result = result;
      return;
    }
  }
  b.slots[b.next] = {state, result};
  b.next = static_cast<uint8_t>((b.next + 1) % kSlots);
}

void TRECompiled::PrepareRequired() {
  // A piece that is one character and labels some edge alone is required when, without the
  // edges it labels alone, no path leads from the start to the final state (a line-end
  // transition leads there too, and the line-start one leaves the start).
  const size_t states = nfa_->size();
  std::vector<uint16_t> candidates;
  for (size_t s = 0; s < states; ++s) {
    for (const TRE_NFA::Edge& e : nfa_->edges(static_cast<int32_t>(s))) {
      if (e.piece_low == e.piece_high &&
          alphabet_->PieceLow(e.piece_low) == alphabet_->PieceHigh(e.piece_low)) {
        candidates.push_back(e.piece_low);
      }
    }
  }
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  // Checking costs a walk of the automaton per candidate; long patterns check the first ones.
  if (candidates.size() > 64) candidates.resize(64);
  std::vector<uint8_t> seen(states);
  std::vector<int32_t> stack;
  auto final_reachable_without = [&](uint16_t piece) {
    std::fill(seen.begin(), seen.end(), 0);
    stack.assign(1, TRE_NFA::kStart);
    seen[TRE_NFA::kStart] = 1;
    auto visit = [&](int32_t t) {
      if (!seen[static_cast<size_t>(t)]) {
        seen[static_cast<size_t>(t)] = 1;
        stack.push_back(t);
      }
    };
    for (int32_t t : nfa_->line_start_targets()) visit(t);
    while (!stack.empty()) {
      int32_t s = stack.back();
      stack.pop_back();
      if (s == TRE_NFA::kFinal || nfa_->has_line_end(s)) return true;
      for (int32_t t : nfa_->empties(s)) visit(t);
      for (const TRE_NFA::Edge& e : nfa_->edges(s)) {
        if (!(e.piece_low == piece && e.piece_high == piece)) visit(e.target);
      }
    }
    return false;
  };
  for (uint16_t piece : candidates) {
    if (final_reachable_without(piece)) continue;
    uint16_t code = alphabet_->PieceLow(piece);
    std::string bytes;
    if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
    bytes.push_back(static_cast<char>(code & 0xFF));
    // A double-byte character is the better one to look for: its pair of bytes is rarer.
    if (required_.empty() || bytes.size() > required_.size()) required_ = bytes;
    if (required_.size() == 2) break;
  }
}

bool TRECompiled::HasRequired(const unsigned char* p, size_t from, size_t n) const {
  // Any occurrence on a character start will do; one that is not cannot be part of a match.
  BoundaryTracker boundary(p, n, from);
  const auto first = static_cast<unsigned char>(required_[0]);
  if (required_.size() == 1) {
    for (size_t i = from; i < n;) {
      const void* hit = std::memchr(p + i, first, n - i);
      if (hit == nullptr) return false;
      auto j = static_cast<size_t>(static_cast<const unsigned char*>(hit) - p);
      if (boundary.IsStart(j)) return true;
      i = j + 1;
    }
    return false;
  }
  // Look for the trail byte, which varies more than the lead byte.
  const auto second = static_cast<unsigned char>(required_[1]);
  for (size_t i = from + 1; i < n;) {
    const void* hit = std::memchr(p + i, second, n - i);
    if (hit == nullptr) return false;
    auto j = static_cast<size_t>(static_cast<const unsigned char*>(hit) - p);
    if (p[j - 1] == first && boundary.IsStart(j - 1)) return true;
    i = j + 1;
  }
  return false;
}

const TRE_DFA* TRECompiled::full(size_t max_states) {
  if (!full_ && !full_failed_) {
    auto dfa = std::make_unique<TRE_DFA>();
    if (dfa->Build(*nfa_, max_states)) {
      full_ = std::move(dfa);
    } else {
      full_failed_ = true;
    }
  }
  return full_.get();
}

void TRECompiled::PrepareSkipping() {
  TRE_NFAStateSet start(nfa_->size());
  start.Add(TRE_NFA::kStart);
  start.Close(*nfa_);
  bool start_accepting = start.Has(TRE_NFA::kFinal);
  bool start_line_end = false;
  start.ForEach([&](int32_t s) {
    start_line_end = start_line_end || nfa_->has_line_end(s);
    for (const TRE_NFA::Edge& e : nfa_->edges(s)) {
      for (uint32_t piece = e.piece_low; piece <= e.piece_high; ++piece) {
        uint32_t low = alphabet_->PieceLow(piece);
        uint32_t high = alphabet_->PieceHigh(piece);
        if (low <= 0xFF) {
          for (uint32_t b = low; b <= std::min<uint32_t>(high, 0xFF); ++b) first_byte_[b] = true;
        }
        if (high >= 0x100) {
          for (uint32_t b = std::max<uint32_t>(low, 0x100) >> 8; b <= high >> 8; ++b) {
            first_byte_[b] = true;
          }
        }
      }
    }
  });
  if (start_line_end) first_byte_['\r'] = first_byte_['\n'] = true;
  if (nfa_->begins_with_line_start()) first_byte_['\n'] = true;
  can_skip_ = !start_accepting;
  for (int b = 0; b < 256; ++b) {
    if (first_byte_[static_cast<size_t>(b)]) {
      ++first_byte_count_;
      only_first_byte_ = static_cast<unsigned char>(b);
    }
  }

  // A literal every match begins with: follow the start set while all its edges carry the
  // same single code and nothing before the end of the literal can end a match.
  if (!can_skip_ || start_line_end || nfa_->begins_with_line_start()) return;
  TRE_NFAStateSet set = start;
  while (prefix_.size() < kMaxPrefixBytes) {
    int32_t piece = -1;
    bool single = true;
    set.ForEach([&](int32_t s) {
      for (const TRE_NFA::Edge& e : nfa_->edges(s)) {
        if (e.piece_low != e.piece_high || (piece >= 0 && piece != e.piece_low)) single = false;
        piece = e.piece_low;
      }
    });
    if (!single || piece < 0) break;
    auto p = static_cast<size_t>(piece);
    uint16_t code = alphabet_->PieceLow(p);
    if (code != alphabet_->PieceHigh(p)) break;
    if (code <= 0xFF) {
      if (code == 0 || IsLeadByte(static_cast<unsigned char>(code))) break;
      prefix_.push_back(static_cast<char>(code));
    } else {
      if (!IsLeadByte(static_cast<unsigned char>(code >> 8))) break;
      prefix_.push_back(static_cast<char>(code >> 8));
      prefix_.push_back(static_cast<char>(code & 0xFF));
    }
    TRE_NFAStateSet next(nfa_->size());
    set.ForEach([&](int32_t s) {
      for (const TRE_NFA::Edge& e : nfa_->edges(s)) next.Add(e.target);
    });
    next.Close(*nfa_);
    bool ends = next.Has(TRE_NFA::kFinal);
    next.ForEach([&](int32_t s) { ends = ends || nfa_->has_line_end(s); });
    if (ends) break;
    set = std::move(next);
  }
  if (prefix_.size() < 2) prefix_.clear();
}

size_t TRECompiled::Skip(const unsigned char* p, size_t i, size_t n) const {
  while (i < n) {
    const unsigned char* hit = nullptr;
    if (!prefix_.empty()) {
      hit = static_cast<const unsigned char*>(memmem(p + i, n - i, prefix_.data(), prefix_.size()));
    } else if (first_byte_count_ == 1) {
      hit = static_cast<const unsigned char*>(std::memchr(p + i, only_first_byte_, n - i));
    } else {
      for (size_t j = i; j < n; ++j) {
        if (first_byte_[p[j]]) {
          hit = p + j;
          break;
        }
      }
    }
    if (hit == nullptr) return n;
    auto j = static_cast<size_t>(hit - p);
    if (IsBoundaryFrom(p, i, j)) return j;
    i = j + 1;  // j is the trail byte of a character that starts at j - 1
  }
  return n;
}

size_t TRECompiled::Run(const unsigned char* p, size_t n, size_t pos, int32_t state,
                        uint16_t separator, TRERunMemo* memo) {
  // With a memo the run notes the DFA state at the first character of every block it enters;
  // when another run of this subject already went on from that place in that state, its
  // outcome is this run's too, and the run stops there. This keeps all the hits of patterns
  // like "a|a*b" linear: every longest-match run would otherwise read on to the end.
  TRE_LazyDFA& dfa = *lazy_;
  size_t last = kNone;
  size_t result = kNone;
  std::vector<Crossing>& crossings = crossings_;
  crossings.clear();
  bool recording = memo != nullptr && n < TRERunMemo::kMaxSubject;
  if (recording && memo->flushes != dfa.flushes()) {
    memo->Clear();
    memo->flushes = dfa.flushes();
  }
  for (;;) {
    if (dfa.accepting(state)) last = pos;
    if (pos >= n) {
      result = dfa.line_end(state) ? pos : last;
      break;
    }
    size_t length = 0;
    uint16_t code = CodeAt(p, pos, n, &length);
    if (dfa.NeedsFlush(1)) {
      dfa.Flush({&state});
      if (recording) {
        // The states noted so far have other numbers now.
        recording = false;
        crossings.clear();
        memo->Clear();
      }
    }
    int32_t next = dfa.Next(state, alphabet_->PieceOf(code));
    if (next == kDeadState) {
      result = code == separator && dfa.line_end(state) ? pos : last;
      break;
    }
    const size_t previous = pos;
    state = next;
    pos += length;
    if (recording && memo->BlockOf(pos) != memo->BlockOf(previous)) {
      const size_t block = memo->BlockOf(pos);
      if (const TRERunMemo::Slot* known = memo->Find(block, state)) {
        result = known->result != TRERunMemo::kNoResult ? known->result : last;
        break;
      }
      crossings.push_back({block, pos, state});
    }
  }
  if (recording) {
    if (memo->flushes != dfa.flushes()) {
      memo->Clear();
      memo->flushes = dfa.flushes();
    } else if (crossings.size() >= 2) {
      // From a noted place the run ends where this one ended, if that is at or after it.
      // Only runs that crossed a block are worth noting: short ones are cheap to repeat.
      for (const Crossing& c : crossings) {
        memo->Store(c.block, c.state,
                    result != kNone && result >= c.position ? static_cast<uint32_t>(result)
                                                            : TRERunMemo::kNoResult);
      }
    }
  }
  return result;
}

size_t TRECompiled::FindStart(const unsigned char* p, size_t from, size_t n, uint16_t separator,
                              bool* best_line_start) {
  TRE_LazyDFA& dfa = *lazy_;
  const bool begins = nfa_->begins_with_line_start();
  std::vector<LiveRun>& runs = runs_;
  std::vector<LiveRun>& next = next_runs_;
  std::vector<uint32_t>& mark = mark_;
  runs.clear();
  if (generation_ > 0xFFFFFF00u) {
    mark.assign(mark.size(), 0);
    generation_ = 0;
  }
  uint32_t& generation = generation_;
  ++generation;
  auto add = [&](std::vector<LiveRun>* to, int32_t state, size_t start, bool line_start) {
    auto s = static_cast<size_t>(state);
    if (s >= mark.size()) mark.resize(dfa.size() + 64, 0);
    if (mark[s] == generation) return;
    mark[s] = generation;
    to->push_back({state, start, line_start});
  };

  size_t best = kNone;
  size_t i = from;
  bool line_start = true;
  for (;;) {
    if (dfa.NeedsFlush(runs.size() + 2)) {
      std::vector<int32_t*> keep;
      for (LiveRun& r : runs) keep.push_back(&r.state);
      dfa.Flush(keep);
      mark.assign(dfa.size() + 64, 0);
      generation = 1;
      for (LiveRun& r : runs) mark[static_cast<size_t>(r.state)] = generation;
    }
    if (best == kNone) {
      if (runs.empty() && can_skip_ && !(begins && line_start) && i < n) {
        size_t j = Skip(p, i, n);
        if (j != i) {
          // A skipped stretch holds no LF when "^" matters, so j is no line start.
          i = j;
          line_start = false;
        }
      }
      if (begins && line_start) add(&runs, dfa.line_start(), i, true);
      add(&runs, dfa.start(), i, line_start);
    }
    for (size_t k = 0; k < runs.size(); ++k) {
      if (dfa.accepting(runs[k].state)) {
        best = runs[k].start;
        *best_line_start = runs[k].line_start;
        runs.resize(k);
        break;
      }
    }
    if (runs.empty() && best != kNone) break;
    if (i >= n) {
      for (const LiveRun& r : runs) {
        if (dfa.line_end(r.state)) {
          best = r.start;
          *best_line_start = r.line_start;
          break;
        }
      }
      break;
    }
    size_t length = 0;
    uint16_t code = CodeAt(p, i, n, &length);
    uint16_t piece = alphabet_->PieceOf(code);
    ++generation;
    next.clear();
    for (const LiveRun& r : runs) {
      int32_t t = dfa.Next(r.state, piece);
      if (t == kDeadState) {
        if (code == separator && dfa.line_end(r.state)) {
          best = r.start;
          *best_line_start = r.line_start;
          break;  // the runs after this one started later
        }
        continue;
      }
      add(&next, t, r.start, r.line_start);
    }
    runs.swap(next);
    line_start = code == '\n';
    i += length;
    if (runs.empty() && best != kNone) break;
  }
  return best;
}

TREMatch TRECompiled::Match(std::string_view text, size_t from, uint16_t separator,
                            TRERunMemo* memo) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size();
  if (from > n) return {};
  if (!required_.empty() && !HasRequired(p, from, n)) return {};
  bool line_start = false;
  size_t start = FindStart(p, from, n, separator, &line_start);
  if (start == kNone) return {};
  size_t end = kNone;
  if (line_start && nfa_->begins_with_line_start()) {
    end = Run(p, n, start, lazy_->line_start(), separator, memo);
    if (end != kNone) {
      size_t plain = Run(p, n, start, lazy_->start(), separator, memo);
      if (plain != kNone && plain > end) end = plain;
    }
  }
  if (end == kNone) end = Run(p, n, start, lazy_->start(), separator, memo);
  if (end == kNone) return {};  // cannot happen: the pass saw this start succeed
  return {true, start, end - start};
}

namespace {

// The longest run of the reference matcher, over the full DFA.
size_t RunFull(const TRE_DFA& dfa, const TREAlphabet& alphabet, const unsigned char* p, size_t n,
               size_t pos, int32_t state, uint16_t separator) {
  size_t last = kNone;
  for (;;) {
    const TRE_DFA::State& s = dfa.state(state);
    if (s.accepting) last = pos;
    if (pos >= n) return s.line_end ? pos : last;
    size_t length = 0;
    uint16_t code = CodeAt(p, pos, n, &length);
    int32_t next = dfa.Step(state, alphabet.PieceOf(code));
    if (next == kDeadState) return code == separator && s.line_end ? pos : last;
    state = next;
    pos += length;
  }
}

}  // namespace

TREMatch TRECompiled::MatchReference(std::string_view text, uint16_t separator, bool* available,
                                     size_t max_states) {
  const TRE_DFA* dfa = full(max_states);
  *available = dfa != nullptr;
  if (dfa == nullptr) return {};
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size();
  auto run = [&](size_t pos, int32_t state) {
    return RunFull(*dfa, *alphabet_, p, n, pos, state, separator);
  };
  auto next_char = [&](size_t pos) {
    size_t length = 0;
    CodeAt(p, pos, n, &length);
    return pos + length;
  };

  if (!anchored()) {
    if (n == 0) {
      return dfa->state(dfa->start()).accepting ? TREMatch{true, 0, 0} : TREMatch{};
    }
    for (size_t pos = 0; pos < n; pos = next_char(pos)) {
      size_t end = run(pos, dfa->start());
      if (end != kNone) return {true, pos, end - pos};
    }
    return {};
  }

  const bool begins = nfa_->begins_with_line_start();
  // A line start tried as the subject's start is: the run after "^" must succeed; then the
  // longer of it and the plain run.
  auto line_start_try = [&](size_t pos) -> size_t {
    size_t anchored_end = run(pos, dfa->line_start());
    if (anchored_end == kNone) return kNone;
    size_t plain = run(pos, dfa->start());
    return plain != kNone && plain > anchored_end ? plain : anchored_end;
  };
  size_t first = begins ? line_start_try(0) : run(0, dfa->start());
  if (first != kNone) return {true, 0, first};
  for (size_t pos = 0; pos < n; pos = next_char(pos)) {
    size_t end = run(pos, dfa->start());
    if (end != kNone) return {true, pos, end - pos};
    if (p[pos] == '\n' && begins) {
      end = line_start_try(pos + 1);
      if (end != kNone) return {true, pos + 1, end - pos - 1};
    }
  }
  // An empty subject is also tried from the start state, as the plain matcher does, so that
  // "^a|" finds its empty alternative there too.
  if (n == 0 && dfa->state(dfa->start()).accepting) return {true, 0, 0};
  if (nfa_->ends_with_line_end() && dfa->state(dfa->start()).line_end) return {true, n, 0};
  return {};
}

}  // namespace pw::search
