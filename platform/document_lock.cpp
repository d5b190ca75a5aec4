// Document locks through open-file-description record locks (F_OFD_*): each editor holds a
// read lock on the first byte of the lock file; asking for a write lock tells whether anyone
// else holds one, and the last editor, whose write lock then succeeds, removes the file.
// Locks of one open file description conflict with those of another even inside one
// process, so two windows of the same program see each other.
#include "platform/document_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pw {
namespace {

struct flock FirstByte(short type) {
  struct flock lock = {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 1;
  return lock;
}

// Whether a lock held through another open file description conflicts with a write lock.
bool OthersHold(int fd) {
  struct flock probe = FirstByte(F_WRLCK);
  if (::fcntl(fd, F_OFD_GETLK, &probe) != 0) return false;
  return probe.l_type != F_UNLCK;
}

}  // namespace

std::string DocumentLock::LockPathFor(const std::string& document_path) {
  const size_t slash = document_path.rfind('/');
  if (slash == std::string::npos) return ".~lock." + document_path + "#";
  return document_path.substr(0, slash) + "/.~lock." + document_path.substr(slash + 1) + "#";
}

std::unique_ptr<DocumentLock> DocumentLock::Acquire(const std::string& document_path,
                                                    bool* held_elsewhere) {
  *held_elsewhere = false;
  const std::string path = LockPathFor(document_path);
  // The last editor of the document may remove the file between our open and our lock; the
  // lock is then on a file nobody else will find, and it is taken again.
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return nullptr;
    const bool others = OthersHold(fd);
    struct flock share = FirstByte(F_RDLCK);
    int locked;
    do {
      locked = ::fcntl(fd, F_OFD_SETLKW, &share);
    } while (locked != 0 && errno == EINTR);
    struct stat held;
    struct stat named;
    if (locked != 0) {
      ::close(fd);
      return nullptr;
    }
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      *held_elsewhere = others;
      return std::unique_ptr<DocumentLock>(new DocumentLock(fd, path));
    }
    ::close(fd);
  }
  return nullptr;
}

DocumentLock::~DocumentLock() {
  struct flock sole = FirstByte(F_WRLCK);
  // Turning our share into the whole lock succeeds only when nobody else holds a share.
  if (::fcntl(fd_, F_OFD_SETLK, &sole) == 0) ::unlink(path_.c_str());
  ::close(fd_);
}

bool DocumentLock::IsHeld(const std::string& document_path) {
  int fd = ::open(LockPathFor(document_path).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = OthersHold(fd);
  ::close(fd);
  return held;
}

}  // namespace pw
