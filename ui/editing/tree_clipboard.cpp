// Undo and the idle-time command states of the editing commands; cut, copy and paste of nodes
// through the node clipboard (or of text in the focused pane); the copy-nodes window.
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTextEdit>
#include <QTreeView>

#include "core/document_flags.h"
#include "core/outline_file.h"
#include "editing/node_clipboard.h"
#include "editing/subtree_copy.h"
#include "editing/tree_editor.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_context.h"
#include "ui/document/document_commands.h"
#include "ui/document/node_panes.h"
#include "ui/editing/node_clipboard_qt.h"
#include "ui/editing/tform_import_node.h"
#include "ui/editing/tree_commands.h"

namespace pw {
namespace {

constexpr char kImportReadFailed[] = "読み込みに失敗しました";
constexpr char kTitleUndo[] = "ﾀｲﾄﾙを元に戻す(&U)";
constexpr char kEditUndo[] = "ｴﾃﾞｨｯﾄを元に戻す(&U)";
constexpr char kLabelUndo[] = "ﾂﾘｰを元に戻す(&U) ﾃｷｽﾄ";

QLineEdit* LabelEditor(QTreeView* tree, QWidget* focus) {
  if (focus == nullptr || focus == tree || !tree->isAncestorOf(focus)) return nullptr;
  return qobject_cast<QLineEdit*>(focus);
}

}  // namespace

// --- undo and the command states ---

void TreeCommands::MenuEditUndoClick() {
  window_.SetBarsEnabled(false);
  QWidget* focus = window_.dialog_parent()->focusWidget();
  if (focus == ui_.RichEditMain) {
    ui_.RichEditMain->undo();
  } else if (focus == ui_.MemoTitle) {
    ui_.MemoTitle->undo();
  } else if (QLineEdit* label = LabelEditor(ui_.TreeViewMain, focus)) {
    label->undo();
  } else {
    const bool go_on =
        tree_editor_->undo_record().kind != UndoRecord::Kind::kAdd || Confirm(kUndoAddQuestion);
    if (go_on) {
      window_.StoreCurrentNode();
      Node* node = tree_editor_->Undo();
      if (node != nullptr) window_.SelectNode(node);
    }
    UpdateTreeCommands();
  }
  window_.SetBarsEnabled(true);
  UpdateCommandStates();
}

void TreeCommands::UpdateCommandStates() {
  if (updating_states_ || tree_editor_ == nullptr || window_.panes().changing()) return;
  updating_states_ = true;
  QWidget* focus = window_.dialog_parent()->focusWidget();
  const bool title = focus == ui_.MemoTitle;
  const bool body = focus == ui_.RichEditMain;
  QLineEdit* label = LabelEditor(ui_.TreeViewMain, focus);
  QString undo_caption;
  bool undo_enabled = false;
  bool cut_copy = false;
  bool paste = false;
  if (body) {
    undo_caption = U8(kEditUndo);
    undo_enabled = ui_.RichEditMain->document()->isModified();
    cut_copy = ui_.RichEditMain->textCursor().hasSelection();
    paste = ClipboardHasText();
  } else if (title) {
    undo_caption = U8(kTitleUndo);
    undo_enabled = ui_.MemoTitle->isUndoAvailable();
    cut_copy = ui_.MemoTitle->hasSelectedText();
    paste = ClipboardHasText();
  } else {
    Node* selected = window_.SelectedNode();
    const bool label_text = label != nullptr && ClipboardHasText();
    if (label != nullptr) {
      undo_caption = U8(kLabelUndo);
      undo_enabled = label->isUndoAvailable();
    } else {
      undo_caption = U8(tree_editor_->UndoCaption());
      undo_enabled = tree_editor_->undo_record().kind != UndoRecord::Kind::kNone;
    }
    cut_copy =
        (selected != nullptr && window_.outline().AbsoluteIndex(selected) != 0) || label_text;
    const bool standard = ClipboardHasFormat(kStandardNodeFormat);
    const bool items = ClipboardHasFormat(kCharaItemNodeFormat);
    const bool on_chara = selected != nullptr && selected->icon() == kIconChara;
    if (!standard && !items) {
      paste = label_text;
    } else if (items && !standard && !on_chara) {
      paste = label_text;
    } else {
      paste = true;
    }
  }
  QAction* undo = window_.action_registry().Action("MenuEditUndo");
  if (undo->text() != undo_caption) undo->setText(undo_caption);
  if (QAction* item = window_.action_registry().Action("PopupTreeUndo");
      item != nullptr && item->text() != undo_caption) {
    item->setText(undo_caption);
  }
  window_.action_registry().SetEnabled("MenuEditUndo", undo_enabled);
  for (const char* name : {"MenuEditCut", "MenuEditCopy"})
    window_.action_registry().SetEnabled(name, cut_copy);
  window_.action_registry().SetEnabled("MenuEditPaste", paste);
  window_.action_registry().SetEnabled("MenuEditInsert", paste);
  window_.action_registry().SetEnabled("MenuEditSelectAll", title || body);
  window_.action_registry().SetEnabled("MenuEditDay", title || body);
  window_.action_registry().SetEnabled("MenuTextFont", body);
  window_.action_registry().SetEnabled("MenuTextLink",
                                       body && ui_.RichEditMain->textCursor().hasSelection());
  window_.action_registry().SetEnabled("ToolTextStyle", body);
  // The caret's line and column follow the caret itself (cursorPositionChanged); walking the
  // body on every idle turn would cost a large body dearly.
  updating_states_ = false;
}

// --- node clipboard ---

void TreeCommands::WriteNodesToClipboard(const Outline& scratch) { WriteNodeClipboard(scratch); }

void TreeCommands::MenuEditCopyClick() {
  QWidget* focus = window_.dialog_parent()->focusWidget();
  if (focus == ui_.RichEditMain) {
    ui_.RichEditMain->copy();
    return;
  }
  if (focus == ui_.MemoTitle) {
    ui_.MemoTitle->copy();
    return;
  }
  window_.StoreCurrentNode();
  if (QLineEdit* label = LabelEditor(ui_.TreeViewMain, focus)) {
    label->copy();
    return;
  }
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  CopySubtreeTo(window_.outline(), s, &tree_temp_);
  WriteNodesToClipboard(tree_temp_);
}

void TreeCommands::MenuEditCutClick() {
  QWidget* focus = window_.dialog_parent()->focusWidget();
  if (focus == ui_.RichEditMain) {
    ui_.RichEditMain->cut();
    return;
  }
  if (focus == ui_.MemoTitle) {
    ui_.MemoTitle->cut();
    return;
  }
  if (cutting_) return;
  cutting_ = true;
  Node* s = window_.SelectedNode();
  if (s != nullptr && window_.outline().AbsoluteIndex(s) != 0) {
    window_.StoreCurrentNode();
    if (QLineEdit* label = LabelEditor(ui_.TreeViewMain, focus)) {
      label->cut();
    } else {
      CopySubtreeTo(window_.outline(), s, &tree_temp_);
      WriteNodesToClipboard(tree_temp_);
      // Delete keeps the subtree for undo, so a cut comes back with the undo command.
      Node* next = tree_editor_->Delete(s);
      if (next != nullptr) window_.SelectNode(next);
      window_.flags().TreeModified = true;
      UpdateTreeCommands();
    }
  }
  cutting_ = false;
}

void TreeCommands::MenuEditPasteClick() {
  QWidget* focus = window_.dialog_parent()->focusWidget();
  if (focus == ui_.RichEditMain) {
    ui_.RichEditMain->paste();
    return;
  }
  if (focus == ui_.MemoTitle) {
    ui_.MemoTitle->paste();
    // The title stays one line: breaks are removed, not replaced.
    QString text = ui_.MemoTitle->text();
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
      const int caret = ui_.MemoTitle->cursorPosition();
      text.remove(QLatin1Char('\r'));
      text.remove(QLatin1Char('\n'));
      ui_.MemoTitle->setText(text);
      ui_.MemoTitle->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
      ui_.MemoTitle->setModified(true);
    }
    return;
  }
  if (QLineEdit* label = LabelEditor(ui_.TreeViewMain, focus)) {
    label->paste();
    return;
  }
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  window_.StoreCurrentNode();
  const Status read = ReadNodeClipboard(PasteFormatFor(s), &tree_temp_);
  if (!read) {
    // Whatever another program put there under our name, nothing is inserted.
    ui_.StatusPanels[0]->setText(U8(read.message.c_str()));
    return;
  }
  InsertFromTemp(false);
}

