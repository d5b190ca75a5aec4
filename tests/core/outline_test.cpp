// The outline forest: structure, absolute indexes, notifications, and the mark operations.
#include "core/outline.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/new_document.h"
#include "core/node_marks.h"

namespace pw {
namespace {

// Builds a forest from "title:level" pairs in pre-order.
void Build(Outline* outline, const std::vector<std::pair<std::string, int>>& nodes) {
  std::vector<Node*> path;
  for (const auto& [title, level] : nodes) {
    path.resize(static_cast<size_t>(level));
    Node* parent = level == 0 ? nullptr : path.back();
    int32_t kind = level == 0 ? nkRoot : nkChild;
    path.push_back(outline->Append(parent, title, NewNodeData(kind), IconFor(kind, ncBlue)));
  }
}

std::string Titles(const Outline& outline) {
  std::string out;
  outline.ForEach([&](Node* node) {
    out += std::string(static_cast<size_t>(node->level()), '-') + node->title() + " ";
  });
  return out;
}

class RecordingObserver : public OutlineObserver {
 public:
  void BeginInsert(Node*, size_t row, size_t count) override {
    log += "+" + std::to_string(row) + "x" + std::to_string(count);
  }
  void EndInsert() override { log += "."; }
  void BeginRemove(Node*, size_t row, size_t) override { log += "-" + std::to_string(row); }
  void EndRemove() override { log += "."; }
  void BeginMove(Node*, size_t from, Node*, size_t to) override {
    log += "m" + std::to_string(from) + ">" + std::to_string(to);
  }
  void EndMove() override { log += "."; }
  void BeginReset() override { log += "R"; }
  void EndReset() override { log += "r"; }
  void NodeChanged(Node*) override { log += "c"; }
  std::string log;
};

TEST(Outline, AbsoluteIndexRunsInPreorderBothWays) {
  Outline outline;
  Build(&outline, {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}, {"B1", 1}});
  EXPECT_EQ(outline.size(), 6u);
  EXPECT_EQ(Titles(outline), "A -A1 --A1a -A2 B -B1 ");
  for (size_t i = 0; i < outline.size(); ++i) {
    EXPECT_EQ(outline.AbsoluteIndex(outline.NodeAt(i)), i);
  }
  EXPECT_EQ(outline.NodeAt(6), nullptr);
  EXPECT_EQ(outline.SubtreeSize(outline.NodeAt(0)), 4u);
  EXPECT_EQ(outline.SubtreeSize(outline.NodeAt(1)), 2u);
  EXPECT_EQ(outline.SubtreeSize(outline.NodeAt(5)), 1u);
  EXPECT_EQ(outline.NodeAt(2)->level(), 2);
  EXPECT_EQ(outline.NextInPreorder(outline.NodeAt(3))->title(), "B");
}

TEST(Outline, StructuralChangesKeepRowsAndIndexesRight) {
  Outline outline;
  Build(&outline, {{"A", 0}, {"A1", 1}, {"A2", 1}, {"A3", 1}, {"B", 0}});
  Node* a = outline.NodeAt(0);
  Node* a2 = outline.NodeAt(2);
  outline.Insert(a, 0, "A0", NewNodeData(nkChild), 7);
  EXPECT_EQ(Titles(outline), "A -A0 -A1 -A2 -A3 B ");
  EXPECT_EQ(a2->row(), 2u);
  outline.Move(a2, nullptr, 2);  // to the end of the top level
  EXPECT_EQ(Titles(outline), "A -A0 -A1 -A3 B A2 ");
  EXPECT_EQ(a2->row(), 2u);
  EXPECT_EQ(outline.NodeAt(3)->row(), 2u);  // A3 moved up a row
  outline.Move(outline.NodeAt(4), a, 0);    // B becomes A's first child
  EXPECT_EQ(Titles(outline), "A -B -A0 -A1 -A3 A2 ");
  outline.Remove(a);
  EXPECT_EQ(Titles(outline), "A2 ");
  EXPECT_EQ(outline.AbsoluteIndex(a2), 0u);
  EXPECT_EQ(a2->row(), 0u);
}

TEST(Outline, MovingDownwardsAmongSiblingsCountsRowsBeforeTheMove) {
  Outline outline;
  Build(&outline, {{"A", 0}, {"B", 0}, {"C", 0}, {"D", 0}});
  outline.Move(outline.NodeAt(0), nullptr, 3);  // before D, as a view counts rows
  EXPECT_EQ(Titles(outline), "B C A D ");
  outline.Move(outline.NodeAt(2), nullptr, 2);  // to its own place: nothing happens
  EXPECT_EQ(Titles(outline), "B C A D ");
}

TEST(Outline, ObserversHearEachChangeButNotABulkLoad) {
  Outline outline;
  RecordingObserver observer;
  outline.AddObserver(&observer);
  Node* a = outline.Append(nullptr, "A", NewNodeData(nkRoot), 1);
  Node* b = outline.Append(nullptr, "B", NewNodeData(nkRoot), 1);
  outline.Move(b, nullptr, 0);
  outline.SetTitle(a, "A!");
  outline.Remove(a);
  EXPECT_EQ(observer.log, "+0x1.+1x1.m1>0.c-1.");
  observer.log.clear();
  outline.BeginBulkLoad();
  for (int i = 0; i < 3; ++i) outline.Append(nullptr, "x", NewNodeData(nkRoot), 1);
  outline.SetTitle(outline.NodeAt(0), "y");
  outline.EndBulkLoad();
  EXPECT_EQ(observer.log, "Rr");
  outline.RemoveObserver(&observer);
}

TEST(Outline, AVeryDeepChainIsBuiltIndexedAndFreedWithoutRecursion) {
  auto outline = std::make_unique<Outline>();
  Node* parent = nullptr;
  const size_t depth = 200000;
  for (size_t i = 0; i < depth; ++i) {
    parent = outline->Append(parent, "n", NewNodeData(nkChild), 7);
  }
  EXPECT_EQ(outline->size(), depth);
  EXPECT_EQ(outline->AbsoluteIndex(parent), depth - 1);
  EXPECT_EQ(outline->SubtreeSize(outline->NodeAt(0)), depth);
  outline.reset();  // must not overflow the stack
}

// The pre-order of the forest, walked through the child lists alone (not the index).
void WalkChildren(const Outline& outline, const Node* parent, std::vector<Node*>* out) {
  for (size_t row = 0; row < outline.child_count(parent); ++row) {
    Node* node = outline.child(parent, row);
    out->push_back(node);
    WalkChildren(outline, node, out);
  }
}

// Appending leaves keeps the index fresh in place; every other change invalidates it. Random
// sequences of appends, inserts, moves and removals, with the index read in between, must
// always agree with a walk of the child lists.
TEST(Outline, TheIndexAgreesWithTheTreeThroughAppendsAndEdits) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    Outline outline;
    for (int step = 0; step < 400; ++step) {
      std::vector<Node*> nodes;
      WalkChildren(outline, nullptr, &nodes);
      Node* some = nodes.empty() ? nullptr : nodes[random() % nodes.size()];
      const unsigned op = random() % 10;
      if (op < 5 || nodes.size() < 3) {
        // Mostly leaves at the end of the pre-order (the last node or one of its ancestors).
        Node* parent = nodes.empty() || random() % 4 == 0 ? nullptr : nodes.back();
        for (int up = static_cast<int>(random() % 3); up > 0 && parent != nullptr; --up) {
          parent = parent->parent();
        }
        outline.Append(random() % 5 == 0 ? some : parent, "n", NewNodeData(nkChild), 7);
      } else if (op < 7) {
        outline.Insert(some, random() % 3, "i", NewNodeData(nkChild), 7);
      } else if (op < 8) {
        Node* target = nodes[random() % nodes.size()];
        bool inside = false;
        for (Node* p = target; p != nullptr; p = p->parent()) inside = inside || p == some;
        if (!inside) outline.Move(some, target, random() % 3);
      } else if (op < 9) {
        outline.Remove(some);
      } else {
        outline.Clear();
      }
      if (random() % 3 == 0) continue;  // let some changes pile up before the index is read
      nodes.clear();
      WalkChildren(outline, nullptr, &nodes);
      ASSERT_EQ(outline.size(), nodes.size()) << "step " << step;
      for (size_t i = 0; i < nodes.size(); ++i) {
        ASSERT_EQ(outline.NodeAt(i), nodes[i]) << "step " << step;
        ASSERT_EQ(outline.AbsoluteIndex(nodes[i]), i) << "step " << step;
        std::vector<Node*> subtree;
        WalkChildren(outline, nodes[i], &subtree);
        ASSERT_EQ(outline.SubtreeSize(nodes[i]), subtree.size() + 1) << "step " << step;
      }
    }
  }
}

