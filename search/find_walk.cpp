// The walk and the replace loops.
#include "search/find_walk.h"

#include <algorithm>
#include <vector>

#include "core/cp932.h"
#include "richtext/body_edit.h"
#include "search/char_boundary.h"

namespace pw::search {

std::string TitleAsLoaded(std::string_view title) {
  std::string text = TitlePaneText(title);
  size_t cut = 0;
  for (size_t chars = 0; cut < text.size() && chars < kTitlePaneMaxChars; ++chars) {
    cut = NextCharBoundary(text, cut);
  }
  text.resize(cut);
  return text;
}

TextHit SnapToPane(std::string_view text, TextHit hit) {
  auto inside_break = [&](size_t at) {
    return at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n';
  };
  size_t begin = hit.offset;
  size_t end = hit.offset + hit.length;
  if (inside_break(begin)) ++begin;
  if (inside_break(end)) ++end;
  if (end < begin) end = begin;
  return {begin, end - begin};
}

std::optional<ERegExpParser> FindSession::Prepare(std::string_view pattern,
                                                  const FindOptions& options) {
  options_ = options;
  return finder_.Prepare(pattern, options);
}

std::optional<TextHit> FindSession::FindIn(std::string_view text, size_t from, TAWKScan* scan) {
  if (from > text.size()) return std::nullopt;  // stepped past the end of this pane
  std::optional<TextHit> hit = finder_.Find(text, from, scan);
  if (!hit) return std::nullopt;
  return SnapToPane(text, *hit);
}

bool FindSession::SearchPanes(TFindPanes& panes, FindPane pane) {
  const std::string text = panes.PaneText(pane);
  // The title, and a regular expression in the body, go on at the search position; plain text
  // in the body at the end of the body's selection.
  const bool at_position = pane == FindPane::kTitle || finder_.regex();
  size_t from = at_position ? search_position : panes.SelectionEnd(FindPane::kBody);
  // The search position outlives edits of the pane and moves to other nodes, so it can fall
  // on a trail byte: a search from there would split that character.
  if (from < text.size() &&
      !BoundaryTracker(reinterpret_cast<const unsigned char*>(text.data()), text.size(), 0)
           .IsStart(from)) {
    ++from;
  }
  std::optional<TextHit> hit = FindIn(text, from);
  if (!hit) return false;
  panes.Select(pane, hit->offset, hit->length);
  if (at_position) search_position = hit->offset + hit->length;
  return true;
}

bool FindSession::StoredHasHit(Node* node) {
  title_buffer_ = TitleAsLoaded(node->title());
  if (FindIn(title_buffer_, 0)) return true;
  const TNodeData* data = node->data();
  if (data != nullptr && data->Body) {
    bodies_.PlainText(*data->Body, &body_buffer_);
  } else {
    body_buffer_.clear();
  }
  return FindIn(body_buffer_, 0).has_value();
}

Node* FindSession::NextNodeWithHit(Outline& outline, Node* node) {
  for (Node* next = outline.NextInPreorder(node); next != nullptr;
       next = outline.NextInPreorder(next)) {
    if (StoredHasHit(next)) return next;
  }
  return nullptr;
}

bool FindSession::Walk(TFindPanes& panes) {
  FindPane pane = panes.ActivePane();
  Node* node = panes.CurrentNode();
  if (pane == FindPane::kNone || node == nullptr) return false;
  for (;;) {
    if (pane == FindPane::kTitle) {
      if (SearchPanes(panes, FindPane::kTitle)) return true;
      panes.Select(FindPane::kTitle, 0, 0);
      panes.Select(FindPane::kBody, 0, 0);
      search_position = 0;
    }
    if (SearchPanes(panes, FindPane::kBody)) return true;
    if (!options_.whole_document) return false;
    // The next node with a hit in its stored text; the panes then search it as loaded (should
    // the two ever differ, the walk simply goes on from there).
    Node* next = NextNodeWithHit(panes.outline(), node);
    if (next == nullptr) return false;
    panes.SelectNode(next);
    panes.Select(FindPane::kBody, 0, 0);
    panes.Select(FindPane::kTitle, 0, 0);
    search_position = 0;
    node = next;
    pane = FindPane::kTitle;
  }
}

bool FindSession::ReplaceInPane(TFindPanes& panes, std::string_view templ) {
  const FindPane pane = panes.ActivePane();
  if (pane == FindPane::kNone || panes.CurrentNode() == nullptr) return false;
  const std::string text = panes.PaneText(pane);
  size_t begin = std::min(panes.SelectionStart(pane), text.size());
  size_t end = std::min(std::max(panes.SelectionEnd(pane), begin), text.size());
  std::optional<std::string> replacement = finder_.Replacement(
      std::string_view(text).substr(begin, end - begin), templ, pane == FindPane::kTitle);
  if (!replacement) return false;
  if (pane == FindPane::kTitle) {
    TitleEdit edit = EditTitle(text, begin, end, *replacement);
    panes.SetTitlePane(edit.text, edit.caret);
    search_position = edit.caret;
  } else {
    const std::string typed = BodyPaneText(*replacement);
    panes.ReplaceBodySelection(typed);
    search_position = begin + typed.size();
  }
  return true;
}

size_t FindSession::ReplaceAllThroughPanes(TFindPanes& panes, std::string_view templ) {
  size_t count = 0;
  for (;;) {
    const FindPane pane = panes.ActivePane();
    const bool empty =
        pane != FindPane::kNone && panes.SelectionStart(pane) == panes.SelectionEnd(pane);
    if (ReplaceInPane(panes, templ)) ++count;
    if (empty && finder_.regex() && pane != FindPane::kNone) {
      search_position = StepOverEmptyHit(panes.PaneText(pane), search_position);
    }
    if (!Walk(panes)) break;
  }
  // The walk would have gone through every node to the last one, where it ends.
  if (options_.whole_document && !panes.outline().empty()) {
    Node* last = panes.outline().NodeAt(panes.outline().size() - 1);
    if (last != panes.CurrentNode()) {
      panes.SelectNode(last);
      panes.Select(FindPane::kTitle, 0, 0);
      panes.Select(FindPane::kBody, 0, 0);
    }
  }
  return count;
}

size_t FindSession::ReplaceAll(TFindPanes& panes, std::string_view templ) {
  FindPane pane = panes.ActivePane();
  Node* node = panes.CurrentNode();
  if (pane == FindPane::kNone || node == nullptr) return 0;
  Outline& outline = panes.outline();
  std::string title = panes.PaneText(FindPane::kTitle);
  std::string body = panes.PaneText(FindPane::kBody);
  const size_t selection_start = panes.SelectionStart(pane);
  const size_t selection_end = panes.SelectionEnd(pane);
  panes.StoreCurrentNode();
  {
    const TNodeData* data = node->data();
    const std::string stored =
        data != nullptr && data->Body ? rich::BodyPlainText(*data->Body) : std::string();
    // The stored body must be the pane's text for its offsets to hold; should it not be, the
    // loop runs through the panes.
    if (stored != body) return ReplaceAllThroughPanes(panes, templ);
  }
  const bool regex = finder_.regex();
  size_t count = 0;
  std::vector<rich::TextEdit> edits;  // on the node's body, in offsets of its stored text
  bool title_changed = false;
  size_t body_from = 0;       // where the body search goes on, in offsets of the stored text
  Node* last_node = nullptr;  // where the last replacement was, and in which pane
  FindPane last_pane = FindPane::kNone;

  auto replace_title = [&](size_t begin, size_t end) {
    std::optional<std::string> replacement =
        finder_.Replacement(std::string_view(title).substr(begin, end - begin), templ, true);
    search_position = end;
    if (replacement) {
      TitleEdit edit = EditTitle(title, begin, end, *replacement);
      title = std::move(edit.text);
      search_position = edit.caret;
      title_changed = true;
      ++count;
      last_node = node;
      last_pane = FindPane::kTitle;
    }
    if (begin == end && regex) search_position = StepOverEmptyHit(title, search_position);
  };
  // After a replacement the body search goes on at the end of the new text, which in the new
  // text is followed by what followed the hit: so every search runs on the stored text, from
  // the hit's end (one character further after an empty hit).
  auto replace_body = [&](size_t begin, size_t end) {
    std::optional<std::string> replacement =
        finder_.Replacement(std::string_view(body).substr(begin, end - begin), templ, false);
    if (replacement) {
      edits.push_back({begin, end, BodyPaneText(*replacement)});
      ++count;
      last_node = node;
      last_pane = FindPane::kBody;
    }
    body_from = begin == end && regex ? StepOverEmptyHit(body, end) : end;
  };
  auto commit = [&](bool final) {
    if (title_changed) {
      panes.SetStoredTitle(node, final ? title : TrimTitle(title));
    } else if (!final) {
      // The walk selected this node and leaves it, which trims its title.
      std::string trimmed = TrimTitle(node->title());
      if (trimmed != node->title()) panes.SetStoredTitle(node, std::move(trimmed));
    }
    if (!edits.empty()) {
      const TNodeData* data = node->data();
      std::string stored = data != nullptr && data->Body ? *data->Body : std::string();
      panes.SetStoredBody(node, rich::EditBody(stored, edits));
    }
    title_changed = false;
    edits.clear();
  };

  panes.BeginStoredChanges();
  // The first replacement is the selection the last search made.
  if (pane == FindPane::kTitle) {
    replace_title(std::min(selection_start, title.size()),
                  std::min(std::max(selection_end, selection_start), title.size()));
  } else {
    const size_t begin = std::min(selection_start, body.size());
    replace_body(begin, std::min(std::max(selection_end, begin), body.size()));
  }
  Node* final_node = node;
  std::optional<TAWKScan> scan;
  for (;;) {
    if (pane == FindPane::kTitle) {
      if (std::optional<TextHit> hit = FindIn(title, search_position)) {
        replace_title(hit->offset, hit->offset + hit->length);
        continue;
      }
      pane = FindPane::kBody;
      search_position = 0;
      body_from = 0;
    }
    if (!scan || scan->text().data() != body.data()) scan.emplace(body);
    if (std::optional<TextHit> hit = FindIn(body, body_from, &*scan)) {
      replace_body(hit->offset, hit->offset + hit->length);
      continue;
    }
    if (!options_.whole_document) break;
    Node* next = NextNodeWithHit(outline, node);
    if (next == nullptr) {
      // The walk goes through every node to the last one, and ends there.
      final_node = outline.NodeAt(outline.size() - 1);
      break;
    }
    commit(false);
    node = next;
    final_node = node;
    title = TitleAsLoaded(node->title());
    const TNodeData* data = node->data();
    if (data != nullptr && data->Body) {
      bodies_.PlainText(*data->Body, &body);
    } else {
      body.clear();
    }
    scan.reset();
    pane = FindPane::kTitle;
    search_position = 0;
    body_from = 0;
  }
  // Where the body's last replacement ends once every edit is made, if the walk ends there.
  size_t caret = 0;
  const bool caret_in_body =
      last_node == node && last_pane == FindPane::kBody && final_node == node && !edits.empty();
  if (caret_in_body) {
    size_t inserted = 0;
    size_t removed = 0;
    for (const rich::TextEdit& edit : edits) {
      inserted += edit.text.size();
      removed += edit.end - edit.begin;
    }
    caret = edits.back().end + inserted - removed;
  }
  commit(final_node == node);
  panes.EndStoredChanges();

  if (final_node == panes.CurrentNode()) {
    panes.ReloadCurrentNode();
  } else {
    panes.SelectNode(final_node);
  }
  panes.Select(FindPane::kTitle, 0, 0);
  panes.Select(FindPane::kBody, caret, 0);
  return count;
}

}  // namespace pw::search
