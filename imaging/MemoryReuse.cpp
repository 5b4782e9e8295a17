#include "imaging/MemoryReuse.h"

#include <cstdlib>  // defines __GLIBC__ with the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace imaging {

void reuseFreedPictureMemory() {
#if defined(__GLIBC__)
    // Blocks up to the largest size the allocator takes from its heap come from the heap, where
    // freed ones are reused; a full-HD frame is 6 MiB.
    constexpr int kLargestHeapBlock = 32 * 1024 * 1024;
    constexpr int kKeptFreeMemory = 128 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
#endif
}

}  // namespace imaging
