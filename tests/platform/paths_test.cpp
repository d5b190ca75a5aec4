// File locations: which environment variable wins, folders made on demand, the temp folder.
#include "platform/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

namespace pw {
namespace {

namespace fs = std::filesystem;

// Sets or clears environment variables for one test and puts them back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value == nullptr) {
      ::unsetenv(name);
    } else {
      ::setenv(name, value, 1);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pw_paths_test_" + std::to_string(::getpid()));
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string Root() const { return root_.string(); }
  fs::path root_;
};

TEST_F(PathsTest, ConfigDirChoosesTheFirstSetVariableAndMakesTheFolder) {
  ScopedEnv home("HOME", (Root() + "/home").c_str());
  {
    ScopedEnv config("PLOTWEAVE_CONFIG_DIR", (Root() + "/cfg/deep/").c_str());
    ScopedEnv xdg("XDG_CONFIG_HOME", (Root() + "/xdg").c_str());
    EXPECT_EQ(ConfigDir(), Root() + "/cfg/deep");
    EXPECT_TRUE(fs::is_directory(Root() + "/cfg/deep"));
    EXPECT_EQ(SettingsFilePath(), Root() + "/cfg/deep/plotweave.INI");
    EXPECT_EQ(ProgramFolderFile("PLOTWEAV.DFF"), Root() + "/cfg/deep/PLOTWEAV.DFF");
    EXPECT_EQ(ProgramPathWithExtension(".CHR"), Root() + "/cfg/deep/plotweave.CHR");
  }
  {
    ScopedEnv config("PLOTWEAVE_CONFIG_DIR", "");
    ScopedEnv xdg("XDG_CONFIG_HOME", (Root() + "/xdg").c_str());
    EXPECT_EQ(ConfigDir(), Root() + "/xdg/Plotweave");
    EXPECT_TRUE(fs::is_directory(Root() + "/xdg/Plotweave"));
  }
  {
    ScopedEnv config("PLOTWEAVE_CONFIG_DIR", nullptr);
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(ConfigDir(), Root() + "/home/.config/Plotweave");
    EXPECT_TRUE(fs::is_directory(Root() + "/home/.config/Plotweave"));
    struct stat st;
    ASSERT_EQ(::stat((Root() + "/home/.config/Plotweave").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
  }
}

TEST_F(PathsTest, HomeAndDataFolders) {
  {
    ScopedEnv home("HOME", "/home/writer/");
    EXPECT_EQ(HomeDir(), "/home/writer");
  }
  {
    ScopedEnv home("HOME", nullptr);
    EXPECT_FALSE(HomeDir().empty());
    EXPECT_EQ(HomeDir()[0], '/');
  }
  {
    ScopedEnv data("PLOTWEAVE_DATA_DIR", (Root() + "/shipped/").c_str());
    EXPECT_EQ(DataDir(), Root() + "/shipped");
  }
  {
    ScopedEnv data("PLOTWEAVE_DATA_DIR", nullptr);
    // Run from the build tree, some candidate exists: the build tree's or the source tree's.
    EXPECT_TRUE(fs::is_directory(DataDir())) << DataDir();
  }
  const std::string exe = ExecutablePath();
  EXPECT_EQ(fs::path(exe).filename(), "platform_tests");
  EXPECT_TRUE(fs::exists(exe));
}

TEST(Paths, TempDirIsPrivateAndStable) {
  const std::string dir = TempDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(TempDir(), dir);
  struct stat st;
  ASSERT_EQ(::stat(dir.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(Paths, WithTrailingSlash) {
  EXPECT_EQ(WithTrailingSlash("/a"), "/a/");
  EXPECT_EQ(WithTrailingSlash("/a/"), "/a/");
  EXPECT_EQ(WithTrailingSlash(""), "");
}

}  // namespace
}  // namespace pw
