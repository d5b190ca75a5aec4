// Headless panes.
#include "search/stored_panes.h"

#include <algorithm>

#include "richtext/body_edit.h"
#include "richtext/body_text.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_writer.h"

namespace pw::search {

std::string StoredPanes::PaneText(FindPane pane) {
  if (pane == FindPane::kTitle) return title_;
  if (pane == FindPane::kBody) return body_text_;
  return std::string();
}

size_t StoredPanes::SelectionStart(FindPane pane) {
  return pane == FindPane::kNone ? 0 : SelectionOf(pane).start;
}

size_t StoredPanes::SelectionEnd(FindPane pane) {
  return pane == FindPane::kNone ? 0 : SelectionOf(pane).end;
}

void StoredPanes::Select(FindPane pane, size_t start, size_t length) {
  if (pane == FindPane::kNone) return;
  const size_t size = PaneText(pane).size();
  start = std::min(start, size);
  SelectionOf(pane) = {start, std::min(start + length, size)};
  active_ = pane;
}

void StoredPanes::SetTitlePane(const std::string& text, size_t caret) {
  title_ = text;
  title_sel_ = {caret, caret};
  if (current_ != nullptr) outline_->SetTitle(current_, text);
}

void StoredPanes::ReplaceBodySelection(std::string_view text) {
  rich::EditDocumentText(&body_, body_sel_.start, body_sel_.end, text);
  body_text_ = rich::Utf8ToPlainCp932(rich::DocumentText(body_));
  const size_t caret = std::min(body_sel_.start + text.size(), body_text_.size());
  body_sel_ = {caret, caret};
  body_changed_ = true;
}

void StoredPanes::SelectNode(Node* node) {
  StoreCurrentNode();
  Load(node);
}

void StoredPanes::StoreCurrentNode() {
  if (current_ == nullptr) return;
  if (body_changed_) {
    if (current_->data() == nullptr) outline_->SetData(current_, NewNodeData(nkChild));
    current_->data()->SetBody(rich::WriteRtf(body_));
    body_changed_ = false;
  }
  if (!current_->title().empty()) {
    std::string trimmed = TrimTitle(current_->title());
    if (trimmed != current_->title()) outline_->SetTitle(current_, std::move(trimmed));
  }
}

void StoredPanes::SetStoredTitle(Node* node, std::string title) {
  outline_->SetTitle(node, std::move(title));
  if (node == current_) title_ = TitleAsLoaded(node->title());
}

void StoredPanes::SetStoredBody(Node* node, std::string body) {
  if (node->data() == nullptr) outline_->SetData(node, NewNodeData(nkChild));
  node->data()->SetBody(body);
  if (node == current_) {
    body_ = rich::BodyToDocument(body);
    body_text_ = rich::Utf8ToPlainCp932(rich::DocumentText(body_));
    body_changed_ = false;
  }
}

void StoredPanes::Load(Node* node) {
  current_ = node;
  title_sel_ = {};
  body_sel_ = {};
  body_changed_ = false;
  if (node == nullptr) {
    title_.clear();
    body_ = rich::RichDocument{};
    body_text_.clear();
    return;
  }
  title_ = TitleAsLoaded(node->title());
  const TNodeData* data = node->data();
  body_ = rich::BodyToDocument(data != nullptr && data->Body ? *data->Body : std::string());
  body_text_ = rich::Utf8ToPlainCp932(rich::DocumentText(body_));
}

}  // namespace pw::search
