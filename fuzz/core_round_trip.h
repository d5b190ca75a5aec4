// Shared by the outline reader fuzzers: whatever a reader accepts must write back and read
// again to the same bytes, and no input, accepted or not, makes more nodes than its records
// could describe (one more for the new document an empty main tree becomes).
#ifndef PLOTWEAVE_FUZZ_CORE_ROUND_TRIP_H_
#define PLOTWEAVE_FUZZ_CORE_ROUND_TRIP_H_

#include <string>
#include <string_view>

#include "core/outline_file.h"

inline void CheckNodeCount(const pw::Outline& outline, std::string_view bytes) {
  if (outline.size() > bytes.size() / pw::kOldRecordSize + 1) __builtin_trap();
}

inline void CheckReaderRoundTrip(std::string_view bytes, pw::ReadTarget target,
                                 pw::OutlineVariant variant) {
  pw::Outline outline;
  const bool read = pw::ReadOutline(pw::MemorySource(bytes), target, &outline).status.ok;
  CheckNodeCount(outline, bytes);
  if (!read) return;
  pw::WriteOptions options;
  options.variant = variant;
  const std::string first = pw::SerializeOutline(outline, options);
  pw::Outline again;
  if (!pw::ReadOutline(pw::MemorySource(first), target, &again).status) __builtin_trap();
  if (pw::SerializeOutline(again, options) != first) __builtin_trap();
}

#endif  // PLOTWEAVE_FUZZ_CORE_ROUND_TRIP_H_
