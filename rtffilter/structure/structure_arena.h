// Where a section's paragraphs, rows, cells, item spans and list objects live. Deques keep
// every element in place while more are added, and free everything together
// with no walk over the structure.
#ifndef BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
#define BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H

#include <deque>

#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/rtf_block.h"
#include "rtffilter/structure/rtf_list_levels.h"

namespace bte::rtf {

struct StructureArena {
  std::deque<ItemSpan> spans;
  std::deque<RtfParagraph> paragraphs;
  std::deque<RtfRow> rows;
  std::deque<RtfCell> cells;
  std::deque<TextReplacement> replacements;
  std::deque<RtfListLevel> listLevels;
  std::deque<RtfListEntry> listEntries;
  std::deque<RtfListTextRef> listTextRefs;

  RtfParagraph* NewParagraph() { return &paragraphs.emplace_back(*this); }
  RtfRow* NewRow(int32_t level) { return &rows.emplace_back(level, *this); }
  RtfCell* NewCell() { return &cells.emplace_back(); }
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_STRUCTURE_ARENA_H
