// Memory for a structure tree, taken in large blocks and given back all at
// once. The tree of a big document holds millions of small objects; taken
// from the heap they cost more in fresh-page faults than building the tree,
// while large blocks are mapped in large pages where the system offers them.
#ifndef BTE_RTFFILTER_STRUCTURE_SLAB_POOL_H
#define BTE_RTFFILTER_STRUCTURE_SLAB_POOL_H

#include <cstddef>
#include <deque>
#include <new>
#include <vector>

namespace bte::rtf {

class SlabPool {
 public:
  SlabPool() = default;
  SlabPool(const SlabPool&) = delete;
  SlabPool& operator=(const SlabPool&) = delete;
  ~SlabPool();

  // Never null: throws std::bad_alloc when the memory is not there.
  // alignment is a power of two.
  void* Allocate(size_t bytes, size_t alignment);
  // Takes everything given out back at once, keeping the blocks for what
  // comes next: fresh memory costs a page fault and a cleared page.
  void Rewind();
  // Bytes given out since the pool was made or last rewound.
  size_t given() const { return given_; }

 private:
  struct Block {
    char* start;
    size_t size;
  };

  // Moves on to the next kept block that holds atLeast, or a new one.
  void NextBlock(size_t atLeast);
  void AddBlock(size_t atLeast);

  std::vector<Block> blocks_;
  size_t current_ = 0;  // the block next_ lies in
  size_t given_ = 0;
  char* next_ = nullptr;
  char* end_ = nullptr;
};

// An allocator over a SlabPool for standard containers; freeing is left to
// the pool.
template <class T>
class SlabAllocator {
 public:
  using value_type = T;

  explicit SlabAllocator(SlabPool& pool) : pool_(&pool) {}
  template <class U>
  SlabAllocator(const SlabAllocator<U>& other) : pool_(other.pool()) {}

  T* allocate(size_t count) {
    return static_cast<T*>(pool_->Allocate(count * sizeof(T), alignof(T)));
  }
  void deallocate(T*, size_t) {}

  SlabPool* pool() const { return pool_; }
  template <class U>
  bool operator==(const SlabAllocator<U>& other) const { return pool_ == other.pool(); }
  template <class U>
  bool operator!=(const SlabAllocator<U>& other) const { return pool_ != other.pool(); }

 private:
  SlabPool* pool_;
};

// A sequence whose elements stay in place as it grows, in a pool.
template <class T>
using ArenaDeque = std::deque<T, SlabAllocator<T>>;

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_SLAB_POOL_H
