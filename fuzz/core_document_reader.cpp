// Fuzzes the document reader: any bytes give an error or a tree that writes back and reads again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/core_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckReaderRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size),
                       pw::ReadTarget::kMainTree, pw::OutlineVariant::kDocument);
  return 0;
}
