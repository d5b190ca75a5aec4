// The parse tree of a pattern (TREParseTree), the recursive-descent parser that builds it, and
// the alphabet that splits the character codes into pieces no leaf straddles.
#ifndef PLOTWEAVE_SEARCH_REGEXP_PARSE_TREE_H_
#define PLOTWEAVE_SEARCH_REGEXP_PARSE_TREE_H_

#include <cstdint>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace pw::search {

enum class NodeKind : uint8_t {
  kRange,          // a literal, class member, range or "."
  kLineStart,      // "^"
  kLineEnd,        // "$"
  kConcatenation,  // left then right
  kAlternation,    // left or right
  kClosure,        // left, zero or more times
  kEmpty,          // the empty string
};

struct TREParseNode {
  NodeKind kind = NodeKind::kEmpty;
  int32_t left = -1;
  int32_t right = -1;
  uint16_t low = 0;  // kRange: the codes; "^" and "$" keep their own code here
  uint16_t high = 0;
};

// Owns every node. Range leaves are shared: asking twice for the same range gives the same
// leaf, so the tree is a DAG whose leaves have distinct ranges.
class TREParseTree {
 public:
  int32_t Leaf(uint16_t low, uint16_t high);
  int32_t Make(NodeKind kind, int32_t left = -1, int32_t right = -1, uint16_t code = 0);

  const TREParseNode& node(int32_t i) const { return nodes_[static_cast<size_t>(i)]; }
  size_t size() const { return nodes_.size(); }
  const std::vector<int32_t>& leaves() const { return leaves_; }
  int32_t root() const { return root_; }
  void set_root(int32_t root) { root_ = root; }
  void Clear();

 private:
  std::vector<TREParseNode> nodes_;
  std::vector<int32_t> leaves_;  // in order of creation
  std::map<std::pair<uint16_t, uint16_t>, int32_t> leaf_index_;
  int32_t root_ = -1;
};

// Parses `pattern` into `tree`. Throws ERegExpParser for a malformed pattern.
void ParsePattern(std::string_view pattern, TREParseTree* tree);

// The ranges of "." (and the start of every negated class): every character except LF, CR.
inline constexpr std::pair<uint16_t, uint16_t> kAnyCharRanges[] = {
    {0x01, 0x09}, {0x0B, 0x0C}, {0x0E, 0xFCFC}};

// The codes 0..0xFFFF cut at every leaf boundary. Each piece lies inside or outside every
// leaf, so a leaf is a contiguous run of pieces and the pieces serve as the automaton's
// disjoint labels. A code finds its piece through its high byte's block: one piece for the
// whole block, or a 256-entry table for the few blocks that hold a boundary.
class TREAlphabet {
 public:
  explicit TREAlphabet(const TREParseTree& tree);

  uint16_t PieceOf(uint16_t code) const {
    int32_t table = block_table_[code >> 8];
    return table < 0 ? block_piece_[code >> 8]
                     : tables_[static_cast<size_t>(table) * 256 + (code & 0xFF)];
  }
  size_t size() const { return starts_.size(); }
  uint16_t PieceLow(size_t piece) const { return static_cast<uint16_t>(starts_[piece]); }
  uint16_t PieceHigh(size_t piece) const {
    return static_cast<uint16_t>(piece + 1 < starts_.size() ? starts_[piece + 1] - 1 : 0xFFFF);
  }

 private:
  std::vector<uint32_t> starts_;
  std::vector<uint16_t> block_piece_;
  std::vector<int32_t> block_table_;
  std::vector<uint16_t> tables_;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGEXP_PARSE_TREE_H_
