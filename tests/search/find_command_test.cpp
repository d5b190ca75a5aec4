// pwvtool find and replace, run as programs on a document written for the test: hits in tree
// order, how the search moves on after a hit, the report of a malformed pattern, and what
// replace writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/cp932.h"
#include "core/outline.h"
#include "core/outline_file.h"
#include "richtext/body_text.h"

namespace pw::search {
namespace {

std::string RunTool(const std::string& args) {
  std::string command = std::string(PWVTOOL_PATH) + " " + args + " 2>&1";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "popen failed";
  char buf[4096];
  size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  pclose(pipe);
  return out;
}

std::string RunFind(const std::string& args) { return RunTool("find " + args); }

class FindCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    // ctest runs the cases of this suite side by side: each needs a file of its own.
    path_ = ::testing::TempDir() + "search_find_command_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".PWV";
    Outline outline;
    auto sj = [](const char* utf8) { return Utf8ToCp932(utf8).text; };
    Node* root = outline.Append(nullptr, sj("物語"), NewNodeData(nkRoot), kIconRoot);
    auto first = NewNodeData(nkChild);
    first->SetBody(sj("第一行の猫\n猫と犬\n"));  // a plain body: its LF become CR LF
    outline.Append(root, sj("猫の章"), std::move(first), kChildIconBase + 1);
    outline.Append(root, "Cats and cats", NewNodeData(nkChild), kChildIconBase + 1);
    auto last = NewNodeData(nkChild);
    last->SetBody(kUntouched);
    outline.Append(root, "z", std::move(last), kChildIconBase + 1);
    ASSERT_TRUE(WriteOutlineFile(path_, outline, WriteOptions{}).ok);
    out_ = path_ + ".out.PWV";
  }
  void TearDown() override {
    std::remove(path_.c_str());
    std::remove(out_.c_str());
  }
  // Titles and body texts of the output, one line per node.
  std::string Written() {
    Outline outline;
    if (!ReadOutlineFile(out_, ReadTarget::kMainTree, &outline).status) return "unreadable";
    std::string text;
    outline.ForEach([&](Node* node) {
      text += Cp932ToUtf8(node->title()).text + "|";
      if (node->data()->Body) text += Cp932ToUtf8(rich::BodyPlainText(*node->data()->Body)).text;
      text += "\n";
    });
    return text;
  }
  static constexpr char kUntouched[] = "{\\rtf1{\\*\\unknown keep}\\sl360 no hit here\\par}";
  std::string path_;
  std::string out_;
};

TEST_F(FindCommand, PlainHitsInTreeOrderWithAsciiFolding) {
  EXPECT_EQ(RunFind("猫 " + path_),
            "1\ttitle\t0\t2\t猫\n"
            "1\tbody\t8\t2\t猫\n"
            "1\tbody\t12\t2\t猫\n");
  EXPECT_EQ(RunFind("CATS " + path_),
            "2\ttitle\t0\t4\tCats\n"
            "2\ttitle\t9\t4\tcats\n");
  EXPECT_EQ(RunFind("--case cats " + path_), "2\ttitle\t9\t4\tcats\n");
}

TEST_F(FindCommand, RegexHitsGoOnAtTheEndOrOneCharacterFurther) {
  // Each search hands over the rest of the text, whose first character is a line start.
  EXPECT_EQ(RunFind("--regex '^猫' " + path_),
            "1\ttitle\t0\t2\t猫\n"
            "1\tbody\t12\t2\t猫\n");
  EXPECT_EQ(RunFind("--regex '猫$' " + path_), "1\tbody\t8\t2\t猫\n");
  EXPECT_EQ(RunFind("--regex 'の.*' " + path_),
            "1\ttitle\t2\t4\tの章\n"
            "1\tbody\t6\t4\tの猫\n");
  // Empty hits: one per character position, and one at the end of the text.
  EXPECT_EQ(RunFind("--regex 'x*' " + path_ + " | head -4"),
            "0\ttitle\t0\t0\t\n"
            "0\ttitle\t2\t0\t\n"
            "0\ttitle\t4\t0\t\n"
            "1\ttitle\t0\t0\t\n");
  EXPECT_EQ(RunFind("--regex '\\r\\n' " + path_ + " | head -1"), "1\tbody\t10\t2\t\\r\\n\n");
}

TEST_F(FindCommand, MalformedPatternReportsMessageAndPosition) {
  EXPECT_EQ(RunFind("--regex 'a**' " + path_),
            "pwvtool: PATTERN: 普通の文字、または左括弧\"(\"が必要です (position 4)\n");
  EXPECT_EQ(RunFind("--regex '[' " + path_),
            "pwvtool: PATTERN: 右ブラケット\"]\"が必要です (position 2)\n");
  EXPECT_EQ(RunFind("'' " + path_), "");
}

TEST_F(FindCommand, ReplacePrintsTheCountFirstAndLeavesBodiesWithoutAHitAlone) {
  EXPECT_EQ(RunTool("replace 猫 犬 " + path_ + " " + out_), "3\n");
  EXPECT_EQ(Written(),
            "物語|\n犬の章|第一行の犬\r\n犬と犬\r\n\nCats and cats|\nz|no hit here\r\n\n");
  Outline outline;
  ASSERT_TRUE(ReadOutlineFile(out_, ReadTarget::kMainTree, &outline).status);
  EXPECT_EQ(outline.NodeAt(3)->data()->Body.value_or(""), kUntouched);

  EXPECT_EQ(RunTool("replace --regex '(c|C)ats' '&!' " + path_ + " " + out_), "2\n");
  EXPECT_NE(Written().find("\nCats! and cats!|\n"), std::string::npos) << Written();
  EXPECT_EQ(RunTool("replace --case cats x " + path_ + " " + out_), "1\n");
  EXPECT_EQ(RunTool("replace nothing x " + path_ + " " + out_), "0\n");
}

TEST_F(FindCommand, ReplaceRefusesHalfALineBreakAndMalformedPatterns) {
  EXPECT_EQ(RunTool("replace --regex 'a\\r' x " + path_ + " " + out_),
            "pwvtool: PATTERN: 改行は\\r\\nです\n");
  EXPECT_EQ(RunTool("replace --regex 'a**' x " + path_ + " " + out_),
            "pwvtool: PATTERN: 普通の文字、または左括弧\"(\"が必要です (position 4)\n");
}

}  // namespace
}  // namespace pw::search
