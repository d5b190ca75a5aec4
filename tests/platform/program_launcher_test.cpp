// Starting programs: the search on PATH, a detached start that reports a failed exec, and the
// RTF print through a stand-in for LibreOffice that records its arguments.
#include "platform/program_launcher.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace pw {
namespace {

namespace fs = std::filesystem;

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "launch-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    fs::create_directories(dir_ / "bin");
    const char* path = std::getenv("PATH");
    saved_path_ = path == nullptr ? "" : path;
    ::setenv("PATH", (dir_ / "bin").c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", saved_path_.c_str(), 1);
    fs::remove_all(dir_);
  }
  // A shell script in the PATH folder (which is all of PATH: other programs by full path).
  void Script(const char* name, const std::string& body, bool executable = true) {
    const fs::path file = dir_ / "bin" / name;
    std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
  }
  // The script writes aside and renames, so the file is whole once it exists.
  std::string WaitForFile(const fs::path& file) {
    for (int i = 0; i < 200 && !fs::exists(file); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  fs::path dir_;
  std::string saved_path_;
};

TEST_F(LauncherTest, FindsOnlyExecutablesAndPrefersSoffice) {
  EXPECT_EQ(FindRtfPrinter(), "");
  Script("lowriter", "exit 0", false);
  EXPECT_EQ(FindRtfPrinter(), "");  // not executable
  Script("lowriter", "exit 0");
  EXPECT_EQ(FindRtfPrinter(), (dir_ / "bin" / "lowriter").string());
  Script("soffice", "exit 0");
  EXPECT_EQ(FindRtfPrinter(), (dir_ / "bin" / "soffice").string());
  EXPECT_EQ(FindOnPath("bin/soffice"), "");  // names only
}

TEST_F(LauncherTest, PrintsThroughLibreOfficeInTheBackground) {
  EXPECT_FALSE(StartRtfPrint("/tmp/x.TMP"));  // nothing installed
  const fs::path record = dir_ / "args";
  Script("soffice", "printf '%s|' \"$@\" > '" + record.string() + ".part' && /bin/mv '" +
                        record.string() + ".part' '" + record.string() + "'");
  ASSERT_TRUE(StartRtfPrint("/home/u/設定/Plotweave.TMP"));
  EXPECT_EQ(WaitForFile(record), "--headless|-p|/home/u/設定/Plotweave.TMP|");
}

TEST_F(LauncherTest, AProgramThatCannotStartIsReported) {
  const std::string bad = (dir_ / "bin" / "bad").string();
  std::ofstream(bad) << "\x7f" "ELF not really";
  fs::permissions(bad, fs::perms::owner_all);
  Status started = StartDetached(bad, {});
  EXPECT_FALSE(started);
  EXPECT_NE(started.message.find("bad"), std::string::npos) << started.message;
  EXPECT_FALSE(StartDetached((dir_ / "bin" / "missing").string(), {}));
}

}  // namespace
}  // namespace pw
