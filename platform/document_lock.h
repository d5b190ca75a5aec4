// The mark that a document is being edited: the hidden file ".~lock.NAME#" beside it, on which
// every editor of the document holds a shared lock for as long as it edits. The system drops
// the lock of a program that dies, so a lock is never stale, and a second, third, ... editor
// all see the ones before them.
#ifndef PLOTWEAVE_PLATFORM_DOCUMENT_LOCK_H_
#define PLOTWEAVE_PLATFORM_DOCUMENT_LOCK_H_

#include <memory>
#include <string>

namespace pw {

class DocumentLock {
 public:
  // Takes a share of the lock of `document_path`. `held_elsewhere` tells whether another editor
  // (in this or another process) held it already. Null where no lock file can be made (a
  // folder that takes no new files): nothing can be told then.
  static std::unique_ptr<DocumentLock> Acquire(const std::string& document_path,
                                               bool* held_elsewhere);
  // Lets go; the last editor removes the lock file.
  ~DocumentLock();
  DocumentLock(const DocumentLock&) = delete;
  DocumentLock& operator=(const DocumentLock&) = delete;

  // Whether any editor holds the lock of `document_path` now (this process's included).
  static bool IsHeld(const std::string& document_path);

  // ".~lock.NAME#" in the document's folder.
  static std::string LockPathFor(const std::string& document_path);

 private:
  DocumentLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  int fd_;
  std::string path_;
};

}  // namespace pw

#endif  // PLOTWEAVE_PLATFORM_DOCUMENT_LOCK_H_
