// Merge and split through the rich-text engine.
#include "editing/body_transfer.h"

#include "richtext/body_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

int32_t KindOf(const Node* node) { return node->data() != nullptr ? node->data()->Kind : 0; }

rich::RichDocument BodyOf(const Node* node) {
  const TNodeData* data = node->data();
  return data != nullptr && data->Body ? rich::BodyToDocument(*data->Body) : rich::RichDocument();
}

}  // namespace

bool CanMerge(const Node* node) {
  return node != nullptr && node->parent() != nullptr && !node->has_children() &&
         KindOf(node) != nkChara && KindOf(node) != nkCharaItem;
}

bool CanSplit(const Node* node) {
  return node != nullptr && KindOf(node) != nkChara && KindOf(node) != nkCharaItem;
}

Node* MergeIntoParent(TreeEditor* editor, Outline* outline, Node* node) {
  if (!CanMerge(node)) return nullptr;
  Node* parent = node->parent();
  const rich::RichDocument moved = BodyOf(node);
  if (!moved.Empty()) {
    rich::RichDocument target = BodyOf(parent);
    rich::InsertDocument(&target, rich::EndPosition(target), moved);
    parent->data()->Body = rich::WriteRtf(target);
  }
  // The parent keeps its kind, whatever children it has left.
  const int32_t parent_kind = KindOf(parent);
  const int32_t parent_icon = parent->icon();
  editor->Delete(node);
  parent->data()->Kind = parent_kind;
  outline->SetIcon(parent, parent_icon);
  editor->ClearUndo();
  return parent;
}

Node* SplitNode(TreeEditor* editor, Node* node, rich::TextPosition caret, bool into_child) {
  if (!CanSplit(node)) return nullptr;
  const rich::RichDocument body = BodyOf(node);
  const rich::TextPosition end = rich::EndPosition(body);
  const rich::RichDocument tail = rich::Slice(body, caret, end);
  Node* created =
      into_child ? editor->AddChildNode(node, false) : editor->AddSiblingNode(node, false);
  if (!tail.Empty()) {
    node->data()->Body = rich::WriteRtf(rich::Slice(body, rich::TextPosition{}, caret));
    created->data()->Body = rich::WriteRtf(tail);
  }
  editor->RecordAdd(created);
  editor->ClearUndo();
  return created;
}

}  // namespace pw