TEST(TNodeData, BodyEndsAtTheFirstNul) {
  TNodeData data;
  data.SetBody(std::string("{\\rtf1 a}\0junk", 14));
  EXPECT_EQ(*data.Body, "{\\rtf1 a}");
  EXPECT_EQ(NewNodeData(nkChara)->Color, ncBlue);
  EXPECT_FALSE(NewNodeData(nkChara)->Body.has_value());
}

struct ColorCase {
  int32_t kind;
  int level;
  int32_t color;
  int32_t expected_color;
  int32_t expected_icon;
};

TEST(NodeMarks, SetNodeColorFollowsKindAndLevel) {
  const ColorCase cases[] = {
      {nkChild, 1, ncGreen, ncGreen, 9},      // child mark: Color + 6
      {nkParent, 1, ncPink, ncPink, 19},      // parent mark: Color + 13
      {nkChara, 1, ncOrange, ncOrange, 3},    // stored, icon stays
      {nkCharaItem, 2, ncBrown, ncBrown, 5},  // stored, icon stays
      {nkRoot, 0, ncPurple, ncBlue, 1},       // top level: nothing changes
      {nkChild, 0, ncPurple, ncBlue, 7},      // top level even with another kind
  };
  for (const ColorCase& c : cases) {
    Outline outline;
    Node* node = outline.Append(nullptr, "top", NewNodeData(nkRoot), 1);
    for (int l = 0; l < c.level; ++l) node = outline.Append(node, "n", NewNodeData(nkChild), 7);
    node->data()->Kind = c.kind;
    outline.SetIcon(node, IconFor(c.kind, ncBlue));
    SetNodeColor(outline, node, c.color);
    EXPECT_EQ(node->data()->Color, c.expected_color) << c.kind << "/" << c.level;
    EXPECT_EQ(node->icon(), c.expected_icon) << c.kind << "/" << c.level;
    EXPECT_EQ(node->selected_icon(), c.expected_icon);
  }
}

