// The window that shows the tree of another document and copies one of its subtrees onto the
// node clipboard, from where the ordinary paste inserts it.
#ifndef PLOTWEAVE_UI_EDITING_TFORM_IMPORT_NODE_H_
#define PLOTWEAVE_UI_EDITING_TFORM_IMPORT_NODE_H_

#include <QWidget>
#include <functional>

#include "core/outline.h"

class QPushButton;
class QTreeView;

namespace pw {

class OutlineModel;

class TFormImportNode : public QWidget {
  Q_OBJECT

 public:
  // `copied` is told the subtree to put on the clipboard and its title.
  TFormImportNode(QWidget* parent, std::function<void(const Outline&, const Node*)> copied);
  ~TFormImportNode() override;

  Outline& import_outline() { return outline_; }
  // After a document was read into import_outline(): the tree shows it and its first node is
  // selected.
  void ShowLoaded();
  Node* SelectedNode() const;
  void SelectNode(const Node* node);

  void ButtonCopyClick();

  QTreeView* TreeViewImport = nullptr;
  QPushButton* ButtonCopy = nullptr;
  QPushButton* ButtonClose = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Outline outline_;
  OutlineModel* model_ = nullptr;
  std::function<void(const Outline&, const Node*)> copied_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EDITING_TFORM_IMPORT_NODE_H_
