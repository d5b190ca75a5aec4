// Font and tab unification over the stored bodies.
#include "styling/unification.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "richtext/body_text.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw::styling {
namespace {

class CountingProgress : public ProgressSink {
 public:
  void Begin(std::string_view caption, size_t maximum) override {
    caption_ = caption;
    maximum_ = maximum;
  }
  void Step() override { ++steps_; }
  void End() override { ended_ = true; }
  std::string caption_;
  size_t maximum_ = 0;
  size_t steps_ = 0;
  bool ended_ = false;
};

// Three nodes: a formatted RTF body, no body at all, and a plain-text body.
void BuildStory(Outline* outline) {
  rich::RichDocument formatted;
  formatted.paragraphs.clear();
  rich::Paragraph first;
  rich::CharFormat bold;
  bold.face = "ＭＳ 明朝";
  bold.bold = true;
  bold.size = 14;
  rich::CharFormat red;
  red.color = 0x0000FF;
  red.italic = true;
  first.runs = {{"見出し", bold}, {"赤い文字", red}};
  first.format.tab_stops = {10, 20};
  rich::Paragraph second;
  second.runs = {{"二段落目\t", {}}};
  formatted.paragraphs = {first, second};

  Node* a = outline->Append(nullptr, "a", NewNodeData(nkRoot), kIconRoot);
  a->data()->SetBody(rich::WriteRtf(formatted));
  outline->Append(a, "b", NewNodeData(nkChild), kChildIconBase + 1);
  Node* c = outline->Append(a, "c", NewNodeData(nkChild), kChildIconBase + 1);
  c->data()->SetBody(Utf8ToCp932("平文の本文\r\n二行目").text);
}

TEST(Unification, FontsLeaveOnlyTheChosenFont) {
  Outline outline;
  BuildStory(&outline);
  rich::CharFormat chosen;
  chosen.face = "ＭＳ ゴシック";
  chosen.size = 10.5;
  chosen.color = 0x00336699;
  chosen.underline = true;
  CountingProgress progress;
  EXPECT_EQ(UnifyFonts(outline, chosen, &progress), 2u);
  EXPECT_EQ(progress.caption_, "ﾌｫﾝﾄの統一実行中");
  EXPECT_EQ(progress.maximum_, 3u);
  EXPECT_EQ(progress.steps_, 3u);
  EXPECT_TRUE(progress.ended_);

  EXPECT_FALSE(outline.NodeAt(1)->data()->Body);  // an absent body stays absent
  for (size_t index : {0u, 2u}) {
    const std::string& body = *outline.NodeAt(index)->data()->Body;
    ASSERT_EQ(body.rfind("{\\rtf", 0), 0u) << index;
    const rich::RichDocument doc = rich::ReadRtf(body);
    size_t runs = 0;
    for (const rich::Paragraph& p : doc.paragraphs) {
      for (const rich::Run& run : p.runs) {
        EXPECT_EQ(run.format, chosen) << index << " " << run.text;
        ++runs;
      }
    }
    EXPECT_EQ(runs, doc.paragraphs.size()) << index;  // one run per paragraph: nothing else left
  }
  const rich::RichDocument first = rich::ReadRtf(*outline.NodeAt(0)->data()->Body);
  EXPECT_EQ(first.paragraphs[0].Text(), "見出し赤い文字");
  EXPECT_EQ(first.paragraphs[0].format.tab_stops, (std::vector<double>{10, 20}));  // kept
  EXPECT_EQ(rich::BodyToLinesUtf8(*outline.NodeAt(2)->data()->Body),
            (std::vector<std::string>{"平文の本文", "二行目"}));
}

TEST(Unification, TabStopsOnEveryParagraph) {
  Outline outline;
  BuildStory(&outline);
  std::vector<double> stops;
  for (int k = 1; k <= kUnifiedTabStopCount; ++k) stops.push_back(36.0 * k);
  const std::string before = rich::BodyToLinesUtf8(*outline.NodeAt(0)->data()->Body)[0];
  EXPECT_EQ(UnifyTabStops(outline, stops, nullptr), 2u);
  EXPECT_FALSE(outline.NodeAt(1)->data()->Body);
  for (size_t index : {0u, 2u}) {
    const rich::RichDocument doc = rich::ReadRtf(*outline.NodeAt(index)->data()->Body);
    for (const rich::Paragraph& p : doc.paragraphs) EXPECT_EQ(p.format.tab_stops, stops) << index;
  }
  // Character formats are untouched.
  const rich::RichDocument first = rich::ReadRtf(*outline.NodeAt(0)->data()->Body);
  EXPECT_TRUE(first.paragraphs[0].runs[0].format.bold);
  EXPECT_EQ(rich::BodyToLinesUtf8(*outline.NodeAt(0)->data()->Body)[0], before);
}

}  // namespace
}  // namespace pw::styling
