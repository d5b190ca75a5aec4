// The hand-over between the outline and the panes (store the node being left, load the node
// arriving), the title pane and caption following each other, keys between panes,
// navigation, back, the tree command states, the status bar, the split direction and the
// drag auto-scroll timer.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QTreeView>

#include "core/cp932.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/document/outline_model.h"
#include "ui/tform_main.h"

namespace pw {
namespace {

constexpr char kUnmappableTitle[] =
    "タイトルにShift-JISで表せない文字があります。\r\nその文字は「?」に置き換えました。";

// Removes leading and trailing characters with codes up to and including the space.
QString TrimControls(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].unicode() <= 0x20) ++begin;
  while (end > begin && text[end - 1].unicode() <= 0x20) --end;
  return text.mid(begin, end - begin);
}

}  // namespace

TreeCommandStates ComputeTreeCommandStates(const Outline& outline, const Node* node) {
  TreeCommandStates s;
  if (node == nullptr) return s;
  const int32_t k = node->data() != nullptr ? node->data()->Kind : 0;
  const int level = node->level();
  const size_t children = node->child_count();
  const size_t absolute = outline.AbsoluteIndex(node);
  const size_t row = node->row();
  const size_t siblings = outline.child_count(node->parent());
  const bool chara = k == nkChara || k == nkCharaItem;
  s.add = k != nkChara;
  s.add_child = true;
  s.ins_parent_child = level > 0;
  s.ins_chara_item = k == nkChara;
  s.up = row > 0 && outline.AbsoluteIndex(outline.child(node->parent(), row - 1)) != 0;
  s.down = row + 1 < siblings && absolute != 0;
  s.mark_change = level > 0 && children == 0 && !chara;
  s.color = level > 0 && !chara;
  s.del = absolute != 0;
  s.merge = level > 0 && children == 0 && !chara;
  s.split = !chara;
  s.save_template = children > 0;
  s.edit_up = absolute > 0;
  s.edit_down = absolute + 1 < outline.size();
  return s;
}

Node* TFormMain::SelectedNode() const {
  return model_ != nullptr ? model_->NodeFromIndex(TreeViewMain->currentIndex()) : nullptr;
}

void TFormMain::UpdateTreeCommands() {
  const TreeCommandStates s = ComputeTreeCommandStates(outline_, SelectedNode());
  SetCommandEnabled("MenuTreeAdd", s.add);
  SetCommandEnabled("MenuTreeAddChild", s.add_child);
  SetCommandEnabled("MenuTreeInsParent", s.ins_parent_child);
  SetCommandEnabled("MenuTreeInsChild", s.ins_parent_child);
  SetCommandEnabled("MenuTreeInsCharaItem", s.ins_chara_item);
  SetCommandEnabled("MenuTreeUp", s.up);
  SetCommandEnabled("MenuTreeDown", s.down);
  SetCommandEnabled("MenuTreeMarkChange", s.mark_change);
  SetCommandEnabled("MenuTreeColor", s.color);
  SetCommandEnabled("MenuTreeDel", s.del);
  SetCommandEnabled("MenuTreeMerge", s.merge);
  SetCommandEnabled("MenuTreeSplitChild", s.split);
  SetCommandEnabled("MenuTreeSplit", s.split);
  SetCommandEnabled("MenuTreeSaveTemplate", s.save_template);
  SetCommandEnabled("MenuEditUp", s.edit_up);
  SetCommandEnabled("MenuEditDown", s.edit_down);
  const QModelIndex current = TreeViewMain->currentIndex();
  SetCommandEnabled("MenuEditUpVisible",
                    current.isValid() && TreeViewMain->indexAbove(current).isValid());
  SetCommandEnabled("MenuEditDownVisible",
                    current.isValid() && TreeViewMain->indexBelow(current).isValid());
}

