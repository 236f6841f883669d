#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

RtfRow::RtfRow(int32_t level) : level_(level) { NewCell(); }

// Nested rows are taken out of their cells level by level, so that each row
// is destroyed with no nested rows left in it.
RtfRow::~RtfRow() {
  std::vector<BlockPtr> pending;
  for (auto& cell : cells_) cell->ReleaseNestedRows(pending);
  while (!pending.empty()) {
    BlockPtr block = std::move(pending.back());
    pending.pop_back();
    for (auto& cell : block->AsRow()->cells_) cell->ReleaseNestedRows(pending);
  }
}

void RtfRow::NewCell() {
  cells_.push_back(std::make_unique<RtfCell>());
  currentCell_ = cells_.back().get();
}

void RtfRow::TakeTableItems(ItemSpan& rowDefaults, ItemSpan& inTable) {
  rowDefaults_ = rowDefaults;
  inTable_ = inTable;
  rowDefaults = inTable = ItemSpan();
}

int RtfRow::ComputeKeptFromCells() {
  bool anyRemoved = false;
  for (const auto& cell : cells_) {
    const int state = cell->ContentState();
    if (state == 1) return 1;
    if (state == -1) anyRemoved = true;
  }
  // A row whose cells were all empty in the input stays.
  return anyRemoved ? 0 : 1;
}

// Rows below this one are evaluated first (deepest last found, first done),
// so that every cell finds its nested rows already decided.
int RtfRow::HasKeptContent() {
  if (keptComputed_) return keptValue_;
  std::vector<RtfRow*> order{this};
  for (size_t i = 0; i < order.size(); ++i) {
    for (const auto& cell : order[i]->cells_) {
      for (const BlockPtr& child : cell->children()) {
        RtfRow* nested = child->AsRow();
        if (nested != nullptr && !nested->keptComputed_) order.push_back(nested);
      }
    }
  }
  for (auto row = order.rbegin(); row != order.rend(); ++row) {
    (*row)->keptValue_ = (*row)->ComputeKeptFromCells();
    (*row)->keptComputed_ = 1;
  }
  return keptValue_;
}

struct RtfRow::WriteFrame {
  RtfRow* row;
  int keep;
  size_t cell;
  size_t child;
  bool cellBegun;
};

int RtfRow::Write(RtfOutputCursor& cursor, int keep) {
  std::vector<WriteFrame> stack{{this, keep, 0, 0, false}};
  while (!stack.empty()) {
    WriteFrame& frame = stack.back();
    RtfRow& row = *frame.row;
    if (frame.cell == row.cells_.size()) {
      row.WriteEnd(cursor, frame.keep);
      stack.pop_back();
      continue;
    }
    RtfCell& cell = *row.cells_[frame.cell];
    if (!frame.cellBegun) {
      cell.BeginWrite(cursor, frame.keep);
      frame.cellBegun = true;
    }
    if (frame.child < cell.children().size()) {
      RtfBlock& child = *cell.children()[frame.child++];
      if (RtfRow* nested = child.AsRow())
        stack.push_back({nested, nested->HasKeptContent(), 0, 0, false});
      else
        child.Write(cursor, child.HasKeptContent());
      continue;
    }
    cell.EndWrite(cursor, frame.keep);
    ++frame.cell;
    frame.child = 0;
    frame.cellBegun = false;
  }
  return 1;
}

void RtfRow::WriteEnd(RtfOutputCursor& cursor, int keep) const {
  if (!keep) {
    cursor.QueueSkip(inTable_);
    cursor.QueueSkip(rowDefaults_);
  }
  if (!rowEnd_.present() || cursor.position() > rowEnd_.text) return;
  if (keep)
    cursor.CopyUpTo(rowEnd_.end());
  else
    cursor.LeaveOut(rowEnd_);
}

}  // namespace bte::rtf
