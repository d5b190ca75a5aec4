// The hand-over between the outline and the panes: the node being left is stored, the node
// arriving is loaded into the title and body panes. Also the title pane and the caption
// following each other, keys between the panes, navigation and back, the status bar and the
// split direction.
#ifndef PLOTWEAVE_UI_DOCUMENT_NODE_PANES_H_
#define PLOTWEAVE_UI_DOCUMENT_NODE_PANES_H_

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "core/outline.h"

class QKeyEvent;
class QWidget;

namespace pw {

class ActionRegistry;
class WindowContext;
struct WindowControls;

class NodePanes : public QObject, public OutlineObserver {
 public:
  explicit NodePanes(WindowContext& window);
  ~NodePanes() override;

  // Listens to the panes and the tree (once, after the window made them).
  void Connect();
  void Bind(ActionRegistry& actions);

  // --- the hand-over ---
  Node* current_node() const { return current_; }
  Node* previous_node() const { return previous_node_; }
  Node* SelectedNode() const;
  void SelectNode(Node* node);
  void StoreBody(Node* node);
  void StoreCurrentNode();
  void LoadBody(Node* node);
  void ClearBodyPane();
  // Runs `change`, which replaces the whole tree, with the hand-over off: the current node is
  // dropped without being stored and the selection changes on the way are not followed.
  void ReplaceTree(const std::function<void()>& change);
  // The body pane no longer belongs to the current node (its body moved elsewhere): the next
  // selection change does not store it back.
  void DropCurrentNode() { current_ = nullptr; }
  // After a new, opened or imported document: no previous place to go back to.
  void ForgetPreviousPlace();
  // The panes hold what the node holds.
  void SetUnmodified();
  // At closing: the stored current node is shown again, the caret where it was.
  void ShowStoredCurrentNode();
  // True while the hand-over runs or the tree is being replaced.
  bool changing() const { return clearing_ || busy_; }

  // --- what the settings decide ---
  void ApplyFonts();
  // The split direction and the tree's extent as the settings hold them.
  void ApplySplitSettings(bool enforce_minimum);
  void LaySplitDirection(bool side_by_side, bool enforce_minimum);

  // --- the title, keys, the status bar ---
  // Shift+Enter: the title from the body's first line when the title pane is empty.
  void TitleFromBody();
  void CaptionEdited(Node* node, const QString& text);
  bool TreeKeyPress(QKeyEvent* event);
  bool TitleKeyPress(QKeyEvent* event);
  bool BodyKeyPress(QKeyEvent* event);
  void UpdateStatusBar();

  // --- commands ---
  void MenuEditBackClick();
  void MenuEditSelectAllClick();
  void MenuEditUpClick();
  void MenuEditDownClick();
  void MenuEditUpVisibleClick();
  void MenuEditDownVisibleClick();
  void MenuEditSplitChangeClick();
  void MenuMoveTreeClick();
  void MenuMoveTitleClick();
  void MenuMoveEditClick();

 protected:
  // OutlineObserver: keeps the current node and the previous place away from removed nodes.
  void BeginInsert(Node*, size_t, size_t) override {}
  void EndInsert() override {}
  void BeginRemove(Node* parent, size_t row, size_t count) override;
  void EndRemove() override {}
  void BeginMove(Node*, size_t, Node*, size_t) override {}
  void EndMove() override {}
  void BeginReset() override;
  void EndReset() override {}
  void NodeChanged(Node* node) override;

 private:
  void TreeViewMainChange(Node* node);
  void MemoTitleChange();
  QString CheckedTitle(const QString& text, std::string* bytes);
  void TrimTitle(Node* node);
  void PaneFocusChanged(QWidget* now);
  void ShowCaretPosition();

  WindowContext& window_;
  const WindowControls& ui_;
  Node* current_ = nullptr;
  Node* previous_node_ = nullptr;
  int previous_caret_ = 0;
  bool busy_ = false;
  bool clearing_ = false;
  bool select_all_running_ = false;
  bool title_updating_ = false;
  int tree_width_beside_;
  int tree_height_above_ = 0;  // 0: not chosen yet in this run
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_DOCUMENT_NODE_PANES_H_
