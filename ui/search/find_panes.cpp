// The panes for the find and replace walk. A CP932 offset and a Qt position are tied by
// walking the text: every character's CP932 form has a known length, a line separator and a
// block end are CR LF.
#include "ui/search/find_panes.h"

#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeView>
#include <algorithm>

#include "core/cp932.h"
#include "core/document_flags.h"
#include "richtext/plain_text.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_context.h"
#include "ui/document/node_panes.h"
#include "ui/document/outline_model.h"

namespace pw {
namespace {

using search::FindPane;

// Calls fn(position, ch, width) for every character of the document in order, a block end
// included as '\n' (width 2); stops when fn returns false.
template <typename Fn>
void ForEachCharacter(const QTextDocument& document, Fn fn) {
  std::string bytes;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    const int base = block.position();
    for (qsizetype i = 0; i < text.size();) {
      char32_t ch = text[i].unicode();
      qsizetype units = 1;
      if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
        units = 2;
      }
      size_t width = 0;
      if (ch == QChar::LineSeparator) {
        width = 2;
      } else if (ch != QChar::ObjectReplacementCharacter) {
        bytes.clear();
        rich::AppendPlainCp932(ch, &bytes);
        width = bytes.size();
      }
      if (!fn(base + static_cast<int>(i), ch, width, static_cast<int>(units))) return;
      i += units;
    }
    if (block.next().isValid()) {
      if (!fn(base + static_cast<int>(text.size()), U'\n', 2, 1)) return;
    }
  }
}

int CharsOf(std::string_view cp932, size_t bytes) {
  return static_cast<int>(CharCount(cp932.substr(0, std::min(bytes, cp932.size()))));
}

size_t BytesOf(std::string_view cp932, int chars) {
  size_t at = 0;
  for (int i = 0; i < chars && at < cp932.size(); ++i) at = NextCharBoundary(cp932, at);
  return at;
}

}  // namespace

std::string BodyPaneCp932(const QTextDocument& document) {
  std::string text;
  ForEachCharacter(document, [&](int, char32_t ch, size_t, int) {
    if (ch == QChar::LineSeparator || ch == U'\n') {
      text += "\r\n";
    } else if (ch != QChar::ObjectReplacementCharacter) {
      rich::AppendPlainCp932(ch, &text);
    }
    return true;
  });
  return text;
}

int BodyPanePosition(const QTextDocument& document, size_t offset) {
  size_t at = 0;
  int position = 0;
  ForEachCharacter(document, [&](int pos, char32_t, size_t width, int units) {
    if (at >= offset) {
      position = pos;
      return false;
    }
    at += width;
    position = pos + units;
    return true;
  });
  return position;
}

size_t BodyPaneOffset(const QTextDocument& document, int position) {
  size_t at = 0;
  ForEachCharacter(document, [&](int pos, char32_t, size_t width, int) {
    if (pos >= position) return false;
    at += width;
    return true;
  });
  return at;
}

Outline& WindowFindPanes::outline() { return window_.outline(); }

Node* WindowFindPanes::CurrentNode() { return window_.current_node(); }

FindPane WindowFindPanes::ActivePane() {
  const WindowControls& ui = window_.controls();
  QWidget* active = window_.dialog_parent()->focusWidget();
  if (active == ui.MemoTitle) return FindPane::kTitle;
  if (active != nullptr && (active == ui.RichEditMain || ui.RichEditMain->isAncestorOf(active))) {
    return FindPane::kBody;
  }
  return FindPane::kNone;
}

std::string WindowFindPanes::PaneText(FindPane pane) {
  const WindowControls& ui = window_.controls();
  if (pane == FindPane::kTitle) return ToCp932(ui.MemoTitle->text()).bytes;
  if (pane == FindPane::kBody) return BodyPaneCp932(*ui.RichEditMain->document());
  return std::string();
}

