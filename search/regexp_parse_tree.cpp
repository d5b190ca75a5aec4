// Grammar, sets and the disjoint alphabet.
//
// Recursive descent with one token of look-ahead: expression = sequence {"|" sequence};
// sequence = factor* (empty when the next token is "|", ")" or the end); factor = atom with
// at most one postfix. "+" becomes atom·atom*, "?" atom|empty. A negated class is the
// any-character ranges with every member cut out, so it never holds LF or CR.
//
// Instead of rewriting overlapping leaves into alternations of their pieces, the tree keeps
// its leaves whole and TREAlphabet cuts the code space at every leaf boundary; each leaf then
// covers a run of whole pieces, which gives the automaton the same disjoint labels without
// multiplying nodes (a pattern of many wide overlapping classes would otherwise grow with the
// square of its length).
#include "search/regexp_parse_tree.h"

#include <algorithm>

#include "search/regexp_reader.h"

namespace pw::search {

int32_t TREParseTree::Leaf(uint16_t low, uint16_t high) {
  auto [it, inserted] = leaf_index_.try_emplace({low, high}, static_cast<int32_t>(nodes_.size()));
  if (inserted) {
    nodes_.push_back({NodeKind::kRange, -1, -1, low, high});
    leaves_.push_back(it->second);
  }
  return it->second;
}

int32_t TREParseTree::Make(NodeKind kind, int32_t left, int32_t right, uint16_t code) {
  nodes_.push_back({kind, left, right, code, code});
  return static_cast<int32_t>(nodes_.size() - 1);
}

void TREParseTree::Clear() {
  nodes_.clear();
  leaves_.clear();
  leaf_index_.clear();
  root_ = -1;
}

namespace {

// Deep enough for any hand-written pattern, shallow enough that the recursion cannot exhaust
// the stack on a hostile one.
constexpr int kMaxGroupDepth = 1000;

class Parser {
 public:
  Parser(std::string_view pattern, TREParseTree* tree) : scanner_(pattern), tree_(tree) {}

  void ParseWhole() {
    Advance();
    int32_t root = Expression();
    if (token_.kind != TokenKind::kEnd) scanner_.Fail(kErrTrailing);
    tree_->set_root(root);
  }

 private:
  void Advance() { token_ = scanner_.NextToken(); }

  int32_t Expression() {
    int32_t left = Sequence();
    while (token_.kind == TokenKind::kAlternation) {
      Advance();
      int32_t right = Sequence();
      left = tree_->Make(NodeKind::kAlternation, left, right);
    }
    return left;
  }

  bool EndsSequence() const {
    return token_.kind == TokenKind::kAlternation || token_.kind == TokenKind::kGroupClose ||
           token_.kind == TokenKind::kEnd;
  }

  int32_t Sequence() {
    if (EndsSequence()) return tree_->Make(NodeKind::kEmpty);
    int32_t left = Factor();
    while (!EndsSequence()) {
      int32_t right = Factor();
      left = tree_->Make(NodeKind::kConcatenation, left, right);
    }
    return left;
  }

  int32_t Factor() {
    int32_t atom = Atom();
    switch (token_.kind) {
      case TokenKind::kStar:
        Advance();
        return tree_->Make(NodeKind::kClosure, atom);
      case TokenKind::kPlus:
        Advance();
        return tree_->Make(NodeKind::kConcatenation, atom, tree_->Make(NodeKind::kClosure, atom));
      case TokenKind::kQuestion:
        Advance();
        return tree_->Make(NodeKind::kAlternation, atom, tree_->Make(NodeKind::kEmpty));
      default:
        return atom;
    }
  }