void TFormMain::StoreBody(Node* node) {
  if (node == nullptr || node->data() == nullptr) return;
  QTextDocument* document = RichEditMain->document();
  if (MemoTitle->isModified()) flags_.TitleModified = true;
  if (document->isModified()) {
    flags_.BodyModified = true;
    node->data()->SetBody(DocumentToRtf(*document));
  } else if (!node->data()->Body) {
    // An absent body becomes the empty document, as the pane shows it.
    node->data()->SetBody(DocumentToRtf(*document));
  }
  // An unedited body keeps its bytes: our RTF engine does not know every feature of every
  // writer, and what it does not know must survive.
}

void TFormMain::TrimTitle(Node* node) {
  const std::string& title = node->title();
  if (title.empty()) return;
  size_t begin = 0;
  size_t end = title.size();
  // Bytes up to the space are never trail bytes, so a byte-wise trim is safe for CP932.
  while (begin < end && static_cast<unsigned char>(title[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(title[end - 1]) <= 0x20) --end;
  if (begin != 0 || end != title.size()) outline_.SetTitle(node, title.substr(begin, end - begin));
}

void TFormMain::StoreCurrentNode() {
  if (current_ == nullptr) return;
  StoreBody(current_);
  TrimTitle(current_);
}

void TFormMain::ClearBodyPane() {
  QTextDocument* document = RichEditMain->document();
  document->setUndoRedoEnabled(false);
  document->clear();
  QTextCursor cursor(document);
  cursor.setBlockFormat(QTextBlockFormat());
  document->setUndoRedoEnabled(true);
}

void TFormMain::LoadBody(Node* node) {
  RichEditMain->setUpdatesEnabled(false);
  MemoTitle->setUpdatesEnabled(false);
  ClearBodyPane();
  if (node != nullptr && node->data() != nullptr && node->data()->Body) {
    // Built aside and then shown: filling the pane's own document would lay it out again
    // with every paragraph, several times the cost of building it.
    QTextDocument* shown = RichEditMain->document();
    auto* document = new QTextDocument(RichEditMain);
    document->setDefaultFont(shown->defaultFont());
    document->setDefaultTextOption(shown->defaultTextOption());
    document->setDocumentMargin(shown->documentMargin());
    document->setUndoRedoEnabled(false);
    LoadBodyIntoDocument(*node->data()->Body, document);
    document->setUndoRedoEnabled(true);
    // The pane's first document belongs to the pane, which frees it itself; the later ones
    // are ours.
    const bool ours = shown->parent() == RichEditMain;
    RichEditMain->setDocument(document);
    if (ours) delete shown;
  }
  RichEditMain->moveCursor(QTextCursor::Start);
  RichEditMain->setUpdatesEnabled(true);
  MemoTitle->setUpdatesEnabled(true);
  RichEditMain->document()->setModified(false);
  MemoTitle->setModified(false);
}

void TFormMain::TreeViewMainChange(Node* node) {
  if (clearing_ || busy_) return;
  busy_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // One bad body must not lock the tree: whatever fails here is dropped.
  try {
    UpdateTreeCommands();
    if (current_ != nullptr) {
      StoreBody(current_);
      TrimTitle(current_);
    }
    previous_node_ = current_;
    previous_caret_ = RichEditMain->textCursor().position();
    ClearBodyPane();
    if (node != nullptr) {
      LoadBody(node);
      title_updating_ = true;
      MemoTitle->setText(FromCp932(node->title()));
      MemoTitle->setModified(false);
      title_updating_ = false;
      StatusPanels[0]->setText(MemoTitle->text());
    } else {
      title_updating_ = true;
      MemoTitle->clear();
      title_updating_ = false;
      StatusPanels[0]->clear();
    }
    current_ = node;
  } catch (...) {
    title_updating_ = false;
    current_ = node;
  }
  QApplication::restoreOverrideCursor();
  busy_ = false;
  UpdateStatusBar();
}

void TFormMain::SelectNode(Node* node) {
  if (node == nullptr) return;
  const QModelIndex index = model_->IndexFromNode(node);
  TreeViewMain->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  TreeViewMain->scrollTo(index);
  // Selecting the node that is already current changes nothing; make sure it is shown.
  if (current_ != node) TreeViewMainChange(node);
}

QString TFormMain::CheckedTitle(const QString& text, std::string* bytes) {
  Cp932Text converted = ToCp932(text);
  *bytes = std::move(converted.bytes);
  if (converted.unmappable == 0) return text;
  dialogs_->Message(this, U8("Plotweave"), U8(kUnmappableTitle), DialogIcon::kWarning);
  return FromCp932(*bytes);
}

void TFormMain::MemoTitleChange() {
  if (title_updating_) return;
  QString text = MemoTitle->text();
  const bool modified = MemoTitle->isModified();
  // A trailing blank survives only while it is the last character typed.
  if (!text.endsWith(QLatin1Char(' '))) {
    const QString trimmed = TrimControls(text);
    if (trimmed != text) {
      qsizetype lead = 0;
      while (lead < text.size() && text[lead].unicode() <= 0x20) ++lead;
      const int caret = MemoTitle->cursorPosition();
      title_updating_ = true;
      MemoTitle->setText(trimmed);
      MemoTitle->setCursorPosition(std::max<int>(0, caret - static_cast<int>(lead)));
      title_updating_ = false;
      text = trimmed;
    }
  }
  std::string bytes;
  const QString checked = CheckedTitle(text, &bytes);
  if (checked != text) {
    const int caret = MemoTitle->cursorPosition();
    title_updating_ = true;
    MemoTitle->setText(checked);
    MemoTitle->setCursorPosition(std::min<int>(caret, static_cast<int>(checked.size())));
    title_updating_ = false;
    text = checked;
  }
  MemoTitle->setModified(modified);
  StatusPanels[0]->setText(text);
  Node* selected = SelectedNode();
  if (selected != nullptr && selected->title() != bytes) outline_.SetTitle(selected, bytes);
}

void TFormMain::CaptionEdited(Node* node, const QString& text) {
  if (node == SelectedNode()) {
    // The title pane takes the text; its change handler sets the caption.
    MemoTitle->setText(text);
    MemoTitle->setModified(true);
    flags_.TitleModified = true;
    StatusPanels[0]->setText(MemoTitle->text());
    return;
  }
  std::string bytes;
  CheckedTitle(text, &bytes);
  outline_.SetTitle(node, bytes);
  flags_.TitleModified = true;
}

void TFormMain::TitleFromBody() {
  if (!MemoTitle->text().isEmpty()) return;
  QString line = RichEditMain->document()->firstBlock().text();
  const qsizetype line_break = line.indexOf(QChar(QChar::LineSeparator));
  if (line_break >= 0) line.truncate(line_break);
  const std::string bytes = ToCp932(line.trimmed()).bytes;
  const size_t limit =
      settings_.TitleMaxLength > 0 ? static_cast<size_t>(settings_.TitleMaxLength) : 0;
  size_t end = 0;
  while (end < bytes.size()) {
    const size_t next = NextCharBoundary(bytes, end);
    if (next > limit) break;
    end = next;
  }
  MemoTitle->setText(FromCp932(std::string_view(bytes).substr(0, end)));
  MemoTitle->setModified(true);
  flags_.TitleModified = true;
}

bool TFormMain::TreeKeyPress(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (mods == Qt::ShiftModifier) {
      TitleFromBody();
    } else if (mods == Qt::NoModifier) {
      RichEditMain->setFocus();
    }
    return true;
  }
  if ((key == Qt::Key_Up || key == Qt::Key_Down) && mods == Qt::ShiftModifier) {
    Node* node = SelectedNode();
    if (node == nullptr) return true;
    const size_t row = node->row();
    Node* target = nullptr;
    if (key == Qt::Key_Up && row > 0) target = outline_.child(node->parent(), row - 1);
    if (key == Qt::Key_Down) target = outline_.child(node->parent(), row + 1);
    if (target != nullptr) {
      StoreCurrentNode();
      SelectNode(target);
    }
    return true;
  }
  return false;
}

bool TFormMain::TitleKeyPress(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (RichEditMain->isEnabled()) RichEditMain->setFocus();
    return true;
  }
  if (key == Qt::Key_A && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
    MemoTitle->selectAll();
    return true;
  }
  return false;
}

