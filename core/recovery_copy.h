// Recovery copies: while a document has unsaved changes, its editor writes the whole document
// now and then into a folder of its own, so that a crash loses at most the last minutes. Each
// copy is a complete document, "STEM.ID.PWV" (written alternately as "STEM.ID.2.PWV": a new
// copy never replaces a file, which some file systems make costly), and "STEM.ID.info", which
// names the document it stands for and which the living editor keeps locked. A copy whose
// lock nobody holds was left by an editor that is gone and is offered at start-up.
#ifndef PLOTWEAVE_CORE_RECOVERY_COPY_H_
#define PLOTWEAVE_CORE_RECOVERY_COPY_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/outline.h"
#include "core/status.h"

namespace pw {

class AtomicFile;
class RecoveryCopy;

// A recovery copy being written a piece at a time, so that a large document never holds up
// the window: each Step writes about `budget` bytes of bodies. Between steps the outline must
// keep its shape (no node added, removed or moved: the caller abandons the writing then, which
// leaves the previous copy as it was); titles, bodies and marks may change, and each node is
// written as it is at its step.
class RecoveryWriting {
 public:
  ~RecoveryWriting();
  RecoveryWriting(const RecoveryWriting&) = delete;
  RecoveryWriting& operator=(const RecoveryWriting&) = delete;

  // True once the copy is complete and in place, or the writing failed (see status()). The
  // steps after the new copy is in place free the old one's space a piece at a time.
  bool Step(size_t budget);
  bool done() const { return done_; }
  const Status& status() const { return status_; }

 private:
  friend class RecoveryCopy;
  RecoveryWriting(RecoveryCopy* copy, const Outline& outline, int32_t selected_index,
                  int32_t caret)
      : copy_(copy), outline_(outline), selected_index_(selected_index), caret_(caret) {}
  void Finish();
  void FreeOldCopy(size_t budget);

  RecoveryCopy* copy_;
  const Outline& outline_;
  std::string target_;  // the copy's other name, which the new copy takes
  int32_t selected_index_;
  int32_t caret_;
  std::unique_ptr<AtomicFile> file_;
  // The previous copy, held open so that replacing it does not free all of its space at once.
  int old_copy_fd_ = -1;
  int64_t old_copy_size_ = 0;
  bool installed_ = false;
  size_t count_ = 0;
  size_t next_ = 0;
  int64_t titles_size_ = 0;
  int64_t body_size_ = 0;
  std::string records_;
  size_t records_written_ = 0;
  Status status_;
  bool done_ = false;
};

// The folder of recovery copies in the configuration folder.
std::string RecoveryFolder(const std::string& config_dir);

class RecoveryCopy {
 public:
  // A new copy for an editor of `document_path`, held by this process; nothing is written
  // yet. Null with the system's error when the folder or its files cannot be made.
  static std::unique_ptr<RecoveryCopy> Start(const std::string& folder,
                                             const std::string& document_path, Status* status);
  // Lets go of the copy. Its files stay, as they would after a crash, unless Discard ran.
  ~RecoveryCopy();
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;

  const std::string& copy_path() const { return copy_path_; }
  const std::string& document_path() const { return document_path_; }
  // Whether a copy was declined once at start-up already (it is then removed at the next No).
  bool declined_before() const { return declined_ > 0; }

  // Writes the whole document atomically (the old copy stays whole until the new one is
  // complete). It does not wait for the disk: the copy guards against the program dying, and
  // a pause of the window would be felt.
  Status Write(const Outline& outline, int32_t selected_index, int32_t caret);
  // The same, a piece at a time (see RecoveryWriting); `outline` and this copy must outlive
  // the writing.
  std::unique_ptr<RecoveryWriting> BeginWrite(const Outline& outline, int32_t selected_index,
                                              int32_t caret);
  // The copy stands for another file from now on (after save as).
  Status SetDocumentPath(const std::string& document_path);
  // Removes both files: the document was saved or closed cleanly, or the copy was refused.
  void Discard();
  // The user said No at start-up: the copy is kept for one more start, then removed.
  void Decline();

 private:
  friend std::vector<std::unique_ptr<RecoveryCopy>> FindOrphanedRecoveryCopies(
      const std::string& folder);
  friend class RecoveryWriting;
  // `base` is the folder and "STEM.ID"; `current` which of the copy's two names is in use.
  RecoveryCopy(int info_fd, std::string info_path, std::string base, int current,
               std::string document_path, int declined)
      : info_fd_(info_fd),
        info_path_(std::move(info_path)),
        base_(std::move(base)),
        current_(current),
        copy_path_(CopyPathFor(base_, current_)),
        document_path_(std::move(document_path)),
        declined_(declined) {}
  static std::string CopyPathFor(const std::string& base, int which);
  Status WriteInfo();

  int info_fd_;
  std::string info_path_;
  std::string base_;
  int current_;
  std::string copy_path_;
  std::string document_path_;
  int declined_ = 0;
};

// The copies in `folder` that no living editor holds and that are newer than their documents
// (or whose documents are gone), newest first; each is held by this process from now on.
// Copies older than their documents and info files without a copy are removed.
std::vector<std::unique_ptr<RecoveryCopy>> FindOrphanedRecoveryCopies(const std::string& folder);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_RECOVERY_COPY_H_
