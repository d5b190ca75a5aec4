// Kind, colour and icon upkeep for single nodes.
#include "core/node_marks.h"

namespace pw {

int32_t IconFor(int32_t kind, int32_t color) {
  switch (kind) {
    case nkRoot:
      return kIconRoot;
    case nkParent:
      return color + kParentIconBase;
    case nkChild:
      return color + kChildIconBase;
    case nkChara:
      return kIconChara;
    case nkCharaItem:
      return kIconCharaItem;
    default:
      return kIconRoot;
  }
}

namespace {

void SetKind(Outline& outline, Node* node, int32_t kind) {
  node->data()->Kind = kind;
  // Colour 0 (top-level nodes of hierarchical import) has no mark picture; a node that gets a
  // mark takes the first colour then. Nodes read from files keep what they hold.
  if ((kind == nkParent || kind == nkChild) && node->data()->Color == 0) {
    node->data()->Color = ncBlue;
  }
  int32_t icon = IconFor(kind, node->data()->Color);
  outline.SetIcons(node, icon, icon);
}

}  // namespace

void SetParentMark(Outline& outline, Node* node) { SetKind(outline, node, nkParent); }
void SetChildMark(Outline& outline, Node* node) { SetKind(outline, node, nkChild); }
void SetRootMark(Outline& outline, Node* node) { SetKind(outline, node, nkRoot); }

void SetNodeColor(Outline& outline, Node* node, int32_t color) {
  if (node->parent() == nullptr) return;
  TNodeData* data = node->data();
  data->Color = color;
  if (data->Kind == nkParent || data->Kind == nkChild) {
    int32_t icon = IconFor(data->Kind, color);
    outline.SetIcons(node, icon, icon);
  } else {
    outline.NotifyChanged(node);
  }
}

void ToggleMark(Outline& outline, Node* node, DocumentFlags& flags) {
  if (node->data()->Kind == nkParent) {
    SetChildMark(outline, node);
  } else if (node->data()->Kind == nkChild) {
    SetParentMark(outline, node);
  }
  flags.TreeModified = true;
}

void SaveExpandedStates(Outline& outline) {
  outline.ForEach([](Node* node) {
    if (node->data() != nullptr) node->data()->Expanded = node->expanded() ? 1 : 0;
  });
}

void RestoreExpandedStates(Outline& outline) {
  outline.ForEach([&outline](Node* node) {
    if (node->data() != nullptr) outline.SetExpanded(node, node->data()->Expanded != 0);
  });
}

const char* ColorCaption(int32_t color) {
  static const char* const kCaptions[] = {"青", "茶", "緑", "橙", "紫", "桃"};
  return color >= ncBlue && color <= ncPink ? kCaptions[color - 1] : "";
}

}  // namespace pw
