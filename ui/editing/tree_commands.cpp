// The tree commands bound to the tree editor: add, insert, delete, move, marks and colours,
// open and close all, merge and split, characters; the tree command states.
#include "ui/editing/tree_commands.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

#include "core/document_flags.h"
#include "core/node_marks.h"
#include "editing/body_transfer.h"
#include "editing/subtree_copy.h"
#include "editing/tree_editor.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_context.h"
#include "ui/document/node_panes.h"
#include "ui/document/outline_model.h"
#include "ui/editing/tform_import_node.h"
#include "ui/editing/tform_undo_dialog.h"
#include "ui/editing/tree_command_states.h"

namespace pw {
namespace {

// The Unicode characters of a block's text before a UTF-16 position.
size_t CodePointsBefore(const QString& text, int position) {
  size_t count = 0;
  for (int i = 0; i < position && i < text.size(); ++i) {
    if (!text[i].isLowSurrogate()) ++count;
  }
  return count;
}

}  // namespace

TreeCommands::TreeCommands(WindowContext& window)
    : window_(window),
      ui_(window.controls()),
      tree_editor_(std::make_unique<TreeEditor>(&window.outline(), &window.flags())) {
  QWidget* parent = window_.dialog_parent();
  FormUndoDialog = new TFormUndoDialog(&window_.settings().UndoDialog, parent);
  FormImportNode = new TFormImportNode(parent, [this](const Outline& from, const Node* node) {
    CopySubtreeTo(from, node, &tree_temp_);
    WriteNodesToClipboard(tree_temp_);
    window_.dialogs().Message(
        window_.dialog_parent(), U8("Plotweave"),
        QStringLiteral("[") + FromCp932(node->title()) + U8("] をコピーしました"));
  });
  // A missing list file keeps the built-in items.
  chara_items_.LoadFile(ProgramPathWithExtension(".CHR"));
}

TreeCommands::~TreeCommands() = default;

void TreeCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuTreeAdd", this, &TreeCommands::MenuTreeAddClick);
  actions.Bind("MenuTreeAddChild", this, &TreeCommands::MenuTreeAddChildClick);
  actions.Bind("MenuTreeInsParent", this, &TreeCommands::MenuTreeInsParentClick);
  actions.Bind("MenuTreeInsChild", this, &TreeCommands::MenuTreeInsChildClick);
  actions.Bind("MenuTreeDel", this, &TreeCommands::MenuTreeDelClick);
  actions.Bind("MenuTreeUp", this, &TreeCommands::MenuTreeUpClick);
  actions.Bind("MenuTreeDown", this, &TreeCommands::MenuTreeDownClick);
  actions.Bind("MenuTreeMarkChange", this, &TreeCommands::MenuTreeMarkChangeClick);
  actions.Bind("MenuTreeOpen", this, &TreeCommands::MenuTreeOpenClick);
  actions.Bind("MenuTreeClose", this, &TreeCommands::MenuTreeCloseClick);
  actions.Bind("MenuTreeMerge", this, &TreeCommands::MenuTreeMergeClick);
  actions.Bind("MenuTreeSplitChild", this, &TreeCommands::MenuTreeSplitChildClick);
  actions.Bind("MenuTreeSplit", this, &TreeCommands::MenuTreeSplitClick);
  actions.Bind("MenuEditUndo", this, &TreeCommands::MenuEditUndoClick);
  actions.Bind("MenuEditCut", this, &TreeCommands::MenuEditCutClick);
  actions.Bind("MenuEditCopy", this, &TreeCommands::MenuEditCopyClick);
  actions.Bind("MenuEditPaste", this, &TreeCommands::MenuEditPasteClick);
  actions.Bind("MenuEditInsert", this, &TreeCommands::MenuEditPasteClick);
  actions.Bind("MenuEditCopyNode", this, &TreeCommands::MenuEditCopyNodeClick);
  actions.Bind("MenuTreeSaveTemplate", this, &TreeCommands::MenuTreeSaveTemplateClick);
  actions.Bind("MenuTreeInsTemplate", this, &TreeCommands::MenuTreeInsTemplateClick);
  actions.Bind("MenuTreeInsChara", this, &TreeCommands::MenuTreeInsCharaClick);
  actions.Bind("MenuTreeInsCharaItem", this, &TreeCommands::MenuTreeInsCharaItemClick);
  const char* const colors[6] = {"MenuTreeColorBlue",   "MenuTreeColorBrown",  "MenuTreeColorGreen",
                                 "MenuTreeColorOrange", "MenuTreeColorParple", "MenuTreeColorPink"};
  for (int32_t color = 1; color <= 6; ++color) {
    connect(actions.Action(QString::fromLatin1(colors[color - 1])), &QAction::triggered, this,
            [this, color] { MenuTreeColorClick(color); });
  }
  // The colour tool button applies the current colour; its drop-down holds the six colours.
  if (QAction* button = actions.Action("ToolButtonTreeColor")) {
    disconnect(button, &QAction::triggered, nullptr, nullptr);
    connect(button, &QAction::triggered, this, &TreeCommands::ToolButtonTreeColorClick);
  }

