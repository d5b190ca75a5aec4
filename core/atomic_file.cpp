// Atomic file replacement through a temporary file and rename(2); rewriting in place, with the
// old content kept aside, where the folder takes no new files.
#include "core/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

namespace pw {
namespace {

constexpr char kTempMarker[] = ".~pw";
// A temporary file that nobody holds locked is a live writer's only in the moment between its
// creation and its lock, or between its close and its rename; older than this it is litter.
constexpr time_t kStaleAfterSeconds = 60;

Status SystemError(int error) { return Status::Error(std::strerror(error)); }

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "NAME.~pw<pid>-<random>": the process that writes it can be told from the name.
std::string TempName(const std::string& base) {
  // Seeded once: a random_device costs more to open than writing a small file does.
  thread_local std::mt19937 random{std::random_device{}()};
  return base + kTempMarker + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000);
}

// Opens a new temporary file for `base` (O_EXCL, mode 0600) and locks it; -1 with errno set.
int CreateLockedTemp(const std::string& base, std::string* name) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    *name = TempName(base);
    int fd = ::open(name->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX | LOCK_NB);  // a fresh file: nobody else can hold it
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// The process id in a temporary file's name after the marker, or 0 (older names have none).
pid_t WriterOf(std::string_view suffix) {
  const size_t dash = suffix.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash > 9) return 0;
  pid_t pid = 0;
  for (char c : suffix.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

// Removes the temporary files of `target` that were left by writers that are gone: nobody
// holds their lock, and their writer is dead or they have not changed for a while.
void RemoveStaleTemps(const std::string& target) {
  const std::string folder = DirectoryOf(target);
  const std::string prefix = FileNameOf(target) + kTempMarker;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    const std::string path = folder + "/" + std::string(name);
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      const pid_t writer = WriterOf(name.substr(prefix.size()));
      const bool writer_gone = writer > 0 && ::kill(writer, 0) != 0 && errno == ESRCH;
      if (writer_gone || now - st.st_mtime > kStaleAfterSeconds) ::unlink(path.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
}

bool WriteAll(int fd, std::string_view bytes, int* error) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Copies everything readable from `from` to `to` (both at their current offsets).
bool CopyContent(int from, int to, int* error) {
  std::string chunk(1 << 20, '\0');
  for (;;) {
    ssize_t n = ::read(from, chunk.data(), chunk.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = errno;
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(to, std::string_view(chunk.data(), static_cast<size_t>(n)), error)) return false;
  }
}

}  // namespace

std::unique_ptr<AtomicFile> AtomicFile::Create(const std::string& path, Status* status,
                                               const AtomicFileOptions& options) {
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
  // Renaming over a file needs only the folder's permission; the file's own must be asked.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    *status = SystemError(errno);
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
  if (options.remove_stale_temporaries) RemoveStaleTemps(target);
  std::string temp;
  int fd = CreateLockedTemp(target, &temp);
  if (fd < 0) {
    const int error = errno;
    if (exists && S_ISREG(st.st_mode) && (error == EACCES || error == EPERM)) {
      return CreateInPlace(target, error, options, status);
    }
    *status = SystemError(error);
    return nullptr;
  }
  if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
    // Only a privileged process may give the file away; the group alone may still be kept.
    // Where neither is allowed the new file is the writer's, as any new file would be.
    int kept = ::fchown(fd, st.st_uid, st.st_gid);
    if (kept != 0) kept = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
    static_cast<void>(kept);
  }
  *status = Status::Ok();
  return std::unique_ptr<AtomicFile>(new AtomicFile(fd, temp, target, mode));
}

std::unique_ptr<AtomicFile> AtomicFile::CreateInPlace(const std::string& target, int create_error,
                                                      const AtomicFileOptions& options,
                                                      Status* status) {
  if (options.spare_folder.empty()) {
    *status = SystemError(create_error);
    return nullptr;
  }
  // The old content goes aside first, so that a failed write can be undone.
  std::string spare;
  int spare_fd = CreateLockedTemp(options.spare_folder + "/" + FileNameOf(target), &spare);
  if (spare_fd < 0) {
    *status = SystemError(create_error);
    return nullptr;
  }
  int error = 0;
  bool copied = false;
  int old_fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
  if (old_fd < 0) {
    error = errno;
  } else {
    copied = CopyContent(old_fd, spare_fd, &error);
    if (copied && ::fsync(spare_fd) != 0) {
      error = errno;
      copied = false;
    }
    ::close(old_fd);
  }
  ::close(spare_fd);
  int fd = -1;
  if (copied) {
    fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) error = errno;
  }
  if (fd < 0) {
    ::unlink(spare.c_str());
    *status = SystemError(error);
    return nullptr;
  }
  auto file = std::unique_ptr<AtomicFile>(new AtomicFile(fd, std::string(), target, 0));
  file->spare_ = spare;
  *status = Status::Ok();
  return file;
}

bool AtomicFile::Restore() {
  int error = 0;
  int from = ::open(spare_.c_str(), O_RDONLY | O_CLOEXEC);
  int to = from >= 0 ? ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC) : -1;
  bool ok = to >= 0 && CopyContent(from, to, &error) && ::fsync(to) == 0;
  if (to >= 0 && ::close(to) != 0) ok = false;
  if (from >= 0) ::close(from);
  if (ok) ::unlink(spare_.c_str());
  return ok;
}

AtomicFile::~AtomicFile() {
  if (committed_) return;
  if (fd_ >= 0) ::close(fd_);
  if (in_place()) {
    Restore();
  } else {
    ::unlink(temp_.c_str());
  }
}

void AtomicFile::WriteDirect(std::string_view bytes) {
  if (error_ == 0) WriteAll(fd_, bytes, &error_);
}

void AtomicFile::Flush() {
  WriteDirect(buffer_);
  buffer_.clear();
}

void AtomicFile::WriteAt(uint64_t offset, std::string_view bytes) {
  Flush();
  while (error_ == 0 && !bytes.empty()) {
    ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error_ = errno;
      return;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
    offset += static_cast<uint64_t>(n);
  }
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
  if (in_place()) {
    if (error_ == 0 && flush_to_disk && ::fsync(fd_) != 0) error_ = errno;
    int closed = ::close(fd_);
    fd_ = -1;
    if (error_ == 0 && closed != 0) error_ = errno;
    if (error_ != 0) {
      committed_ = true;  // the restore is done here, where its outcome can be told
      Status status = SystemError(error_);
      if (!Restore()) status.message += " (" + spare_ + ")";
      return status;
    }
    committed_ = true;
    ::unlink(spare_.c_str());
    return Status::Ok();
  }
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

Status WriteFileAtomically(const std::string& path, std::string_view bytes, bool flush_to_disk,
                           const AtomicFileOptions& options) {
  Status status;
  std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status, options);
  if (!file) return status;
  file->Write(bytes);
  return file->Commit(flush_to_disk);
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & S_IWUSR) == 0 || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

}  // namespace pw
