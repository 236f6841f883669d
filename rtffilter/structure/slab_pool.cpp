#include "rtffilter/structure/slab_pool.h"

#include <algorithm>
#include <cstdint>

#include "platform/zeroed_block.h"

namespace bte::rtf {
namespace {

// A small document takes one small block; past it, blocks are large enough
// for large pages and grow with the tree.
constexpr size_t kFirstBlock = size_t{64} << 10;
constexpr size_t kSecondBlock = size_t{4} << 20;
constexpr size_t kLargestBlock = size_t{64} << 20;

}  // namespace

SlabPool::~SlabPool() {
  for (const Block& block : blocks_) platform::FreeZeroedBlock(block.start, block.size);
}

void SlabPool::AddBlock(size_t atLeast) {
  size_t size = blocks_.empty()       ? kFirstBlock
                : blocks_.size() == 1 ? kSecondBlock
                                      : std::min(blocks_.back().size * 2, kLargestBlock);
  size = std::max(size, atLeast);
  char* start = platform::AllocateZeroedBlock(size);
  if (start == nullptr) throw std::bad_alloc();
  blocks_.push_back({start, size});
  next_ = start;
  end_ = start + size;
}

void* SlabPool::Allocate(size_t bytes, size_t alignment) {
  auto aligned = [&] {
    const uintptr_t at = reinterpret_cast<uintptr_t>(next_);
    return reinterpret_cast<char*>((at + alignment - 1) / alignment * alignment);
  };
  if (next_ == nullptr || static_cast<size_t>(end_ - aligned()) < bytes)
    AddBlock(bytes + alignment);
  char* at = aligned();
  next_ = at + bytes;
  return at;
}

}  // namespace bte::rtf
