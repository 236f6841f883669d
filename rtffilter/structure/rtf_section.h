// One section of a rebuilt RTF document: its paragraphs and outermost rows
// in document order, the rows still open, and its lists.
#ifndef BTE_RTFFILTER_STRUCTURE_RTF_SECTION_H
#define BTE_RTFFILTER_STRUCTURE_RTF_SECTION_H

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "rtffilter/rtf_item.h"
#include "rtffilter/structure/rtf_block.h"
#include "rtffilter/structure/rtf_list_levels.h"
#include "rtffilter/structure/structure_arena.h"

namespace bte::rtf {

class RtfOutputCursor;

// Deepest table nesting followed; deeper paragraphs go into the cells of
// rows of this level. It bounds what one itap word can make the tree build.
constexpr int32_t kMaxTableDepth = 16384;

class RtfSection {
 public:
  // The input lies in [inputBegin, inputEnd). Paragraphs, rows and cells
  // live in blockPool, list objects in listPool.
  RtfSection(SlabPool& blockPool, SlabPool& listPool, const char* inputBegin,
             const char* inputEnd)
      : blockPool_(blockPool), lists_(listPool), inputBegin_(inputBegin), inputEnd_(inputEnd) {
    arena_.emplace(blockPool);
  }
  virtual ~RtfSection() = default;

  // Files the item by its kind, keeping its span. Kinds the section does not
  // follow are dropped (result 0); their text is written as input between
  // items.
  int AddItem(const RtfItem& item, const ParagraphListState& state);
  int SetSectionEnd(const RtfItem& item) { return SetEndItem(sectionEnd_, item); }
  // Files the paragraph still in progress, as its paragraph mark would have,
  // when the section or the document ends without one: its excluded items
  // must still be left out.
  void FileOpenParagraph();

  // From now on, whenever nothing is open (no paragraph in progress, no
  // row, no list entry whose fate is unknown), the blocks so far are
  // written to cursor at once, while they are fresh in the cache, and their
  // memory is used again: everything else in the block pool must be gone by
  // then.
  void StreamTo(RtfOutputCursor& cursor) { stream_ = &cursor; }
  // Writes the rest of the section's part of the input, then its section
  // mark. 0 for a section without blocks.
  int Write(RtfOutputCursor& cursor);

  // Where the section's items begin (its section mark when it has no other).
  const char* StartText() const {
    return firstItemText_ != nullptr ? firstItemText_ : sectionEnd_.text;
  }

 private:
  int AddToParagraph(const RtfItem& item);
  // AddItem for the kinds that shape the document: marks, list texts,
  // table words.
  int AddStructureItem(const RtfItem& item, const ParagraphListState& state);
  // endItem null: file the paragraph in progress without an end item.
  int EndParagraph(const ParagraphListState& state, const RtfItem* endItem);
  void FileInTable(const ParagraphListState& state);
  int EndCell(const ParagraphListState& state, const RtfItem& cellEnd);
  int EndRow(const RtfItem& rowEnd);
  // Settles the list texts as far as they are known; true when all are.
  bool SettleLists(bool sectionEnded);
  // Writes the blocks not yet written.
  void WriteBlocks(RtfOutputCursor& cursor);
  // Writes the blocks so far to the stream, when nothing is open, and
  // frees them.
  void WriteAhead();

  using ListRoots = std::map<uint16_t, RtfListLevel*>;
  // List bookkeeping for a paragraph just filed: its host list text, and
  // its number text for readers.
  void RecordListEntry(RtfParagraph* paragraph, const ParagraphListState& state);
  void RecordNumberEntry(RtfParagraph* paragraph, const ParagraphListState& state);
  // The level of roots that a paragraph in state belongs to, created when
  // missing.
  RtfListLevel* LevelFor(ListRoots& roots, const ParagraphListState& state);
  // Creates the levels from..to below parent; returns the level for to.
  RtfListLevel* BuildLevels(ListRoots& roots, int32_t from, RtfListLevel* parent, int32_t to,
                            int32_t listOverride);

  // Whether span is the whole content of a group of its own, as the host
  // writes each lead text of its list text ("{3.}{\tab}").
  bool IsWholeGroup(const ItemSpan& span) const {
    return span.text > inputBegin_ && span.end() < inputEnd_ && span.text[-1] == '{' &&
           *span.end() == '}';
  }

  SlabPool& blockPool_;
  std::optional<StructureArena> arena_;  // owns every paragraph, row and cell below
  ListArena lists_;
  const char* inputBegin_;
  const char* inputEnd_;
  std::vector<RtfBlock*> blocks_;
  size_t nextBlock_ = 0;  // the first block not yet written
  bool begun_ = false;    // the section's writing has begun
  int lastResult_ = 0;    // of the last block written
  RtfOutputCursor* stream_ = nullptr;
  ItemSpan sectionEnd_;
  const char* firstItemText_ = nullptr;  // where the section's own text begins
  RtfParagraph* currentParagraph_ = nullptr;
  RtfRow* currentRow_ = nullptr;
  std::vector<RtfRow*> rowStack_;    // rows enclosing currentRow_
  ListRoots listRoots_;
  ListRoots numberListRoots_;  // lists known by their number text only
  ItemSpan pendingRowDefaults_;
  ItemSpan pendingInTable_;
  ParagraphListState lastState_;  // in force after the last item
};

// Most items are content of the paragraph in progress: inline, as the
// rebuild files every token of a document.
inline int RtfSection::AddItem(const RtfItem& item, const ParagraphListState& state) {
  if (firstItemText_ == nullptr) firstItemText_ = item.text;
  lastState_ = state;
  if (item.kind == ItemContent) return AddToParagraph(item);
  return AddStructureItem(item, state);
}

inline int RtfSection::AddToParagraph(const RtfItem& item) {
  if (currentParagraph_ == nullptr) currentParagraph_ = arena_->NewParagraph();
  return currentParagraph_->AddItem(item);
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_RTF_SECTION_H
