// Export scopes as pre-order ranges, and the node mark's carry-over.
#include "export/export_scope.h"

#include <gtest/gtest.h>

#include "export/node_mark.h"

namespace pw {
namespace {

TEST(ExportScope, RangesCoverTheNodeItsSubtreeOrEverything) {
  // 0 R ( 1 A ( 2 A1, 3 A2 ( 4 A2a ) ), 5 B ), 6 S
  Outline o;
  Node* r = o.Append(nullptr, "R", NewNodeData(nkRoot), 1);
  Node* a = o.Append(r, "A", NewNodeData(nkParent), 14);
  o.Append(a, "A1", NewNodeData(nkChild), 7);
  Node* a2 = o.Append(a, "A2", NewNodeData(nkParent), 14);
  o.Append(a2, "A2a", NewNodeData(nkChild), 7);
  Node* b = o.Append(r, "B", NewNodeData(nkChild), 7);
  o.Append(nullptr, "S", NewNodeData(nkRoot), 1);

  EXPECT_EQ(ScopeRange(o, ExportScope::kAll, b), (PreorderRange{0, 7}));
  EXPECT_EQ(ScopeRange(o, ExportScope::kSelectedNode, a), (PreorderRange{1, 2}));
  EXPECT_EQ(ScopeRange(o, ExportScope::kSubtree, a), (PreorderRange{1, 5}));
  EXPECT_EQ(ScopeRange(o, ExportScope::kSubtree, r), (PreorderRange{0, 6}));
  EXPECT_EQ(ScopeRange(o, ExportScope::kSubtree, b), (PreorderRange{5, 6}));
  EXPECT_TRUE(ScopeRange(o, ExportScope::kSelectedNode, nullptr).empty());
  EXPECT_TRUE(SubtreeScopeAvailable(a2));
  EXPECT_FALSE(SubtreeScopeAvailable(b));
  EXPECT_FALSE(SubtreeScopeAvailable(nullptr));

  PreorderRange range;
  EXPECT_TRUE(ScopeRangeAt(o, ExportScope::kSubtree, 3, &range));
  EXPECT_EQ(range, (PreorderRange{3, 5}));
  EXPECT_TRUE(ScopeRangeAt(o, ExportScope::kSelectedNode, 6, &range));
  EXPECT_EQ(range, (PreorderRange{6, 7}));
  EXPECT_FALSE(ScopeRangeAt(o, ExportScope::kSubtree, 5, &range));  // no children
  EXPECT_FALSE(ScopeRangeAt(o, ExportScope::kSelectedNode, 7, &range));
  EXPECT_EQ(range, (PreorderRange{6, 7}));  // left alone on failure
}

TEST(NodeMark, IconsWithoutAMarkCarryThePreviousOneOver) {
  NodeMarker marker;
  const std::pair<int32_t, std::string_view> walk[] = {
      {6, ""},  // nothing before it yet
      {1, kMarkRoot},    {0, kMarkRoot},      {13, kMarkRoot},     {3, kMarkChara},
      {2, kMarkChara},   {4, kMarkCharaItem}, {5, kMarkCharaItem}, {7, kMarkChild},
      {12, kMarkChild},  {20, kMarkChild},    {14, kMarkParent},   {19, kMarkParent},
      {-1, kMarkParent},
  };
  for (const auto& [icon, mark] : walk) EXPECT_EQ(marker.Next(icon), mark) << icon;
  EXPECT_EQ(NodeMark(6, "x"), "x");
}

}  // namespace
}  // namespace pw
