// Where a section's paragraphs, rows, cells and item spans live. Deques keep
// every element in place while more are added (the span store keeps each
// paragraph's items together instead); their memory comes from the
// document's block pool, taken back all at once when the section has
// written them.
#ifndef BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
#define BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H

#include <new>
#include <utility>
#include <vector>

#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/rtf_block.h"
#include "rtffilter/structure/rtf_list_levels.h"
#include "rtffilter/structure/slab_pool.h"
#include "rtffilter/structure/span_store.h"

namespace bte::rtf {

struct StructureArena {
  explicit StructureArena(SlabPool& pool) : pool(pool) {}

  SlabPool& pool;  // the document's; it outlives every section
  SpanStore spans{pool};
  ArenaDeque<RtfParagraph> paragraphs{SlabAllocator<RtfParagraph>(pool)};
  ArenaDeque<RtfRow> rows{SlabAllocator<RtfRow>(pool)};
  ArenaDeque<RtfCell> cells{SlabAllocator<RtfCell>(pool)};
  ArenaDeque<TextReplacement> replacements{SlabAllocator<TextReplacement>(pool)};

  RtfParagraph* NewParagraph() { return &paragraphs.emplace_back(*this); }
  RtfRow* NewRow(int32_t level) { return &rows.emplace_back(level, *this); }
  RtfCell* NewCell() { return &cells.emplace_back(); }
};

// A paragraph's items are added and read for every token of a document:
// inline, where the arena is known.
inline ItemSpan& RtfParagraph::Item(size_t index) const { return items_[index]; }

inline ItemSpan* RtfParagraph::ItemAt(int32_t index) {
  if (index < 0 || static_cast<uint32_t>(index) >= count_) return nullptr;
  return &Item(index);
}

inline int RtfParagraph::AddItem(const RtfItem& item) {
  const ItemSpan span = ItemSpan::Of(item);
  if (count_ > 0 && !item.hasOwnedText) {
    ItemSpan& last = Item(count_ - 1);
    if (last.end() == span.text && last.kind == span.kind && last.excluded == span.excluded &&
        !last.replaced) {
      last.length += span.length;
      return 1;
    }
  }
  arena_->spans.Push(items_, count_, span);
  ++count_;
  if (item.hasOwnedText) KeepCallerReplacement(item);
  return 1;
}

// Where a section's list levels, entries and text references live: they
// outlive the paragraphs they were made for, which a section writes and
// frees as it goes.
struct ListArena {
  explicit ListArena(SlabPool& pool) : pool(pool) {}

  template <class... Args>
  RtfListLevel* NewLevel(Args&&... args) {
    return Make(levels, spare.levels, std::forward<Args>(args)...);
  }
  template <class... Args>
  RtfListEntry* NewEntry(Args&&... args) {
    return Make(entries, spare.entries, std::forward<Args>(args)...);
  }
  template <class... Args>
  RtfListTextRef* NewTextRef(Args&&... args) {
    return Make(textRefs, spare.textRefs, std::forward<Args>(args)...);
  }

  SlabPool& pool;
  ArenaDeque<RtfListLevel> levels{SlabAllocator<RtfListLevel>(pool)};
  ArenaDeque<RtfListEntry> entries{SlabAllocator<RtfListEntry>(pool)};
  ArenaDeque<RtfListTextRef> textRefs{SlabAllocator<RtfListTextRef>(pool)};
  SpareListObjects spare;  // released objects; they stay alive in the deques

 private:
  // A released object is made anew in its place; the deque destroys every
  // object it holds once, at the end.
  template <class T, class... Args>
  static T* Make(ArenaDeque<T>& all, std::vector<T*>& released, Args&&... args) {
    if (released.empty()) return &all.emplace_back(std::forward<Args>(args)...);
    T* reused = released.back();
    released.pop_back();
    reused->~T();
    return new (reused) T(std::forward<Args>(args)...);
  }
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