bool TFormMain::BodyKeyPress(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
    MemoTitle->setFocus();
    return true;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::ShiftModifier) {
    TitleFromBody();
    return true;
  }
  if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
    RichEditMain->setOverwriteMode(!RichEditMain->overwriteMode());
    StatusPanels[1]->setText(U8(RichEditMain->overwriteMode() ? "上書" : "挿入"));
    return true;
  }
  return false;
}

void TFormMain::PaneFocusChanged(QWidget* now) {
  const char* command = nullptr;
  if (now == TreeViewMain) command = "MenuMoveTree";
  if (now == MemoTitle) command = "MenuMoveTitle";
  if (now == RichEditMain) command = "MenuMoveEdit";
  if (command == nullptr) return;
  Action(QString::fromLatin1(command))->setChecked(true);
}

void TFormMain::MenuMoveTreeClick() { TreeViewMain->setFocus(); }
void TFormMain::MenuMoveTitleClick() { MemoTitle->setFocus(); }
void TFormMain::MenuMoveEditClick() { RichEditMain->setFocus(); }

void TFormMain::MenuEditSelectAllClick() {
  if (select_all_running_) return;
  select_all_running_ = true;
  QWidget* focus = QApplication::focusWidget();
  if (focus == MemoTitle) MemoTitle->selectAll();
  if (focus == RichEditMain) RichEditMain->selectAll();
  select_all_running_ = false;
}

