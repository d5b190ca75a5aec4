// The hand-over between the outline and the panes (store the node being left, load the node
// arriving), the title pane and caption following each other, keys between panes,
// navigation, back, the status bar and the split direction.
#include "ui/document/node_panes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontMetrics>
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
#include <QTreeView>

#include "core/cp932.h"
#include "core/document_flags.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/common/window_context.h"
#include "ui/document/outline_model.h"

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

QFont ToQFont(const FontSetting& setting) {
  QFont font;
  const QString family = FromCp932(setting.Name);
  if (!family.isEmpty()) font.setFamilies({family});
  if (setting.Size > 0) font.setPointSize(setting.Size);
  font.setBold((setting.Style & kFontStyleBold) != 0);
  font.setItalic((setting.Style & kFontStyleItalic) != 0);
  font.setUnderline((setting.Style & kFontStyleUnderline) != 0);
  font.setStrikeOut((setting.Style & kFontStyleStrikeOut) != 0);
  return font;
}

}  // namespace

NodePanes::NodePanes(WindowContext& window)
    : window_(window), ui_(window.controls()), tree_width_beside_(kTreeWidthBeside) {
  window_.outline().AddObserver(this);
}

NodePanes::~NodePanes() { window_.outline().RemoveObserver(this); }

void NodePanes::Connect() {
  OutlineModel* model = window_.model();
  model->SetCaptionEditHandler(
      [this](Node* node, const QString& text) { CaptionEdited(node, text); });
  connect(
      ui_.TreeViewMain->selectionModel(), &QItemSelectionModel::currentChanged, this,
      [this](const QModelIndex& now) { TreeViewMainChange(window_.model()->NodeFromIndex(now)); });
  connect(ui_.TreeViewMain, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    Node* node = window_.model()->NodeFromIndex(index);
    if (node != nullptr && !node->expanded()) window_.outline().SetExpanded(node, true);
  });
  connect(ui_.TreeViewMain, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
    Node* node = window_.model()->NodeFromIndex(index);
    if (node != nullptr && node->expanded()) window_.outline().SetExpanded(node, false);
  });
  connect(ui_.MemoTitle, &QLineEdit::textChanged, this, &NodePanes::MemoTitleChange);
  connect(ui_.RichEditMain, &QTextEdit::cursorPositionChanged, this, &NodePanes::ShowCaretPosition);
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { PaneFocusChanged(now); });
}

void NodePanes::Bind(ActionRegistry& actions) {
  actions.Bind("MenuEditBack", this, &NodePanes::MenuEditBackClick);
  actions.Bind("MenuEditSelectAll", this, &NodePanes::MenuEditSelectAllClick);
  actions.Bind("MenuEditUpVisible", this, &NodePanes::MenuEditUpVisibleClick);
  actions.Bind("MenuEditDownVisible", this, &NodePanes::MenuEditDownVisibleClick);
  actions.Bind("MenuEditUp", this, &NodePanes::MenuEditUpClick);
  actions.Bind("MenuEditDown", this, &NodePanes::MenuEditDownClick);
  actions.Bind("MenuEditSplitChange", this, &NodePanes::MenuEditSplitChangeClick);
  actions.Bind("MenuMoveTree", this, &NodePanes::MenuMoveTreeClick);
  actions.Bind("MenuMoveTitle", this, &NodePanes::MenuMoveTitleClick);
  actions.Bind("MenuMoveEdit", this, &NodePanes::MenuMoveEditClick);
}

// --- the hand-over ---

Node* NodePanes::SelectedNode() const {
  OutlineModel* model = window_.model();
  return model != nullptr ? model->NodeFromIndex(ui_.TreeViewMain->currentIndex()) : nullptr;
}

void NodePanes::StoreBody(Node* node) {
  if (node == nullptr || node->data() == nullptr) return;
  QTextDocument* document = ui_.RichEditMain->document();
  DocumentFlags& flags = window_.flags();
  if (ui_.MemoTitle->isModified()) flags.TitleModified = true;
  if (document->isModified()) {
    flags.BodyModified = true;
    node->data()->SetBody(DocumentToRtf(*document));
  } else if (!node->data()->Body) {
    // An absent body becomes the empty document, as the pane shows it.
    node->data()->SetBody(DocumentToRtf(*document));
  }
  // An unedited body keeps its bytes: our RTF engine does not know every feature of every
  // writer, and what it does not know must survive.
}

