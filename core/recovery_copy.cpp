// Recovery copies: the copy is written like any document (atomically, through a temporary
// file), the info file is locked with flock(2) by its editor, so the system itself tells a
// living editor's copy from one left by a crash.
#include "core/recovery_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>

#include "core/atomic_file.h"
#include "core/outline_file.h"
#include "core/title_section.h"

namespace pw {
namespace {

constexpr char kInfoHeader[] = "Plotweave recovery copy\n";
constexpr char kInfoExtension[] = ".info";
constexpr char kCopyExtension[] = ".PWV";
constexpr size_t kMaxStemBytes = 80;
constexpr size_t kMaxInfoBytes = 65536;

Status SystemError(int error) { return Status::Error(std::strerror(error)); }

// The document's file name without its extension, cut to a length that leaves room in a name
// (never inside a UTF-8 character).
std::string StemOf(const std::string& document_path) {
  const size_t slash = document_path.rfind('/');
  std::string stem = slash == std::string::npos ? document_path : document_path.substr(slash + 1);
  const size_t dot = stem.rfind('.');
  if (dot != std::string::npos && dot > 0) stem.resize(dot);
  if (stem.size() > kMaxStemBytes) {
    size_t cut = kMaxStemBytes;
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    stem.resize(cut);
  }
  if (stem.empty()) stem = "document";
  return stem;
}

// One line per field; the path may hold any byte but NUL, so newlines and backslashes in it
// are escaped.
std::string EscapePath(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapePath(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      out += text[++i] == 'n' ? '\n' : text[i];
    } else {
      out += text[i];
    }
  }
  return out;
}

bool ParseInfo(std::string_view text, std::string* document, int* declined) {
  if (text.substr(0, std::strlen(kInfoHeader)) != kInfoHeader) return false;
  text.remove_prefix(std::strlen(kInfoHeader));
  bool have_document = false;
  *declined = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;  // a torn write
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (line.substr(0, 9) == "document=") {
      *document = UnescapePath(line.substr(9));
      have_document = !document->empty();
    } else if (line == "declined=1") {
      *declined = 1;
    }
  }
  return have_document;
}

bool ReadFd(int fd, std::string* out) {
  out->clear();
  char buffer[4096];
  for (;;) {
    ssize_t n = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(out->size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out->append(buffer, static_cast<size_t>(n));
    if (out->size() > kMaxInfoBytes) return false;
  }
}

bool Newer(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

}  // namespace

std::string RecoveryFolder(const std::string& config_dir) { return config_dir + "/recovery"; }

std::unique_ptr<RecoveryCopy> RecoveryCopy::Start(const std::string& folder,
                                                  const std::string& document_path,
                                                  Status* status) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    *status = Status::Error(error.message());
    return nullptr;
  }
  ::chmod(folder.c_str(), 0700);  // documents' contents are nobody else's business
  static std::random_device random;
  const std::string base = folder + "/" + StemOf(document_path) + ".";
  for (int attempt = 0; attempt < 20; ++attempt) {
    const std::string id = std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000);
    const std::string info_path = base + id + kInfoExtension;
    int fd = ::open(info_path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) {
      *status = SystemError(errno);
      return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      // A start-up scan looked at the file in the instant before our lock; take another name.
      ::close(fd);
      continue;
    }
    std::unique_ptr<RecoveryCopy> copy(
        new RecoveryCopy(fd, info_path, base + id, 0, document_path, 0));
    *status = copy->WriteInfo();
    if (!*status) {
      copy->Discard();
      return nullptr;
    }
    return copy;
  }
  *status = SystemError(EEXIST);
  return nullptr;
}

std::string RecoveryCopy::CopyPathFor(const std::string& base, int which) {
  return base + (which == 0 ? "" : ".2") + kCopyExtension;
}

RecoveryCopy::~RecoveryCopy() {
  if (info_fd_ >= 0) ::close(info_fd_);
}

Status RecoveryCopy::WriteInfo() {
  const std::string text = std::string(kInfoHeader) + "document=" + EscapePath(document_path_) +
                           "\n" + (declined_ > 0 ? "declined=1\n" : "");
  // Rewritten in place: the lock lives on this file, and only its holder reads it.
  if (::pwrite(info_fd_, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()) ||
      ::ftruncate(info_fd_, static_cast<off_t>(text.size())) != 0) {
    return SystemError(errno);
  }
  return Status::Ok();
}

Status RecoveryCopy::Write(const Outline& outline, int32_t selected_index, int32_t caret) {
  std::unique_ptr<RecoveryWriting> writing = BeginWrite(outline, selected_index, caret);
  while (!writing->Step(SIZE_MAX)) {
  }
  return writing->status();
}

