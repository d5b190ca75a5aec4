// Atomic file replacement through a temporary file and rename(2).
#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

namespace pw {
namespace {

Status SystemError(int error) { return Status::Error(std::strerror(error)); }

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::unique_ptr<AtomicFile> AtomicFile::Create(const std::string& path, Status* status) {
  std::string target = path;
  struct stat st;
  bool exists = ::lstat(path.c_str(), &st) == 0;
  if (exists && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) target = resolved;
    exists = ::stat(target.c_str(), &st) == 0;
  }
  if (exists && S_ISDIR(st.st_mode)) {
    *status = SystemError(EISDIR);
    return nullptr;
  }
  mode_t mode = 0666;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  // Seeded once: a random_device costs more to open than writing a small file does.
  thread_local std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 20; ++attempt) {
    std::string temp = target + ".~pw" + std::to_string(random() % 1000000);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      *status = Status::Ok();
      return std::unique_ptr<AtomicFile>(new AtomicFile(fd, temp, target, mode));
    }
    if (errno != EEXIST) break;
  }
  *status = SystemError(errno);
  return nullptr;
}

AtomicFile::~AtomicFile() {
  if (committed_) return;
  if (fd_ >= 0) ::close(fd_);
  ::unlink(temp_.c_str());
}

void AtomicFile::WriteDirect(std::string_view bytes) {
  while (error_ == 0 && !bytes.empty()) {
    ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error_ = errno;
      return;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

void AtomicFile::Flush() {
  WriteDirect(buffer_);
  buffer_.clear();
}

void AtomicFile::Write(std::string_view bytes) {
  if (error_ != 0) return;
  // A large piece goes straight to the file, but only after what is buffered: bytes must
  // reach the file in the order they were written.
  if (bytes.size() >= kBufferSize / 2) {
    Flush();
    WriteDirect(bytes);
    return;
  }
  if (buffer_.capacity() < kBufferSize) buffer_.reserve(kBufferSize);
  if (buffer_.size() + bytes.size() > kBufferSize) Flush();
  buffer_.append(bytes);
}

Status AtomicFile::Commit(bool flush_to_disk) {
  Flush();
  if (error_ == 0 && ::fchmod(fd_, mode_) != 0) error_ = errno;
  if (error_ == 0 && flush_to_disk && ::fsync(fd_) != 0) error_ = errno;
  int closed = ::close(fd_);
  fd_ = -1;
  if (error_ == 0 && closed != 0) error_ = errno;
  if (error_ == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) error_ = errno;
  if (error_ != 0) return SystemError(error_);  // the destructor removes the temporary file
  committed_ = true;
  if (flush_to_disk) {
    int dir = ::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
  return Status::Ok();
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes, bool flush_to_disk) {
  Status status;
  std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status);
  if (!file) return status;
  file->Write(bytes);
  return file->Commit(flush_to_disk);
}

}  // namespace pw
