// The tree commands of the main window bound to the tree editor: add, insert, delete, move,
// drag and drop, merge and split, marks and colours, open and close all; undo and the
// idle-time command states; the node clipboard and the copy-nodes window; templates and
// characters.
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragMoveEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeView>

#include "core/node_marks.h"
#include "core/outline_file.h"
#include "editing/body_transfer.h"
#include "editing/node_clipboard.h"
#include "editing/subtree_copy.h"
#include "editing/templates.h"
#include "editing/tree_editor.h"
#include "platform/paths.h"
#include "ui/common/qt_text.h"
#include "ui/document/outline_model.h"
#include "ui/editing/node_clipboard_qt.h"
#include "ui/editing/tform_import_node.h"
#include "ui/editing/tform_undo_dialog.h"
#include "ui/tform_main.h"

namespace pw {
namespace {

// A drag inside the tree carries only this marker: the dragged node is the selected one.
constexpr char kTreeDragFormat[] = "application/x-plotweave-tree-node";

constexpr char kImportReadFailed[] = "読み込みに失敗しました";
constexpr char kTitleUndo[] = "ﾀｲﾄﾙを元に戻す(&U)";
constexpr char kEditUndo[] = "ｴﾃﾞｨｯﾄを元に戻す(&U)";
constexpr char kLabelUndo[] = "ﾂﾘｰを元に戻す(&U) ﾃｷｽﾄ";

// The Unicode characters of a block's text before a UTF-16 position.
size_t CodePointsBefore(const QString& text, int position) {
  size_t count = 0;
  for (int i = 0; i < position && i < text.size(); ++i) {
    if (!text[i].isLowSurrogate()) ++count;
  }
  return count;
}

}  // namespace

void TFormMain::ConnectTreeCommands() {
  tree_editor_ = std::make_unique<TreeEditor>(&outline_, &flags_);
  FormUndoDialog = new TFormUndoDialog(&settings_.UndoDialog, this);
  FormImportNode = new TFormImportNode(this, [this](const Outline& from, const Node* node) {
    CopySubtreeTo(from, node, &tree_temp_);
    WriteNodesToClipboard(tree_temp_);
    dialogs_->Message(this, U8("Plotweave"),
                      QStringLiteral("[") + FromCp932(node->title()) + U8("] をコピーしました"));
  });
  // A missing list file keeps the built-in items.
  chara_items_.LoadFile(ProgramPathWithExtension(".CHR"));

  const auto bind = [this](const char* name, void (TFormMain::*handler)()) {
    connect(Action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
  };
  bind("MenuTreeAdd", &TFormMain::MenuTreeAddClick);
  bind("MenuTreeAddChild", &TFormMain::MenuTreeAddChildClick);
  bind("MenuTreeInsParent", &TFormMain::MenuTreeInsParentClick);
  bind("MenuTreeInsChild", &TFormMain::MenuTreeInsChildClick);
  bind("MenuTreeDel", &TFormMain::MenuTreeDelClick);
  bind("MenuTreeUp", &TFormMain::MenuTreeUpClick);
  bind("MenuTreeDown", &TFormMain::MenuTreeDownClick);
  bind("MenuTreeMarkChange", &TFormMain::MenuTreeMarkChangeClick);
  bind("MenuTreeOpen", &TFormMain::MenuTreeOpenClick);
  bind("MenuTreeClose", &TFormMain::MenuTreeCloseClick);
  bind("MenuTreeMerge", &TFormMain::MenuTreeMergeClick);
  bind("MenuTreeSplitChild", &TFormMain::MenuTreeSplitChildClick);
  bind("MenuTreeSplit", &TFormMain::MenuTreeSplitClick);
  bind("MenuEditUndo", &TFormMain::MenuEditUndoClick);
  bind("MenuEditCut", &TFormMain::MenuEditCutClick);
  bind("MenuEditCopy", &TFormMain::MenuEditCopyClick);
  bind("MenuEditPaste", &TFormMain::MenuEditPasteClick);
  bind("MenuEditInsert", &TFormMain::MenuEditPasteClick);
  bind("MenuEditCopyNode", &TFormMain::MenuEditCopyNodeClick);
  bind("MenuTreeSaveTemplate", &TFormMain::MenuTreeSaveTemplateClick);
  bind("MenuTreeInsTemplate", &TFormMain::MenuTreeInsTemplateClick);
  bind("MenuTreeInsChara", &TFormMain::MenuTreeInsCharaClick);
  bind("MenuTreeInsCharaItem", &TFormMain::MenuTreeInsCharaItemClick);
  const char* const colors[6] = {"MenuTreeColorBlue",   "MenuTreeColorBrown",  "MenuTreeColorGreen",
                                 "MenuTreeColorOrange", "MenuTreeColorParple", "MenuTreeColorPink"};
  for (int32_t color = 1; color <= 6; ++color) {
    connect(Action(QString::fromLatin1(colors[color - 1])), &QAction::triggered, this,
            [this, color] { MenuTreeColorClick(color); });
  }
  // The colour tool button applies the current colour; its drop-down holds the six colours.
  if (QAction* button = Action("ToolButtonTreeColor")) {
    disconnect(button, &QAction::triggered, nullptr, nullptr);
    connect(button, &QAction::triggered, this, &TFormMain::ToolButtonTreeColorClick);
  }

  for (QMenu* popup : {PopupMenuTree, PopupMenuTitle, PopupMenuEdit}) {
    connect(popup, &QMenu::aboutToShow, this, &TFormMain::UpdateCommandStates);
  }
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
            &TFormMain::UpdateCommandStates);
  }

