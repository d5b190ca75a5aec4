// Saving respects the file: its permissions and owner, the system's access check, folders that
// take no new files (rewritten in place), and temporary files left by killed writers. Cases
// that need a second user run as "nobody" in a child process when the tests run as root.
#include "core/atomic_file.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Spit(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

const passwd* Nobody() { return ::getpwnam("nobody"); }

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("pw-atomic-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ::chmod(dir_.c_str(), 0755);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(dir_, ignored)) {
      if (entry.is_directory()) ::chmod(entry.path().c_str(), 0755);
    }
    fs::remove_all(dir_, ignored);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Runs `check` as another user: as "nobody" in a child process when running as root, else
  // in this process as the current (unprivileged) user. `check` returns what went wrong.
  static std::string AsUnprivileged(const std::function<std::string()>& check) {
    if (::geteuid() != 0) return check();
    const passwd* nobody = Nobody();
    if (nobody == nullptr) return "no user nobody";
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe_fds[0]);
      std::string result;
      if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
          ::setuid(nobody->pw_uid) != 0) {
        result = "could not become nobody";
      } else {
        result = check();
      }
      ssize_t written = ::write(pipe_fds[1], result.data(), result.size());
      static_cast<void>(written);
      ::_exit(0);
    }
    ::close(pipe_fds[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
    ::close(pipe_fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return "child died: " + result;
    return result;
  }

  fs::path dir_;
};

TEST_F(AtomicFileTest, TheNewFileKeepsModeOwnerAndGroup) {
  const std::string path = Path("物語.PWV");
  Spit(path, "old");
  ::chmod(path.c_str(), 0640);
  const passwd* nobody = Nobody();
  const bool root = ::geteuid() == 0 && nobody != nullptr;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }
  struct stat before;
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  struct stat after;
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(Slurp(path), "new");
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  if (!root) GTEST_SKIP() << "owner kept only checked as root";
}

// Another user's file, or one without write permission, in a folder anyone may write to: the
// rename would succeed, but the system says the file may not be written.
TEST_F(AtomicFileTest, AFileTheUserMayNotWriteIsRefused) {
  ::chmod(dir_.c_str(), 0777);
  struct Case {
    const char* name;
    mode_t mode;
    bool root_owned;  // meaningful only when the tests run as root
  } cases[] = {{"readonly.PWV", 0444, false}, {"root.PWV", 0644, true}};
  const bool root = ::geteuid() == 0;
  for (const Case& c : cases) {
    if (c.root_owned && !root) continue;
    const std::string path = Path(c.name);
    Spit(path, "old");
    if (root && !c.root_owned) {
      ASSERT_EQ(::chown(path.c_str(), Nobody()->pw_uid, 0), 0);
    }
    ::chmod(path.c_str(), c.mode);
    EXPECT_TRUE(IsReadOnlyFile(path) || c.root_owned) << c.name;
    const std::string problems = AsUnprivileged([&] {
      std::string out;
      if (!IsReadOnlyFile(path)) out += "not read-only; ";
      Status status = WriteFileAtomically(path, "new");
      if (status) out += "written; ";
      if (status.message != std::strerror(EACCES)) out += "message: " + status.message + "; ";
      return out;
    });
    EXPECT_EQ(problems, "") << c.name;
    EXPECT_EQ(Slurp(path), "old") << c.name;
  }
  EXPECT_EQ(Names(dir_), (root ? std::set<std::string>{"readonly.PWV", "root.PWV"}
                               : std::set<std::string>{"readonly.PWV"}));
  EXPECT_FALSE(IsReadOnlyFile(Path("missing.PWV")));
}

