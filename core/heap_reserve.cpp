// Huge-page backing for the heap range a large load is about to fill.
#include "core/heap_reserve.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace pw {

void PrepareHeapForLoad(size_t bytes) {
#if defined(__GLIBC__) && defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr size_t kHugePage = 2 << 20;
  constexpr size_t kMinimum = 16 << 20;
  constexpr size_t kDefaultThreshold = 128 << 10;
  if (bytes < kMinimum || bytes > (size_t{1} << 34)) return;
  // Take the block from the brk heap (not a separate mapping) and keep it there when it is
  // freed, so the small allocations of the load are carved from the advised range.
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(std::min<size_t>(bytes + kHugePage * 2, 1u << 30)));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<size_t>(bytes * 2, 1u << 30)));
  void* block = std::malloc(bytes);
  if (block != nullptr) {
    auto start = (reinterpret_cast<uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    auto end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kHugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    std::free(block);
  }
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kDefaultThreshold));
#else
  (void)bytes;
#endif
}

}  // namespace pw
