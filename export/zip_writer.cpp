// ZIP writing: a local header before each entry's data, sizes and CRC known up front (the data
// is in memory), so no data descriptors are needed; the central directory repeats the headers.
#include "export/zip_writer.h"

#include <libdeflate.h>

#include <algorithm>

namespace pw {
namespace {

void Put16(std::string* out, uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

constexpr uint16_t kVersionNeeded = 20;  // deflate
constexpr char kTooLarge[] = "EPUBﾌｧｲﾙが大きすぎます (ZIP の上限 4 GB を超えます)";
constexpr uint16_t kUtf8NameFlag = 1 << 11;

// Days from 1970-01-01 to a civil date, and back (proleptic Gregorian calendar).
void CivilFromDays(int64_t days, int64_t* year, unsigned* month, unsigned* day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *day = doy - (153 * mp + 2) / 5 + 1;
  *month = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int64_t>(yoe) + era * 400 + (*month <= 2 ? 1 : 0);
}

}  // namespace

UtcTime UtcFromUnix(int64_t seconds) {
  int64_t days = seconds / 86400;
  int64_t in_day = seconds % 86400;
  if (in_day < 0) in_day += 86400, --days;
  UtcTime t;
  CivilFromDays(days, &t.year, &t.month, &t.day);
  t.hour = static_cast<unsigned>(in_day / 3600);
  t.minute = static_cast<unsigned>(in_day / 60 % 60);
  t.second = static_cast<unsigned>(in_day % 60);
  return t;
}

DosTime DosTimeFromUnix(int64_t seconds) {
  constexpr int64_t kFirst = 315532800;  // 1980-01-01 00:00:00 UTC
  constexpr int64_t kLast = 4354819198;  // 2107-12-31 23:59:58 UTC
  const UtcTime u = UtcFromUnix(std::clamp(seconds, kFirst, kLast));
  DosTime t;
  t.time = static_cast<uint16_t>((u.hour << 11) | (u.minute << 5) | (u.second / 2));
  t.date = static_cast<uint16_t>(((u.year - 1980) << 9) | (u.month << 5) | u.day);
  return t;
}

uint32_t Crc32(std::string_view data) { return libdeflate_crc32(0, data.data(), data.size()); }

// Raw deflate (no zlib header), as ZIP wants it, of one whole entry at a time; the one
// compressor serves every entry. Level 1: on book text the higher levels save a few per cent
// of the size for one and a half to two times the time.
struct ZipWriter::Deflater {
  libdeflate_compressor* compressor = nullptr;
  ~Deflater() {
    if (compressor != nullptr) libdeflate_free_compressor(compressor);
  }

  // The deflated data at the start of `out`, which only grows; its length, or 0 on failure.
  size_t Deflate(std::string_view data, std::string* out) {
    if (compressor == nullptr) compressor = libdeflate_alloc_compressor(1);
    if (compressor == nullptr) return 0;
    const size_t bound = libdeflate_deflate_compress_bound(compressor, data.size());
    if (out->size() < bound) out->resize(bound);
    return libdeflate_deflate_compress(compressor, data.data(), data.size(), out->data(), bound);
  }
};

ZipWriter::ZipWriter(std::function<void(std::string_view)> out, DosTime time)
    : out_(std::move(out)), time_(time), deflater_(std::make_unique<Deflater>()) {}

ZipWriter::~ZipWriter() = default;

void ZipWriter::Emit(std::string_view bytes) {
  out_(bytes);
  offset_ += bytes.size();
}

Status ZipWriter::Add(std::string_view name, std::string_view data, ZipMethod method) {
  if (failed_) return Status::Error(kTooLarge);
  if (entries_.size() >= kMaxEntries || name.size() > 0xFFFF || data.size() > kMaxOffset) {
    failed_ = true;
    return Status::Error(kTooLarge);
  }
  std::string_view payload = data;
  if (method == ZipMethod::kDeflated) {
    const size_t size = deflater_->Deflate(data, &scratch_);
    if (size == 0) {
      failed_ = true;
      return Status::Error("圧縮に失敗しました");
    }
    payload = std::string_view(scratch_).substr(0, size);
  }
  std::string header;
  header.reserve(30 + name.size());
  Put32(&header, 0x04034b50);
  Put16(&header, kVersionNeeded);
  Put16(&header, kUtf8NameFlag);
  Put16(&header, static_cast<uint16_t>(method));
  Put16(&header, time_.time);
  Put16(&header, time_.date);
  const Entry entry{std::string(name), method, Crc32(data), payload.size(), data.size(), offset_};
  // The central directory that follows must start within the classic offset field too.
  if (offset_ + 30 + name.size() + payload.size() > kMaxOffset) {
    failed_ = true;
    return Status::Error(kTooLarge);
  }
  Put32(&header, entry.crc);
  Put32(&header, static_cast<uint32_t>(entry.compressed_size));
  Put32(&header, static_cast<uint32_t>(entry.size));
  Put16(&header, static_cast<uint32_t>(name.size()));
  Put16(&header, 0);  // no extra field: the first entry of an EPUB must have none
  header += name;
  Emit(header);
  Emit(payload);
  entries_.push_back(entry);
  return Status::Ok();
}

Status ZipWriter::Finish() {
  if (failed_) return Status::Error(kTooLarge);
  std::string directory;
  for (const Entry& e : entries_) {
    Put32(&directory, 0x02014b50);
    Put16(&directory, (3 << 8) | kVersionNeeded);  // made by: Unix
    Put16(&directory, kVersionNeeded);
    Put16(&directory, kUtf8NameFlag);
    Put16(&directory, static_cast<uint16_t>(e.method));
    Put16(&directory, time_.time);
    Put16(&directory, time_.date);
    Put32(&directory, e.crc);
    Put32(&directory, static_cast<uint32_t>(e.compressed_size));
    Put32(&directory, static_cast<uint32_t>(e.size));
    Put16(&directory, static_cast<uint32_t>(e.name.size()));
    Put16(&directory, 0);               // extra field
    Put16(&directory, 0);               // comment
    Put16(&directory, 0);               // disk
    Put16(&directory, 0);               // internal attributes
    Put32(&directory, 0100644u << 16);  // external attributes: a regular file, rw-r--r--
    Put32(&directory, static_cast<uint32_t>(e.offset));
    directory += e.name;
  }
  if (offset_ + directory.size() > kMaxOffset) {
    failed_ = true;
    return Status::Error(kTooLarge);
  }
  const auto directory_offset = static_cast<uint32_t>(offset_);
  std::string end;
  Put32(&end, 0x06054b50);
  Put16(&end, 0);
  Put16(&end, 0);
  Put16(&end, static_cast<uint32_t>(entries_.size()));
  Put16(&end, static_cast<uint32_t>(entries_.size()));
  Put32(&end, static_cast<uint32_t>(directory.size()));
  Put32(&end, directory_offset);
  Put16(&end, 0);
  Emit(directory);
  Emit(end);
  failed_ = true;  // finished: nothing more may be added
  return Status::Ok();
}

}  // namespace pw
