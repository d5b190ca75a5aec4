// Document locks: every editor is seen by the next one, whichever of them has gone since, and
// a program that dies leaves no lock behind.
#include "platform/document_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace pw {
namespace {

namespace fs = std::filesystem;

class DocumentLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("pw-lock-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    doc_ = (dir_ / "物語.PWV").string();
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  std::string doc_;
};

TEST_F(DocumentLockTest, EveryEditorSeesTheOnesBeforeIt) {
  EXPECT_EQ(DocumentLock::LockPathFor(doc_), (dir_ / ".~lock.物語.PWV#").string());
  bool elsewhere = true;
  auto first = DocumentLock::Acquire(doc_, &elsewhere);
  ASSERT_TRUE(first);
  EXPECT_FALSE(elsewhere);
  EXPECT_TRUE(DocumentLock::IsHeld(doc_));
  auto second = DocumentLock::Acquire(doc_, &elsewhere);
  ASSERT_TRUE(second);
  EXPECT_TRUE(elsewhere);
  // The first editor goes; the second still edits, and a third must be told so.
  first.reset();
  auto third = DocumentLock::Acquire(doc_, &elsewhere);
  ASSERT_TRUE(third);
  EXPECT_TRUE(elsewhere);
  second.reset();
  third.reset();
  EXPECT_FALSE(DocumentLock::IsHeld(doc_));
  EXPECT_FALSE(fs::exists(DocumentLock::LockPathFor(doc_)));
  // Another document is not affected.
  auto other = DocumentLock::Acquire((dir_ / "other.PWV").string(), &elsewhere);
  EXPECT_FALSE(elsewhere);
  EXPECT_FALSE(DocumentLock::IsHeld(doc_));
}

TEST_F(DocumentLockTest, AKilledEditorLeavesNoLock) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    bool elsewhere = false;
    auto lock = DocumentLock::Acquire(doc_, &elsewhere);
    char c = lock ? 'y' : 'n';
    ssize_t written = ::write(ready[1], &c, 1);
    static_cast<void>(written);
    ::pause();
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  bool elsewhere = false;
  EXPECT_TRUE(DocumentLock::IsHeld(doc_));
  {
    auto lock = DocumentLock::Acquire(doc_, &elsewhere);
    EXPECT_TRUE(elsewhere);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_FALSE(DocumentLock::IsHeld(doc_));
  auto lock = DocumentLock::Acquire(doc_, &elsewhere);
  ASSERT_TRUE(lock);
  EXPECT_FALSE(elsewhere);
}

}  // namespace
}  // namespace pw
