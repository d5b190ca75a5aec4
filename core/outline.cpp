// The outline forest. The pre-order index is rebuilt lazily in one linear walk after a
// structural change, so both directions of the absolute index cost O(1) between changes and
// no whole-document operation turns quadratic. Appending a leaf at the end of the pre-order,
// as the readers build a tree line by line, extends the index in place instead: a walk over
// a freshly read tree of many megabytes is one cache miss per node.
#include "core/outline.h"

#include <algorithm>
#include <cstring>

namespace pw {

void TNodeData::SetBody(std::string_view bytes) {
  const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
  if (nul != nullptr) bytes = bytes.substr(0, static_cast<const char*>(nul) - bytes.data());
  Body = std::string(bytes);
}

std::unique_ptr<TNodeData> NewNodeData(int32_t kind) {
  auto data = std::make_unique<TNodeData>();
  data->Color = ncBlue;
  data->Kind = kind;
  return data;
}

Node::~Node() {
  std::vector<std::unique_ptr<Node>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

int Node::level() const {
  int level = 0;
  for (const Node* p = parent_; p != nullptr; p = p->parent_) ++level;
  return level;
}

Outline::~Outline() { top_.clear(); }

std::vector<std::unique_ptr<Node>>& Outline::ChildrenOf(Node* parent) {
  return parent == nullptr ? top_ : parent->children_;
}

const std::vector<std::unique_ptr<Node>>& Outline::ChildrenOf(const Node* parent) const {
  return parent == nullptr ? top_ : parent->children_;
}

size_t Outline::child_count(const Node* parent) const { return ChildrenOf(parent).size(); }

Node* Outline::child(const Node* parent, size_t row) const {
  const auto& children = ChildrenOf(parent);
  return row < children.size() ? children[row].get() : nullptr;
}

void Outline::RebuildIndex() const {
  preorder_.clear();
  subtree_end_.clear();
  // Iterative pre-order walk; subtree ends are filled when a node's subtree is closed.
  struct Frame {
    const std::vector<std::unique_ptr<Node>>* children;
    size_t next;
    size_t owner;  // absolute index of the node whose children these are, or SIZE_MAX
  };
  std::vector<Frame> stack;
  stack.push_back({&top_, 0, SIZE_MAX});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.children->size()) {
      if (frame.owner != SIZE_MAX) subtree_end_[frame.owner] = preorder_.size();
      stack.pop_back();
      continue;
    }
    Node* node = (*frame.children)[frame.next++].get();
    node->index_ = preorder_.size();
    preorder_.push_back(node);
    subtree_end_.push_back(0);
    stack.push_back({&node->children_, 0, node->index_});
  }
  // The rightmost path's subtrees reach the end of the pre-order: marked open, so that a leaf
  // appended there extends them without touching each.
  if (!preorder_.empty()) {
    for (Node* n = preorder_.back(); n != nullptr; n = n->parent_)
      subtree_end_[n->index_] = kOpenEnd;
  }
  index_fresh_ = true;
}

size_t Outline::size() const {
  if (!index_fresh_) RebuildIndex();
  return preorder_.size();
}

size_t Outline::AbsoluteIndex(const Node* node) const {
  if (!index_fresh_) RebuildIndex();
  return node->index_;
}

Node* Outline::NodeAt(size_t index) const {
  if (!index_fresh_) RebuildIndex();
  return index < preorder_.size() ? preorder_[index] : nullptr;
}

Node* Outline::NextInPreorder(const Node* node) const { return NodeAt(AbsoluteIndex(node) + 1); }

size_t Outline::SubtreeSize(const Node* node) const {
  if (!index_fresh_) RebuildIndex();
  const size_t end = subtree_end_[node->index_];
  return (end == kOpenEnd ? preorder_.size() : end) - node->index_;
}

template <typename F>
void Outline::Notify(F&& f) {
  if (bulk_depth_ > 0) return;
  for (OutlineObserver* observer : observers_) f(observer);
}

void Outline::Renumber(Node* parent, size_t from_row) {
  auto& children = ChildrenOf(parent);
  for (size_t i = from_row; i < children.size(); ++i) children[i]->row_ = i;
}

Node* Outline::Insert(Node* parent, size_t row, std::string title, std::unique_ptr<TNodeData> data,
                      int32_t icon) {
  std::unique_ptr<Node> node(new Node);
  node->title_ = std::move(title);
  node->icon_ = icon;
  node->selected_icon_ = icon;
  node->data_ = std::move(data);
  return Adopt(parent, row, std::move(node));
}

Node* Outline::Append(Node* parent, std::string title, std::unique_ptr<TNodeData> data,
                      int32_t icon) {
  return Insert(parent, SIZE_MAX, std::move(title), std::move(data), icon);
}