void TFormMain::MenuEditUpClick() {
  StoreCurrentNode();
  Node* node = SelectedNode();
  if (node == nullptr) return;
  const size_t index = outline_.AbsoluteIndex(node);
  if (index > 0) SelectNode(outline_.NodeAt(index - 1));
}

void TFormMain::MenuEditDownClick() {
  StoreCurrentNode();
  Node* node = SelectedNode();
  if (node == nullptr) return;
  SelectNode(outline_.NextInPreorder(node));
}

void TFormMain::MenuEditUpVisibleClick() {
  StoreCurrentNode();
  const QModelIndex above = TreeViewMain->indexAbove(TreeViewMain->currentIndex());
  if (above.isValid()) SelectNode(model_->NodeFromIndex(above));
}

void TFormMain::MenuEditDownVisibleClick() {
  StoreCurrentNode();
  const QModelIndex below = TreeViewMain->indexBelow(TreeViewMain->currentIndex());
  if (below.isValid()) SelectNode(model_->NodeFromIndex(below));
}

void TFormMain::MenuEditBackClick() {
  if (previous_node_ == nullptr) return;
  const int caret = previous_caret_;
  SelectNode(previous_node_);
  if (caret > 0 && RichEditMain->isEnabled()) {
    QTextCursor cursor = RichEditMain->textCursor();
    cursor.setPosition(std::min(caret, RichEditMain->document()->characterCount() - 1));
    RichEditMain->setTextCursor(cursor);
    RichEditMain->setFocus();
  }
}

void TFormMain::UpdateStatusBar() { ShowCaretPosition(); }

void TFormMain::ShowCaretPosition() {
  // Lines are the pane's display lines, as the caret moves through them.
  const QTextCursor cursor = RichEditMain->textCursor();
  const QTextBlock block = cursor.block();
  int line = 0;
  for (QTextBlock b = RichEditMain->document()->begin(); b.isValid() && b != block; b = b.next()) {
    line += b.layout() != nullptr ? std::max(1, b.layout()->lineCount()) : 1;
  }
  int column = cursor.positionInBlock();
  if (block.layout() != nullptr && block.layout()->lineCount() > 0) {
    const QTextLine text_line = block.layout()->lineForTextPosition(cursor.positionInBlock());
    if (text_line.isValid()) {
      line += text_line.lineNumber();
      column -= text_line.textStart();
    }
  }
  StatusPanels[2]->setText(QString::asprintf("%3d : %3d", line + 1, column + 1));
}

