// PalmDOC writing. A database is a 78-byte header, one 8-byte entry per record, two bytes of
// padding, then the records: record 0 is the 16-byte document header, the others hold the text
// in pieces of at most 4096 bytes, each compressed on its own (a decoder starts every record
// with an empty window). All numbers are big-endian.
//
// Compression: a byte 0x00 or 0x09-0x7F stands for itself; 0x01-0x08 is a count of bytes that
// follow unchanged; 0x80-0xBF and the next byte hold 11 bits of distance and 3 bits of length
// (3-10) of a copy from earlier in the record; 0xC0-0xFF is a space followed by the character
// (byte ^ 0x80). Matches are found through hash chains over 3-byte prefixes, never overlap
// the bytes they produce (some decoders copy with memcpy) and never reach into another record.
#include "platform/palm_doc.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>

#include "core/atomic_file.h"
#include "core/byte_io.h"
#include "core/cp932.h"

namespace pw {
namespace {

constexpr size_t kMaxDistance = 2047;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 10;
constexpr size_t kMaxLiteralRun = 8;
// Candidates tried per position: more finds little in prose and costs time.
constexpr int kMaxChain = 8;
constexpr int kHashBits = 12;

constexpr size_t kHeaderSize = 78;
constexpr size_t kEntrySize = 8;
constexpr size_t kDocHeaderSize = 16;
constexpr uint16_t kAttrBackup = 0x0008;
constexpr uint16_t kDocCompressed = 2;
constexpr uint16_t kDocPlain = 1;

bool NeedsEscape(unsigned char c) { return (c >= 0x01 && c <= 0x08) || c >= 0x80; }

void Put16(std::string* out, uint32_t v) {
  out->push_back(static_cast<char>(v >> 8 & 0xFF));
  out->push_back(static_cast<char>(v & 0xFF));
}

void Put32(std::string* out, uint32_t v) {
  Put16(out, v >> 16);
  Put16(out, v & 0xFFFF);
}

uint32_t Hash3(const unsigned char* p) {
  const uint32_t v = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
  return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

std::string PalmDbName(std::string_view title) {
  if (size_t nul = title.find('\0'); nul != std::string_view::npos) title = title.substr(0, nul);
  size_t end = 0;
  while (end < title.size()) {
    const size_t next = NextCharBoundary(title, end);
    if (next > kPalmDbNameLength) break;
    end = next;
  }
  return std::string(title.substr(0, end));
}

std::vector<size_t> PalmDocRecordEnds(std::string_view text) {
  std::vector<size_t> ends;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t limit = pos + kPalmDocRecordSize;
    if (limit >= text.size()) {
      ends.push_back(text.size());
      break;
    }
    // The last character boundary at or before the limit, found from the limit backwards
    // (the limit lies inside the text, so a lead byte always has a byte after it here). A byte
    // that is no lead byte ends the character it belongs to, whether it stands alone or trails;
    // after the last such byte every byte up to the limit is a lead byte, so characters of two
    // bytes follow it.
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    size_t start = limit;  // just after the last byte before the limit that is no lead byte
    while (start > pos && IsLeadByte(t[start - 1])) --start;
    const size_t end = start + (limit - start) / 2 * 2;
    ends.push_back(end);
    pos = end;
  }
  return ends;
}

std::string CompressPalmDocRecord(std::string_view text) {
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  auto char_end = [&](size_t p) { return IsLeadByte(t[p]) && p + 1 < n ? p + 2 : p + 1; };

  // Scratch kept from record to record. Chains link earlier positions with the same first
  // three bytes; entries are numbered on from one call to the next (`base` is this call's
  // position 0), so entries of earlier records are told apart without clearing the table,
  // and a position's link is written before it can be read.
  thread_local std::vector<unsigned char> scratch;
  thread_local std::vector<uint64_t> prev;
  thread_local std::array<uint64_t, size_t{1} << kHashBits> head{};
  thread_local uint64_t next_base = 1;
  const uint64_t base = next_base;
  next_base += n + 1;
  // At worst (an escaped byte, a plain one, and so on) two bytes of text take three.
  if (scratch.size() < n + n / 2 + 8) scratch.resize(n + n / 2 + 8);
  if (prev.size() < n) prev.resize(n);
  unsigned char* o = scratch.data();
  size_t w = 0;

  // Only character starts go into the chains: that halves the work on Japanese text and
  // loses next to nothing.
  const size_t hashable = n >= kMinMatch ? n - kMinMatch + 1 : 0;
  size_t boundary = 0;  // the first character start not yet in the chains
  auto hash_up_to = [&](size_t end) {
    for (; boundary < end; boundary = char_end(boundary)) {
      if (boundary >= hashable) continue;
      const uint32_t h = Hash3(t + boundary);
      prev[boundary] = head[h];
      head[h] = base + boundary;
    }
  };

  size_t i = 0;
  while (i < n) {
    hash_up_to(i);  // now `boundary` is i, or i + 1 when i is a trail byte
    size_t best_length = 0;
    size_t best_distance = 0;
    if (i < hashable) {
      int steps = 0;
      for (uint64_t entry = head[Hash3(t + i)]; entry >= base && steps < kMaxChain;
           entry = prev[entry - base]) {
        const size_t from = static_cast<size_t>(entry - base);
        const size_t distance = i - from;
        if (distance > kMaxDistance) break;
        // The closest few cannot give a full-length copy (copies never overlap what they make),
        // so they do not count against the chain's budget: runs of one character still pack.
        if (distance >= kMaxMatch) ++steps;
        const size_t max_length = std::min({kMaxMatch, n - i, distance});
        // Only a longer match is of use: look at the byte that would make it longer first.
        if (max_length <= best_length || t[from + best_length] != t[i + best_length]) continue;
        size_t length = 0;
        while (length < max_length && t[from + length] == t[i + length]) ++length;
        if (length > best_length) {
          best_length = length;
          best_distance = distance;
          if (length == kMaxMatch) break;
        }
      }
    }
    if (best_length >= kMinMatch) {
      const uint32_t code = static_cast<uint32_t>(best_distance << 3 | (best_length - kMinMatch));
      o[w++] = static_cast<unsigned char>(0x80 | code >> 8);
      o[w++] = static_cast<unsigned char>(code & 0xFF);
      i += best_length;
      continue;
    }
    const unsigned char c = t[i];
    if (c == ' ' && i + 1 < n && t[i + 1] >= 0x40 && t[i + 1] <= 0x7F) {
      o[w++] = static_cast<unsigned char>(t[i + 1] ^ 0x80);
      i += 2;
      continue;
    }
    if (!NeedsEscape(c)) {
      o[w++] = c;
      ++i;
      continue;
    }
    // A literal run of bytes that need escaping, taking whole double-byte characters (a trail
    // byte costs nothing here and would cost a count byte later) as far as a run goes.
    const size_t limit = std::min(n, i + kMaxLiteralRun);
    size_t end = std::min(limit, boundary == i ? char_end(i) : i + 1);
    while (end < limit && NeedsEscape(t[end])) end = std::min(limit, char_end(end));
    o[w++] = static_cast<unsigned char>(end - i);
    std::memcpy(o + w, t + i, end - i);
    w += end - i;
    i = end;
  }
  return std::string(reinterpret_cast<const char*>(o), w);
}

std::string DecompressPalmDocRecord(std::string_view record) {
  const auto* r = reinterpret_cast<const unsigned char*>(record.data());
  const size_t n = record.size();
  std::string out;
  for (size_t i = 0; i < n;) {
    const unsigned char c = r[i++];
    if (c == 0 || (c >= 0x09 && c <= 0x7F)) {
      out.push_back(static_cast<char>(c));
    } else if (c <= 0x08) {
      const size_t count = std::min<size_t>(c, n - i);
      out.append(record.substr(i, count));
      i += count;
    } else if (c <= 0xBF) {
      if (i >= n) break;
      const uint32_t code = (static_cast<uint32_t>(c) << 8 | r[i++]) & 0x3FFF;
      const size_t distance = code >> 3;
      const size_t length = (code & 7) + kMinMatch;
      if (distance == 0 || distance > out.size()) break;
      for (size_t k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
    } else {
      out.push_back(' ');
      out.push_back(static_cast<char>(c ^ 0x80));
    }
  }
  return out;
}

Status BuildPalmDoc(std::string_view text, std::string_view title, const PalmDocOptions& options,
                    std::string* database) {
  constexpr char kTooLarge[] = "テキストが大きすぎて PalmDOC データベースに収まりません";
  if (text.size() > kPalmDocMaxTextRecords * kPalmDocRecordSize) return Status::Error(kTooLarge);
  const std::vector<size_t> ends = PalmDocRecordEnds(text);
  if (ends.size() > kPalmDocMaxTextRecords) return Status::Error(kTooLarge);
  // Record 0 is the document header, then the text records. Their offsets are known only once
  // they are compressed: the header and the record list go first as room, filled in at the end,
  // and every record is compressed straight after the one before.
  const size_t record_count = ends.size() + 1;
  const size_t list_end = kHeaderSize + kEntrySize * record_count + 2;
  std::string out(list_end, '\0');
  out.reserve(list_end + kDocHeaderSize + text.size() / 2 + 64);
  std::vector<size_t> offsets;
  offsets.reserve(record_count);
  offsets.push_back(out.size());
  Put16(&out, options.compress ? kDocCompressed : kDocPlain);
  Put16(&out, 0);
  Put32(&out, static_cast<uint32_t>(text.size()));
  Put16(&out, static_cast<uint32_t>(ends.size()));
  Put16(&out, kPalmDocRecordSize);
  Put32(&out, 0);  // reading position
  size_t start = 0;
  for (size_t end : ends) {
    std::string_view piece = text.substr(start, end - start);
    offsets.push_back(out.size());
    if (options.compress) {
      out += CompressPalmDocRecord(piece);
    } else {
      out += piece;
    }
    start = end;
  }

  std::string head;
  head.reserve(list_end);
  std::string name = PalmDbName(title);
  name.resize(kPalmDbNameLength + 1, '\0');
  head += name;
  Put16(&head, options.backup ? kAttrBackup : 0);
  Put16(&head, 0);  // version
  Put32(&head, options.palm_time);
  Put32(&head, options.palm_time);
  Put32(&head, 0);  // last backup: never
  Put32(&head, 0);  // modification number
  Put32(&head, 0);  // application info
  Put32(&head, 0);  // sort info
  head += "TEXt";
  head += "REAd";
  Put32(&head, static_cast<uint32_t>(record_count));  // unique ID seed
  Put32(&head, 0);                                     // next record list
  Put16(&head, static_cast<uint32_t>(record_count));
  for (size_t k = 0; k < record_count; ++k) {
    Put32(&head, static_cast<uint32_t>(offsets[k]));
    // Attributes 0, then a 24-bit unique ID.
    Put32(&head, static_cast<uint32_t>(k + 1) & 0xFFFFFF);
  }
  Put16(&head, 0);
  out.replace(0, head.size(), head);
  *database = std::move(out);
  return Status::Ok();
}

Status Txt2Prc(const char* source_path, const char* database_path, const char* title, int compress,
               int backup) {
  std::string text;
  std::string error;
  if (!ReadWholeFile(source_path, &text, &error)) return Status::Error(error);
  PalmDocOptions options;
  options.compress = compress != 0;
  options.backup = backup != 0;
  // The Palm clock counts from 1904 in 32 bits; it wraps in 2040 as the devices' does.
  options.palm_time =
      static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)) + kPalmEpochOffset);
  std::string database;
  if (Status built = BuildPalmDoc(text, title == nullptr ? "" : title, options, &database);
      !built) {
    return built;
  }
  return WriteFileAtomically(database_path, database);
}

}  // namespace pw