  TreeViewMain->setAcceptDrops(true);
  TreeViewMain->viewport()->setAcceptDrops(true);
}

// --- node creation and the common ending ---

void TFormMain::EndNodeCreation(Node* created) {
  if (created == nullptr) return;
  SelectNode(created);
  // The new node's text starts in the configured body font.
  QTextCharFormat format;
  format.setFont(RichEditMain->document()->defaultFont());
  RichEditMain->setCurrentCharFormat(format);
  MemoTitle->setFocus();
  flags_.TreeModified = true;
  UpdateTreeCommands();
}

void TFormMain::MenuTreeAddClick() {
  Node* s = SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->Add(s));
}

void TFormMain::MenuTreeAddChildClick() {
  Node* s = SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->AddChild(s));
}

void TFormMain::MenuTreeInsParentClick() {
  Node* s = SelectedNode();
  if (s == nullptr || s->level() == 0) return;
  EndNodeCreation(tree_editor_->InsertParent(s));
}

void TFormMain::MenuTreeInsChildClick() {
  Node* s = SelectedNode();
  if (s == nullptr || s->level() == 0) return;
  EndNodeCreation(tree_editor_->InsertChild(s));
}

void TFormMain::MenuTreeInsCharaClick() {
  Node* s = SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->InsertCharacter(s, chara_items_.items()));
}

void TFormMain::MenuTreeInsCharaItemClick() {
  Node* s = SelectedNode();
  if (s == nullptr) return;
  EndNodeCreation(tree_editor_->InsertCharaItem(s));
}

// --- delete, move, marks, colours, open and close all ---

void TFormMain::MenuTreeDelClick() {
  StoreCurrentNode();
  Node* s = SelectedNode();
  if (s == nullptr) return;
  Node* next = tree_editor_->Delete(s);
  if (next != nullptr) SelectNode(next);
  UpdateTreeCommands();
}

void TFormMain::MenuTreeUpClick() {
  Node* s = SelectedNode();
  if (s == nullptr) return;
  if (tree_editor_->MoveUp(s)) TreeViewMain->scrollTo(model_->IndexFromNode(s));
  UpdateTreeCommands();
}

void TFormMain::MenuTreeDownClick() {
  Node* s = SelectedNode();
  if (s == nullptr) return;
  if (tree_editor_->MoveDown(s)) TreeViewMain->scrollTo(model_->IndexFromNode(s));
  UpdateTreeCommands();
}

void TFormMain::MenuTreeMarkChangeClick() {
  if (Node* s = SelectedNode()) tree_editor_->ToggleMark(s);
  UpdateTreeCommands();
}

