#include "platform/zeroed_block.h"

#include <cstdlib>

#include <sys/mman.h>

namespace bte::platform {
namespace {

constexpr size_t kLargePage = size_t{2} << 20;
constexpr size_t kMappedFrom = size_t{4} << 20;

size_t MappedSize(size_t size) { return (size + kLargePage - 1) / kLargePage * kLargePage; }

}  // namespace

char* AllocateZeroedBlock(size_t size) {
  if (size < kMappedFrom) return static_cast<char*>(std::calloc(size == 0 ? 1 : size, 1));
  void* block = ::mmap(nullptr, MappedSize(size), PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
  ::madvise(block, MappedSize(size), MADV_HUGEPAGE);  // a hint; refusal is harmless
#endif
  return static_cast<char*>(block);
}

void FreeZeroedBlock(char* block, size_t size) {
  if (block == nullptr) return;
  if (size < kMappedFrom)
    std::free(block);
  else
    ::munmap(block, MappedSize(size));
}

}  // namespace bte::platform
