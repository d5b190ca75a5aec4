// The outline: an ordered forest of nodes, each with a title, icons, a live expanded state and
// its TNodeData. The main tree and every scratch tree are Outlines; views follow one through
// OutlineObserver.
#ifndef PLOTWEAVE_CORE_OUTLINE_H_
#define PLOTWEAVE_CORE_OUTLINE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

enum NodeKind : int32_t {
  nkRoot = 1,
  nkParent = 2,
  nkChild = 3,
  nkChara = 4,
  nkCharaItem = 5,
};

enum NodeColor : int32_t {
  ncBlue = 1,
  ncBrown = 2,
  ncGreen = 3,
  ncOrange = 4,
  ncPurple = 5,
  ncPink = 6,
};

// Icon indexes into the tree's image list.
inline constexpr int32_t kIconRoot = 1;
inline constexpr int32_t kIconChara = 3;
inline constexpr int32_t kIconCharaItem = 5;
inline constexpr int32_t kChildIconBase = 6;    // child mark: Color + 6
inline constexpr int32_t kParentIconBase = 13;  // parent mark: Color + 13
inline constexpr int kTreeIconCount = 20;

// Per-node record. Body holds the RTF (or, from text import, plain) bytes up to the first
// NUL; nullopt is an absent body, which every reader treats like an empty one.
struct TNodeData {
  int32_t Color = ncBlue;
  uint8_t Expanded = 0;
  int32_t Kind = nkChild;
  std::optional<std::string> Body;

  // Stores `bytes` up to their first NUL.
  void SetBody(std::string_view bytes);
};

// A fresh record of the given kind: Color 1, no body.
std::unique_ptr<TNodeData> NewNodeData(int32_t kind);

class Outline;

class Node {
 public:
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  // Frees the subtree without recursion, so a very deep file cannot exhaust the stack.
  ~Node();

  const std::string& title() const { return title_; }
  int32_t icon() const { return icon_; }
  int32_t selected_icon() const { return selected_icon_; }
  bool expanded() const { return expanded_; }
  TNodeData* data() const { return data_.get(); }

  Node* parent() const { return parent_; }
  size_t child_count() const { return children_.size(); }
  Node* child(size_t i) const { return children_[i].get(); }
  bool has_children() const { return !children_.empty(); }
  // Position among its siblings (top-level nodes among the top level).
  size_t row() const { return row_; }
  // 0 for a top-level node.
  int level() const;

 private:
  friend class Outline;
  Node() = default;

  std::string title_;
  int32_t icon_ = 0;
  int32_t selected_icon_ = 0;
  bool expanded_ = false;
  std::unique_ptr<TNodeData> data_;
  Node* parent_ = nullptr;
  size_t row_ = 0;
  size_t index_ = 0;  // absolute index, valid while the outline's index is fresh
  std::vector<std::unique_ptr<Node>> children_;
};

// Told about every change, so a view can follow. Begin/End pairs bracket structural changes
// (the arguments are valid in both calls, as Qt's item models require).
class OutlineObserver {
 public:
  virtual ~OutlineObserver() = default;
  virtual void BeginInsert(Node* parent, size_t row, size_t count) = 0;
  virtual void EndInsert() = 0;
  virtual void BeginRemove(Node* parent, size_t row, size_t count) = 0;
  virtual void EndRemove() = 0;
  virtual void BeginMove(Node* from_parent, size_t from_row, Node* to_parent, size_t to_row) = 0;
  virtual void EndMove() = 0;
  virtual void BeginReset() = 0;
  virtual void EndReset() = 0;
  // Title, icons, expanded state or data changed.
  virtual void NodeChanged(Node* node) = 0;
};

class Outline {
 public:
  Outline() = default;
  Outline(const Outline&) = delete;
  Outline& operator=(const Outline&) = delete;
  ~Outline();

  // Top level: parent == nullptr.
  size_t child_count(const Node* parent) const;
  Node* child(const Node* parent, size_t row) const;
  bool empty() const { return top_.empty(); }

  // Number of nodes in the whole forest.
  size_t size() const;
  // Pre-order position of `node`, from 0.
  size_t AbsoluteIndex(const Node* node) const;
  // The node at a pre-order position, or nullptr past the end.
  Node* NodeAt(size_t index) const;
  // The node after `node` in pre-order, or nullptr.
  Node* NextInPreorder(const Node* node) const;
  // Number of nodes in the subtree of `node`, itself included.
  size_t SubtreeSize(const Node* node) const;

  // Inserts a new node as child number `row` of `parent` (nullptr: the top level); a row past
  // the end appends. The icon is used for both icon indexes.
  Node* Insert(Node* parent, size_t row, std::string title, std::unique_ptr<TNodeData> data,
               int32_t icon);
  Node* Append(Node* parent, std::string title, std::unique_ptr<TNodeData> data, int32_t icon);
  // Removes `node` with its subtree.
  void Remove(Node* node);
  // Detaches `node` with its subtree and hands it over.
  std::unique_ptr<Node> Take(Node* node);
  // Re-attaches a subtree taken from this or another outline.
  Node* Adopt(Node* parent, size_t row, std::unique_ptr<Node> subtree);
  // Moves `node` to child number `row` of `new_parent` (row counted before the move).
  // `new_parent` must not be `node` or one of its descendants.
  void Move(Node* node, Node* new_parent, size_t row);
  void Clear();

  // Bulk building, as the readers do: no per-node notifications, one reset at the end.
  void BeginBulkLoad();
  void EndBulkLoad();

  void SetTitle(Node* node, std::string title);
  void SetIcons(Node* node, int32_t icon, int32_t selected_icon);
  void SetIcon(Node* node, int32_t icon) { SetIcons(node, icon, icon); }
  void SetExpanded(Node* node, bool expanded);
  void SetData(Node* node, std::unique_ptr<TNodeData> data);
  // Tells the observers that something in `node` (its data, say) changed.
  void NotifyChanged(Node* node);

  // Calls `fn` for every node in pre-order.
  void ForEach(const std::function<void(Node*)>& fn) const;

  void AddObserver(OutlineObserver* observer);
  void RemoveObserver(OutlineObserver* observer);

 private:
  std::vector<std::unique_ptr<Node>>& ChildrenOf(Node* parent);
  const std::vector<std::unique_ptr<Node>>& ChildrenOf(const Node* parent) const;
  void Renumber(Node* parent, size_t from_row);
  void Invalidate() { index_fresh_ = false; }
  void RebuildIndex() const;
  template <typename F>
  void Notify(F&& f);

  std::vector<std::unique_ptr<Node>> top_;
  mutable std::vector<Node*> preorder_;
  mutable bool index_fresh_ = true;
  // Per absolute index: the index after its subtree, or kOpenEnd for the nodes on the
  // rightmost path (the last node and its ancestors), whose subtrees reach the end.
  mutable std::vector<size_t> subtree_end_;
  static constexpr size_t kOpenEnd = SIZE_MAX;
  std::vector<OutlineObserver*> observers_;
  int bulk_depth_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_CORE_OUTLINE_H_