size_t WindowFindPanes::SelectionStart(FindPane pane) {
  const WindowControls& ui = window_.controls();
  if (pane == FindPane::kTitle) {
    QLineEdit* title = ui.MemoTitle;
    const int start = title->hasSelectedText() ? title->selectionStart() : title->cursorPosition();
    return BytesOf(PaneText(pane), start);
  }
  if (pane == FindPane::kBody) {
    return BodyPaneOffset(*ui.RichEditMain->document(),
                          ui.RichEditMain->textCursor().selectionStart());
  }
  return 0;
}

size_t WindowFindPanes::SelectionEnd(FindPane pane) {
  const WindowControls& ui = window_.controls();
  if (pane == FindPane::kTitle) {
    QLineEdit* title = ui.MemoTitle;
    const int end = title->hasSelectedText() ? title->selectionEnd() : title->cursorPosition();
    return BytesOf(PaneText(pane), end);
  }
  if (pane == FindPane::kBody) {
    return BodyPaneOffset(*ui.RichEditMain->document(),
                          ui.RichEditMain->textCursor().selectionEnd());
  }
  return 0;
}

void WindowFindPanes::Select(FindPane pane, size_t start, size_t length) {
  const WindowControls& ui = window_.controls();
  if (pane == FindPane::kTitle) {
    const std::string text = PaneText(pane);
    const int from = CharsOf(text, start);
    const int to = CharsOf(text, start + length);
    ui.MemoTitle->setSelection(from, to - from);
    if (to == from) ui.MemoTitle->setCursorPosition(from);
    ui.MemoTitle->setFocus();
  } else if (pane == FindPane::kBody) {
    const QTextDocument& document = *ui.RichEditMain->document();
    QTextCursor cursor(ui.RichEditMain->document());
    cursor.setPosition(BodyPanePosition(document, start));
    cursor.setPosition(BodyPanePosition(document, start + length), QTextCursor::KeepAnchor);
    ui.RichEditMain->setTextCursor(cursor);
    ui.RichEditMain->setFocus();
  }
}

void WindowFindPanes::SetTitlePane(const std::string& text, size_t caret) {
  QLineEdit* title = window_.controls().MemoTitle;
  // As typed: the title pane's change handler trims and gives the node its title.
  title->setText(FromCp932(text));
  title->setModified(true);
  title->setCursorPosition(CharsOf(text, caret));
}

void WindowFindPanes::ReplaceBodySelection(std::string_view text) {
  QTextEdit* body = window_.controls().RichEditMain;
  QTextCursor cursor = body->textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r') continue;
    if (i > start) cursor.insertText(FromCp932(text.substr(start, i - start)));
    if (i < text.size()) {
      cursor.insertBlock();
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    start = i + 1;
  }
  cursor.endEditBlock();
  body->setTextCursor(cursor);
}

void WindowFindPanes::SelectNode(Node* node) { window_.SelectNode(node); }

void WindowFindPanes::StoreCurrentNode() { window_.StoreCurrentNode(); }

void WindowFindPanes::SetStoredTitle(Node* node, std::string title) {
  window_.outline().SetTitle(node, std::move(title));
  window_.flags().TitleModified = true;
  if (node == window_.current_node()) {
    QLineEdit* pane = window_.controls().MemoTitle;
    pane->setText(FromCp932(node->title()));
    pane->setModified(false);
  }
}

void WindowFindPanes::SetStoredBody(Node* node, std::string body) {
  if (node->data() == nullptr) window_.outline().SetData(node, NewNodeData(nkChild));
  node->data()->SetBody(body);
  window_.outline().NotifyChanged(node);
  window_.flags().BodyModified = true;
  if (node == window_.current_node()) window_.panes().LoadBody(node);
}

void WindowFindPanes::BeginStoredChanges() { window_.model()->blockSignals(true); }

void WindowFindPanes::EndStoredChanges() {
  window_.model()->blockSignals(false);
  QTreeView* tree = window_.controls().TreeViewMain;
  tree->doItemsLayout();
  tree->viewport()->update();
}

void WindowFindPanes::ReloadCurrentNode() {
  Node* node = window_.current_node();
  if (node == nullptr) return;
  window_.panes().LoadBody(node);
  QLineEdit* pane = window_.controls().MemoTitle;
  pane->setText(FromCp932(node->title()));
  pane->setModified(false);
}

}  // namespace pw
