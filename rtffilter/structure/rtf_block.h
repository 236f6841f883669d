// The pieces of a rebuilt RTF document: paragraphs and table rows (blocks),
// and the cells of a row. They live in their section's arena (see
// structure_arena.h) and link to each other without owning: a section frees
// them all at once, however deep its tables nest. Items are kept as spans of
// the caller's input, which is copied only at output time. Members are
// ordered widest first: a long document makes hundreds of thousands of
// paragraphs, cells and replacements, and padding would grow every one.
#ifndef BTE_RTFFILTER_STRUCTURE_RTF_BLOCK_H
#define BTE_RTFFILTER_STRUCTURE_RTF_BLOCK_H

#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "rtffilter/rtf_item.h"
#include "rtffilter/structure/item_span.h"

namespace bte::rtf {

class RtfOutputCursor;
class RtfRow;
struct StructureArena;

// A text written in place of a paragraph's item: another item's input text
// (a list number moved down), or a copy the caller made. Linked per
// paragraph; lives in the arena.
struct TextReplacement {
  TextReplacement* next = nullptr;
  ItemSpan source;                 // written up to its first zero byte, unless whole
  std::unique_ptr<RtfItem> owned;  // the caller's own text, when it made one
  int32_t index = 0;
  bool whole = false;              // source written whole: a group must keep its brace
};

class RtfBlock {
 public:
  virtual ~RtfBlock() = default;
  // Writes the block's part of the input; keep 0 leaves out its marks.
  virtual int Write(RtfOutputCursor& cursor, int keep) = 0;
  // 1 when something of the block survives filtering; cached.
  virtual int HasKeptContent() = 0;
  virtual RtfRow* AsRow() { return nullptr; }
  // Where the block's first paragraph item or mark lies in the input, or
  // null.
  virtual const char* StartText() = 0;

  RtfBlock* next = nullptr;  // the following child of the same cell
};

class RtfParagraph final : public RtfBlock {
 public:
  // Items go to the end of the arena's spans, which only this paragraph
  // grows until it is filed.
  explicit RtfParagraph(StructureArena& arena);

  // Appends the item, or extends the last item when the new one continues it
  // with the same kind and exclusion. 1.
  int AddItem(const RtfItem& item);
  int SetEndItem(const RtfItem& item) { return rtf::SetEndItem(endItem_, item); }
  // Remembers the last item as the place of the list text just added: its
  // own item, or the one it continued (two list texts back to back), so
  // that the place never names a later item.
  void MarkListText() { listTextIndex_ = static_cast<int32_t>(count_) - 1; }
  // The same for the number text for readers just added. It is no content
  // of the paragraph: it is written when the paragraph is.
  void MarkNumberText() { numberIndex_ = static_cast<int32_t>(count_) - 1; }
  // Keeps the paragraph mark although its own content went (a list entry
  // whose sub-entries survive).
  void ForceKept();

  int32_t listTextIndex() const { return listTextIndex_; }
  int32_t numberIndex() const { return numberIndex_; }
  size_t itemCount() const { return count_; }
  // The item at index, or null beyond the last.
  ItemSpan* ItemAt(int32_t index);
  // Gives the item at index the text source has in the input, as a copy
  // with CopyTextFrom would (up to the first zero byte).
  void ReplaceText(int32_t index, const ItemSpan& source);
  // The same with all of source's bytes.
  void ReplaceWithWhole(int32_t index, const ItemSpan& source);

  int Write(RtfOutputCursor& cursor, int keep) override;
  int HasKeptContent() override;
  const char* StartText() override;

 private:
  TextReplacement& ReplacementFor(int32_t index);
  void KeepCallerReplacement(const RtfItem& item);
  void WriteReplacement(RtfOutputCursor& cursor, int32_t index);
  ItemSpan& Item(size_t index) const;

  StructureArena* arena_;
  ItemSpan* items_;  // in the arena's span store
  TextReplacement* replacements_ = nullptr;
  ItemSpan endItem_;
  uint32_t count_ = 0;
  int32_t listTextIndex_ = -1;
  int32_t numberIndex_ = -1;
  int8_t keptValue_ = 0;
  int8_t keptComputed_ = 0;
};

// One cell. Its paragraphs and nested rows are linked in input order, so
// that the writer's single forward pass meets them in order.
class RtfCell {
 public:
  void AddChild(RtfBlock* child);
  int SetCellEnd(const RtfItem& item) { return SetEndItem(cellEnd_, item); }
  // Takes over the pending table items; the section's slots become empty.
  void TakeTableItems(ItemSpan& rowDefaults, ItemSpan& inTable);

  // 0: no paragraph and no nested row; -1: none of them survives; 1: some
  // survives. Cached. Nested rows must have their keep value computed.
  int ContentState();

  RtfBlock* firstChild() const { return firstChild_; }
  const ItemSpan& cellEnd() const { return cellEnd_; }
  // Leaves out the cell's table items when its row goes (keep 0).
  void BeginWrite(RtfOutputCursor& cursor, int keep) const;
  // Writes the cell mark, when the row stays.
  void EndWrite(RtfOutputCursor& cursor, int keep) const;

  RtfCell* next = nullptr;  // the following cell of the same row

 private:
  RtfBlock* firstChild_ = nullptr;
  RtfBlock* lastChild_ = nullptr;
  ItemSpan cellEnd_;
  ItemSpan rowDefaults_;
  ItemSpan inTable_;
  int8_t contentValue_ = 0;
  int8_t contentComputed_ = 0;
};

class RtfRow final : public RtfBlock {
 public:
  // Opens the row's first cell from arena.
  RtfRow(int32_t level, StructureArena& arena);

  int32_t level() const { return level_; }
  RtfCell* currentCell() const { return currentCell_; }
  void NewCell();
  void CloseCell() { currentCell_ = nullptr; }
  int SetRowEnd(const RtfItem& item) { return SetEndItem(rowEnd_, item); }
  void TakeTableItems(ItemSpan& rowDefaults, ItemSpan& inTable);

  // Both walk nested tables with an explicit stack, however deep.
  int Write(RtfOutputCursor& cursor, int keep) override;
  int HasKeptContent() override;
  RtfRow* AsRow() override { return this; }
  const char* StartText() override;

 private:
  struct WriteFrame;
  int ComputeKeptFromCells();
  // Starts writing a nested row inside the frame on top of stack.
  void BeginNested(RtfOutputCursor& cursor, std::vector<WriteFrame>& stack, RtfRow& nested);
  void WriteEnd(RtfOutputCursor& cursor, int keep) const;

  StructureArena* arena_;
  RtfCell* firstCell_ = nullptr;
  RtfCell* lastCell_ = nullptr;
  RtfCell* currentCell_ = nullptr;
  ItemSpan rowEnd_;
  ItemSpan rowDefaults_;
  ItemSpan inTable_;
  int32_t level_;
  int8_t keptValue_ = 0;
  int8_t keptComputed_ = 0;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_RTF_BLOCK_H