  for (QMenu* popup : {ui_.PopupMenuTree, ui_.PopupMenuTitle, ui_.PopupMenuEdit}) {
    connect(popup, &QMenu::aboutToShow, this, &TreeCommands::UpdateCommandStates);
  }
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
            &TreeCommands::UpdateCommandStates);
  }

  connect(ui_.TimerTree, &QTimer::timeout, this, &TreeCommands::TimerTreeTimer);
  ui_.TreeViewMain->setAcceptDrops(true);
  ui_.TreeViewMain->viewport()->setAcceptDrops(true);
}

// --- node creation and the common ending ---

void TreeCommands::EndNodeCreation(Node* created) {
  if (created == nullptr) return;
  window_.SelectNode(created);
  // The new node's text starts in the configured body font.
  QTextCharFormat format;
  format.setFont(ui_.RichEditMain->document()->defaultFont());
  ui_.RichEditMain->setCurrentCharFormat(format);
  ui_.MemoTitle->setFocus();
  window_.flags().TreeModified = true;
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeAddClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->Add(s));
}

void TreeCommands::MenuTreeAddChildClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->AddChild(s));
}

void TreeCommands::MenuTreeInsParentClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr || s->level() == 0) return;
  EndNodeCreation(tree_editor_->InsertParent(s));
}

void TreeCommands::MenuTreeInsChildClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr || s->level() == 0) return;
  EndNodeCreation(tree_editor_->InsertChild(s));
}

void TreeCommands::MenuTreeInsCharaClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->InsertCharacter(s, chara_items_.items()));
}

void TreeCommands::MenuTreeInsCharaItemClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->InsertCharaItem(s));
}

// --- delete, move, marks, colours, open and close all ---

