// The copy-nodes window: a read-only tree of another document and its copy and close buttons.
#include "ui/editing/tform_import_node.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"
#include "ui/document/outline_model.h"

namespace pw {

TFormImportNode::TFormImportNode(QWidget* parent,
                                 std::function<void(const Outline&, const Node*)> copied)
    : QWidget(parent, Qt::Window), copied_(std::move(copied)) {
  setObjectName("TFormImportNode");
  setWindowTitle(U8("他のファイルからの取り込み"));
  model_ = new OutlineModel(&outline_, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  TreeViewImport = new QTreeView(this);
  TreeViewImport->setObjectName("TreeViewImport");
  TreeViewImport->setModel(model_);
  TreeViewImport->setHeaderHidden(true);
  TreeViewImport->setIndentation(19);
  TreeViewImport->setUniformRowHeights(true);
  TreeViewImport->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeViewImport->setSelectionMode(QAbstractItemView::SingleSelection);
  TreeViewImport->header()->setStretchLastSection(false);
  TreeViewImport->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  layout->addWidget(TreeViewImport, 1);
  auto* bottom = new QHBoxLayout();
  bottom->setContentsMargins(6, 4, 6, 6);
  bottom->addStretch(1);
  ButtonCopy = new QPushButton(U8("ｺﾋﾟｰ(&C)"), this);
  ButtonCopy->setObjectName("ButtonCopy");
  ButtonCopy->setDefault(true);
  ButtonCopy->setAutoDefault(true);
  ButtonClose = new QPushButton(U8("閉じる"), this);
  ButtonClose->setObjectName("ButtonClose");
  bottom->addWidget(ButtonCopy);
  bottom->addWidget(ButtonClose);
  layout->addLayout(bottom);
  connect(ButtonCopy, &QPushButton::clicked, this, &TFormImportNode::ButtonCopyClick);
  connect(ButtonClose, &QPushButton::clicked, this, &QWidget::hide);
}

TFormImportNode::~TFormImportNode() {
  // The model listens to the outline, which is destroyed before the model (a child widget).
  delete model_;
  model_ = nullptr;
}

void TFormImportNode::ShowLoaded() {
  // The document shows as it was saved: its nodes opened and closed as stored.
  outline_.ForEach([this](Node* node) {
    if (node->expanded() && node->has_children()) {
      TreeViewImport->setExpanded(model_->IndexFromNode(node), true);
    }
  });
  if (outline_.size() > 0) SelectNode(outline_.child(nullptr, 0));
}

Node* TFormImportNode::SelectedNode() const {
  return model_->NodeFromIndex(TreeViewImport->currentIndex());
}

void TFormImportNode::SelectNode(const Node* node) {
  const QModelIndex index = model_->IndexFromNode(node);
  TreeViewImport->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  TreeViewImport->scrollTo(index);
}

void TFormImportNode::ButtonCopyClick() {
  const Node* node = SelectedNode();
  // A top-level node of the other document is not offered.
  if (node == nullptr || node->level() == 0) return;
  if (copied_) copied_(outline_, node);
  hide();
}

void TFormImportNode::keyPressEvent(QKeyEvent* event) {
  // The close button is the cancel button.
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    ButtonCopyClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace pw