// The document layout, written in order: the header with the body size left open, the titles,
// each body as its step comes, then the records and the trailer, and last the header's body
// size. Bodies are written as they are stored (the document's own save turns plain ones into
// RTF; reading takes both).
std::unique_ptr<RecoveryWriting> RecoveryCopy::BeginWrite(const Outline& outline,
                                                          int32_t selected_index, int32_t caret) {
  std::unique_ptr<RecoveryWriting> writing(
      new RecoveryWriting(this, outline, selected_index, caret));
  // The new copy takes the name not in use; what holds it is left from a crash between the
  // two steps at the end of a copy, older than the one in use.
  writing->target_ = CopyPathFor(base_, 1 - current_);
  ::unlink(writing->target_.c_str());
  AtomicFileOptions options;
  options.remove_stale_temporaries = true;
  writing->file_ = AtomicFile::Create(writing->target_, &writing->status_, options);
  if (!writing->file_) {
    writing->done_ = true;
    return writing;
  }
  writing->old_copy_fd_ = ::open(copy_path_.c_str(), O_RDWR | O_CLOEXEC);
  struct stat old_copy;
  if (writing->old_copy_fd_ >= 0 && ::fstat(writing->old_copy_fd_, &old_copy) == 0) {
    writing->old_copy_size_ = old_copy.st_size;
  }
  const std::string titles = BuildTitleSection(outline);
  writing->count_ = outline.size();
  writing->titles_size_ = static_cast<int64_t>(titles.size());
  writing->records_.reserve(writing->count_ * kRecordSize);
  std::string header("\x03\x00\x00", 3);
  AppendInt32(&header, static_cast<int32_t>(titles.size()));
  AppendInt32(&header, 0);  // the body size, known at the end
  AppendInt32(&header, static_cast<int32_t>(writing->count_ * kRecordSize));
  writing->file_->Write(header);
  writing->file_->Write(titles);
  return writing;
}

RecoveryWriting::~RecoveryWriting() {
  if (old_copy_fd_ >= 0) ::close(old_copy_fd_);
}

bool RecoveryWriting::Step(size_t budget) {
  if (done_) return true;
  if (installed_) {
    FreeOldCopy(budget);
    return done_;
  }
  if (next_ == count_) {
    // The records, a piece at a time too, and then the end.
    const size_t piece = std::min(budget, records_.size() - records_written_);
    file_->Write(std::string_view(records_).substr(records_written_, piece));
    records_written_ += piece;
    if (records_written_ == records_.size()) Finish();
    return done_;
  }
  size_t written = 0;
  while (next_ < count_ && written < budget) {
    const Node* node = outline_.NodeAt(next_++);
    if (node == nullptr) {  // the outline lost nodes, which the caller should have told
      status_ = Status::Error(kStreamReadError);
      done_ = true;
      file_.reset();
      return true;
    }
    const TNodeData* data = node->data();
    const bool has_body = data != nullptr && data->Body.has_value();
    const size_t length = has_body ? data->Body->size() : 0;
    if (body_size_ + static_cast<int64_t>(length) > kMaxOutlineFileSize) {
      status_ = Status::Error(kTooLargeToSave);
      done_ = true;
      file_.reset();
      return true;
    }
    if (has_body) file_->Write(*data->Body);
    AppendNodeRecord(&records_, node, has_body, static_cast<int32_t>(length),
                     static_cast<int32_t>(body_size_));
    body_size_ += static_cast<int64_t>(length);
    written += length + kRecordSize;
  }
  return false;
}

void RecoveryWriting::FreeOldCopy(size_t budget) {
  // Freeing a file's space costs about as much as writing it; a few times the step's budget
  // keeps each step short.
  constexpr size_t kMostPerByte = 8;
  const int64_t piece = budget >= static_cast<size_t>(INT64_MAX) / kMostPerByte
                            ? INT64_MAX
                            : static_cast<int64_t>(budget * kMostPerByte);
  old_copy_size_ = piece >= old_copy_size_ ? 0 : old_copy_size_ - piece;
  if (old_copy_size_ > 0 && ::ftruncate(old_copy_fd_, static_cast<off_t>(old_copy_size_)) == 0) {
    return;
  }
  ::close(old_copy_fd_);
  old_copy_fd_ = -1;
  done_ = true;
}

