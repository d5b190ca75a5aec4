// Font-style table operations and the ".FSF" record layout: colour and size as 32-bit
// little-endian integers, the face name as a 32-byte counted string, one byte of style bits,
// the style name as a 256-byte counted string and three bytes of padding.
#include "styling/font_style.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "core/atomic_file.h"
#include "core/byte_io.h"
#include "core/cp932.h"

namespace pw::styling {
namespace {

constexpr size_t kColorOffset = 0;
constexpr size_t kSizeOffset = 4;
constexpr size_t kFaceOffset = 8;
constexpr size_t kFaceField = 32;
constexpr size_t kStyleOffset = kFaceOffset + kFaceField;  // 40
constexpr size_t kNameOffset = kStyleOffset + 1;           // 41
constexpr size_t kNameField = 256;
static_assert(kNameOffset + kNameField + 3 == kFontStyleRecordSize);

constexpr char kReadFailed[] = "ﾌｧｲﾙの読み込みに失敗しました";
constexpr char kSaveFailed[] = "保存に失敗しました";

void PutCounted(std::string* record, size_t offset, size_t field, std::string_view text) {
  const size_t length = std::min(text.size(), field - 1);
  (*record)[offset] = static_cast<char>(length);
  record->replace(offset + 1, length, text.substr(0, length));
}

// A counted string as stored; a NUL ends it early, and a lead byte left alone at the end by a
// cut made elsewhere is dropped.
std::string GetCounted(std::string_view record, size_t offset, size_t field) {
  const size_t length = std::min<size_t>(static_cast<unsigned char>(record[offset]), field - 1);
  std::string_view text = record.substr(offset + 1, length);
  text = text.substr(0, text.find('\0'));
  return CutToBytes(text, text.size());
}

FontStyle Trimmed(FontStyle style) {
  style.face = CutToBytes(style.face, kMaxFaceNameBytes);
  style.name = CutToBytes(style.name, kMaxStyleNameBytes);
  return style;
}

}  // namespace

std::string CutToBytes(std::string_view text, size_t max_bytes) {
  size_t end = 0;
  while (end < text.size()) {
    const size_t next = NextCharBoundary(text, end);
    // A lead byte at the very end has no trail byte: it is half a character.
    if (next > max_bytes || (next == text.size() && next - end == 1 && IsLeadByte(text[end]))) {
      break;
    }
    end = next;
  }
  return std::string(text.substr(0, end));
}

bool FontStyleTable::Add(FontStyle style) {
  if (full()) return false;
  styles_.push_back(Trimmed(std::move(style)));
  return true;
}

void FontStyleTable::Set(size_t i, FontStyle style) { styles_.at(i) = Trimmed(std::move(style)); }

void FontStyleTable::Rename(size_t i, std::string_view name) {
  styles_.at(i).name = CutToBytes(name, kMaxStyleNameBytes);
}

void FontStyleTable::Remove(size_t i) {
  if (i < styles_.size()) styles_.erase(styles_.begin() + static_cast<ptrdiff_t>(i));
}

void FontStyleTable::Swap(size_t i, size_t j) { std::swap(styles_.at(i), styles_.at(j)); }

StyleDeletion DeleteStyle(FontStyleTable* table, int selected) {
  StyleDeletion result;
  if (table->empty()) return result;
  const int count = static_cast<int>(table->size());
  result.removed = (selected < 0 || selected >= count) ? count - 1 : selected;
  table->Remove(static_cast<size_t>(result.removed));
  if (!table->empty()) result.select_after = std::max(result.removed - 1, 0);
  return result;
}

rich::CharFormat CharFormatFromStyle(const FontStyle& style) {
  rich::CharFormat format;
  format.face = Cp932ToUtf8(style.face).text;
  format.charset = rich::kShiftJisCharset;
  format.size = std::clamp(style.size, 1, kMaxFontSize);
  format.color = static_cast<uint32_t>(style.color);
  format.bold = (style.style & kStyleBold) != 0;
  format.italic = (style.style & kStyleItalic) != 0;
  format.underline = (style.style & kStyleUnderline) != 0;
  format.strike_out = (style.style & kStyleStrikeOut) != 0;
  return format;
}

FontStyle StyleFromCharFormat(const rich::CharFormat& format, std::string_view name) {
  FontStyle style;
  style.color = static_cast<int32_t>(format.color);
  const double size = std::isfinite(format.size) ? std::round(format.size) : 9.0;
  style.size = static_cast<int32_t>(std::clamp(size, 1.0, double{kMaxFontSize}));
  style.face = CutToBytes(Utf8ToCp932(format.face).text, kMaxFaceNameBytes);
  style.style = static_cast<uint8_t>((format.bold ? kStyleBold : 0) |
                                     (format.italic ? kStyleItalic : 0) |
                                     (format.underline ? kStyleUnderline : 0) |
                                     (format.strike_out ? kStyleStrikeOut : 0));
  style.name = CutToBytes(name, kMaxStyleNameBytes);
  return style;
}

std::string EncodeFontStyle(const FontStyle& style) {
  std::string record;
  AppendInt32(&record, style.color);
  AppendInt32(&record, style.size);
  record.resize(kFontStyleRecordSize, '\0');
  PutCounted(&record, kFaceOffset, kFaceField, CutToBytes(style.face, kMaxFaceNameBytes));
  record[kStyleOffset] = static_cast<char>(style.style);
  PutCounted(&record, kNameOffset, kNameField, CutToBytes(style.name, kMaxStyleNameBytes));
  return record;
}

FontStyle DecodeFontStyle(std::string_view record) {
  FontStyle style;
  style.color = LoadInt32(record.data() + kColorOffset);
  style.size = LoadInt32(record.data() + kSizeOffset);
  style.face = GetCounted(record, kFaceOffset, kFaceField);
  style.style = static_cast<uint8_t>(record[kStyleOffset]);
  style.name = GetCounted(record, kNameOffset, kNameField);
  return style;
}

std::string EncodeFontStyleFile(const FontStyleTable& table) {
  std::string bytes;
  bytes.reserve(table.size() * kFontStyleRecordSize);
  for (const FontStyle& style : table.styles()) bytes += EncodeFontStyle(style);
  return bytes;
}

Status DecodeFontStyleFile(std::string_view bytes, FontStyleTable* table) {
  if (bytes.size() % kFontStyleRecordSize != 0) return Status::Error(kReadFailed);
  FontStyleTable read;
  for (size_t at = 0; at < bytes.size() && !read.full(); at += kFontStyleRecordSize) {
    read.Add(DecodeFontStyle(bytes.substr(at, kFontStyleRecordSize)));
  }
  *table = std::move(read);
  return Status::Ok();
}

Status ReadFontStyleFile(const std::string& path, FontStyleTable* table) {
  std::string error;
  std::unique_ptr<FileSource> source = FileSource::Open(path, &error);
  if (!source) return Status::Error(kReadFailed);
  const uint64_t size = source->size();
  if (size % kFontStyleRecordSize != 0) return Status::Error(kReadFailed);
  // Only the records the table has room for are read, so a huge file costs nothing.
  const size_t wanted = static_cast<size_t>(
      std::min<uint64_t>(size, uint64_t{kMaxFontStyles} * kFontStyleRecordSize));
  std::string bytes;
  if (wanted > 0 && !source->ReadAt(0, wanted, &bytes)) return Status::Error(kReadFailed);
  return DecodeFontStyleFile(bytes, table);
}

Status WriteFontStyleFile(const std::string& path, const FontStyleTable& table) {
  if (!WriteFileAtomically(path, EncodeFontStyleFile(table))) return Status::Error(kSaveFailed);
  return Status::Ok();
}

}  // namespace pw::styling
