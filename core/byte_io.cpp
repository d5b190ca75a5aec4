// Memory and file byte sources.
#include "core/byte_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pw {

bool MemorySource::ReadAt(uint64_t offset, size_t count, std::string* out) const {
  if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
  out->assign(bytes_.data() + offset, count);
  return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, std::string* error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = std::strerror(errno);
    return nullptr;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    *error = std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    *error = std::strerror(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<FileSource>(new FileSource(fd, static_cast<uint64_t>(st.st_size)));
}

FileSource::~FileSource() { ::close(fd_); }

bool FileSource::ReadAt(uint64_t offset, size_t count, std::string* out) const {
  if (offset > size_ || count > size_ - offset) return false;
  out->resize(count);
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::pread(fd_, out->data() + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string* out, std::string* error) {
  auto source = FileSource::Open(path, error);
  if (!source) return false;
  if (source->size() > SIZE_MAX / 2 || !source->ReadAt(0, source->size(), out)) {
    *error = std::strerror(EIO);
    return false;
  }
  return true;
}

}  // namespace pw
