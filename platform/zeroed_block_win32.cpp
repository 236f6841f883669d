#include "platform/zeroed_block.h"

#include <windows.h>

#include <cstdlib>

namespace bte::platform {
namespace {

// Large pages need a privilege that a host rarely holds; committed pages
// come zeroed, which is what the callers pay for.
constexpr size_t kMappedFrom = size_t{4} << 20;

}  // namespace

char* AllocateZeroedBlock(size_t size) {
  if (size < kMappedFrom) return static_cast<char*>(std::calloc(size == 0 ? 1 : size, 1));
  return static_cast<char*>(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}

void FreeZeroedBlock(char* block, size_t size) {
  if (block == nullptr) return;
  if (size < kMappedFrom)
    std::free(block);
  else
    VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace bte::platform