void NodePanes::TrimTitle(Node* node) {
  const std::string& title = node->title();
  if (title.empty()) return;
  size_t begin = 0;
  size_t end = title.size();
  // Bytes up to the space are never trail bytes, so a byte-wise trim is safe for CP932.
  while (begin < end && static_cast<unsigned char>(title[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(title[end - 1]) <= 0x20) --end;
  if (begin != 0 || end != title.size()) {
    window_.outline().SetTitle(node, title.substr(begin, end - begin));
  }
}

void NodePanes::StoreCurrentNode() {
  if (current_ == nullptr) return;
  StoreBody(current_);
  TrimTitle(current_);
}

void NodePanes::ClearBodyPane() {
  QTextDocument* document = ui_.RichEditMain->document();
  document->setUndoRedoEnabled(false);
  document->clear();
  QTextCursor cursor(document);
  cursor.setBlockFormat(QTextBlockFormat());
  document->setUndoRedoEnabled(true);
}

void NodePanes::LoadBody(Node* node) {
  QTextEdit* body = ui_.RichEditMain;
  body->setUpdatesEnabled(false);
  ui_.MemoTitle->setUpdatesEnabled(false);
  if (node != nullptr && node->data() != nullptr && node->data()->Body) {
    // Built aside and then shown: filling the pane's own document would lay it out again
    // with every paragraph, several times the cost of building it. A fresh document is as
    // empty as a cleared pane, so the pane is not cleared first: that would hide its scroll
    // bar, widen it and make it lay the new body out twice.
    QTextDocument* shown = body->document();
    auto* document = new QTextDocument(body);
    document->setDefaultFont(shown->defaultFont());
    document->setDefaultTextOption(shown->defaultTextOption());
    document->setDocumentMargin(shown->documentMargin());
    // No width yet: nothing is laid out until the pane sets its own, and then only as far
    // as it shows; the rest follows in the background.
    document->setPageSize(QSizeF(0, 0));
    document->setUndoRedoEnabled(false);
    LoadBodyIntoDocument(*node->data()->Body, document);
    document->setUndoRedoEnabled(true);
    // The pane's first document belongs to the pane, which frees it itself; the later ones
    // are ours.
    const bool ours = shown->parent() == body;
    // Coming from a body short enough to hide the scroll bar, showing it again once this one
    // is in would narrow the pane and lay the body out a second time: the bar stays on while
    // the body goes in and is hidden again only if the body turns out short.
    const Qt::ScrollBarPolicy bar_policy = body->verticalScrollBarPolicy();
    const bool hold_bar =
        bar_policy == Qt::ScrollBarAsNeeded && !body->verticalScrollBar()->isVisibleTo(body);
    if (hold_bar) body->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    body->setDocument(document);
    if (hold_bar) body->setVerticalScrollBarPolicy(bar_policy);
    if (ours) delete shown;
  } else {
    ClearBodyPane();
  }
  body->moveCursor(QTextCursor::Start);
  body->setUpdatesEnabled(true);
  ui_.MemoTitle->setUpdatesEnabled(true);
  body->document()->setModified(false);
  ui_.MemoTitle->setModified(false);
}

void NodePanes::TreeViewMainChange(Node* node) {
  if (clearing_ || busy_) return;
  busy_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // One bad body must not lock the tree: whatever fails here is dropped.
  try {
    window_.UpdateTreeCommands();
    if (current_ != nullptr) {
      StoreBody(current_);
      TrimTitle(current_);
    }
    previous_node_ = current_;
    previous_caret_ = ui_.RichEditMain->textCursor().position();
    if (node != nullptr) {
      LoadBody(node);  // clears the pane itself when the node has no body
      title_updating_ = true;
      ui_.MemoTitle->setText(FromCp932(node->title()));
      ui_.MemoTitle->setModified(false);
      title_updating_ = false;
      ui_.StatusPanels[0]->setText(ui_.MemoTitle->text());
    } else {
      ClearBodyPane();
      title_updating_ = true;
      ui_.MemoTitle->clear();
      title_updating_ = false;
      ui_.StatusPanels[0]->clear();
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

void NodePanes::SelectNode(Node* node) {
  if (node == nullptr) return;
  const QModelIndex index = window_.model()->IndexFromNode(node);
  ui_.TreeViewMain->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  ui_.TreeViewMain->scrollTo(index);
  // Selecting the node that is already current changes nothing; make sure it is shown.
  if (current_ != node) TreeViewMainChange(node);
}

void NodePanes::ReplaceTree(const std::function<void()>& change) {
  clearing_ = true;
  current_ = nullptr;
  change();
  clearing_ = false;
}

void NodePanes::ForgetPreviousPlace() {
  previous_node_ = nullptr;
  previous_caret_ = 0;
}

void NodePanes::SetUnmodified() {
  ui_.RichEditMain->document()->setModified(false);
  ui_.MemoTitle->setModified(false);
}

void NodePanes::ShowStoredCurrentNode() {
  QTextEdit* body = ui_.RichEditMain;
  const int caret = body->textCursor().position();
  StoreCurrentNode();
  if (current_ == nullptr) return;
  LoadBody(current_);
  title_updating_ = true;
  ui_.MemoTitle->setText(FromCp932(current_->title()));
  title_updating_ = false;
  ui_.StatusPanels[0]->setText(ui_.MemoTitle->text());
  QTextCursor cursor = body->textCursor();
  cursor.setPosition(std::min(caret, body->document()->characterCount() - 1));
  body->setTextCursor(cursor);
  UpdateStatusBar();
}

// --- the title pane and the caption ---

QString NodePanes::CheckedTitle(const QString& text, std::string* bytes) {
  Cp932Text converted = ToCp932(text);
  *bytes = std::move(converted.bytes);
  if (converted.unmappable == 0) return text;
  window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"), U8(kUnmappableTitle),
                            DialogIcon::kWarning);
  return FromCp932(*bytes);
}

void NodePanes::MemoTitleChange() {
  if (title_updating_) return;
  QLineEdit* title = ui_.MemoTitle;
  QString text = title->text();
  const bool modified = title->isModified();
  // A trailing blank survives only while it is the last character typed.
  if (!text.endsWith(QLatin1Char(' '))) {
    const QString trimmed = TrimControls(text);
    if (trimmed != text) {
      qsizetype lead = 0;
      while (lead < text.size() && text[lead].unicode() <= 0x20) ++lead;
      const int caret = title->cursorPosition();
      title_updating_ = true;
      title->setText(trimmed);
      title->setCursorPosition(std::max<int>(0, caret - static_cast<int>(lead)));
      title_updating_ = false;
      text = trimmed;
    }
  }
  std::string bytes;
  const QString checked = CheckedTitle(text, &bytes);
  if (checked != text) {
    const int caret = title->cursorPosition();
    title_updating_ = true;
    title->setText(checked);
    title->setCursorPosition(std::min<int>(caret, static_cast<int>(checked.size())));
    title_updating_ = false;
    text = checked;
  }
  title->setModified(modified);
  ui_.StatusPanels[0]->setText(text);
  Node* selected = SelectedNode();
  if (selected != nullptr && selected->title() != bytes) {
    window_.outline().SetTitle(selected, bytes);
  }
}

void NodePanes::CaptionEdited(Node* node, const QString& text) {
  if (node == SelectedNode()) {
    // The title pane takes the text; its change handler sets the caption.
    ui_.MemoTitle->setText(text);
    ui_.MemoTitle->setModified(true);
    window_.flags().TitleModified = true;
    ui_.StatusPanels[0]->setText(ui_.MemoTitle->text());
    return;
  }
  std::string bytes;
  CheckedTitle(text, &bytes);
  window_.outline().SetTitle(node, bytes);
  window_.flags().TitleModified = true;
}

void NodePanes::TitleFromBody() {
  if (!ui_.MemoTitle->text().isEmpty()) return;
  QString line = ui_.RichEditMain->document()->firstBlock().text();
  const qsizetype line_break = line.indexOf(QChar(QChar::LineSeparator));
  if (line_break >= 0) line.truncate(line_break);
  const std::string bytes = ToCp932(line.trimmed()).bytes;
  const int max_length = window_.settings().TitleMaxLength;
  const size_t limit = max_length > 0 ? static_cast<size_t>(max_length) : 0;
  size_t end = 0;
  while (end < bytes.size()) {
    const size_t next = NextCharBoundary(bytes, end);
    if (next > limit) break;
    end = next;
  }
  ui_.MemoTitle->setText(FromCp932(std::string_view(bytes).substr(0, end)));
  ui_.MemoTitle->setModified(true);
  window_.flags().TitleModified = true;
}

// --- keys between the panes ---

bool NodePanes::TreeKeyPress(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (mods == Qt::ShiftModifier) {
      TitleFromBody();
    } else if (mods == Qt::NoModifier) {
      ui_.RichEditMain->setFocus();
    }
    return true;
  }
  if ((key == Qt::Key_Up || key == Qt::Key_Down) && mods == Qt::ShiftModifier) {
    Node* node = SelectedNode();
    if (node == nullptr) return true;
    Outline& outline = window_.outline();
    const size_t row = node->row();
    Node* target = nullptr;
    if (key == Qt::Key_Up && row > 0) target = outline.child(node->parent(), row - 1);
    if (key == Qt::Key_Down) target = outline.child(node->parent(), row + 1);
    if (target != nullptr) {
      StoreCurrentNode();
      SelectNode(target);
    }
    return true;
  }
  return false;
}

bool NodePanes::TitleKeyPress(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (ui_.RichEditMain->isEnabled()) ui_.RichEditMain->setFocus();
    return true;
  }
  if (key == Qt::Key_A && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
    ui_.MemoTitle->selectAll();
    return true;
  }
  return false;
}

bool NodePanes::BodyKeyPress(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  QTextEdit* body = ui_.RichEditMain;
  if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
    ui_.MemoTitle->setFocus();
    return true;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::ShiftModifier) {
    TitleFromBody();
    return true;
  }
  if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
    body->setOverwriteMode(!body->overwriteMode());
    ui_.StatusPanels[1]->setText(U8(body->overwriteMode() ? "上書" : "挿入"));
    return true;
  }
  return false;
}

