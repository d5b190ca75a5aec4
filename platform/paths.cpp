// File locations on a freedesktop system: configuration under XDG_CONFIG_HOME, data beside the
// build tree or under the install prefix, a private temporary folder per process.
#include "platform/paths.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

std::string TempRoot() {
  std::string root = StripTrailingSlashes(Env("TMPDIR"));
  if (root.empty() || root[0] != '/' || !IsDirectory(root)) root = "/tmp";
  return root;
}

std::string& TempDirPath() {
  static std::string path;
  return path;
}

void RemoveTempDir() {
  const std::string& path = TempDirPath();
  if (path.empty()) return;
  std::error_code error;
  fs::remove_all(path, error);
}

}  // namespace

std::string HomeDir() {
  std::string home = StripTrailingSlashes(Env("HOME"));
  if (!home.empty() && home[0] == '/') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    home = StripTrailingSlashes(entry->pw_dir);
    if (!home.empty() && home[0] == '/') return home;
  }
  return "/";
}

std::string ConfigDir() {
  std::string dir = StripTrailingSlashes(Env("PLOTWEAVE_CONFIG_DIR"));
  if (dir.empty()) {
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    std::string xdg = StripTrailingSlashes(Env("XDG_CONFIG_HOME"));
    if (!xdg.empty() && xdg[0] == '/') {
      dir = xdg + "/Plotweave";
    } else {
      std::string home = HomeDir();
      dir = (home == "/" ? std::string() : home) + "/.config/Plotweave";
    }
  }
  std::error_code error;
  if (!fs::is_directory(dir, error)) {
    fs::create_directories(dir, error);
    if (!error) fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, error);
  }
  return dir;
}

std::string ProgramFolderFile(std::string_view name) {
  std::string path = ConfigDir();
  path += '/';
  path += name;
  return path;
}

std::string ProgramPathWithExtension(std::string_view extension) {
  std::string name = "plotweave";
  name += extension;
  return ProgramFolderFile(name);
}

std::string SettingsFilePath() { return ProgramPathWithExtension(".INI"); }

std::string ExecutablePath() {
  std::error_code error;
  fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.string();
}

std::string DataDir() {
  std::string dir = StripTrailingSlashes(Env("PLOTWEAVE_DATA_DIR"));
  if (!dir.empty()) return dir;
  std::vector<std::string> candidates;
  std::string exe = ExecutablePath();
  if (!exe.empty()) {
    fs::path exe_dir = fs::path(exe).parent_path();
    candidates.push_back((exe_dir.parent_path() / "data").lexically_normal().string());
    candidates.push_back(
        (exe_dir.parent_path() / "share" / "plotweave").lexically_normal().string());
  }
#ifdef PLOTWEAVE_INSTALL_PREFIX
  candidates.push_back(std::string(PLOTWEAVE_INSTALL_PREFIX) + "/share/plotweave");
#endif
#ifdef PLOTWEAVE_SOURCE_DIR
  candidates.push_back(std::string(PLOTWEAVE_SOURCE_DIR) + "/data");
#endif
  for (const std::string& candidate : candidates) {
    if (IsDirectory(candidate)) return StripTrailingSlashes(candidate);
  }
  return candidates.empty() ? std::string("data") : StripTrailingSlashes(candidates.back());
}

std::string MakePrivateTempFolder(std::string_view prefix) {
  std::string pattern = TempRoot() + "/" + std::string(prefix) + "-XXXXXX";
  return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

std::string TempDir() {
  static std::once_flag made;
  std::call_once(made, [] {
    std::string pattern = TempRoot() + "/plotweave-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) {  // mkdtemp makes it mode 0700
      TempDirPath() = pattern;
      std::atexit(RemoveTempDir);
    }
  });
  return TempDirPath();
}

std::string WithTrailingSlash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != '/') result += '/';
  return result;
}

}  // namespace pw
