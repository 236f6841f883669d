#include "platform/allocator_tuning.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace bte::platform {

// By default the allocator gives back whatever lies free at the top of the
// heap beyond 128 KB: a build then gives back and takes again a few hundred
// kilobytes per file, each page faulted in anew (a sixth of a one-job build
// on a virtual machine). Up to 64 MB now stay, and blocks up to 32 MB (the
// most the allocator would adapt to by itself) come from the heap. The heap
// grows 4 MB at a time rather than 128 KB: a worker thread's heap grows by
// changing the protection of its reserved pages, and each such change holds
// the page faults of the other threads back (address space only: a page is
// still taken when first written).
void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TOP_PAD, 4 << 20);
#endif
}

}  // namespace bte::platform