void TFormMain::MenuTreeColorClick(int32_t color) {
  if (Node* s = SelectedNode()) tree_editor_->SetColor(s, color);
  UpdateTreeCommands();
}

void TFormMain::ToolButtonTreeColorClick() {
  if (Node* s = SelectedNode()) tree_editor_->ApplyCurrentColor(s);
  UpdateTreeCommands();
}

void TFormMain::MenuTreeOpenClick() {
  if (outline_.empty()) return;
  SelectNode(outline_.NodeAt(0));
  SelectNode(tree_editor_->SetAllExpanded(true));
  UpdateTreeCommands();
}

void TFormMain::MenuTreeCloseClick() {
  if (outline_.empty()) return;
  SelectNode(outline_.NodeAt(0));
  SelectNode(tree_editor_->SetAllExpanded(false));
  UpdateTreeCommands();
}

// --- merge and split ---

bool TFormMain::Confirm(const char* question) {
  if (!settings_.UndoDialog) return true;
  return FormUndoDialog->AskGoOn(U8(question));
}

void TFormMain::MenuTreeMergeClick() {
  Node* s = SelectedNode();
  if (s == nullptr || !CanMerge(s)) return;
  if (!Confirm(kMergeQuestion)) return;
  StoreCurrentNode();
  Node* parent = s->parent();
  // The merged node's pane is not stored again: its body now lives in the parent.
  current_ = nullptr;
  ClearBodyPane();
  Node* merged = MergeIntoParent(tree_editor_.get(), &outline_, s);
  if (merged == nullptr) merged = parent;
  current_ = nullptr;
  SelectNode(merged);
  RichEditMain->moveCursor(QTextCursor::End);
  flags_.TreeModified = true;
  UpdateTreeCommands();
}

void TFormMain::SplitCommand(bool into_child) {
  Node* s = SelectedNode();
  if (s == nullptr || !CanSplit(s)) return;
  if (!Confirm(kSplitQuestion)) return;
  const QTextCursor cursor = RichEditMain->textCursor();
  rich::TextPosition caret;
  caret.paragraph = static_cast<size_t>(cursor.blockNumber());
  caret.offset = CodePointsBefore(cursor.block().text(), cursor.positionInBlock());
  StoreCurrentNode();
  Node* created = SplitNode(tree_editor_.get(), s, caret, into_child);
  if (created == nullptr) return;
  // The pane still shows the whole body; the stored, shortened one must not be overwritten.
  current_ = nullptr;
  SelectNode(created);
  QTextCharFormat format;
  format.setFont(RichEditMain->document()->defaultFont());
  RichEditMain->setCurrentCharFormat(format);
  RichEditMain->moveCursor(QTextCursor::Start);
  MemoTitle->setFocus();
  flags_.TreeModified = true;
  UpdateTreeCommands();
}

void TFormMain::MenuTreeSplitChildClick() { SplitCommand(true); }
void TFormMain::MenuTreeSplitClick() { SplitCommand(false); }

// --- drag and drop inside the tree ---

DropHit TFormMain::TreeHitAt(const QPoint& pos, Node** target) const {
  *target = nullptr;
  const QRect area = TreeViewMain->viewport()->rect();
  if (pos.y() < area.top()) return DropHit::kOutsideAbove;
  if (pos.y() > area.bottom()) return DropHit::kOutsideBelow;
  if (pos.x() < area.left()) return DropHit::kOutsideLeft;
  if (pos.x() > area.right()) return DropHit::kOutsideRight;
  const QModelIndex index = TreeViewMain->indexAt(pos);
  if (!index.isValid()) {
    // Right of a long row the view may still report no item; below the last row there is none.
    return DropHit::kNowhere;
  }
  *target = model_->NodeFromIndex(index);
  const QRect item = TreeViewMain->visualRect(index);
  // Left of the item rectangle lie the indent and the expand button.
  if (pos.x() < item.left()) return DropHit::kButton;
  const QFontMetrics metrics(TreeViewMain->font());
  const int label_right = item.left() + TreeViewMain->iconSize().width() + 8 +
                          metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 4;
  if (pos.x() > label_right) return DropHit::kNowhere;
  return DropHit::kLabel;
}

