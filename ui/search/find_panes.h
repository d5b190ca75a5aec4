// The main window's panes as the find and replace walk sees them: the title pane and the body
// pane as CP932 texts with byte offsets, the tree's selection, and the stored nodes.
#ifndef PLOTWEAVE_UI_SEARCH_FIND_PANES_H_
#define PLOTWEAVE_UI_SEARCH_FIND_PANES_H_

#include <string>
#include <string_view>

#include "search/find_walk.h"

class QTextDocument;

namespace pw {

class WindowContext;

// The body pane's text as the walk reads it: each block's characters as AppendPlainCp932
// writes them, Qt's line separator and each block end as CR LF.
std::string BodyPaneCp932(const QTextDocument& document);
// The document position of a byte offset into that text (an offset inside a character or a
// line break is the position after it), and back.
int BodyPanePosition(const QTextDocument& document, size_t offset);
size_t BodyPaneOffset(const QTextDocument& document, int position);

class WindowFindPanes : public search::TFindPanes {
 public:
  explicit WindowFindPanes(WindowContext& window) : window_(window) {}

  Outline& outline() override;
  Node* CurrentNode() override;
  search::FindPane ActivePane() override;
  std::string PaneText(search::FindPane pane) override;
  size_t SelectionStart(search::FindPane pane) override;
  size_t SelectionEnd(search::FindPane pane) override;
  void Select(search::FindPane pane, size_t start, size_t length) override;
  void SetTitlePane(const std::string& text, size_t caret) override;
  void ReplaceBodySelection(std::string_view text) override;
  void SelectNode(Node* node) override;
  void StoreCurrentNode() override;
  void SetStoredTitle(Node* node, std::string title) override;
  void SetStoredBody(Node* node, std::string body) override;
  void ReloadCurrentNode() override;
  // The tree follows the titles once at the end: a change notice per node would lay out the
  // tree's 100,000 rows again each time.
  void BeginStoredChanges() override;
  void EndStoredChanges() override;

 private:
  WindowContext& window_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_SEARCH_FIND_PANES_H_