  int32_t Atom() {
    int32_t result = -1;
    switch (token_.kind) {
      case TokenKind::kChar:
        result = tree_->Leaf(token_.code, token_.code);
        break;
      case TokenKind::kGroupOpen:
        if (++depth_ > kMaxGroupDepth) scanner_.Fail(kErrTooDeep);
        Advance();
        result = Expression();
        if (token_.kind != TokenKind::kGroupClose) scanner_.Fail(kErrNeedParen);
        --depth_;
        break;
      case TokenKind::kAny:
        result = JoinRanges(std::vector<std::pair<uint16_t, uint16_t>>(std::begin(kAnyCharRanges),
                                                                       std::end(kAnyCharRanges)));
        break;
      case TokenKind::kLineStart:
        result = tree_->Make(NodeKind::kLineStart, -1, -1, token_.code);
        break;
      case TokenKind::kLineEnd:
        result = tree_->Make(NodeKind::kLineEnd, -1, -1, token_.code);
        break;
      case TokenKind::kClassOpen:
      case TokenKind::kNegatedClassOpen:
        result = Class(token_.kind == TokenKind::kNegatedClassOpen);
        break;
      default:
        scanner_.Fail(kErrNeedAtom);
    }
    Advance();
    return result;
  }

  // The scanner stands after "[" or "[^"; returns with the closing "]" consumed.
  int32_t Class(bool negated) {
    std::vector<std::pair<uint16_t, uint16_t>> members;
    for (;;) {
      ClassMember m = scanner_.NextMember();
      if (m.close) break;
      members.emplace_back(m.low, m.high);
    }
    if (members.empty()) scanner_.Fail(kErrBadClass);
    if (!negated) return JoinRanges(members);

    std::vector<std::pair<uint16_t, uint16_t>> left(std::begin(kAnyCharRanges),
                                                    std::end(kAnyCharRanges));
    std::vector<std::pair<uint16_t, uint16_t>> next;
    for (auto [low, high] : members) {
      next.clear();
      for (auto [r_low, r_high] : left) {
        if (high < r_low || low > r_high) {
          next.emplace_back(r_low, r_high);
          continue;
        }
        if (r_low < low) next.emplace_back(r_low, static_cast<uint16_t>(low - 1));
        if (high < r_high) next.emplace_back(static_cast<uint16_t>(high + 1), r_high);
      }
      left.swap(next);
    }
    // A class that leaves no character could never match; say so rather than compile a
    // pattern that silently finds nothing.
    if (left.empty()) scanner_.Fail(kErrBadClass);
    return JoinRanges(left);
  }

  int32_t JoinRanges(const std::vector<std::pair<uint16_t, uint16_t>>& ranges) {
    int32_t result = -1;
    for (auto [low, high] : ranges) {
      int32_t leaf = tree_->Leaf(low, high);
      result = result < 0 ? leaf : tree_->Make(NodeKind::kAlternation, result, leaf);
    }
    return result;
  }

  TREScanner scanner_;
  TREParseTree* tree_;
  Token token_;
  int depth_ = 0;
};

}  // namespace

void ParsePattern(std::string_view pattern, TREParseTree* tree) {
  tree->Clear();
  Parser(pattern, tree).ParseWhole();
}

TREAlphabet::TREAlphabet(const TREParseTree& tree) : block_piece_(256), block_table_(256, -1) {
  starts_.push_back(0);
  // "^" and "$" become plain characters where they are no anchors, so their codes need
  // pieces of their own as well.
  for (size_t i = 0; i < tree.size(); ++i) {
    const TREParseNode& n = tree.node(static_cast<int32_t>(i));
    if (n.kind != NodeKind::kRange && n.kind != NodeKind::kLineStart &&
        n.kind != NodeKind::kLineEnd) {
      continue;
    }
    starts_.push_back(n.low);
    if (n.high < 0xFFFF) starts_.push_back(uint32_t{n.high} + 1);
  }
  std::sort(starts_.begin(), starts_.end());
  starts_.erase(std::unique(starts_.begin(), starts_.end()), starts_.end());
  auto piece_at = [&](uint32_t code) {
    return static_cast<uint16_t>(std::upper_bound(starts_.begin(), starts_.end(), code) -
                                 starts_.begin() - 1);
  };
  for (uint32_t block = 0; block < 256; ++block) {
    uint16_t first = piece_at(block << 8);
    uint16_t last = piece_at(block << 8 | 0xFF);
    block_piece_[block] = first;
    if (first == last) continue;
    block_table_[block] = static_cast<int32_t>(tables_.size() / 256);
    uint16_t piece = first;
    for (uint32_t code = block << 8; code <= (block << 8 | 0xFF); ++code) {
      if (piece + 1u < starts_.size() && starts_[piece + 1u] == code) ++piece;
      tables_.push_back(piece);
    }
  }
}

}  // namespace pw::search
