// Starting programs detached: fork twice, so that the program is no child of ours and needs no
// reaping, and let the grandchild report a failed exec through a pipe that closes on success.
// Everything the children use is prepared before the fork, and they call only functions that
// are safe after forking a threaded process.
#include "platform/program_launcher.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace pw {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string FindOnPath(std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos) return {};
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::string_view folders(path);
  while (true) {
    const size_t colon = folders.find(':');
    std::string folder(folders.substr(0, colon));
    if (folder.empty()) folder = ".";
    std::string candidate = folder + "/" + std::string(name);
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) break;
    folders.remove_prefix(colon + 1);
  }
  return {};
}

std::string FindRtfPrinter() {
  for (const char* name : kRtfPrinters) {
    if (std::string path = FindOnPath(name); !path.empty()) return path;
  }
  return {};
}

Status StartDetached(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> strings;
  strings.push_back(program);
  strings.insert(strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return Status::Error(std::strerror(errno));
  const pid_t child = ::fork();
  if (child < 0) {
    const int error = errno;
    ::close(report[0]);
    ::close(report[1]);
    return Status::Error(std::strerror(error));
  }
  if (child == 0) {
    ::close(report[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
    // The program's output would only clutter ours.
    if (const int null = ::open("/dev/null", O_RDWR); null >= 0) {
      ::dup2(null, STDIN_FILENO);
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
    }
    ::execv(argv[0], argv.data());
    const int error = errno;
    [[maybe_unused]] ssize_t written = ::write(report[1], &error, sizeof error);
    ::_exit(127);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int exec_error = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &exec_error, sizeof exec_error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return Status::Error("fork failed");
  if (got == static_cast<ssize_t>(sizeof exec_error)) {
    return Status::Error(program + ": " + std::strerror(exec_error));
  }
  return Status::Ok();
}

Status StartRtfPrint(const std::string& rtf_path) {
  const std::string program = FindRtfPrinter();
  if (program.empty()) return Status::Error("RTF を印刷できるプログラムがありません");
  return StartDetached(program, {"--headless", "-p", rtf_path});
}

}  // namespace pw
