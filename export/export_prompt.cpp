// Suggested export paths and the checks on a chosen output name.
#include "export/export_prompt.h"

#include <sys/stat.h>

namespace pw {
namespace {

// Paths are UTF-8, so letters are folded byte by byte here, not by CP932 characters.
std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string FolderOf(std::string_view path) {
  size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  size_t slash = path.rfind('/');
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
    return std::string(path) + std::string(extension);
  }
  return std::string(path.substr(0, dot)) + std::string(extension);
}

std::string SuggestedExportPath(std::string_view document_path, std::string_view extension,
                                std::string_view program_folder) {
  std::string suggested = ChangeExtension(document_path, extension);
  if (IsFolder(FolderOf(suggested))) return suggested;
  std::string folder(program_folder);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + FileNameOf(suggested);
}

PromptOutcome CheckChosenPath(std::string_view chosen, std::string_view default_extension,
                              std::string* message) {
  const std::string name = FileNameOf(chosen);
  const size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (UpperAscii(extension) != UpperAscii(std::string(default_extension))) {
    *message = kInvalidFileName;
    return PromptOutcome::kFailed;
  }
  if (!IsFolder(FolderOf(chosen))) {
    *message = kNoSuchFolder;
    return PromptOutcome::kFailed;
  }
  message->clear();
  return PromptOutcome::kChosen;
}

}  // namespace pw
