// Fuzzes the template reader: any bytes give an error or a tree that writes back and reads again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/outline_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  pw::Outline outline;
  pw::ReadResult result =
      pw::ReadOutline(pw::MemorySource(bytes), pw::ReadTarget::kOtherTree, &outline);
  if (result.status) {
    // Whatever was read must survive a write and a second read unchanged.
    pw::WriteOptions options;
    options.variant = pw::OutlineVariant::kTemplate;
    std::string first = pw::SerializeOutline(outline, options);
    pw::Outline again;
    if (!pw::ReadOutline(pw::MemorySource(first), pw::ReadTarget::kOtherTree, &again).status) {
      __builtin_trap();
    }
    if (pw::SerializeOutline(again, options) != first) __builtin_trap();
  }
  return 0;
}
