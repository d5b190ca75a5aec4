// Replacing a file without ever leaving it half written: the bytes go to a temporary file
// beside the target, which is flushed and then renamed over it.
#ifndef PLOTWEAVE_CORE_ATOMIC_FILE_H_
#define PLOTWEAVE_CORE_ATOMIC_FILE_H_

#include <memory>
#include <string>
#include <string_view>

#include "core/status.h"

namespace pw {

// A file being written in place of `path`. Nothing replaces the target until Commit succeeds;
// destroying an uncommitted AtomicFile removes the temporary file. A symbolic link is followed,
// so the file it names is replaced and the link kept; a replaced file keeps its permissions.
class AtomicFile {
 public:
  static std::unique_ptr<AtomicFile> Create(const std::string& path, Status* status);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Buffered; the first failure sticks and is reported by Commit.
  void Write(std::string_view bytes);
  // Pieces of this size or more are written directly, after whatever is buffered.
  static constexpr size_t kBufferSize = 1 << 20;
  Status Commit(bool flush_to_disk = true);

 private:
  AtomicFile(int fd, std::string temp, std::string target, unsigned mode)
      : fd_(fd), temp_(std::move(temp)), target_(std::move(target)), mode_(mode) {}
  void Flush();
  void WriteDirect(std::string_view bytes);

  int fd_;
  std::string temp_;
  std::string target_;
  unsigned mode_;
  std::string buffer_;
  int error_ = 0;
  bool committed_ = false;
};

// On failure the message is the system's error text and an existing file is untouched.
Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           bool flush_to_disk = true);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_ATOMIC_FILE_H_
