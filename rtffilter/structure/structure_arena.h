// Where a section's paragraphs, rows, cells and item spans live. Deques keep
// every element in place while more are added; their memory comes from the
// document's slab pool, freed together with no walk over the structure.
#ifndef BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
#define BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H

#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/rtf_block.h"
#include "rtffilter/structure/rtf_list_levels.h"
#include "rtffilter/structure/slab_pool.h"

namespace bte::rtf {

struct StructureArena {
  explicit StructureArena(SlabPool& pool) : pool(pool) {}

  SlabPool& pool;  // the document's; it outlives every section
  ArenaDeque<ItemSpan> spans{SlabAllocator<ItemSpan>(pool)};
  ArenaDeque<RtfParagraph> paragraphs{SlabAllocator<RtfParagraph>(pool)};
  ArenaDeque<RtfRow> rows{SlabAllocator<RtfRow>(pool)};
  ArenaDeque<RtfCell> cells{SlabAllocator<RtfCell>(pool)};
  ArenaDeque<TextReplacement> replacements{SlabAllocator<TextReplacement>(pool)};

  RtfParagraph* NewParagraph() { return &paragraphs.emplace_back(*this); }
  RtfRow* NewRow(int32_t level) { return &rows.emplace_back(level, *this); }
  RtfCell* NewCell() { return &cells.emplace_back(); }
};

// Where a section's list levels, entries and text references live: they
// outlive the paragraphs they were made for, which a section writes and
// frees as it goes.
struct ListArena {
  explicit ListArena(SlabPool& pool) : pool(pool) {}

  SlabPool& pool;
  ArenaDeque<RtfListLevel> levels{SlabAllocator<RtfListLevel>(pool)};
  ArenaDeque<RtfListEntry> entries{SlabAllocator<RtfListEntry>(pool)};
  ArenaDeque<RtfListTextRef> textRefs{SlabAllocator<RtfListTextRef>(pool)};
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
