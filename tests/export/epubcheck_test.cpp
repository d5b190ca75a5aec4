// The books as a reader's validator sees them: epubcheck must report no error and no warning
// for the sample story and the generated story in both writing modes. Runs where epubcheck and
// Java are installed (scripts/setup installs them for the tests) and skips elsewhere.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/outline_file.h"
#include "export/epub_export.h"
#include "tests/export/epub_story.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string EpubcheckJar() {
  for (const char* candidate : {"/usr/share/java/epubcheck.jar", "/usr/bin/epubcheck"}) {
    if (fs::exists(candidate)) return candidate;
  }
  return {};
}

bool JavaInstalled() { return std::system("command -v java >/dev/null 2>&1") == 0; }

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(EpubCheck, SampleAndGeneratedStoryInBothWritingModesPassWithoutWarnings) {
  const std::string jar = EpubcheckJar();
  if (jar.empty() || !JavaInstalled()) GTEST_SKIP() << "epubcheck is not installed";
  const fs::path dir = fs::path(::testing::TempDir()) / ("epubcheck-" + std::to_string(getpid()));
  fs::create_directories(dir);

  Outline sample;
  ReadResult read = ReadOutlineFile(PLOTWEAVE_SAMPLE_PWV, ReadTarget::kMainTree, &sample);
  ASSERT_TRUE(read.status) << read.status.message;
  Outline story;
  testing::BuildEpubStory(&story);

  struct Book {
    const char* file;
    const Outline* outline;
    bool vertical;
    bool chapter_numbers;
  } books[] = {
      {"sample-vertical.epub", &sample, true, false},
      {"sample-horizontal.epub", &sample, false, true},
      {"story-vertical.epub", &story, true, true},
      {"story-horizontal.epub", &story, false, false},
  };
  for (const Book& book : books) {
    EpubOptions options;
    options.vertical = book.vertical;
    options.chapter_numbers = book.chapter_numbers;
    options.title = EpubTitlePreset(*book.outline, ExportScope::kAll, nullptr) + " <&>";
    options.author = "作者 & \"名\"";
    options.modified = 1700000000;
    const fs::path path = dir / book.file;
    Status s = ExportEpub(path.string(), *book.outline, {0, book.outline->size()}, options);
    ASSERT_TRUE(s) << s.message;

    // The client compiler alone starts the validator in half the time.
    const fs::path log = dir / (std::string(book.file) + ".log");
    const std::string command = "java -XX:TieredStopAtLevel=1 -XX:+UseSerialGC -jar '" + jar +
                                "' --failonwarnings '" + path.string() + "' >'" + log.string() +
                                "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = ReadText(log);
    EXPECT_EQ(status, 0) << book.file << ":\n" << output;
    EXPECT_NE(output.find("No errors or warnings detected"), std::string::npos)
        << book.file << ":\n"
        << output;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace pw