bool TFormMain::TreeViewMainDragOver(const QPoint& pos) {
  TreeDragAt(pos);
  Node* target = nullptr;
  const DropHit hit = TreeHitAt(pos, &target);
  return DragOver(outline_, SelectedNode(), target, hit).accept;
}

void TFormMain::TreeViewMainDragDrop(const QPoint& pos) {
  TreeDragEnded();
  Node* target = nullptr;
  const DropHit hit = TreeHitAt(pos, &target);
  Node* dragged = SelectedNode();
  if (dragged != nullptr && target != nullptr && dragged != target &&
      DragOver(outline_, dragged, target, hit).accept) {
    if (tree_editor_->DropNode(dragged, target, hit)) {
      TreeViewMain->scrollTo(model_->IndexFromNode(dragged));
      TreeViewMain->viewport()->update();
    }
  }
  UpdateTreeCommands();
}

bool TFormMain::TreeDragEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      drag_pressed_ = mouse->button() == Qt::LeftButton;
      drag_press_pos_ = mouse->position().toPoint();
      return false;
    }
    case QEvent::MouseButtonRelease:
      drag_pressed_ = false;
      return false;
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!drag_pressed_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      if ((mouse->position().toPoint() - drag_press_pos_).manhattanLength() <
          QApplication::startDragDistance()) {
        return true;  // the press does not sweep the selection along
      }
      drag_pressed_ = false;
      const QModelIndex index = TreeViewMain->indexAt(drag_press_pos_);
      if (!index.isValid()) return false;
      Node* node = model_->NodeFromIndex(index);
      if (node != SelectedNode()) SelectNode(node);
      auto* mime = new QMimeData();
      mime->setData(QString::fromLatin1(kTreeDragFormat), QByteArray());
      auto* drag = new QDrag(TreeViewMain);
      drag->setMimeData(mime);
      const QString text = index.data(Qt::DisplayRole).toString();
      const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
      const QFontMetrics metrics(TreeViewMain->font());
      QPixmap pixmap(20 + metrics.horizontalAdvance(text) + 4, std::max(18, metrics.height() + 2));
      pixmap.fill(QColor(255, 255, 255, 160));
      {
        QPainter painter(&pixmap);
        icon.paint(&painter, QRect(1, (pixmap.height() - 16) / 2, 16, 16));
        painter.setFont(TreeViewMain->font());
        painter.drawText(QRect(20, 0, pixmap.width() - 20, pixmap.height()),
                         Qt::AlignVCenter | Qt::AlignLeft, text);
      }
      drag->setPixmap(pixmap);
      drag->setHotSpot(QPoint(8, pixmap.height() / 2));
      drag->exec(Qt::MoveAction);
      TreeDragEnded();
      UpdateTreeCommands();
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!drag->mimeData()->hasFormat(QString::fromLatin1(kTreeDragFormat))) return false;
      // Drags from another tree or another program are not taken.
      const bool ours = drag->source() == TreeViewMain;
      const bool accept = ours && TreeViewMainDragOver(drag->position().toPoint());
      if (event->type() == QEvent::DragEnter && ours) {
        // Entering must be taken, or the tree hears nothing of the moves that follow.
        drag->acceptProposedAction();
        if (!accept) drag->setDropAction(Qt::IgnoreAction);
      } else if (accept) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!drop->mimeData()->hasFormat(QString::fromLatin1(kTreeDragFormat))) return false;
      if (drop->source() == TreeViewMain) {
        drop->acceptProposedAction();
        TreeViewMainDragDrop(drop->position().toPoint());
      } else {
        drop->ignore();
      }
      return true;
    }
    default:
      return false;
  }
}

// --- undo and the command states ---

namespace {

QLineEdit* LabelEditor(QTreeView* tree, QWidget* focus) {
  if (focus == nullptr || focus == tree || !tree->isAncestorOf(focus)) return nullptr;
  return qobject_cast<QLineEdit*>(focus);
}

}  // namespace