void TFormMain::MenuEditSplitChangeClick() {
  // Remember the extent for the direction being left, then lay out the other one.
  const QList<int> sizes = SplitterMain->sizes();
  if (!sizes.isEmpty()) settings_.TreeWidth = sizes[0];
  if (settings_.SplitH) {
    tree_width_beside_ = settings_.TreeWidth;
  } else {
    tree_height_above_ = settings_.TreeWidth;
  }
  settings_.SplitH = !settings_.SplitH;
  if (settings_.SplitH) {
    settings_.TreeWidth = tree_width_beside_;
  } else {
    // The first time in a run the tree goes on top, it takes half the room: the whole room
    // it had beside the panes would leave them a strip.
    settings_.TreeWidth = tree_height_above_ > 0 ? tree_height_above_ : SplitterMain->height() / 2;
  }
  LaySplitDirection(settings_.SplitH, true);
}

void TFormMain::LaySplitDirection(bool side_by_side, bool enforce_minimum) {
  SplitterMain->setOrientation(side_by_side ? Qt::Horizontal : Qt::Vertical);
  if (side_by_side) {
    TreeViewMain->setMinimumSize(10, 0);
  } else {
    TreeViewMain->setMinimumSize(0, 10);
  }
  const int total = side_by_side ? SplitterMain->width() : SplitterMain->height();
  int extent = settings_.TreeWidth;
  if (enforce_minimum) {
    // A tree larger than the room it has leaves 30 pixels for the panes (also when it would
    // leave them less than that); it keeps 30 itself.
    if (total > 0 && extent > total - 30) extent = total - 30;
    extent = std::max(extent, 30);
  }
  settings_.TreeWidth = extent;
  const int rest = std::max(0, total - extent - SplitterMain->handleWidth());
  SplitterMain->setSizes({extent, rest > 0 ? rest : 1000});
}

void TFormMain::TreeDragAt(const QPoint& pos) {
  const QRect area = TreeViewMain->viewport()->rect();
  scroll_dx_ = pos.x() < area.left() ? -1 : (pos.x() > area.right() ? 1 : 0);
  scroll_dy_ = pos.y() < area.top() ? -1 : (pos.y() > area.bottom() ? 1 : 0);
  if (scroll_dx_ != 0 || scroll_dy_ != 0) {
    if (!TimerTree->isActive()) TimerTree->start();
  } else {
    TimerTree->stop();
  }
}

void TFormMain::TreeDragEnded() {
  scroll_dx_ = 0;
  scroll_dy_ = 0;
  TimerTree->stop();
}

void TFormMain::TimerTreeTimer() {
  if (scroll_dy_ != 0) {
    QScrollBar* bar = TreeViewMain->verticalScrollBar();
    bar->setValue(bar->value() + scroll_dy_ * bar->singleStep());
  }
  if (scroll_dx_ != 0) {
    QScrollBar* bar = TreeViewMain->horizontalScrollBar();
    bar->setValue(bar->value() + scroll_dx_ * bar->singleStep());
  }
  TreeViewMain->viewport()->update();
}

void TFormMain::BeginRemove(Node* parent, size_t row, size_t count) {
  const auto removed = [&](const Node* node) {
    for (const Node* n = node; n != nullptr; n = n->parent()) {
      if (n->parent() == parent && n->row() >= row && n->row() < row + count) return true;
    }
    return false;
  };
  if (removed(current_)) current_ = nullptr;
  if (removed(previous_node_)) {
    previous_node_ = nullptr;
    previous_caret_ = 0;
  }
}

void TFormMain::BeginReset() {
  current_ = nullptr;
  previous_node_ = nullptr;
  previous_caret_ = 0;
}

void TFormMain::NodeChanged(Node* node) {
  // Expanded states changed in the model show in the tree.
  if (node == nullptr || !node->has_children()) return;
  const QModelIndex index = model_->IndexFromNode(node);
  if (TreeViewMain->isExpanded(index) != node->expanded()) {
    TreeViewMain->setExpanded(index, node->expanded());
  }
}

}  // namespace pw
