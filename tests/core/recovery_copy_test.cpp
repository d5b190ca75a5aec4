// Recovery copies: written whole, invisible to others while their editor lives, found after it
// dies, dropped when the document is newer, kept for one more start when declined.
#include "core/recovery_copy.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/outline_file.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

class RecoveryCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pw-recovery-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    folder_ = RecoveryFolder((root_ / "config").string());
    document_ = (root_ / "物語.PWV").string();
    fs::create_directories(root_);
    Node* top = outline_.Append(nullptr, "\x95\xa8\x8c\xea", NewNodeData(nkRoot), 1);
    outline_.Append(top, "scene", NewNodeData(nkChild), 7)->data()->Body = "{\\rtf1 edited}";
  }
  void TearDown() override { fs::remove_all(root_); }

  size_t FilesInFolder() const {
    return fs::exists(folder_) ? static_cast<size_t>(std::distance(fs::directory_iterator(folder_),
                                                                   fs::directory_iterator()))
                               : 0;
  }
  std::unique_ptr<RecoveryCopy> StartAndWrite(const std::string& document) {
    Status status;
    auto copy = RecoveryCopy::Start(folder_, document, &status);
    EXPECT_TRUE(copy) << status.message;
    if (copy) {
      EXPECT_TRUE(copy->Write(outline_, 1, 4));
    }
    return copy;
  }

  fs::path root_;
  std::string folder_;
  std::string document_;
  Outline outline_;
};

TEST_F(RecoveryCopyTest, ACopyLeftBehindIsFoundWithItsDocument) {
  std::ofstream(document_) << "old";
  const struct timespec long_ago[2] = {{std::time(nullptr) - 600, 0}, {std::time(nullptr) - 600, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, document_.c_str(), long_ago, 0), 0);
  auto copy = StartAndWrite(document_);
  ASSERT_TRUE(copy);
  EXPECT_EQ(fs::status(folder_).permissions() & fs::perms::all, fs::perms::owner_all);
  // A living editor's copy is nobody else's to offer.
  EXPECT_TRUE(FindOrphanedRecoveryCopies(folder_).empty());
  const std::string copy_path = copy->copy_path();
  copy.reset();  // as if the program had died

  auto found = FindOrphanedRecoveryCopies(folder_);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]->document_path(), document_);
  EXPECT_EQ(found[0]->copy_path(), copy_path);
  EXPECT_FALSE(found[0]->declined_before());
  Outline read;
  ReadResult result = ReadOutlineFile(copy_path, ReadTarget::kMainTree, &read);
  ASSERT_TRUE(result.status);
  EXPECT_EQ(read.size(), 2u);
  EXPECT_EQ(*read.NodeAt(1)->data()->Body, "{\\rtf1 edited}");
  EXPECT_EQ(result.info.selected_index, 1);
  EXPECT_EQ(result.info.caret, 4);
  // Whoever found it holds it now.
  EXPECT_TRUE(FindOrphanedRecoveryCopies(folder_).empty());
  found[0]->Discard();
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(RecoveryCopyTest, NoKeepsACopyForOneMoreStart) {
  StartAndWrite(document_).reset();  // the document does not exist: the copy is all there is
  for (int start = 0; start < 2; ++start) {
    auto found = FindOrphanedRecoveryCopies(folder_);
    ASSERT_EQ(found.size(), 1u) << start;
    EXPECT_EQ(found[0]->declined_before(), start == 1);
    found[0]->Decline();
  }
  EXPECT_TRUE(FindOrphanedRecoveryCopies(folder_).empty());
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(RecoveryCopyTest, ACopyOlderThanItsDocumentIsDropped) {
  StartAndWrite(document_).reset();
  std::ofstream(document_) << "saved later";  // e.g. by another editor
  const struct timespec later[2] = {{std::time(nullptr) + 5, 0}, {std::time(nullptr) + 5, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, document_.c_str(), later, 0), 0);
  EXPECT_TRUE(FindOrphanedRecoveryCopies(folder_).empty());
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(RecoveryCopyTest, SaveAsMovesTheCopyToTheNewNameAndDiscardRemovesIt) {
  auto copy = StartAndWrite(document_);
  const std::string renamed = (root_ / "new\nline\\name.PWV").string();
  ASSERT_TRUE(copy->SetDocumentPath(renamed));
  auto other = StartAndWrite((root_ / "other.PWV").string());
  other->Discard();
  copy.reset();
  auto found = FindOrphanedRecoveryCopies(folder_);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]->document_path(), renamed);
}

