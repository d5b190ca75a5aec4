// The walk of the find and replace dialogs through the title pane, the body pane and the
// nodes after the current one in pre-order, over an abstract view of the main window's panes.
//
// The panes are loaded only where a hit is shown: nodes after the current one are searched in
// their stored text (the title as the title pane holds it, the body's plain text), and the node
// with the next hit is then selected and searched in its panes as the dialogs search. Replacing
// every hit ("すべて置換(&L)") runs on the stored texts throughout and edits the stored bodies
// in place; bodies and titles without a hit are not touched.
#ifndef PLOTWEAVE_SEARCH_FIND_WALK_H_
#define PLOTWEAVE_SEARCH_FIND_WALK_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/outline.h"
#include "richtext/body_text.h"
#include "search/find_text.h"

namespace pw::search {

enum class FindPane { kNone, kTitle, kBody };

// What the dialogs need of the main window. Texts are CP932, the body's with CR LF line ends;
// offsets are byte offsets into those texts.
class TFindPanes {
 public:
  virtual ~TFindPanes() = default;

  virtual Outline& outline() = 0;
  // The node the panes show, or nullptr.
  virtual Node* CurrentNode() = 0;
  // Which pane is the main window's active control (kNone: the tree or anything else).
  virtual FindPane ActivePane() = 0;
  virtual std::string PaneText(FindPane pane) = 0;
  virtual size_t SelectionStart(FindPane pane) = 0;
  virtual size_t SelectionEnd(FindPane pane) = 0;
  // Selects [start, start + length) in the pane and gives it the focus.
  virtual void Select(FindPane pane, size_t start, size_t length) = 0;
  // The title pane takes `text` (as EditTitle made it) with the caret at `caret`, as if typed;
  // the node's title follows as with any edit in the pane.
  virtual void SetTitlePane(const std::string& text, size_t caret) = 0;
  // The body pane's selection is typed over with `text` (in the pane's form); the caret ends
  // after it.
  virtual void ReplaceBodySelection(std::string_view text) = 0;
  // Selects a node in the tree, which stores the node left and loads this one into the panes.
  virtual void SelectNode(Node* node) = 0;
  // Stores the panes into the current node (StoreCurrentNode).
  virtual void StoreCurrentNode() = 0;
  // Replace-all changed a stored title or body; when `node` is the current node the panes
  // take the new text as well.
  virtual void SetStoredTitle(Node* node, std::string title) = 0;
  virtual void SetStoredBody(Node* node, std::string body) = 0;
  // Loads the current node into the panes again, after its stored title or body changed.
  virtual void ReloadCurrentNode() = 0;
  // Bracket the stored changes of one replace-all, so that a view of the tree can follow them
  // once rather than node by node.
  virtual void BeginStoredChanges() {}
  virtual void EndStoredChanges() {}
};

// The title as the title pane holds it once loaded: TitlePaneText, cut to the pane's 258
// characters.
std::string TitleAsLoaded(std::string_view title);

// A hit as the panes select it: an end (or start) between the CR and the LF of a line break
// moves past the LF, since the pane's line break is one character.
TextHit SnapToPane(std::string_view text, TextHit hit);

// One dialog's search state and its searches.
class FindSession {
 public:
  explicit FindSession(TAWKStr* awk) : finder_(awk) {}

  // The search position: where the title search, and the regular-expression body search, go
  // on. Set to 0 when the dialog is shown.
  size_t search_position = 0;

  // Takes the search text and the options; a malformed pattern returns its error, and then
  // nothing may be searched.
  std::optional<ERegExpParser> Prepare(std::string_view pattern, const FindOptions& options);

  // The walk from the active pane: true when a hit is selected in the panes. Never wraps.
  bool Walk(TFindPanes& panes);

  // Replaces the active pane's selection: the replacement as typed, or (regular expression)
  // Sub's result over the selected text, where the pattern matches it. True when replaced.
  bool ReplaceInPane(TFindPanes& panes, std::string_view templ);

  // "すべて置換(&L)" from the hit the last search selected: replace, walk, until the walk
  // fails; a hit of length 0 is stepped over by one character after it is replaced, so the
  // loop ends. Runs on the stored texts; the node where the walk ended is loaded at the end.
  // Returns the number of replacements.
  size_t ReplaceAll(TFindPanes& panes, std::string_view templ);

  // The same loop replacing hit by hit through the panes (ReplaceInPane, Walk): slow on big
  // documents, kept as the reference the headless loop is checked against.
  size_t ReplaceAllThroughPanes(TFindPanes& panes, std::string_view templ);

  const TextFinder& finder() const { return finder_; }

 private:
  // The next node after `node` whose stored title or body has a hit, or nullptr.
  Node* NextNodeWithHit(Outline& outline, Node* node);
  bool StoredHasHit(Node* node);
  std::optional<TextHit> FindIn(std::string_view text, size_t from, TAWKScan* scan = nullptr);
  bool SearchPanes(TFindPanes& panes, FindPane pane);

  TextFinder finder_;
  FindOptions options_;
  rich::BodyTextReader bodies_;
  std::string title_buffer_;
  std::string body_buffer_;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_FIND_WALK_H_
