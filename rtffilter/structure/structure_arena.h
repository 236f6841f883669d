// Where a section's paragraphs, rows, cells and item spans live. Deques keep
// every element in place while more are added, and free everything together
// with no walk over the structure.
#ifndef BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
#define BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H

#include <deque>

#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

struct StructureArena {
  std::deque<ItemSpan> spans;
  std::deque<RtfParagraph> paragraphs;
  std::deque<RtfRow> rows;
  std::deque<RtfCell> cells;

  RtfParagraph* NewParagraph() { return &paragraphs.emplace_back(spans); }
  RtfRow* NewRow(int32_t level) { return &rows.emplace_back(level, *this); }
  RtfCell* NewCell() { return &cells.emplace_back(); }
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
