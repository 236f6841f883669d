// Where paragraphs keep their item spans: each paragraph's side by side,
// so that an item is one index away from its paragraph's first (a deque
// took a division and two loads per item, for every item added, settled
// and written). Only the paragraph made last grows; when its chunk is full
// its items move to a fresh chunk from the pool, so nothing may hold an
// item's address across adding an item.
#ifndef BTE_RTFFILTER_STRUCTURE_SPAN_STORE_H
#define BTE_RTFFILTER_STRUCTURE_SPAN_STORE_H

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/slab_pool.h"

namespace bte::rtf {

class SpanStore {
 public:
  explicit SpanStore(SlabPool& pool) : pool_(pool) {}

  // Where a new paragraph's items begin.
  ItemSpan* Start() const { return next_; }

  // Appends span to the count items at items, the paragraph made last;
  // items follows them when they move.
  void Push(ItemSpan*& items, uint32_t count, const ItemSpan& span) {
    if (next_ == end_) MoveToNewChunk(items, count);
    *next_++ = span;
  }

 private:
  static constexpr size_t kChunkSpans = 256;

  void MoveToNewChunk(ItemSpan*& items, uint32_t count) {
    const size_t spans = std::max(kChunkSpans, size_t{2} * count + 1);
    auto* chunk = static_cast<ItemSpan*>(pool_.Allocate(spans * sizeof(ItemSpan), alignof(ItemSpan)));
    if (count > 0) std::memcpy(static_cast<void*>(chunk), items, count * sizeof(ItemSpan));
    items = chunk;
    next_ = chunk + count;
    end_ = chunk + spans;
  }

  SlabPool& pool_;
  ItemSpan* next_ = nullptr;
  ItemSpan* end_ = nullptr;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_SPAN_STORE_H
