// A realistic outline for the editing tests, described line by line.
#ifndef PLOTWEAVE_TESTS_EDITING_STORY_FIXTURE_H_
#define PLOTWEAVE_TESTS_EDITING_STORY_FIXTURE_H_

#include <string>
#include <vector>

#include "core/node_marks.h"
#include "core/outline.h"

namespace pw::testing {

struct Line {
  int level;
  const char* title;
  int32_t kind;
  int32_t color = ncBlue;
  const char* body = nullptr;
};

inline void Build(Outline* outline, const std::vector<Line>& lines) {
  std::vector<Node*> path;
  for (const Line& line : lines) {
    path.resize(static_cast<size_t>(line.level));
    auto data = NewNodeData(line.kind);
    data->Color = line.color;
    if (line.body != nullptr) data->Body = line.body;
    path.push_back(outline->Append(path.empty() ? nullptr : path.back(), line.title,
                                   std::move(data), IconFor(line.kind, line.color)));
  }
}

// "level:title:kind:color:icon" for every node, in pre-order.
inline std::string Describe(const Outline& outline) {
  std::string out;
  outline.ForEach([&](Node* n) {
    out += std::to_string(n->level()) + ":" + n->title() + ":" + std::to_string(n->data()->Kind) +
           ":" + std::to_string(n->data()->Color) + ":" + std::to_string(n->icon()) + " ";
  });
  return out;
}

inline Node* Find(const Outline& outline, const std::string& title) {
  Node* found = nullptr;
  outline.ForEach([&](Node* n) {
    if (found == nullptr && n->title() == title) found = n;
  });
  return found;
}

// Story: a root, two chapters with scenes, a character with two items, a second root.
inline void BuildStory(Outline* outline) {
  Build(outline, {{0, "Story", nkRoot},
                  {1, "Ch1", nkParent, ncGreen, "{\\rtf1 ch1}"},
                  {2, "S1", nkChild, ncOrange, "{\\rtf1 s1}"},
                  {2, "S2", nkChild},
                  {1, "Ch2", nkParent, ncPink},
                  {2, "S3", nkChild, ncBlue, "plain"},
                  {1, "Hero", nkChara},
                  {2, "Name", nkCharaItem, ncBlue, "{\\rtf1 Taro}"},
                  {2, "Age", nkCharaItem},
                  {0, "Notes", nkRoot}});
}

}  // namespace pw::testing

#endif  // PLOTWEAVE_TESTS_EDITING_STORY_FIXTURE_H_