void NodePanes::PaneFocusChanged(QWidget* now) {
  const char* command = nullptr;
  if (now == ui_.TreeViewMain) command = "MenuMoveTree";
  if (now == ui_.MemoTitle) command = "MenuMoveTitle";
  if (now == ui_.RichEditMain) command = "MenuMoveEdit";
  if (command == nullptr) return;
  window_.action_registry().Action(QString::fromLatin1(command))->setChecked(true);
}

// --- navigation ---

void NodePanes::MenuMoveTreeClick() { ui_.TreeViewMain->setFocus(); }
void NodePanes::MenuMoveTitleClick() { ui_.MemoTitle->setFocus(); }
void NodePanes::MenuMoveEditClick() { ui_.RichEditMain->setFocus(); }

void NodePanes::MenuEditSelectAllClick() {
  if (select_all_running_) return;
  select_all_running_ = true;
  QWidget* focus = QApplication::focusWidget();
  if (focus == ui_.MemoTitle) ui_.MemoTitle->selectAll();
  if (focus == ui_.RichEditMain) ui_.RichEditMain->selectAll();
  select_all_running_ = false;
}

void NodePanes::MenuEditUpClick() {
  StoreCurrentNode();
  Node* node = SelectedNode();
  if (node == nullptr) return;
  Outline& outline = window_.outline();
  const size_t index = outline.AbsoluteIndex(node);
  if (index > 0) SelectNode(outline.NodeAt(index - 1));
}