TEST(NodeMarks, MarksSetKindAndIconsFromColour) {
  Outline outline;
  Node* top = MakeNewDocument(&outline);
  EXPECT_EQ(top->title(), "No Title");
  EXPECT_EQ(top->data()->Kind, nkRoot);
  EXPECT_EQ(top->icon(), 1);
  Node* node = outline.Append(top, "n", NewNodeData(nkChild), 7);
  SetNodeColor(outline, node, ncOrange);
  SetParentMark(outline, node);
  EXPECT_EQ(node->data()->Kind, nkParent);
  EXPECT_EQ(node->icon(), 17);
  SetChildMark(outline, node);
  EXPECT_EQ(node->icon(), 10);
  SetRootMark(outline, node);
  EXPECT_EQ(node->data()->Kind, nkRoot);
  EXPECT_EQ(node->icon(), 1);
}

// Hierarchical import gives top-level nodes colour 0, which has no mark picture.
TEST(NodeMarks, AMarkOnAColourlessNodeTakesColourOne) {
  struct Case {
    void (*mark)(Outline&, Node*);
    int32_t color;
    int32_t expected_color;
    int32_t expected_icon;
  };
  const Case cases[] = {
      {SetParentMark, 0, ncBlue, ncBlue + kParentIconBase},
      {SetChildMark, 0, ncBlue, ncBlue + kChildIconBase},
      {SetChildMark, ncPink, ncPink, ncPink + kChildIconBase},
      {SetRootMark, 0, 0, kIconRoot},  // a root shows no colour: it keeps what it has
  };
  for (const Case& c : cases) {
    Outline outline;
    Node* top = MakeNewDocument(&outline);
    std::unique_ptr<TNodeData> data = NewNodeData(nkRoot);
    data->Color = c.color;
    Node* node = outline.Append(top, "n", std::move(data), kIconRoot);
    c.mark(outline, node);
    EXPECT_EQ(node->data()->Color, c.expected_color) << c.color;
    EXPECT_EQ(node->icon(), c.expected_icon) << c.color;
  }
}

TEST(NodeMarks, ToggleMarkSwapsStoryMarksAndAlwaysSetsTreeModified) {
  const std::pair<int32_t, int32_t> cases[] = {
      {nkParent, nkChild}, {nkChild, nkParent},        {nkRoot, nkRoot},
      {nkChara, nkChara},  {nkCharaItem, nkCharaItem},
  };
  for (auto [before, after] : cases) {
    Outline outline;
    Node* node = outline.Append(nullptr, "n", NewNodeData(before), IconFor(before, 1));
    DocumentFlags flags;
    ToggleMark(outline, node, flags);
    EXPECT_EQ(node->data()->Kind, after);
    EXPECT_EQ(node->icon(), IconFor(after, 1));
    EXPECT_TRUE(flags.TreeModified);
    EXPECT_TRUE(flags.TestModified());
    flags.Clear();
    EXPECT_FALSE(flags.DocumentModified || flags.TreeModified);
  }
}

TEST(NodeMarks, ExpandedStatesAreSavedAndRestored) {
  Outline outline;
  Build(&outline, {{"A", 0}, {"A1", 1}, {"B", 0}, {"B1", 1}});
  outline.SetExpanded(outline.NodeAt(0), true);
  SaveExpandedStates(outline);
  EXPECT_EQ(outline.NodeAt(0)->data()->Expanded, 1);
  EXPECT_EQ(outline.NodeAt(2)->data()->Expanded, 0);
  outline.SetExpanded(outline.NodeAt(0), false);
  outline.SetExpanded(outline.NodeAt(2), true);
  RestoreExpandedStates(outline);
  EXPECT_TRUE(outline.NodeAt(0)->expanded());
  EXPECT_FALSE(outline.NodeAt(2)->expanded());
  EXPECT_STREQ(ColorCaption(ncBlue), "青");
  EXPECT_STREQ(ColorCaption(ncPink), "桃");
}

}  // namespace
}  // namespace pw
