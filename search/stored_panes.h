// Panes without a window: the title and body of one node of an outline held as the panes hold
// them, for pwvtool replace and for tests that drive the find and replace walk headless. The
// body is a rich document edited as the body pane edits its text.
#ifndef PLOTWEAVE_SEARCH_STORED_PANES_H_
#define PLOTWEAVE_SEARCH_STORED_PANES_H_

#include <string>

#include "core/outline.h"
#include "richtext/rich_document.h"
#include "search/find_walk.h"

namespace pw::search {

class StoredPanes : public TFindPanes {
 public:
  explicit StoredPanes(Outline* outline) : outline_(outline) {}

  Outline& outline() override { return *outline_; }
  Node* CurrentNode() override { return current_; }
  FindPane ActivePane() override { return active_; }
  std::string PaneText(FindPane pane) override;
  size_t SelectionStart(FindPane pane) override;
  size_t SelectionEnd(FindPane pane) override;
  void Select(FindPane pane, size_t start, size_t length) override;
  void SetTitlePane(const std::string& text, size_t caret) override;
  void ReplaceBodySelection(std::string_view text) override;
  void SelectNode(Node* node) override;
  // Stores the body only when the pane changed it, so that a body nothing replaced in keeps
  // its bytes; the title is trimmed as StoreCurrentNode trims it.
  void StoreCurrentNode() override;
  void SetStoredTitle(Node* node, std::string title) override;
  void SetStoredBody(Node* node, std::string body) override;
  void ReloadCurrentNode() override { Load(current_); }

  // Gives a pane the focus without changing its selection (kNone: the tree).
  void Focus(FindPane pane) { active_ = pane; }

 private:
  struct Selection {
    size_t start = 0;
    size_t end = 0;
  };
  void Load(Node* node);
  Selection& SelectionOf(FindPane pane) {
    return pane == FindPane::kTitle ? title_sel_ : body_sel_;
  }

  Outline* outline_;
  Node* current_ = nullptr;
  FindPane active_ = FindPane::kNone;
  std::string title_;
  rich::RichDocument body_;
  std::string body_text_;
  bool body_changed_ = false;
  Selection title_sel_;
  Selection body_sel_;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_STORED_PANES_H_