void NodePanes::MenuEditDownClick() {
  StoreCurrentNode();
  Node* node = SelectedNode();
  if (node == nullptr) return;
  SelectNode(window_.outline().NextInPreorder(node));
}

void NodePanes::MenuEditUpVisibleClick() {
  StoreCurrentNode();
  const QModelIndex above = ui_.TreeViewMain->indexAbove(ui_.TreeViewMain->currentIndex());
  if (above.isValid()) SelectNode(window_.model()->NodeFromIndex(above));
}

void NodePanes::MenuEditDownVisibleClick() {
  StoreCurrentNode();
  const QModelIndex below = ui_.TreeViewMain->indexBelow(ui_.TreeViewMain->currentIndex());
  if (below.isValid()) SelectNode(window_.model()->NodeFromIndex(below));
}

void NodePanes::MenuEditBackClick() {
  if (previous_node_ == nullptr) return;
  const int caret = previous_caret_;
  SelectNode(previous_node_);
  QTextEdit* body = ui_.RichEditMain;
  if (caret > 0 && body->isEnabled()) {
    QTextCursor cursor = body->textCursor();
    cursor.setPosition(std::min(caret, body->document()->characterCount() - 1));
    body->setTextCursor(cursor);
    body->setFocus();
  }
}

// --- the status bar ---

