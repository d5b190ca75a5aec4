// Tree commands and their undo.
#include "editing/tree_editor.h"

#include "core/node_marks.h"
#include "editing/subtree_copy.h"

namespace pw {
namespace {

int32_t KindOf(const Node* node) { return node->data() != nullptr ? node->data()->Kind : 0; }

bool IsCharacterKind(int32_t kind) { return kind == nkChara || kind == nkCharaItem; }

Node* NextSibling(const Outline& outline, const Node* node) {
  return outline.child(node->parent(), node->row() + 1);
}

Node* PreviousSibling(const Outline& outline, const Node* node) {
  return node->row() == 0 ? nullptr : outline.child(node->parent(), node->row() - 1);
}

}  // namespace

Anchor PlaceOf(const Outline& outline, const Node* node) {
  if (Node* next = NextSibling(outline, node)) return {next, AnchorMode::kInsertBefore};
  return {node->parent(), AnchorMode::kAppend};
}

bool IsInSubtree(const Node* node, const Node* root) {
  for (const Node* n = node; n != nullptr; n = n->parent()) {
    if (n == root) return true;
  }
  return false;
}

TreeEditor::TreeEditor(Outline* outline, DocumentFlags* flags) : outline_(outline), flags_(flags) {
  outline_->AddObserver(this);
}

TreeEditor::~TreeEditor() { outline_->RemoveObserver(this); }

const char* TreeEditor::UndoCaption() const {
  switch (undo_.kind) {
    case UndoRecord::Kind::kDelete:
      return kUndoTreeDeleteCaption;
    case UndoRecord::Kind::kAdd:
      return kUndoTreeAddCaption;
    case UndoRecord::Kind::kMove:
      return kUndoTreeMoveCaption;
    case UndoRecord::Kind::kNone:
      break;
  }
  return kUndoTreeCaption;
}

void TreeEditor::RecordAdd(Node* node) {
  undo_.Clear();
  undo_.kind = UndoRecord::Kind::kAdd;
  undo_.node = node;
  flags_->TreeModified = true;
}

void TreeEditor::BeginRemove(Node* parent, size_t row, size_t count) {
  for (size_t i = row; i < row + count; ++i) {
    const Node* removed = outline_->child(parent, i);
    if ((undo_.node != nullptr && IsInSubtree(undo_.node, removed)) ||
        (undo_.anchor.node != nullptr && IsInSubtree(undo_.anchor.node, removed))) {
      undo_.Clear();
      return;
    }
  }
}

Node* TreeEditor::AddSiblingNode(Node* selected, bool at_end) {
  Node* parent = selected->parent();
  const int32_t kind = parent == nullptr ? nkRoot : nkChild;
  const size_t row = at_end ? SIZE_MAX : selected->row() + 1;
  return outline_->Insert(parent, row, std::string(), NewNodeData(kind), IconFor(kind, ncBlue));
}

Node* TreeEditor::AddChildNode(Node* selected, bool at_end) {
  Node* node = outline_->Insert(selected, at_end ? SIZE_MAX : 0, std::string(),
                                NewNodeData(nkChild), IconFor(nkChild, ncBlue));
  if (selected->parent() != nullptr && !IsCharacterKind(KindOf(selected))) {
    SetParentMark(*outline_, selected);
  }
  outline_->SetExpanded(selected, true);
  return node;
}

Node* TreeEditor::Add(Node* selected) {
  Node* node = AddSiblingNode(selected, true);
  RecordAdd(node);
  return node;
}

Node* TreeEditor::AddChild(Node* selected) {
  Node* node = AddChildNode(selected, true);
  RecordAdd(node);
  return node;
}

Node* TreeEditor::InsertCharacter(Node* selected, const std::vector<std::string>& items) {
  Outline aside;
  Node* chara = aside.Append(nullptr, std::string(), NewNodeData(nkChara), kIconChara);
  for (const std::string& item : items) {
    aside.Append(chara, item, NewNodeData(nkCharaItem), kIconCharaItem);
  }
  aside.SetExpanded(chara, true);
  chara = outline_->Adopt(selected, SIZE_MAX, aside.Take(chara));
  if (selected->parent() != nullptr && !IsCharacterKind(KindOf(selected))) {
    SetParentMark(*outline_, selected);
  }
  outline_->SetExpanded(selected, true);
  RecordAdd(chara);
  return chara;
}

Node* TreeEditor::InsertCharaItem(Node* chara) {
  if (KindOf(chara) != nkChara) return nullptr;
  Node* item = outline_->Append(chara, std::string(), NewNodeData(nkCharaItem), kIconCharaItem);
  outline_->SetExpanded(chara, true);
  RecordAdd(item);
  return item;
}

Node* TreeEditor::InsertTemplate(const Outline& scratch, Node* selected, std::string* message) {
  InsertResult inserted = InsertSubtreeFrom(scratch, outline_, selected);
  if (inserted.node == nullptr) {
    *message = inserted.message;
    return nullptr;
  }
  const size_t first = outline_->AbsoluteIndex(inserted.node);
  const size_t end = first + outline_->SubtreeSize(inserted.node);
  for (size_t i = first; i < end; ++i) outline_->SetExpanded(outline_->NodeAt(i), true);
  RecordAdd(inserted.node);
  return inserted.node;
}

Node* TreeEditor::InsertBefore(Node* selected, int32_t kind) {
  Node* node = outline_->Insert(selected->parent(), selected->row(), std::string(),
                                NewNodeData(kind), IconFor(kind, ncBlue));
  RecordAdd(node);
  return node;
}

Node* TreeEditor::InsertParent(Node* selected) { return InsertBefore(selected, nkParent); }
Node* TreeEditor::InsertChild(Node* selected) { return InsertBefore(selected, nkChild); }

Node* TreeEditor::Delete(Node* selected) {
  if (selected == nullptr || outline_->AbsoluteIndex(selected) == 0) return nullptr;
  Node* parent = selected->parent();
  Node* next = NextSibling(*outline_, selected);
  Node* previous = PreviousSibling(*outline_, selected);
  Anchor anchor;
  if (next != nullptr) {
    anchor = {next, AnchorMode::kInsertBefore};
  } else if (parent == nullptr) {
    anchor = {previous, AnchorMode::kAppend};
  } else {
    anchor = {parent, AnchorMode::kAppend};
  }
  if (parent != nullptr && parent->child_count() == 1 && KindOf(parent) == nkParent) {
    SetChildMark(*outline_, parent);
  }
  CopySubtreeTo(*outline_, selected, &undo_tree_);
  Node* neighbour = next != nullptr ? next : previous != nullptr ? previous : parent;
  undo_.Clear();
  outline_->Remove(selected);
  undo_.kind = UndoRecord::Kind::kDelete;
  undo_.anchor = anchor;
  flags_->TreeModified = true;
  return neighbour;
}

bool TreeEditor::MoveUp(Node* selected) {
  Node* previous = PreviousSibling(*outline_, selected);
  if (previous == nullptr || outline_->AbsoluteIndex(previous) == 0) return false;
  undo_.Clear();
  undo_.kind = UndoRecord::Kind::kMove;
  undo_.node = selected;
  undo_.anchor = PlaceOf(*outline_, selected);
  outline_->Move(selected, selected->parent(), previous->row());
  flags_->TreeModified = true;
  return true;
}

bool TreeEditor::MoveDown(Node* selected) {
  Node* next = NextSibling(*outline_, selected);
  if (next == nullptr || outline_->AbsoluteIndex(selected) == 0) return false;
  undo_.Clear();
  undo_.kind = UndoRecord::Kind::kMove;
  undo_.node = selected;
  undo_.anchor = {next, AnchorMode::kInsertBefore};
  outline_->Move(next, selected->parent(), selected->row());
  flags_->TreeModified = true;
  return true;
}

void TreeEditor::ToggleMark(Node* selected) { pw::ToggleMark(*outline_, selected, *flags_); }

void TreeEditor::SetColor(Node* selected, int32_t color) {
  if (selected->parent() == nullptr || color < ncBlue || color > ncPink) return;
  SetNodeColor(*outline_, selected, color);
  current_color_ = color;
  flags_->TreeModified = true;
}

Node* TreeEditor::SetAllExpanded(bool expanded) {
  outline_->ForEach([this, expanded](Node* node) { outline_->SetExpanded(node, expanded); });
  if (outline_->empty()) return nullptr;
  return expanded ? outline_->NodeAt(outline_->size() - 1) : outline_->NodeAt(0);
}

Node* TreeEditor::RestoreDeletedSubtree(Anchor anchor) {
  const Node* source = undo_tree_.NodeAt(0);
  if (source == nullptr) return nullptr;
  Node* a = anchor.node;
  const bool anchor_top = a == nullptr || a->parent() == nullptr;
  Node* parent = nullptr;
  size_t row = SIZE_MAX;
  if (anchor.mode == AnchorMode::kInsertBefore && a != nullptr) {
    parent = a->parent();
    row = a->row();
  } else if (a != nullptr && !anchor_top) {
    parent = a;
  } else if (a != nullptr && KindOf(source) != nkRoot) {
    parent = a;  // a top-level anchor takes a non-root node as its last child
  }

  auto data = NewNodeData(KindOf(source));
  data->Body =
      source->data() != nullptr && source->data()->Body ? *source->data()->Body : std::string();
  int32_t icon = source->icon();
  int32_t selected_icon = source->selected_icon();
  if (source->icon() == kIconRoot) {
    if (anchor_top) {
      data->Kind = nkRoot;
    } else {
      data->Kind = source->has_children() ? nkParent : nkChild;
    }
    icon = selected_icon = IconFor(data->Kind, ncBlue);
  }
  std::unique_ptr<Node> copy = CopyAside(undo_tree_, source, std::move(data), icon, selected_icon);
  if (parent != nullptr && anchor.mode == AnchorMode::kAppend && !anchor_top &&
      KindOf(parent) == nkChild) {
    SetParentMark(*outline_, parent);
  }
  Node* restored = outline_->Adopt(parent, row, std::move(copy));
  outline_->SetExpanded(restored, true);
  return restored;
}

Node* TreeEditor::UndoMove() {
  Node* node = undo_.node;
  const Anchor target = undo_.anchor;
  if (target.node != nullptr && IsInSubtree(target.node, node)) {
    undo_.Clear();
    return nullptr;
  }
  const Anchor noted = PlaceOf(*outline_, node);
  Node* parent = node->parent();
  if (parent != nullptr && parent->child_count() == 1 && KindOf(parent) == nkParent) {
    SetChildMark(*outline_, parent);
  }
  if (target.mode == AnchorMode::kAppend) {
    if (target.node != nullptr && KindOf(target.node) == nkChild) {
      SetParentMark(*outline_, target.node);
    }
    outline_->Move(node, target.node, SIZE_MAX);
  } else {
    outline_->Move(node, target.node->parent(), target.node->row());
  }
  if (node->parent() == nullptr) {
    SetRootMark(*outline_, node);
  } else if (!IsCharacterKind(KindOf(node))) {
    if (node->has_children()) {
      SetParentMark(*outline_, node);
    } else {
      SetChildMark(*outline_, node);
    }
  }
  undo_.Clear();
  undo_.kind = UndoRecord::Kind::kMove;
  undo_.node = node;
  undo_.anchor = noted;
  return node;
}

Node* TreeEditor::Undo() {
  switch (undo_.kind) {
    case UndoRecord::Kind::kNone:
      return nullptr;
    case UndoRecord::Kind::kDelete: {
      const bool modified = flags_->TreeModified;
      Node* restored = RestoreDeletedSubtree(undo_.anchor);
      if (restored == nullptr) return nullptr;
      undo_.Clear();
      undo_.kind = UndoRecord::Kind::kAdd;
      undo_.node = restored;
      flags_->TreeModified = modified;
      return restored;
    }
    case UndoRecord::Kind::kAdd:
      return Delete(undo_.node);
    case UndoRecord::Kind::kMove: {
      const bool modified = flags_->TreeModified;
      Node* moved = UndoMove();
      flags_->TreeModified = modified;
      return moved;
    }
  }
  return nullptr;
}

}  // namespace pw
