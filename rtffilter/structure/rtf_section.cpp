#include "rtffilter/structure/rtf_section.h"

#include <algorithm>

#include "rtffilter/structure/output_cursor.h"

namespace bte::rtf {

namespace {

constexpr size_t kBlocksKeptWritten = size_t{256} << 10;

}  // namespace

int RtfSection::AddStructureItem(const RtfItem& item, const ParagraphListState& state) {
  switch (item.kind) {
    case ItemListTextBullet:
    case ItemParaNumBullet:
      // With no paragraph in progress the list text opens one, as content.
      AddToParagraph(item);
      currentParagraph_->MarkListText();
      return 1;
    case ItemReaderListText:
      AddToParagraph(item);
      currentParagraph_->MarkNumberText();
      return 1;
    case ItemParagraph:
      return EndParagraph(state, &item);
    case ItemCell:
    case ItemNestedCell:
      return EndCell(state, item);
    case ItemRow:
    case ItemNestedRow:
      return EndRow(item);
    case ItemRowDefaults:
      pendingRowDefaults_ = ItemSpan::Of(item);
      return 1;
    case ItemInTable:
      pendingInTable_ = ItemSpan::Of(item);
      return 1;
    default:
      return 0;
  }
}

void RtfSection::FileOpenParagraph() {
  if (currentParagraph_ != nullptr) EndParagraph(lastState_, nullptr);
}

int RtfSection::EndParagraph(const ParagraphListState& state, const RtfItem* endItem) {
  if (endItem != nullptr) {
    if (currentParagraph_ == nullptr) currentParagraph_ = arena_->NewParagraph();
    currentParagraph_->SetEndItem(*endItem);
  }
  if (state.tableDepth <= 0) {
    if (currentParagraph_ != nullptr) blocks_.push_back(currentParagraph_);
  } else {
    FileInTable(state);
  }
  RecordListEntry(currentParagraph_, state);
  RecordNumberEntry(currentParagraph_, state);
  currentParagraph_ = nullptr;
  WriteAhead();
  return 1;
}

// Opens the rows and cells that the paragraph's table depth needs, then
// files the paragraph in progress (if any) into the innermost cell.
void RtfSection::FileInTable(const ParagraphListState& state) {
  if (currentRow_ == nullptr) {
    currentRow_ = arena_->NewRow(1);
    blocks_.push_back(currentRow_);
  }
  int32_t level = currentRow_->level();
  if (currentRow_->currentCell() == nullptr) currentRow_->NewCell();
  RtfCell* cell = currentRow_->currentCell();
  const int32_t depth = std::min(state.tableDepth, kMaxTableDepth);
  while (level < depth) {
    rowStack_.push_back(currentRow_);
    currentRow_ = arena_->NewRow(++level);
    cell->AddChild(currentRow_);
    cell = currentRow_->currentCell();
  }
  cell->AddChild(currentParagraph_);
}

// A cell mark ends a table paragraph, whether or not \intbl said so.
int RtfSection::EndCell(const ParagraphListState& state, const RtfItem& cellEnd) {
  ParagraphListState inTable = state;
  if (inTable.tableDepth < 1) inTable.tableDepth = 1;
  EndParagraph(inTable, nullptr);
  if (currentRow_ == nullptr) return 0;
  RtfCell* cell = currentRow_->currentCell();
  if (cell == nullptr) return 0;
  cell->SetCellEnd(cellEnd);
  cell->TakeTableItems(pendingRowDefaults_, pendingInTable_);
  currentRow_->CloseCell();
  return 1;
}

// A row end inside a paragraph, or with no open row, is not recorded; its
// text goes out as input between items. Content after the row's last cell
// mark (a comment's anchor, say) belongs to no cell: it stays input between
// items, and the row end is recorded.
int RtfSection::EndRow(const RtfItem& rowEnd) {
  if (currentParagraph_ != nullptr && currentRow_ != nullptr &&
      currentRow_->currentCell() == nullptr)
    currentParagraph_ = nullptr;
  if (currentParagraph_ != nullptr || currentRow_ == nullptr) return 0;
  currentRow_->SetRowEnd(rowEnd);
  currentRow_->TakeTableItems(pendingRowDefaults_, pendingInTable_);
  if (rowStack_.empty()) {
    currentRow_ = nullptr;
    WriteAhead();
  } else {
    currentRow_ = rowStack_.back();
    rowStack_.pop_back();
  }
  return 0;
}

// A paragraph may be an entry of both kinds of list, and its host list text
// may keep it: number texts are settled only once no host list entry is
// open, as if the host's lists were all settled first.
// Written as it goes, the section releases list entries that can play no
// part any more.
bool RtfSection::SettleLists(bool sectionEnded) {
  SpareListObjects* spare = stream_ != nullptr ? &lists_.spare : nullptr;
  bool settled = true;
  for (const auto& root : listRoots_)
    settled = SettleListText(*root.second, sectionEnded, spare) && settled;
  if (!settled) return false;
  for (const auto& root : numberListRoots_)
    settled = SettleListText(*root.second, sectionEnded, spare) && settled;
  return settled;
}

void RtfSection::WriteAhead() {
  if (stream_ == nullptr || currentParagraph_ != nullptr || currentRow_ != nullptr) return;
  if (!SettleLists(false)) return;
  WriteBlocks(*stream_);
  blocks_.clear();
  nextBlock_ = 0;
  // Remaking the arena costs a few allocations: it waits until the written
  // blocks fill a good part of the cache.
  if (blockPool_.given() < kBlocksKeptWritten) return;
  arena_.reset();
  blockPool_.Rewind();
  arena_.emplace(blockPool_);
}

void RtfSection::WriteBlocks(RtfOutputCursor& cursor) {
  // The document header and the section's properties belong to no row,
  // even when a removed row comes first: page borders and table styles stay.
  if (!begun_ && firstItemText_ != nullptr) cursor.CopyUpTo(firstItemText_);
  begun_ = true;
  for (; nextBlock_ < blocks_.size(); ++nextBlock_) {
    RtfBlock* block = blocks_[nextBlock_];
    lastResult_ = block->Write(cursor, block->HasKeptContent());
  }
}

int RtfSection::Write(RtfOutputCursor& cursor) {
  SettleLists(true);
  WriteBlocks(cursor);
  // The section mark stays whether or not the section's content did.
  if (sectionEnd_.present() && cursor.position() <= sectionEnd_.text)
    cursor.CopyUpTo(sectionEnd_.end());
  return lastResult_;
}

}  // namespace bte::rtf