// A writer killed during a save leaves its temporary file; the next save of the same file
// removes the ones no living writer holds.
TEST_F(AtomicFileTest, StaleTemporaryFilesOfTheTargetAreRemoved) {
  const std::string path = Path("story.PWV");
  Spit(path, "old");
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string me = std::to_string(::getpid());
  const std::string dead_writer = "story.PWV.~pw" + std::to_string(dead) + "-1";
  const std::string old_name = "story.PWV.~pw123456";    // no process id, not touched for long
  const std::string fresh = "story.PWV.~pw" + me + "-2";  // a live writer about to lock it
  const std::string held = "story.PWV.~pw" + me + "-3";   // a live writer, locked
  const std::string other = "other.PWV.~pw" + std::to_string(dead) + "-4";
  for (const std::string& name : {dead_writer, old_name, fresh, held, other}) {
    Spit(Path(name), "partial");
  }
  const struct timespec long_ago[2] = {{std::time(nullptr) - 3600, 0},
                                       {std::time(nullptr) - 3600, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, Path(old_name).c_str(), long_ago, 0), 0);
  const int lock = ::open(Path(held).c_str(), O_RDONLY);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);
  ASSERT_EQ(::utimensat(AT_FDCWD, Path(held).c_str(), long_ago, 0), 0);

  Status status;
  AtomicFileOptions options;
  options.remove_stale_temporaries = true;
  std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status, options);
  ASSERT_TRUE(file) << status.message;
  std::set<std::string> names = Names(dir_);
  std::string mine;
  for (const std::string& name : names) {
    if (name.rfind("story.PWV.~pw" + me + "-", 0) == 0 && name != fresh && name != held) {
      mine = name;
    }
  }
  EXPECT_FALSE(mine.empty()) << "the temporary file names its writer";
  EXPECT_EQ(names, (std::set<std::string>{"story.PWV", mine, fresh, held, other}));
  file->Write("new");
  ASSERT_TRUE(file->Commit(false));
  ::close(lock);
  EXPECT_EQ(Names(dir_), (std::set<std::string>{"story.PWV", fresh, held, other}));
}

// A folder that takes no new files, holding a file the user may write: the file is rewritten
// in place, the old content kept in the spare folder until the write is through.
TEST_F(AtomicFileTest, AFolderThatRefusesNewFilesIsSavedInPlace) {
  const fs::path folder = dir_ / "locked";
  const fs::path spare = dir_ / "spare";
  fs::create_directories(folder);
  fs::create_directories(spare);
  const std::string path = (folder / "物語.PWV").string();
  Spit(path, "old content");
  ::chmod(path.c_str(), 0640);
  if (::geteuid() == 0) {
    const passwd* nobody = Nobody();
    ASSERT_NE(nobody, nullptr);
    ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(::chown(spare.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }
  ::chmod(folder.c_str(), 0555);
  ::chmod(spare.c_str(), 0700);
  struct stat before;
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  const AtomicFileOptions options{spare.string()};
  const std::string problems = AsUnprivileged([&] {
    std::string out;
    // Without a spare folder the folder's own error is what the user is told.
    Status refused = WriteFileAtomically(path, "lost", false);
    if (refused || refused.message != std::strerror(EACCES)) out += "no spare: " + refused.message;
    if (Slurp(path) != "old content") out += "changed without spare; ";
    // A write that fails half way puts the old content back.
    struct rlimit old_limit;
    ::getrlimit(RLIMIT_FSIZE, &old_limit);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = old_limit;
    limit.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    Status failed = WriteFileAtomically(path, std::string(100000, 'x'), true, options);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    if (failed || failed.message != std::strerror(EFBIG)) out += "big: " + failed.message + "; ";
    if (Slurp(path) != "old content") out += "not restored; ";
    Status saved = WriteFileAtomically(path, "new content", true, options);
    if (!saved) out += "in place: " + saved.message + "; ";
    if (Slurp(path) != "new content") out += "not written; ";
    return out;
  });
  EXPECT_EQ(problems, "");
  EXPECT_EQ(Slurp(path), "new content");
  struct stat after;
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(Names(folder), std::set<std::string>{"物語.PWV"});
  EXPECT_TRUE(Names(spare).empty());
}

}  // namespace
}  // namespace pw
