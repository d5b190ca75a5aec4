// The item model adapter. Node pointers are the indexes' internal pointers; rows come from
// the nodes themselves, so no mapping table has to be kept in step.
#include "ui/document/outline_model.h"

#include "ui/common/qt_text.h"
#include "ui/common/tree_icons.h"

namespace pw {

OutlineModel::OutlineModel(Outline* outline, QObject* parent)
    : QAbstractItemModel(parent), outline_(outline) {
  outline_->AddObserver(this);
}

OutlineModel::~OutlineModel() { outline_->RemoveObserver(this); }

Node* OutlineModel::NodeFromIndex(const QModelIndex& index) const {
  if (!index.isValid()) return nullptr;
  return static_cast<Node*>(index.internalPointer());
}

QModelIndex OutlineModel::IndexFromNode(const Node* node) const {
  if (node == nullptr) return {};
  return createIndex(static_cast<int>(node->row()), 0, const_cast<Node*>(node));
}

QModelIndex OutlineModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0) return {};
  Node* parent_node = NodeFromIndex(parent);
  Node* node = outline_->child(parent_node, static_cast<size_t>(row));
  if (node == nullptr) return {};
  return createIndex(row, 0, node);
}

QModelIndex OutlineModel::parent(const QModelIndex& child) const {
  Node* node = NodeFromIndex(child);
  if (node == nullptr) return {};
  return IndexFromNode(node->parent());
}

int OutlineModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0) return 0;
  return static_cast<int>(outline_->child_count(NodeFromIndex(parent)));
}

int OutlineModel::columnCount(const QModelIndex&) const { return 1; }

bool OutlineModel::hasChildren(const QModelIndex& parent) const {
  return outline_->child_count(NodeFromIndex(parent)) > 0;
}

QVariant OutlineModel::data(const QModelIndex& index, int role) const {
  Node* node = NodeFromIndex(index);
  if (node == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return FromCp932(node->title());
    case Qt::DecorationRole:
      return TreeIcons::Instance().Icon(node->icon());
    default:
      return {};
  }
}

bool OutlineModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  Node* node = NodeFromIndex(index);
  if (node == nullptr || role != Qt::EditRole || !caption_edit_handler_) return false;
  caption_edit_handler_(node, value.toString());
  return true;
}

Qt::ItemFlags OutlineModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void OutlineModel::BeginInsert(Node* parent, size_t row, size_t count) {
  beginInsertRows(IndexFromNode(parent), static_cast<int>(row), static_cast<int>(row + count - 1));
}

void OutlineModel::EndInsert() { endInsertRows(); }

void OutlineModel::BeginRemove(Node* parent, size_t row, size_t count) {
  beginRemoveRows(IndexFromNode(parent), static_cast<int>(row), static_cast<int>(row + count - 1));
}

void OutlineModel::EndRemove() { endRemoveRows(); }

void OutlineModel::BeginMove(Node* from_parent, size_t from_row, Node* to_parent, size_t to_row) {
  // Qt refuses moves that leave the row where it is; the outline then changes nothing either.
  move_started_ =
      beginMoveRows(IndexFromNode(from_parent), static_cast<int>(from_row),
                    static_cast<int>(from_row), IndexFromNode(to_parent), static_cast<int>(to_row));
}

void OutlineModel::EndMove() {
  if (move_started_) endMoveRows();
  move_started_ = false;
}

void OutlineModel::BeginReset() { beginResetModel(); }

void OutlineModel::EndReset() { endResetModel(); }

void OutlineModel::NodeChanged(Node* node) {
  const QModelIndex index = IndexFromNode(node);
  emit dataChanged(index, index);
}

}  // namespace pw