void TFormMain::MenuEditUndoClick() {
  SetBarsEnabled(false);
  QWidget* focus = focusWidget();
  if (focus == RichEditMain) {
    RichEditMain->undo();
  } else if (focus == MemoTitle) {
    MemoTitle->undo();
  } else if (QLineEdit* label = LabelEditor(TreeViewMain, focus)) {
    label->undo();
  } else {
    const bool go_on =
        tree_editor_->undo_record().kind != UndoRecord::Kind::kAdd || Confirm(kUndoAddQuestion);
    if (go_on) {
      StoreCurrentNode();
      Node* node = tree_editor_->Undo();
      if (node != nullptr) SelectNode(node);
    }
    UpdateTreeCommands();
  }
  SetBarsEnabled(true);
  UpdateCommandStates();
}

void TFormMain::UpdateCommandStates() {
  if (updating_states_ || tree_editor_ == nullptr || clearing_ || busy_) return;
  updating_states_ = true;
  QWidget* focus = focusWidget();
  const bool title = focus == MemoTitle;
  const bool body = focus == RichEditMain;
  QLineEdit* label = LabelEditor(TreeViewMain, focus);
  QString undo_caption;
  bool undo_enabled = false;
  bool cut_copy = false;
  bool paste = false;
  if (body) {
    undo_caption = U8(kEditUndo);
    undo_enabled = RichEditMain->document()->isModified();
    cut_copy = RichEditMain->textCursor().hasSelection();
    paste = ClipboardHasText();
  } else if (title) {
    undo_caption = U8(kTitleUndo);
    undo_enabled = MemoTitle->isUndoAvailable();
    cut_copy = MemoTitle->hasSelectedText();
    paste = ClipboardHasText();
  } else {
    Node* selected = SelectedNode();
    const bool label_text = label != nullptr && ClipboardHasText();
    if (label != nullptr) {
      undo_caption = U8(kLabelUndo);
      undo_enabled = label->isUndoAvailable();
    } else {
      undo_caption = U8(tree_editor_->UndoCaption());
      undo_enabled = tree_editor_->undo_record().kind != UndoRecord::Kind::kNone;
    }
    cut_copy = (selected != nullptr && outline_.AbsoluteIndex(selected) != 0) || label_text;
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
  QAction* undo = Action("MenuEditUndo");
  if (undo->text() != undo_caption) undo->setText(undo_caption);
  if (QAction* item = Action("PopupTreeUndo"); item != nullptr && item->text() != undo_caption) {
    item->setText(undo_caption);
  }
  SetCommandEnabled("MenuEditUndo", undo_enabled);
  for (const char* name : {"MenuEditCut", "MenuEditCopy"}) SetCommandEnabled(name, cut_copy);
  SetCommandEnabled("MenuEditPaste", paste);
  SetCommandEnabled("MenuEditInsert", paste);
  SetCommandEnabled("MenuEditSelectAll", title || body);
  SetCommandEnabled("MenuEditDay", title || body);
  SetCommandEnabled("MenuTextFont", body);
  SetCommandEnabled("MenuTextLink", body && RichEditMain->textCursor().hasSelection());
  SetCommandEnabled("ToolTextStyle", body);
  // The caret's line and column follow the caret itself (cursorPositionChanged); walking the
  // body on every idle turn would cost a large body dearly.
  updating_states_ = false;
}

// --- node clipboard ---

void TFormMain::WriteNodesToClipboard(const Outline& scratch) { WriteNodeClipboard(scratch); }

void TFormMain::MenuEditCopyClick() {
  QWidget* focus = focusWidget();
  if (focus == RichEditMain) {
    RichEditMain->copy();
    return;
  }
  if (focus == MemoTitle) {
    MemoTitle->copy();
    return;
  }
  StoreCurrentNode();
  if (QLineEdit* label = LabelEditor(TreeViewMain, focus)) {
    label->copy();
    return;
  }
  Node* s = SelectedNode();
  if (s == nullptr) return;
  CopySubtreeTo(outline_, s, &tree_temp_);
  WriteNodesToClipboard(tree_temp_);
}

void TFormMain::MenuEditCutClick() {
  QWidget* focus = focusWidget();
  if (focus == RichEditMain) {
    RichEditMain->cut();
    return;
  }
  if (focus == MemoTitle) {
    MemoTitle->cut();
    return;
  }
  if (cutting_) return;
  cutting_ = true;
  Node* s = SelectedNode();
  if (s != nullptr && outline_.AbsoluteIndex(s) != 0) {
    StoreCurrentNode();
    if (QLineEdit* label = LabelEditor(TreeViewMain, focus)) {
      label->cut();
    } else {
      CopySubtreeTo(outline_, s, &tree_temp_);
      WriteNodesToClipboard(tree_temp_);
      // Delete keeps the subtree for undo, so a cut comes back with the undo command.
      Node* next = tree_editor_->Delete(s);
      if (next != nullptr) SelectNode(next);
      flags_.TreeModified = true;
      UpdateTreeCommands();
    }
  }
  cutting_ = false;
}

void TFormMain::MenuEditPasteClick() {
  QWidget* focus = focusWidget();
  if (focus == RichEditMain) {
    RichEditMain->paste();
    return;
  }
  if (focus == MemoTitle) {
    MemoTitle->paste();
    // The title stays one line: breaks are removed, not replaced.
    QString text = MemoTitle->text();
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
      const int caret = MemoTitle->cursorPosition();
      text.remove(QLatin1Char('\r'));
      text.remove(QLatin1Char('\n'));
      MemoTitle->setText(text);
      MemoTitle->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
      MemoTitle->setModified(true);
    }
    return;
  }
  if (QLineEdit* label = LabelEditor(TreeViewMain, focus)) {
    label->paste();
    return;
  }
  Node* s = SelectedNode();
  if (s == nullptr) return;
  StoreCurrentNode();
  const Status read = ReadNodeClipboard(PasteFormatFor(s), &tree_temp_);
  if (!read) {
    // Whatever another program put there under our name, nothing is inserted.
    StatusPanels[0]->setText(U8(read.message.c_str()));
    return;
  }
  InsertFromTemp(false);
}

