// A standard allocator over zeroed blocks, for containers that grow with the
// document: their large blocks come in large pages where the system offers
// them, so that filling tens of megabytes does not cost a page fault for
// every few kilobytes.
#ifndef BTE_PLATFORM_LARGE_BLOCK_ALLOCATOR_H
#define BTE_PLATFORM_LARGE_BLOCK_ALLOCATOR_H

#include <cstddef>
#include <new>

#include "platform/zeroed_block.h"

namespace bte::platform {

template <class T>
class LargeBlockAllocator {
 public:
  using value_type = T;

  LargeBlockAllocator() = default;
  template <class U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

  T* allocate(size_t count) {
    if (count > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    char* block = AllocateZeroedBlock(count * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return reinterpret_cast<T*>(block);
  }
  void deallocate(T* pointer, size_t count) {
    FreeZeroedBlock(reinterpret_cast<char*>(pointer), count * sizeof(T));
  }

  template <class U>
  bool operator==(const LargeBlockAllocator<U>&) const { return true; }
  template <class U>
  bool operator!=(const LargeBlockAllocator<U>&) const { return false; }
};

}  // namespace bte::platform

#endif  // BTE_PLATFORM_LARGE_BLOCK_ALLOCATOR_H