void NodePanes::UpdateStatusBar() { ShowCaretPosition(); }

void NodePanes::ShowCaretPosition() {
  // Lines are the pane's display lines, as the caret moves through them.
  const QTextCursor cursor = ui_.RichEditMain->textCursor();
  const QTextBlock block = cursor.block();
  int line = 0;
  for (QTextBlock b = ui_.RichEditMain->document()->begin(); b.isValid() && b != block;
       b = b.next()) {
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
  ui_.StatusPanels[2]->setText(QString::asprintf("%3d : %3d", line + 1, column + 1));
}

// --- fonts and the split direction ---

void NodePanes::ApplyFonts() {
  const Settings& settings = window_.settings();
  ui_.TreeViewMain->setFont(ToQFont(settings.TreeViewFont));
  const QFont title = ToQFont(settings.MemoFont);
  ui_.MemoTitle->setFont(title);
  ui_.MemoTitle->setFixedHeight(QFontMetrics(title).height() + 8);
  const QFont body = ToQFont(settings.RichEditFont);
  ui_.RichEditMain->document()->setDefaultFont(body);
  ui_.RichEditMain->setFont(body);
  // The font bar shows the default body font until the caret says otherwise.
  ui_.FontBarName->setCurrentFont(body);
  ui_.FontBarSize->setCurrentText(QString::number(settings.RichEditFont.Size));
}

void NodePanes::MenuEditSplitChangeClick() {
  // Remember the extent for the direction being left, then lay out the other one.
  Settings& settings = window_.settings();
  const QList<int> sizes = ui_.SplitterMain->sizes();
  if (!sizes.isEmpty()) settings.TreeWidth = sizes[0];
  if (settings.SplitH) {
    tree_width_beside_ = settings.TreeWidth;
  } else {
    tree_height_above_ = settings.TreeWidth;
  }
  settings.SplitH = !settings.SplitH;
  if (settings.SplitH) {
    settings.TreeWidth = tree_width_beside_;
  } else {
    // The first time in a run the tree goes on top, it takes half the room: the whole room
    // it had beside the panes would leave them a strip.
    settings.TreeWidth =
        tree_height_above_ > 0 ? tree_height_above_ : ui_.SplitterMain->height() / 2;
  }
  LaySplitDirection(settings.SplitH, true);
}

void NodePanes::ApplySplitSettings(bool enforce_minimum) {
  const Settings& settings = window_.settings();
  if (settings.SplitH) {
    tree_width_beside_ = settings.TreeWidth;
  } else {
    tree_height_above_ = settings.TreeWidth;
  }
  LaySplitDirection(settings.SplitH, enforce_minimum);
}

void NodePanes::LaySplitDirection(bool side_by_side, bool enforce_minimum) {
  QSplitter* splitter = ui_.SplitterMain;
  splitter->setOrientation(side_by_side ? Qt::Horizontal : Qt::Vertical);
  if (side_by_side) {
    ui_.TreeViewMain->setMinimumSize(10, 0);
  } else {
    ui_.TreeViewMain->setMinimumSize(0, 10);
  }
  const int total = side_by_side ? splitter->width() : splitter->height();
  int extent = window_.settings().TreeWidth;
  if (enforce_minimum) {
    // A tree larger than the room it has leaves 30 pixels for the panes (also when it would
    // leave them less than that); it keeps 30 itself.
    if (total > 0 && extent > total - 30) extent = total - 30;
    extent = std::max(extent, 30);
  }
  window_.settings().TreeWidth = extent;
  const int rest = std::max(0, total - extent - splitter->handleWidth());
  splitter->setSizes({extent, rest > 0 ? rest : 1000});
}

// --- following the outline ---

void NodePanes::BeginRemove(Node* parent, size_t row, size_t count) {
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

void NodePanes::BeginReset() {
  current_ = nullptr;
  previous_node_ = nullptr;
  previous_caret_ = 0;
}

void NodePanes::NodeChanged(Node* node) {
  // Expanded states changed in the model show in the tree.
  if (node == nullptr || !node->has_children()) return;
  const QModelIndex index = window_.model()->IndexFromNode(node);
  if (ui_.TreeViewMain->isExpanded(index) != node->expanded()) {
    ui_.TreeViewMain->setExpanded(index, node->expanded());
  }
}

}  // namespace pw
