// Bounded little-endian reading from memory or from a file, and appending to a byte string.
// Readers check every size against what is left before they allocate or read.
#ifndef PLOTWEAVE_CORE_BYTE_IO_H_
#define PLOTWEAVE_CORE_BYTE_IO_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pw {

// Random access to the bytes of a file or a memory block.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t size() const = 0;
  // Reads exactly `count` bytes at `offset` into `out` (resized); false if they are not all
  // there or the read fails.
  virtual bool ReadAt(uint64_t offset, size_t count, std::string* out) const = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  uint64_t size() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, size_t count, std::string* out) const override;

 private:
  std::string_view bytes_;
};

// A file opened for reading; `error` tells why opening failed (the system's text).
class FileSource : public ByteSource {
 public:
  static std::unique_ptr<FileSource> Open(const std::string& path, std::string* error);
  ~FileSource() override;
  uint64_t size() const override { return size_; }
  bool ReadAt(uint64_t offset, size_t count, std::string* out) const override;

 private:
  FileSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
  int fd_;
  uint64_t size_;
};

inline int32_t LoadInt32(const char* p) {
  auto b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                              static_cast<uint32_t>(b[2]) << 16 |
                              static_cast<uint32_t>(b[3]) << 24);
}

inline void AppendInt32(std::string* out, int32_t value) {
  auto v = static_cast<uint32_t>(value);
  char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF),
                   static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 24 & 0xFF)};
  out->append(bytes, 4);
}

// Reads a whole file; false with the system's error text on failure.
bool ReadWholeFile(const std::string& path, std::string* out, std::string* error);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_BYTE_IO_H_