void RecoveryWriting::Finish() {
  done_ = true;
  if (15 + titles_size_ + body_size_ + static_cast<int64_t>(records_.size()) + 8 >
      kMaxOutlineFileSize) {
    status_ = Status::Error(kTooLargeToSave);
    file_.reset();
    return;
  }
  std::string trailer;
  AppendInt32(&trailer, selected_index_);
  AppendInt32(&trailer, caret_);
  file_->Write(trailer);
  std::string body_size;
  AppendInt32(&body_size, static_cast<int32_t>(body_size_));
  file_->WriteAt(7, body_size);
  status_ = file_->Commit(false);
  file_.reset();
  if (!status_) return;
  // The old copy goes (its space is freed from the file still held open), the new one is it.
  ::unlink(copy_->copy_path_.c_str());
  copy_->current_ = 1 - copy_->current_;
  copy_->copy_path_ = target_;
  if (old_copy_fd_ >= 0) {
    installed_ = true;
    done_ = false;  // the old copy's space is freed in the next steps
  }
}

Status RecoveryCopy::SetDocumentPath(const std::string& document_path) {
  document_path_ = document_path;
  return WriteInfo();
}

void RecoveryCopy::Discard() {
  if (info_fd_ < 0) return;
  ::unlink(CopyPathFor(base_, 0).c_str());
  ::unlink(CopyPathFor(base_, 1).c_str());
  ::unlink(info_path_.c_str());
  ::close(info_fd_);
  info_fd_ = -1;
}

void RecoveryCopy::Decline() {
  if (declined_ > 0) {
    Discard();
    return;
  }
  declined_ = 1;
  if (!WriteInfo()) Discard();
}

std::vector<std::unique_ptr<RecoveryCopy>> FindOrphanedRecoveryCopies(const std::string& folder) {
  std::vector<std::unique_ptr<RecoveryCopy>> found;
  std::vector<struct timespec> written;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return found;
  const size_t info_length = std::strlen(kInfoExtension);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() <= info_length ||
        name.compare(name.size() - info_length, info_length, kInfoExtension) != 0) {
      continue;
    }
    const std::string info_path = folder + "/" + name;
    int fd = ::open(info_path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {  // a living editor's copy
      ::close(fd);
      continue;
    }
    const std::string base = info_path.substr(0, info_path.size() - info_length);
    // Both names can be there after a crash at the end of a copy: the newer one is the copy.
    struct stat other_stat;
    int current = 0;
    std::string copy_path = RecoveryCopy::CopyPathFor(base, 0);
    const std::string other_path = RecoveryCopy::CopyPathFor(base, 1);
    struct stat first_stat;
    const bool first = ::stat(copy_path.c_str(), &first_stat) == 0;
    if (::stat(other_path.c_str(), &other_stat) == 0) {
      if (!first || Newer(other_stat.st_mtim, first_stat.st_mtim)) {
        if (first) ::unlink(copy_path.c_str());
        copy_path = other_path;
        current = 1;
      } else {
        ::unlink(other_path.c_str());
      }
    }
    std::string text;
    std::string document;
    int declined = 0;
    struct stat info_stat;
    struct stat copy_stat;
    if (!ReadFd(fd, &text) || !ParseInfo(text, &document, &declined)) {
      // An editor that died while making it, or in the instant before its lock: litter once
      // it has not changed for a while.
      if (::fstat(fd, &info_stat) == 0 && std::time(nullptr) - info_stat.st_mtime > 60 &&
          ::stat(copy_path.c_str(), &copy_stat) != 0) {
        ::unlink(info_path.c_str());
      }
      ::close(fd);
      continue;
    }
    if (::stat(copy_path.c_str(), &copy_stat) != 0) {  // nothing was written before it went
      ::unlink(info_path.c_str());
      ::close(fd);
      continue;
    }
    struct stat document_stat;
    if (::stat(document.c_str(), &document_stat) == 0 &&
        !Newer(copy_stat.st_mtim, document_stat.st_mtim)) {
      // The document was saved after the copy was written: the copy has nothing to add.
      ::unlink(copy_path.c_str());
      ::unlink(info_path.c_str());
      ::close(fd);
      continue;
    }
    found.push_back(std::unique_ptr<RecoveryCopy>(
        new RecoveryCopy(fd, info_path, base, current, document, declined)));
    written.push_back(copy_stat.st_mtim);
  }
  ::closedir(dir);
  // Newest first.
  std::vector<size_t> order(found.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return Newer(written[a], written[b]); });
  std::vector<std::unique_ptr<RecoveryCopy>> sorted;
  for (size_t i : order) sorted.push_back(std::move(found[i]));
  return sorted;
}

}  // namespace pw
