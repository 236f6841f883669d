#include "rtffilter/structure/slab_pool.h"

#include <algorithm>
#include <cstdint>

#include "platform/zeroed_block.h"

namespace bte::rtf {
namespace {

// A small document takes a few small blocks from the heap, four times
// larger each; past kLargeBlock, blocks are large enough for large pages
// and grow with the tree. Mapping (and later unmapping) a large block for a
// document of a few hundred kilobytes would cost more than filtering it:
// fresh large pages are zeroed whole, and unmapping in a process with
// several threads stops the others' page faults and flushes their
// processors' page tables.
constexpr size_t kFirstBlock = size_t{64} << 10;
constexpr size_t kLargeBlock = size_t{4} << 20;
constexpr size_t kLargestBlock = size_t{64} << 20;

}  // namespace

SlabPool::~SlabPool() {
  for (const Block& block : blocks_) platform::FreeZeroedBlock(block.start, block.size);
}

void SlabPool::AddBlock(size_t atLeast) {
  size_t size = blocks_.empty()                     ? kFirstBlock
                : blocks_.back().size < kLargeBlock ? blocks_.back().size * 4
                                                    : std::min(blocks_.back().size * 2, kLargestBlock);
  size = std::max(size, atLeast);
  char* start = platform::AllocateZeroedBlock(size);
  if (start == nullptr) throw std::bad_alloc();
  blocks_.push_back({start, size});
  current_ = blocks_.size() - 1;
  next_ = start;
  end_ = start + size;
}

void SlabPool::NextBlock(size_t atLeast) {
  while (current_ + 1 < blocks_.size()) {
    const Block& block = blocks_[++current_];
    if (block.size < atLeast) continue;
    next_ = block.start;
    end_ = block.start + block.size;
    return;
  }
  AddBlock(atLeast);
}

void SlabPool::Rewind() {
  given_ = 0;
  if (blocks_.empty()) return;
  current_ = 0;
  next_ = blocks_[0].start;
  end_ = next_ + blocks_[0].size;
}

void* SlabPool::Allocate(size_t bytes, size_t alignment) {
  // Alignments are powers of two: a mask, not a division.
  auto aligned = [&] {
    const uintptr_t at = reinterpret_cast<uintptr_t>(next_);
    return reinterpret_cast<char*>((at + alignment - 1) & ~(uintptr_t{alignment} - 1));
  };
  char* at = aligned();
  // The padding alone may pass the block's end.
  if (next_ == nullptr || at > end_ || static_cast<size_t>(end_ - at) < bytes) {
    NextBlock(bytes + alignment);
    at = aligned();
  }
  next_ = at + bytes;
  given_ += bytes;
  return at;
}

}  // namespace bte::rtf