// Written a piece at a time, the copy has the bytes of the document written at once; a body
// changed between steps is taken as it is at its own step.
TEST_F(RecoveryCopyTest, ACopyWrittenInStepsIsTheDocument) {
  Node* top = outline_.NodeAt(0);
  for (int i = 0; i < 40; ++i) {
    Node* node = outline_.Append(top, "n" + std::to_string(i), NewNodeData(nkChild), 7);
    if (i % 3 != 0) node->data()->Body = "{\\rtf1 " + std::string(100 * i, 'x') + "}";
  }
  WriteOptions options;
  options.selected_index = 3;
  options.caret = 9;
  const std::string expected = SerializeOutline(outline_, options);
  Status status;
  auto copy = RecoveryCopy::Start(folder_, document_, &status);
  ASSERT_TRUE(copy);
  for (size_t budget : {size_t{1}, size_t{500}, size_t{1} << 20}) {
    SCOPED_TRACE(budget);
    auto writing = copy->BeginWrite(outline_, 3, 9);
    int steps = 0;
    while (!writing->Step(budget)) ++steps;
    ASSERT_TRUE(writing->status()) << writing->status().message;
    if (budget == 1) {
      EXPECT_GE(steps, 41);  // a node at a time
    }
    std::ifstream in(copy->copy_path(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), expected);
  }
  auto writing = copy->BeginWrite(outline_, 0, 0);
  ASSERT_FALSE(writing->Step(1));
  outline_.NodeAt(40)->data()->Body = "{\\rtf1 changed}";
  while (!writing->Step(1)) {
  }
  Outline read;
  ASSERT_TRUE(ReadOutlineFile(copy->copy_path(), ReadTarget::kMainTree, &read).status);
  EXPECT_EQ(*read.NodeAt(40)->data()->Body, "{\\rtf1 changed}");
  // Written at once over a copy that is there: the old one's space goes in the same call.
  ASSERT_TRUE(copy->Write(outline_, 0, 0));
  ASSERT_TRUE(copy->Write(outline_, 0, 0));
  // Abandoned half way, the previous copy stays whole.
  writing = copy->BeginWrite(outline_, 0, 0);
  writing->Step(1);
  writing.reset();
  EXPECT_TRUE(ReadOutlineFile(copy->copy_path(), ReadTarget::kMainTree, &read).status);
  EXPECT_EQ(FilesInFolder(), 2u);
}

// Each copy takes the name the previous one does not use; killed between installing the new
// copy and removing the old one, the newer of the two is the copy.
TEST_F(RecoveryCopyTest, TheNewerOfTwoNamesIsTheCopy) {
  auto copy = StartAndWrite(document_);
  const std::string first = copy->copy_path();
  ASSERT_TRUE(copy->Write(outline_, 0, 0));
  const std::string second = copy->copy_path();
  EXPECT_NE(first, second);
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(FilesInFolder(), 2u);
  copy.reset();
  fs::copy_file(second, first);  // as if the old one had not been removed yet
  const struct timespec older[2] = {{std::time(nullptr) - 60, 0}, {std::time(nullptr) - 60, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, first.c_str(), older, 0), 0);
  auto found = FindOrphanedRecoveryCopies(folder_);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]->copy_path(), second);
  EXPECT_FALSE(fs::exists(first));
  ASSERT_TRUE(found[0]->Write(outline_, 0, 0));  // and the next copy takes the other name
  EXPECT_EQ(found[0]->copy_path(), first);
  EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(RecoveryCopyTest, AKilledEditorsCopyIsFound) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    Status status;
    auto copy = RecoveryCopy::Start(folder_, document_, &status);
    const char c = copy && copy->Write(outline_, 0, 0) ? 'y' : 'n';
    ssize_t written = ::write(ready[1], &c, 1);
    static_cast<void>(written);
    ::pause();
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  EXPECT_TRUE(FindOrphanedRecoveryCopies(folder_).empty());
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  auto found = FindOrphanedRecoveryCopies(folder_);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]->document_path(), document_);
}

}  // namespace
}  // namespace pw
