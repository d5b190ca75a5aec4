// Clipboard payloads: format choice, round trip between two outlines, malformed data.
#include "editing/node_clipboard.h"

#include <gtest/gtest.h>

#include "editing/subtree_copy.h"
#include "tests/editing/story_fixture.h"

namespace pw {
namespace {

using testing::BuildStory;
using testing::Describe;
using testing::Find;

TEST(NodeClipboard, FormatsFollowTheFirstNodeAndTheSelection) {
  Outline outline;
  BuildStory(&outline);
  EXPECT_STREQ(PayloadFormatFor(Find(outline, "Ch1")), kStandardNodeFormat);
  EXPECT_STREQ(PayloadFormatFor(Find(outline, "Hero")), kStandardNodeFormat);
  EXPECT_STREQ(PayloadFormatFor(Find(outline, "Name")), kCharaItemNodeFormat);
  EXPECT_STREQ(PasteFormatFor(Find(outline, "Hero")), kCharaItemNodeFormat);
  EXPECT_STREQ(PasteFormatFor(Find(outline, "S1")), kStandardNodeFormat);
}

TEST(NodeClipboard, ASubtreeTravelsWithBodiesAndPlainTextBecomesRtf) {
  Outline source;
  BuildStory(&source);
  Outline scratch;
  CopySubtreeTo(source, Find(source, "Ch2"), &scratch);  // S3 holds a plain-text body
  const std::string payload = BuildNodePayload(scratch);
  Outline pasted;
  ASSERT_TRUE(ReadNodePayload(payload, &pasted));
  EXPECT_EQ(Describe(pasted), Describe(scratch));
  EXPECT_EQ(pasted.NodeAt(1)->data()->Body->substr(0, 5), "{\\rtf");
}

TEST(NodeClipboard, MalformedPayloadsGiveAnEmptyScratchTree) {
  Outline source;
  BuildStory(&source);
  Outline scratch;
  CopySubtreeTo(source, Find(source, "Ch1"), &scratch);
  const std::string good = BuildNodePayload(scratch);
  const std::string bad[] = {"", "garbage", good.substr(0, good.size() / 2),
                             std::string("\x03\x00\x00", 3) + std::string(12, '\0')};
  for (const std::string& bytes : bad) {
    Outline pasted;
    pasted.Append(nullptr, "stale", NewNodeData(nkRoot), 1);
    Status status = ReadNodePayload(bytes, &pasted);
    EXPECT_FALSE(status) << bytes.size();
    EXPECT_TRUE(pasted.empty());
    EXPECT_EQ(status.message.rfind(kPastedNothingMessage, 0), 0u);
  }
}

}  // namespace
}  // namespace pw
