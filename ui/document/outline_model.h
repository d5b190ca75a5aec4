// The Qt item model over a core Outline: one column, titles converted from CP932, icons from
// the tree image list. It follows the outline through OutlineObserver; the outline stays the
// only owner of the nodes.
#ifndef PLOTWEAVE_UI_DOCUMENT_OUTLINE_MODEL_H_
#define PLOTWEAVE_UI_DOCUMENT_OUTLINE_MODEL_H_

#include <QAbstractItemModel>
#include <functional>

#include "core/outline.h"

namespace pw {

class OutlineModel : public QAbstractItemModel, public OutlineObserver {
  Q_OBJECT

 public:
  explicit OutlineModel(Outline* outline, QObject* parent = nullptr);
  ~OutlineModel() override;

  Node* NodeFromIndex(const QModelIndex& index) const;
  QModelIndex IndexFromNode(const Node* node) const;
  Outline* outline() const { return outline_; }

  // Called with the text of a finished in-place caption edit; the window decides what the
  // caption becomes. Without a handler the edit is refused.
  void SetCaptionEditHandler(std::function<void(Node*, const QString&)> handler) {
    caption_edit_handler_ = std::move(handler);
  }

  QModelIndex index(int row, int column, const QModelIndex& parent) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  bool hasChildren(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // OutlineObserver
  void BeginInsert(Node* parent, size_t row, size_t count) override;
  void EndInsert() override;
  void BeginRemove(Node* parent, size_t row, size_t count) override;
  void EndRemove() override;
  void BeginMove(Node* from_parent, size_t from_row, Node* to_parent, size_t to_row) override;
  void EndMove() override;
  void BeginReset() override;
  void EndReset() override;
  void NodeChanged(Node* node) override;

 private:
  Outline* outline_;
  std::function<void(Node*, const QString&)> caption_edit_handler_;
  bool move_started_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_DOCUMENT_OUTLINE_MODEL_H_
