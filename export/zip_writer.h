// A small ZIP archive writer for the EPUB export: entries stored or deflated in the order they
// are added, then the central directory. No ZIP64: an archive that would need it is refused.
#ifndef PLOTWEAVE_EXPORT_ZIP_WRITER_H_
#define PLOTWEAVE_EXPORT_ZIP_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace pw {

enum class ZipMethod : uint16_t { kStored = 0, kDeflated = 8 };

// A moment in UTC on the proleptic Gregorian calendar.
struct UtcTime {
  int64_t year;
  unsigned month, day, hour, minute, second;
};
UtcTime UtcFromUnix(int64_t seconds);

// A date and time as a ZIP entry carries it (MS-DOS form, two-second steps, 1980-2107).
struct DosTime {
  uint16_t time = 0;
  uint16_t date = (1 << 5) | 1;  // 1980-01-01 00:00:00
};
// Seconds since 1970-01-01 UTC, clamped to what the form can hold.
DosTime DosTimeFromUnix(int64_t seconds);

class ZipWriter {
 public:
  // Without ZIP64 an entry count, a size and an offset must each fit the classic fields.
  static constexpr size_t kMaxEntries = 0xFFFF;
  static constexpr uint64_t kMaxOffset = 0xFFFFFFFFu;

  // Every byte of the archive goes to `out`, in order.
  ZipWriter(std::function<void(std::string_view)> out, DosTime time);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Adds one file. Names are UTF-8 with "/" between folders. Fails (and the archive is then
  // unusable) when the archive would outgrow the classic limits or compression fails.
  Status Add(std::string_view name, std::string_view data, ZipMethod method);
  // Writes the central directory; nothing may be added afterwards.
  Status Finish();

  uint64_t bytes_written() const { return offset_; }

 private:
  struct Entry {
    std::string name;
    ZipMethod method;
    uint32_t crc;
    uint64_t compressed_size;
    uint64_t size;
    uint64_t offset;
  };
  struct Deflater;
  void Emit(std::string_view bytes);

  std::function<void(std::string_view)> out_;
  DosTime time_;
  std::vector<Entry> entries_;
  uint64_t offset_ = 0;
  std::unique_ptr<Deflater> deflater_;
  std::string scratch_;  // the deflated data of the entry being added, at its start
  bool failed_ = false;
};

// The CRC-32 of ZIP.
uint32_t Crc32(std::string_view data);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_ZIP_WRITER_H_
