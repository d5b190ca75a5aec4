// Fuzzes the node-stream reader (clipboard payloads from any program).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/core_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  pw::Outline outline;
  const bool read = pw::ReadNodeStream(bytes, &outline).status.ok;
  CheckNodeCount(outline, bytes);
  if (read) {
    pw::WriteOptions options;
    options.variant = pw::OutlineVariant::kNodeStream;
    std::string first = pw::SerializeOutline(outline, options);
    pw::Outline again;
    if (!pw::ReadNodeStream(first, &again).status) __builtin_trap();
    if (pw::SerializeOutline(again, options) != first) __builtin_trap();
  }
  return 0;
}
