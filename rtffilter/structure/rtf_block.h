// The pieces of a rebuilt RTF document: paragraphs and table rows (blocks),
// and the cells of a row. Every object owns the children it lists and keeps
// its items as spans of the caller's input, which is copied only at output
// time.
#ifndef BTE_RTFFILTER_STRUCTURE_RTF_BLOCK_H
#define BTE_RTFFILTER_STRUCTURE_RTF_BLOCK_H

#include <cstdint>
#include <memory>
#include <vector>

#include "rtffilter/rtf_item.h"
#include "rtffilter/structure/item_span.h"

namespace bte::rtf {

class RtfOutputCursor;
class RtfRow;

class RtfBlock {
 public:
  virtual ~RtfBlock() = default;
  // Writes the block's part of the input; keep 0 leaves out its marks.
  virtual int Write(RtfOutputCursor& cursor, int keep) = 0;
  // 1 when something of the block survives filtering; cached.
  virtual int HasKeptContent() = 0;
  virtual RtfRow* AsRow() { return nullptr; }
};

using BlockPtr = std::unique_ptr<RtfBlock>;

class RtfParagraph final : public RtfBlock {
 public:
  // Appends the item, or extends the last item when the new one continues it
  // with the same kind and exclusion. 1.
  int AddItem(const RtfItem& item);
  int SetEndItem(const RtfItem& item) { return rtf::SetEndItem(endItem_, item); }
  // Remembers the item count as the place of the list text about to be added.
  void MarkListText() { listTextIndex_ = static_cast<int32_t>(items_.size()); }
  // Keeps the paragraph mark although its own content went (a list entry
  // whose sub-entries survive).
  void ForceKept();

  int32_t listTextIndex() const { return listTextIndex_; }
  size_t itemCount() const { return items_.size(); }
  // The item at index, or null beyond the last. Stable once the paragraph
  // is filed.
  ItemSpan* ItemAt(int32_t index);
  // Gives the item at index the text source has in the input (CopyTextFrom
  // semantics: a zero-terminated copy).
  void ReplaceText(int32_t index, const ItemSpan& source);

  int Write(RtfOutputCursor& cursor, int keep) override;
  int HasKeptContent() override;

 private:
  const char* ReplacementFor(int32_t index) const;

  std::vector<ItemSpan> items_;
  int32_t listTextIndex_ = -1;
  ItemSpan endItem_;
  int32_t keptValue_ = 0;
  int32_t keptComputed_ = 0;
  // Texts taken over from other list entries, by item index.
  std::vector<std::pair<int32_t, std::unique_ptr<RtfItem>>> replacements_;
};

// One cell. Its paragraphs and nested rows are kept in one list in input
// order, so that the writer's single forward pass meets them in order.
class RtfCell {
 public:
  virtual ~RtfCell() = default;

  void AddParagraph(std::unique_ptr<RtfParagraph> paragraph);
  void AddNestedRow(std::unique_ptr<RtfRow> row);
  int SetCellEnd(const RtfItem& item) { return SetEndItem(cellEnd_, item); }
  // Takes over the pending table items; the section's slots become empty.
  void TakeTableItems(ItemSpan& rowDefaults, ItemSpan& inTable);

  // 0: no paragraph and no nested row; -1: none of them survives; 1: some
  // survives. Cached. Nested rows must have their keep value computed.
  int ContentState();

  const std::vector<BlockPtr>& children() const { return children_; }
  // Leaves out the cell's table items when its row goes (keep 0).
  void BeginWrite(RtfOutputCursor& cursor, int keep) const;
  // Writes the cell mark, when the row stays.
  void EndWrite(RtfOutputCursor& cursor, int keep) const;
  // Hands the nested rows over, so that deep nesting is freed without
  // recursion.
  void ReleaseNestedRows(std::vector<BlockPtr>& out);

 private:
  std::vector<BlockPtr> children_;
  ItemSpan cellEnd_;
  int32_t contentValue_ = 0;
  int32_t contentComputed_ = 0;
  ItemSpan rowDefaults_;
  ItemSpan inTable_;
};

class RtfRow final : public RtfBlock {
 public:
  // Opens the row's first cell.
  explicit RtfRow(int32_t level);
  ~RtfRow() override;

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

 private:
  struct WriteFrame;
  int ComputeKeptFromCells();
  void WriteEnd(RtfOutputCursor& cursor, int keep) const;

  int32_t level_;
  std::vector<std::unique_ptr<RtfCell>> cells_;
  RtfCell* currentCell_ = nullptr;
  ItemSpan rowEnd_;
  ItemSpan rowDefaults_;
  ItemSpan inTable_;
  int32_t keptValue_ = 0;
  int32_t keptComputed_ = 0;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_RTF_BLOCK_H