Node* Outline::Adopt(Node* parent, size_t row, std::unique_ptr<Node> subtree) {
  auto& children = ChildrenOf(parent);
  row = std::min(row, children.size());
  Notify([&](OutlineObserver* o) { o->BeginInsert(parent, row, 1); });
  Node* node = subtree.get();
  // A leaf that becomes the last child of a node on the rightmost path (open subtree end) is
  // the new last node in pre-order.
  const bool extends_index = index_fresh_ && node->children_.empty() && row == children.size() &&
                             (parent == nullptr || subtree_end_[parent->index_] == kOpenEnd);
  node->parent_ = parent;
  children.insert(children.begin() + static_cast<std::ptrdiff_t>(row), std::move(subtree));
  Renumber(parent, row);
  if (extends_index) {
    const size_t index = preorder_.size();
    // The path below `parent` is no longer rightmost: its subtrees end where the leaf begins.
    // Each node is closed once after it was appended, so a whole load stays linear.
    if (index > 0) {
      for (Node* n = preorder_.back(); n != parent; n = n->parent_) subtree_end_[n->index_] = index;
    }
    node->index_ = index;
    preorder_.push_back(node);
    subtree_end_.push_back(kOpenEnd);
  } else {
    Invalidate();
  }
  Notify([&](OutlineObserver* o) { o->EndInsert(); });
  return node;
}

std::unique_ptr<Node> Outline::Take(Node* node) {
  Node* parent = node->parent_;
  auto& children = ChildrenOf(parent);
  size_t row = node->row_;
  Notify([&](OutlineObserver* o) { o->BeginRemove(parent, row, 1); });
  std::unique_ptr<Node> taken = std::move(children[row]);
  children.erase(children.begin() + static_cast<std::ptrdiff_t>(row));
  Renumber(parent, row);
  taken->parent_ = nullptr;
  taken->row_ = 0;
  Invalidate();
  Notify([&](OutlineObserver* o) { o->EndRemove(); });
  return taken;
}

void Outline::Remove(Node* node) { Take(node); }

void Outline::Move(Node* node, Node* new_parent, size_t row) {
  Node* old_parent = node->parent_;
  size_t old_row = node->row_;
  auto& target = ChildrenOf(new_parent);
  row = std::min(row, target.size());
  // Moving a node to where it already is changes nothing.
  if (old_parent == new_parent && (row == old_row || row == old_row + 1)) return;
  Notify([&](OutlineObserver* o) { o->BeginMove(old_parent, old_row, new_parent, row); });
  int saved_bulk = bulk_depth_;
  bulk_depth_ = 1;  // the move is one notification, not a remove and an insert
  std::unique_ptr<Node> taken = Take(node);
  if (old_parent == new_parent && row > old_row) --row;
  Adopt(new_parent, row, std::move(taken));
  bulk_depth_ = saved_bulk;
  Notify([&](OutlineObserver* o) { o->EndMove(); });
}

void Outline::Clear() {
  Notify([](OutlineObserver* o) { o->BeginReset(); });
  top_.clear();
  // The index of an empty forest is known.
  preorder_.clear();
  subtree_end_.clear();
  index_fresh_ = true;
  Notify([](OutlineObserver* o) { o->EndReset(); });
}

void Outline::BeginBulkLoad() {
  if (bulk_depth_++ == 0) {
    for (OutlineObserver* observer : observers_) observer->BeginReset();
  }
}

void Outline::EndBulkLoad() {
  if (--bulk_depth_ == 0) {
    for (OutlineObserver* observer : observers_) observer->EndReset();
  }
}

void Outline::SetTitle(Node* node, std::string title) {
  node->title_ = std::move(title);
  NotifyChanged(node);
}

void Outline::SetIcons(Node* node, int32_t icon, int32_t selected_icon) {
  node->icon_ = icon;
  node->selected_icon_ = selected_icon;
  NotifyChanged(node);
}

void Outline::SetExpanded(Node* node, bool expanded) {
  if (node->expanded_ == expanded) return;
  node->expanded_ = expanded;
  NotifyChanged(node);
}

void Outline::SetData(Node* node, std::unique_ptr<TNodeData> data) {
  node->data_ = std::move(data);
  NotifyChanged(node);
}

void Outline::NotifyChanged(Node* node) {
  Notify([&](OutlineObserver* o) { o->NodeChanged(node); });
}

void Outline::ForEach(const std::function<void(Node*)>& fn) const {
  if (!index_fresh_) RebuildIndex();
  // `fn` may change titles or data, but not the shape.
  for (Node* node : preorder_) fn(node);
}

void Outline::AddObserver(OutlineObserver* observer) { observers_.push_back(observer); }

void Outline::RemoveObserver(OutlineObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace pw