void TFormMain::InsertFromTemp(bool whole_template) {
  Node* s = SelectedNode();
  if (s == nullptr || tree_temp_.empty()) return;
  Node* inserted = nullptr;
  std::string message;
  if (whole_template) {
    inserted = tree_editor_->InsertTemplate(tree_temp_, s, &message);
  } else {
    InsertResult result = InsertSubtreeFrom(tree_temp_, &outline_, s);
    inserted = result.node;
    message = std::move(result.message);
    if (inserted != nullptr) tree_editor_->RecordAdd(inserted);
  }
  if (inserted == nullptr) {
    if (!message.empty()) {
      dialogs_->Message(this, U8(kCharaItemPlacementCaption), U8(message.c_str()),
                        DialogIcon::kWarning);
    }
    return;
  }
  outline_.SetExpanded(s, true);
  SelectNode(inserted);
  flags_.TreeModified = true;
  UpdateTreeCommands();
}

void TFormMain::MenuEditCopyNodeClick() {
  StoreCurrentNode();
  FileDialogRequest request;
  request.title = U8("他のﾌｧｲﾙから取り込み");
  request.filter = U8("Plotweaveﾌｧｲﾙ (*.PWV *.pwv)");
  request.default_suffix = QStringLiteral("PWV");
  const QFileInfo info(document_name_);
  request.proposed = QFileInfo(info.path()).isDir()
                         ? document_name_
                         : QString::fromStdString(ProgramFolderFile(info.fileName().toStdString()));
  request.must_exist = true;
  if (FormImportNode->isVisible()) {
    FormImportNode->raise();
    FormImportNode->activateWindow();
    return;
  }
  const std::optional<QString> chosen = dialogs_->OpenFileName(this, request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().toUpper() != QLatin1String("PWV")) {
    ShowMessage(kInvalidNameMessage);
  } else {
    const ReadResult result = ReadOutlineFile(LocalPath(*chosen), ReadTarget::kImportTree,
                                              &FormImportNode->import_outline());
    if (result.status) {
      FormImportNode->setWindowTitle(*chosen);
      FormImportNode->ShowLoaded();
    } else {
      ShowMessage(kImportReadFailed);
    }
  }
  // Laid over the right-hand panes.
  const QRect frame = geometry();
  const int offset = SplitterMain->widget(1)->mapTo(this, QPoint(0, 0)).x();
  FormImportNode->setGeometry(frame.left() + offset, frame.top(),
                              std::max(100, frame.width() - offset), frame.height());
  FormImportNode->show();
  FormImportNode->raise();
}

