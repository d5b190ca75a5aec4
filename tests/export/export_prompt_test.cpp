// The export file prompt's rules: suggested path, extension and folder checks.
#include "export/export_prompt.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace pw {
namespace {

TEST(ExportPrompt, ChangeExtensionReplacesOnlyTheFileNamesExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/u/物語.PWV", "/home/u/物語.TXT"},
      {"/home/u.d/NewFile", "/home/u.d/NewFile.TXT"},
      {"a.b.PWV", "a.b.TXT"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ChangeExtension(in, ".TXT"), out);
}

TEST(ExportPrompt, SuggestedPathFallsBackToTheProgramFolder) {
  const std::string temp = std::filesystem::temp_directory_path().string();
  EXPECT_EQ(SuggestedExportPath(temp + "/story.PWV", ".TXT", "/prog"), temp + "/story.TXT");
  EXPECT_EQ(SuggestedExportPath("/no/such/folder/story.PWV", ".TXT", "/prog"), "/prog/story.TXT");
  EXPECT_EQ(SuggestedExportPath("/no/such/folder/story.PWV", ".TXT", "/prog/"), "/prog/story.TXT");
}

TEST(ExportPrompt, ChosenNamesNeedTheDefaultExtensionAndAnExistingFolder) {
  const std::string temp = std::filesystem::temp_directory_path().string();
  struct Case {
    std::string path;
    PromptOutcome outcome;
    const char* message;
  };
  const Case cases[] = {
      {temp + "/out.TXT", PromptOutcome::kChosen, ""},
      {temp + "/out.txt", PromptOutcome::kChosen, ""},
      {temp + "/out.RTF", PromptOutcome::kFailed, kInvalidFileName},
      {temp + "/out", PromptOutcome::kFailed, kInvalidFileName},
      {"/no/such/folder/out.TXT", PromptOutcome::kFailed, kNoSuchFolder},
  };
  for (const Case& c : cases) {
    std::string message = "stale";
    EXPECT_EQ(CheckChosenPath(c.path, "TXT", &message), c.outcome) << c.path;
    EXPECT_EQ(message, c.message) << c.path;
  }
}

}  // namespace
}  // namespace pw
