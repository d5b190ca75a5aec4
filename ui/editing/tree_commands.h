// The tree editing commands bound to the tree editor: add, insert, delete, move, drag and
// drop, merge and split, marks and colours, open and close all; undo and the idle-time
// command states; the node clipboard and the copy-nodes window; templates and characters.
#ifndef PLOTWEAVE_UI_EDITING_TREE_COMMANDS_H_
#define PLOTWEAVE_UI_EDITING_TREE_COMMANDS_H_

#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <memory>

#include "core/outline.h"
#include "editing/character_items.h"
#include "editing/tree_drop.h"

class QEvent;

namespace pw {

class ActionRegistry;
class TFormImportNode;
class TFormUndoDialog;
class TreeEditor;
class WindowContext;
struct WindowControls;

class TreeCommands : public QObject {
 public:
  // Makes the tree editor, the undo dialog and the copy-nodes window; reads the character
  // items.
  explicit TreeCommands(WindowContext& window);
  ~TreeCommands() override;

  void Bind(ActionRegistry& actions);

  // --- tree operations (tree_commands.cpp) ---
  void MenuTreeAddClick();
  void MenuTreeAddChildClick();
  void MenuTreeInsParentClick();
  void MenuTreeInsChildClick();
  void MenuTreeInsCharaClick();
  void MenuTreeInsCharaItemClick();
  void MenuTreeDelClick();
  void MenuTreeUpClick();
  void MenuTreeDownClick();
  void MenuTreeMarkChangeClick();
  void MenuTreeColorClick(int32_t color);  // the six colour commands
  void ToolButtonTreeColorClick();
  void MenuTreeOpenClick();
  void MenuTreeCloseClick();
  void MenuTreeMergeClick();
  void MenuTreeSplitChildClick();
  void MenuTreeSplitClick();
  // The enabled states of the commands that depend on the selected node.
  void UpdateTreeCommands();

  // --- undo, the node clipboard, copy-nodes (tree_clipboard.cpp) ---
  void MenuEditUndoClick();
  void MenuEditCutClick();
  void MenuEditCopyClick();
  void MenuEditPasteClick();
  void MenuEditCopyNodeClick();
  // Captions and enabled states of the editing commands for the focused pane.
  void UpdateCommandStates();

  // --- templates (tree_templates.cpp) ---
  void MenuTreeSaveTemplateClick();
  void MenuTreeInsTemplateClick();
  void OpenRecentTemplate(int index);
  void RebuildTemplateMenu();

  // --- drag and drop inside the tree (tree_drag.cpp) ---
  // At a point in the tree viewport's coordinates (points outside the viewport scroll).
  // Over: whether a drop there is taken.
  DropHit TreeHitAt(const QPoint& pos, Node** target) const;
  bool TreeViewMainDragOver(const QPoint& pos);
  void TreeViewMainDragDrop(const QPoint& pos);
  // The tree viewport's mouse and drag events; true when taken.
  bool TreeDragEvent(QEvent* event);
  // The direction a drag at `pos` scrolls the tree, and whether TimerTree runs; the timer's
  // tick scrolls one step that way.
  void TreeDragAt(const QPoint& pos);
  void TreeDragEnded();
  void TimerTreeTimer();

  TreeEditor& tree_editor() { return *tree_editor_; }
  const Outline& tree_temp() const { return tree_temp_; }
  CharacterItemList& chara_items() { return chara_items_; }
  TFormUndoDialog* FormUndoDialog = nullptr;
  TFormImportNode* FormImportNode = nullptr;

 private:
  void EndNodeCreation(Node* created);
  bool Confirm(const char* question);
  void SplitCommand(bool into_child);
  void InsertFromTemp(bool whole_template);
  void WriteNodesToClipboard(const Outline& scratch);
  QString TemplateDialogPath() const;

  WindowContext& window_;
  const WindowControls& ui_;
  std::unique_ptr<TreeEditor> tree_editor_;
  Outline tree_temp_;  // TreeViewTemp: the subtree being copied, pasted or saved as template
  CharacterItemList chara_items_;
  QString template_path_;
  QPoint drag_press_pos_;
  bool drag_pressed_ = false;
  int scroll_dx_ = 0;
  int scroll_dy_ = 0;
  bool cutting_ = false;
  bool updating_states_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EDITING_TREE_COMMANDS_H_