// --- templates ---

QString TFormMain::TemplateDialogPath() const {
  const QString path =
      template_path_.isEmpty() ? DefaultFolder() + QStringLiteral("NewFile.PWT") : template_path_;
  const QFileInfo info(path);
  if (QFileInfo(info.path()).isDir()) return path;
  return QString::fromStdString(ProgramFolderFile(info.fileName().toStdString()));
}

void TFormMain::MenuTreeSaveTemplateClick() {
  StoreCurrentNode();
  Node* s = SelectedNode();
  if (s == nullptr) return;
  FileDialogRequest request;
  request.title = U8(kTemplateSaveTitle);
  request.filter = U8("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙ (*.PWT *.pwt)");
  request.default_suffix = QStringLiteral("PWT");
  request.proposed = TemplateDialogPath();
  const std::optional<QString> chosen = dialogs_->SaveFileName(this, request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().toUpper() != QLatin1String("PWT")) {
    ShowMessage(kInvalidNameMessage);
    ShowMessage(kSaveFailedMessage);
    return;
  }
  if (!QFileInfo(QFileInfo(*chosen).path()).isDir()) {
    ShowMessage(kNoFolderMessage);
    ShowMessage(kSaveFailedMessage);
    return;
  }
  template_path_ = *chosen;
  if (!SaveTemplate(outline_, s, &tree_temp_, LocalPath(*chosen))) {
    ShowMessage(kSaveFailedMessage);
    return;
  }
  settings_.TempHistory.Add(chosen->toStdString());
  RebuildTemplateMenu();
}

void TFormMain::MenuTreeInsTemplateClick() {
  StoreCurrentNode();
  FileDialogRequest request;
  request.title = U8(kTemplateOpenTitle);
  request.filter = U8("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙ (*.PWT *.pwt)");
  request.default_suffix = QStringLiteral("PWT");
  request.proposed = TemplateDialogPath();
  request.must_exist = true;
  const std::optional<QString> chosen = dialogs_->OpenFileName(this, request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().toUpper() != QLatin1String("PWT")) {
    ShowMessage(kInvalidNameMessage);
    return;
  }
  if (!LoadTemplate(LocalPath(*chosen), &tree_temp_)) {
    tree_temp_.Clear();
    ShowMessage(kReadFailedMessage);
    return;
  }
  InsertFromTemp(true);
  settings_.TempHistory.Add(chosen->toStdString());
  RebuildTemplateMenu();
}

void TFormMain::OpenRecentTemplate(int index) {
  StoreCurrentNode();
  const size_t i = static_cast<size_t>(index);
  if (i >= settings_.TempHistory.size()) return;
  const std::string path = settings_.TempHistory[i];
  if (!QFileInfo::exists(QString::fromStdString(path))) {
    // A template that has gone leaves the list without a word.
    settings_.TempHistory.Remove(i);
  } else {
    if (LoadTemplate(path, &tree_temp_)) {
      InsertFromTemp(true);
    } else {
      tree_temp_.Clear();
      ShowMessage(kReadFailedMessage);
    }
    settings_.TempHistory.MoveToTop(i);
  }
  RebuildTemplateMenu();
}

void TFormMain::RebuildTemplateMenu() {
  PopupMenuTempFileOpen->clear();
  for (size_t i = 0; i < settings_.TempHistory.size(); ++i) {
    QString path = QString::fromStdString(settings_.TempHistory[i]);
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = PopupMenuTempFileOpen->addAction(QStringLiteral("&%1 %2").arg(i).arg(path));
    item->setObjectName(QStringLiteral("PopupTempFile%1").arg(i));
    const int index = static_cast<int>(i);
    connect(item, &QAction::triggered, this, [this, index] { OpenRecentTemplate(index); });
  }
}

}  // namespace pw
