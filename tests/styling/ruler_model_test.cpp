// The ruler model: setter rules, dragging with snapping, hit-testing, the scale, and the
// conversions between paragraph indents and handle positions.
#include "styling/ruler_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw::styling {
namespace {

// The ruler as the main window sets it up, 400 pixels wide.
RulerModel MainRuler(std::vector<std::string>* events = nullptr) {
  RulerModel ruler;
  ruler.SetSize(400, 25);
  ruler.SetRulerTab(12);
  ruler.SetFactor(8);
  ruler.SetTabDist(12);
  ruler.SetMarginLeft(0);
  ruler.SetMarginRight(0);
  ruler.SetIndents(0, 0, 270);
  if (events != nullptr) {
    auto log = [events](const char* kind) {
      return [events, kind](int id) { events->push_back(kind + std::to_string(id)); };
    };
    ruler.OnIndentChange = log("change");
    ruler.OnIndentDrag = log("drag");
    ruler.OnIndentClick = log("click");
    ruler.OnIndentDblClick = log("dbl");
    ruler.OnMarginChange = log("mchange");
    ruler.OnMarginDrag = log("mdrag");
    ruler.OnMarginClick = log("mclick");
  }
  return ruler;
}

void Drag(RulerModel* ruler, int id, int to_left) {
  const RulerRect r = ruler->HandleRect(id);
  ruler->MouseDown(r.x + 4, r.y + 2);
  ruler->MouseMove(to_left + 4, r.y + 2);
  ruler->MouseUp(to_left + 4, r.y + 2);
}

TEST(RulerModel, Defaults) {
  RulerModel ruler;
  EXPECT_EQ(ruler.width(), 300);
  EXPECT_EQ(ruler.height(), 25);
  EXPECT_EQ(ruler.RulerTab(), 10);
  EXPECT_EQ(ruler.MinIndentDist(), 50);
  EXPECT_EQ(ruler.Factor(), 1);
  EXPECT_EQ(ruler.TabDist(), 10);
  EXPECT_EQ(ruler.MarginLeft(), 30);
  EXPECT_EQ(ruler.MarginRight(), 20);
  EXPECT_EQ(ruler.BorderUp(), 5);
  EXPECT_EQ((RulerIndents{ruler.IndentFirst(), ruler.IndentLeft(), ruler.IndentRight()}),
            (RulerIndents{45, 45, 250}));
  EXPECT_TRUE(ruler.ShowNumbers() && ruler.ShowIndents() && ruler.ShowMarginHandlers());
}

TEST(RulerModel, SetterRules) {
  RulerModel ruler = MainRuler();
  struct Case {
    const char* what;
    void (RulerModel::*set)(int);
    int value;
    int (RulerModel::*get)() const;
    int want;
  } cases[] = {
      {"first within range", &RulerModel::SetIndentFirst, 100, &RulerModel::IndentFirst, 100},
      {"first negative", &RulerModel::SetIndentFirst, -1, &RulerModel::IndentFirst, 0},
      {"first too near the right", &RulerModel::SetIndentFirst, 220, &RulerModel::IndentFirst, 0},
      {"first at 219", &RulerModel::SetIndentFirst, 219, &RulerModel::IndentFirst, 219},
      {"left too near the right", &RulerModel::SetIndentLeft, 221, &RulerModel::IndentLeft, 0},
      {"right past the width", &RulerModel::SetIndentRight, 396, &RulerModel::IndentRight, 270},
      {"right at width - 5", &RulerModel::SetIndentRight, 395, &RulerModel::IndentRight, 395},
      {"right too near the left", &RulerModel::SetIndentRight, 50, &RulerModel::IndentRight, 270},
      {"ruler tab out of range", &RulerModel::SetRulerTab, 256, &RulerModel::RulerTab, 12},
      {"factor out of range", &RulerModel::SetFactor, 0, &RulerModel::Factor, 8},
      {"tab dist out of range", &RulerModel::SetTabDist, 30001, &RulerModel::TabDist, 12},
      {"margin too wide", &RulerModel::SetMarginLeft, 391, &RulerModel::MarginLeft, 0},
      {"margin negative", &RulerModel::SetMarginRight, -1, &RulerModel::MarginRight, 0},
  };
  for (const Case& c : cases) {
    RulerModel r = ruler;
    (r.*c.set)(c.value);
    EXPECT_EQ((r.*c.get)(), c.want) << c.what;
  }
}

TEST(RulerModel, MarginsCarryTheIndents) {
  RulerModel ruler = MainRuler();
  ruler.SetIndents(20, 30, 270);
  ruler.SetMarginLeft(24);
  ruler.SetMarginRight(12);
  EXPECT_EQ((RulerIndents{ruler.IndentFirst(), ruler.IndentLeft(), ruler.IndentRight()}),
            (RulerIndents{44, 54, 258}));
}

TEST(RulerModel, SetIndentsLetsAValidSetThroughWhateverWasShown) {
  RulerModel ruler = MainRuler();
  ruler.SetIndents(0, 0, 80);   // a paragraph with a wide right indent
  ruler.SetIndents(150, 150, 300);  // the next one indented far: fine together
  EXPECT_EQ((RulerIndents{ruler.IndentFirst(), ruler.IndentLeft(), ruler.IndentRight()}),
            (RulerIndents{150, 150, 300}));
  ruler.SetIndents(0, 10, 70);
  EXPECT_EQ((RulerIndents{ruler.IndentFirst(), ruler.IndentLeft(), ruler.IndentRight()}),
            (RulerIndents{0, 10, 70}));
}

TEST(RulerModel, DraggingTheLeftHandleSnapsAndReports) {
  std::vector<std::string> events;
  RulerModel ruler = MainRuler(&events);
  const RulerRect r = ruler.HandleRect(kIndentLeft);
  ruler.MouseDown(r.x + 3, r.y + 1);
  EXPECT_EQ(ruler.GuideX(), 4);
  ruler.MouseMove(37 + 3, r.y + 1);  // the handle's edge would be at 37
  EXPECT_EQ(ruler.IndentLeft(), 36);
  EXPECT_EQ(ruler.GuideX(), 40);
  EXPECT_EQ(ruler.HandleStart(kIndentLeft), 0);
  EXPECT_EQ(ruler.HandleStart(kIndentFirst), std::nullopt);  // not moved: no outline
  ruler.MouseMove(46 + 3, r.y + 1);                          // still snaps to 36
  ruler.MouseUp(46 + 3, r.y + 1);
  EXPECT_FALSE(ruler.GuideX());
  EXPECT_EQ(events, (std::vector<std::string>{"click1", "drag1", "change1"}));
}

TEST(RulerModel, DraggingTheBoxMovesBothByWholeSteps) {
  RulerModel ruler = MainRuler();
  ruler.SetIndents(24, 48, 270);
  Drag(&ruler, kIndentBoth, 48 + 26);  // 26 pixels to the right: two steps of 12
  EXPECT_EQ(ruler.IndentLeft(), 72);
  EXPECT_EQ(ruler.IndentFirst(), 48);
}

TEST(RulerModel, ARightDragTooNearTheOthersIsIgnored) {
  RulerModel ruler = MainRuler();
  ruler.SetIndents(100, 24, 270);
  Drag(&ruler, kIndentRight, 144);  // 44 from the first-line handle
  EXPECT_EQ(ruler.IndentRight(), 270);
  Drag(&ruler, kIndentRight, 168);
  EXPECT_EQ(ruler.IndentRight(), 168);
}

TEST(RulerModel, DoubleClickSwallowsTheNextPress) {
  std::vector<std::string> events;
  RulerModel ruler = MainRuler(&events);
  const RulerRect r = ruler.HandleRect(kIndentFirst);
  ruler.DoubleClick(r.x + 2, r.y + 2);
  ruler.MouseDown(r.x + 2, r.y + 2);
  EXPECT_FALSE(ruler.dragging_handle());
  ruler.MouseUp(r.x + 2, r.y + 2);
  EXPECT_EQ(events, (std::vector<std::string>{"dbl0"}));
}

TEST(RulerModel, HitTesting) {
  RulerModel ruler = MainRuler();
  ruler.SetIndents(24, 60, 270);
  EXPECT_EQ(ruler.HandleRect(kIndentFirst), (RulerRect{24, 2, 9, 8}));
  EXPECT_EQ(ruler.HandleRect(kIndentLeft), (RulerRect{60, 12, 9, 8}));
  EXPECT_EQ(ruler.HandleRect(kIndentBoth), (RulerRect{60, 20, 9, 5}));
  struct Case {
    int x, y;
    std::optional<int> handle;
  } cases[] = {{24, 2, kIndentFirst}, {32, 9, kIndentFirst}, {33, 9, std::nullopt},
               {60, 12, kIndentLeft}, {68, 19, kIndentLeft}, {60, 20, kIndentBoth},
               {270, 15, kIndentRight}, {200, 15, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ruler.HandleAt(c.x, c.y), c.handle) << c.x << "," << c.y;
  ruler.SetShowIndents(false);
  EXPECT_EQ(ruler.HandleAt(24, 2), std::nullopt);

  RulerModel tiny = MainRuler();
  tiny.SetSize(400, 10);  // handles stay inside the ruler
  EXPECT_EQ(tiny.HandleRect(kIndentFirst).y, 2);
  EXPECT_EQ(tiny.HandleRect(kIndentLeft).y, 0);
}

TEST(RulerModel, MarginDrag) {
  std::vector<std::string> events;
  RulerModel ruler = MainRuler(&events);
  EXPECT_EQ(ruler.MarginAt(7), kMarginLeft);  // boundary at 5
  EXPECT_EQ(ruler.MarginAt(8), std::nullopt);
  EXPECT_EQ(ruler.MarginAt(393), kMarginRight);
  ruler.MouseDown(6, 11);  // between the handles
  ruler.MouseMove(5 + 30, 11);
  EXPECT_EQ(ruler.MarginLeft(), 24);
  EXPECT_EQ(ruler.GuideX(), 29);
  EXPECT_EQ(ruler.IndentFirst(), 24);  // the indents went with it
  ruler.MouseUp(35, 11);
  EXPECT_EQ(events, (std::vector<std::string>{"mclick0", "mdrag0", "mchange0"}));
  RulerModel hidden = MainRuler();
  hidden.SetShowMarginHandlers(false);
  EXPECT_EQ(hidden.MarginAt(5), std::nullopt);
}

TEST(RulerModel, Scale) {
  RulerModel ruler = MainRuler();
  ruler.SetSize(110, 25);
  std::vector<RulerTick> ticks = ruler.Scale();
  // Origin at x = 5; small ticks every 12, large every 24, numbers (no "0") every 48.
  std::vector<RulerTick> want = {{17, RulerTick::kSmall, 0},  {29, RulerTick::kLarge, 0},
                                 {41, RulerTick::kSmall, 0},  {53, RulerTick::kNumber, 8},
                                 {65, RulerTick::kSmall, 0},  {77, RulerTick::kLarge, 0},
                                 {89, RulerTick::kSmall, 0},  {101, RulerTick::kNumber, 16}};
  EXPECT_EQ(ticks, want);
  ruler.SetShowNumbers(false);
  ticks = ruler.Scale();
  EXPECT_EQ(ticks.front(), (RulerTick{5, RulerTick::kLarge, 0}));
  // Symmetric around the left margin boundary.
  ruler.SetShowNumbers(true);
  ruler.SetMarginLeft(24);
  ticks = ruler.Scale();
  EXPECT_EQ(ticks.front(), (RulerTick{5, RulerTick::kLarge, 0}));
  EXPECT_EQ(ticks[1], (RulerTick{17, RulerTick::kSmall, 0}));
}

TEST(RulerIndentConversion, BothWays) {
  // First-line indent 9 points, offset 0: both handles at 14 pixels.
  EXPECT_EQ(IndentsToRuler({9, 0, 0}, 400), (RulerIndents{14, 14, 390}));
  EXPECT_EQ(IndentsToRuler({-3, 3, 7.5}, 400), (RulerIndents{-2, 2, 380}));  // truncating
  // The left handle released at 36: the following lines at 27 points.
  EXPECT_EQ(RulerToIndents({9, 0, 0}, {14, 36, 390}, kIndentLeft, 400),
            (ParagraphIndents{9, 18, 0}));
  EXPECT_EQ(RulerToIndents({0, 0, 0}, {50, 2, 390}, kIndentFirst, 400),
            (ParagraphIndents{37, -37, 0}));
  EXPECT_EQ(RulerToIndents({0, 0, 0}, {2, 2, 300}, kIndentRight, 400),
            (ParagraphIndents{0, 0, 67}));
  // A handle clicked without moving leaves its indent exactly as it was.
  const ParagraphIndents odd{9, 4.5, 10};
  for (int id : {kIndentFirst, kIndentLeft, kIndentRight, kIndentBoth}) {
    EXPECT_EQ(RulerToIndents(odd, IndentsToRuler(odd, 400), id, 400), odd) << id;
  }
}

}  // namespace
}  // namespace pw::styling
