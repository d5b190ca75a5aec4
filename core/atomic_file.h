// Replacing a file without ever leaving it half written: the bytes go to a temporary file
// beside the target, which is flushed and then renamed over it. Where the folder takes no new
// files but the target itself may be written, the file is rewritten in place with a copy of
// the old content kept aside until the write is through.
#ifndef PLOTWEAVE_CORE_ATOMIC_FILE_H_
#define PLOTWEAVE_CORE_ATOMIC_FILE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/status.h"

namespace pw {

struct AtomicFileOptions {
  // A private folder for the copy of the old file when it has to be rewritten in place; empty
  // refuses that way (the folder's error is reported instead).
  std::string spare_folder;
  // Removes the temporary files of the same target left by writers that are gone. It reads
  // the whole folder, so it is for documents, not for exports of thousands of files.
  bool remove_stale_temporaries = false;
};

// A file being written in place of `path`. Nothing replaces the target until Commit succeeds;
// destroying an uncommitted AtomicFile removes the temporary file (or, in place, puts the old
// content back). A symbolic link is followed, so the file it names is replaced and the link
// kept. The new file takes the old one's mode and, where the process may, its owner and group.
// A target the process may not write is refused with the system's error text.
//
// The temporary file is named "NAME.~pw" + the writer's process id + "-" + a random number and
// is locked while it is written, so that the ones left behind by a program killed during a
// save can be told from the ones being written (see remove_stale_temporaries).
class AtomicFile {
 public:
  static std::unique_ptr<AtomicFile> Create(const std::string& path, Status* status,
                                            const AtomicFileOptions& options = {});
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Buffered; the first failure sticks and is reported by Commit.
  void Write(std::string_view bytes);
  // Pieces of this size or more are written directly, after whatever is buffered.
  static constexpr size_t kBufferSize = 1 << 20;
  // Overwrites bytes already written, e.g. a header whose sizes are known only at the end.
  void WriteAt(uint64_t offset, std::string_view bytes);
  Status Commit(bool flush_to_disk = true);

  // True when the target is being rewritten in place (the folder refused a temporary file).
  bool in_place() const { return !spare_.empty(); }

 private:
  AtomicFile(int fd, std::string temp, std::string target, unsigned mode)
      : fd_(fd), temp_(std::move(temp)), target_(std::move(target)), mode_(mode) {}
  static std::unique_ptr<AtomicFile> CreateInPlace(const std::string& target, int create_error,
                                                   const AtomicFileOptions& options,
                                                   Status* status);
  void Flush();
  void WriteDirect(std::string_view bytes);
  // In place: copies the kept old content back over the target; false if that fails too.
  bool Restore();

  int fd_;
  std::string temp_;
  std::string target_;
  unsigned mode_;
  std::string spare_;  // in place: the copy of the old content
  std::string buffer_;
  int error_ = 0;
  bool committed_ = false;
};

// On failure the message is the system's error text and an existing file is untouched.
Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           bool flush_to_disk = true, const AtomicFileOptions& options = {});

// A document that must not be overwritten: its owner's write bit is off, or the system's
// access check says this process may not write it. False for a file that does not exist.
bool IsReadOnlyFile(const std::string& path);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_ATOMIC_FILE_H_
