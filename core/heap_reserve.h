// Preparing the heap for a load of many megabytes in small pieces (the bodies of a large
// document). Touching fresh memory a 4 KB page at a time is what costs most in such a load.
#ifndef PLOTWEAVE_CORE_HEAP_RESERVE_H_
#define PLOTWEAVE_CORE_HEAP_RESERVE_H_

#include <cstddef>

namespace pw {

// Grows the heap by about `bytes` and asks the kernel to back that range with transparent
// huge pages, so the allocations that follow fault 2 MB at a time. A hint only: without glibc
// or without huge pages it does nothing.
void PrepareHeapForLoad(size_t bytes);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_HEAP_RESERVE_H_