void TreeCommands::MenuTreeDelClick() {
  window_.StoreCurrentNode();
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  Node* next = tree_editor_->Delete(s);
  if (next != nullptr) window_.SelectNode(next);
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeUpClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  if (tree_editor_->MoveUp(s)) ui_.TreeViewMain->scrollTo(window_.model()->IndexFromNode(s));
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeDownClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  if (tree_editor_->MoveDown(s)) ui_.TreeViewMain->scrollTo(window_.model()->IndexFromNode(s));
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeMarkChangeClick() {
  if (Node* s = window_.SelectedNode()) tree_editor_->ToggleMark(s);
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeColorClick(int32_t color) {
  if (Node* s = window_.SelectedNode()) tree_editor_->SetColor(s, color);
  UpdateTreeCommands();
}

void TreeCommands::ToolButtonTreeColorClick() {
  if (Node* s = window_.SelectedNode()) tree_editor_->ApplyCurrentColor(s);
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeOpenClick() {
  if (window_.outline().empty()) return;
  window_.SelectNode(window_.outline().NodeAt(0));
  window_.SelectNode(tree_editor_->SetAllExpanded(true));
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeCloseClick() {
  if (window_.outline().empty()) return;
  window_.SelectNode(window_.outline().NodeAt(0));
  window_.SelectNode(tree_editor_->SetAllExpanded(false));
  UpdateTreeCommands();
}

// --- merge and split ---

bool TreeCommands::Confirm(const char* question) {
  if (!window_.settings().UndoDialog) return true;
  return FormUndoDialog->AskGoOn(U8(question));
}

void TreeCommands::MenuTreeMergeClick() {
  Node* s = window_.SelectedNode();
  if (s == nullptr || !CanMerge(s)) return;
  if (!Confirm(kMergeQuestion)) return;
  window_.StoreCurrentNode();
  Node* parent = s->parent();
  // The merged node's pane is not stored again: its body now lives in the parent.
  window_.panes().DropCurrentNode();
  window_.panes().ClearBodyPane();
  Node* merged = MergeIntoParent(tree_editor_.get(), &window_.outline(), s);
  if (merged == nullptr) merged = parent;
  window_.panes().DropCurrentNode();
  window_.SelectNode(merged);
  ui_.RichEditMain->moveCursor(QTextCursor::End);
  window_.flags().TreeModified = true;
  UpdateTreeCommands();
}

void TreeCommands::SplitCommand(bool into_child) {
  Node* s = window_.SelectedNode();
  if (s == nullptr || !CanSplit(s)) return;
  if (!Confirm(kSplitQuestion)) return;
  const QTextCursor cursor = ui_.RichEditMain->textCursor();
  rich::TextPosition caret;
  caret.paragraph = static_cast<size_t>(cursor.blockNumber());
  caret.offset = CodePointsBefore(cursor.block().text(), cursor.positionInBlock());
  window_.StoreCurrentNode();
  Node* created = SplitNode(tree_editor_.get(), s, caret, into_child);
  if (created == nullptr) return;
  // The pane still shows the whole body; the stored, shortened one must not be overwritten.
  window_.panes().DropCurrentNode();
  window_.SelectNode(created);
  QTextCharFormat format;
  format.setFont(ui_.RichEditMain->document()->defaultFont());
  ui_.RichEditMain->setCurrentCharFormat(format);
  ui_.RichEditMain->moveCursor(QTextCursor::Start);
  ui_.MemoTitle->setFocus();
  window_.flags().TreeModified = true;
  UpdateTreeCommands();
}

void TreeCommands::MenuTreeSplitChildClick() { SplitCommand(true); }
void TreeCommands::MenuTreeSplitClick() { SplitCommand(false); }

// --- the command states ---

void TreeCommands::UpdateTreeCommands() {
  ActionRegistry& actions = window_.action_registry();
  const TreeCommandStates s = ComputeTreeCommandStates(window_.outline(), window_.SelectedNode());
  actions.SetEnabled("MenuTreeAdd", s.add);
  actions.SetEnabled("MenuTreeAddChild", s.add_child);
  actions.SetEnabled("MenuTreeInsParent", s.ins_parent_child);
  actions.SetEnabled("MenuTreeInsChild", s.ins_parent_child);
  actions.SetEnabled("MenuTreeInsCharaItem", s.ins_chara_item);
  actions.SetEnabled("MenuTreeUp", s.up);
  actions.SetEnabled("MenuTreeDown", s.down);
  actions.SetEnabled("MenuTreeMarkChange", s.mark_change);
  actions.SetEnabled("MenuTreeColor", s.color);
  actions.SetEnabled("MenuTreeDel", s.del);
  actions.SetEnabled("MenuTreeMerge", s.merge);
  actions.SetEnabled("MenuTreeSplitChild", s.split);
  actions.SetEnabled("MenuTreeSplit", s.split);
  actions.SetEnabled("MenuTreeSaveTemplate", s.save_template);
  actions.SetEnabled("MenuEditUp", s.edit_up);
  actions.SetEnabled("MenuEditDown", s.edit_down);
  const QModelIndex current = ui_.TreeViewMain->currentIndex();
  actions.SetEnabled("MenuEditUpVisible",
                     current.isValid() && ui_.TreeViewMain->indexAbove(current).isValid());
  actions.SetEnabled("MenuEditDownVisible",
                     current.isValid() && ui_.TreeViewMain->indexBelow(current).isValid());
}

}  // namespace pw