void TreeCommands::InsertFromTemp(bool whole_template) {
  Node* s = window_.SelectedNode();
  if (s == nullptr || tree_temp_.empty()) return;
  Node* inserted = nullptr;
  std::string message;
  if (whole_template) {
    inserted = tree_editor_->InsertTemplate(tree_temp_, s, &message);
  } else {
    InsertResult result = InsertSubtreeFrom(tree_temp_, &window_.outline(), s);
    inserted = result.node;
    message = std::move(result.message);
    if (inserted != nullptr) tree_editor_->RecordAdd(inserted);
  }
  if (inserted == nullptr) {
    if (!message.empty()) {
      window_.dialogs().Message(window_.dialog_parent(), U8(kCharaItemPlacementCaption),
                                U8(message.c_str()), DialogIcon::kWarning);
    }
    return;
  }
  window_.outline().SetExpanded(s, true);
  window_.SelectNode(inserted);
  window_.flags().TreeModified = true;
  UpdateTreeCommands();
}

void TreeCommands::MenuEditCopyNodeClick() {
  window_.StoreCurrentNode();
  FileDialogRequest request;
  request.title = U8("他のﾌｧｲﾙから取り込み");
  request.filter = U8("Plotweaveﾌｧｲﾙ (*.PWV *.pwv)");
  request.default_suffix = QStringLiteral("PWV");
  const QString& name = window_.document().document_name();
  const QFileInfo info(name);
  request.proposed = QFileInfo(info.path()).isDir()
                         ? name
                         : QString::fromStdString(ProgramFolderFile(info.fileName().toStdString()));
  request.must_exist = true;
  if (FormImportNode->isVisible()) {
    FormImportNode->raise();
    FormImportNode->activateWindow();
    return;
  }
  const std::optional<QString> chosen =
      window_.dialogs().OpenFileName(window_.dialog_parent(), request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().toUpper() != QLatin1String("PWV")) {
    window_.ShowMessage(kInvalidNameMessage);
  } else {
    const ReadResult result = ReadOutlineFile(LocalPath(*chosen), ReadTarget::kImportTree,
                                              &FormImportNode->import_outline());
    if (result.status) {
      FormImportNode->setWindowTitle(*chosen);
      FormImportNode->ShowLoaded();
    } else {
      window_.ShowMessage(kImportReadFailed);
    }
  }
  // Laid over the right-hand panes.
  QWidget* window = window_.dialog_parent();
  const QRect frame = window->geometry();
  const int offset = ui_.SplitterMain->widget(1)->mapTo(window, QPoint(0, 0)).x();
  FormImportNode->setGeometry(frame.left() + offset, frame.top(),
                              std::max(100, frame.width() - offset), frame.height());
  FormImportNode->show();
  FormImportNode->raise();
}

}  // namespace pw
