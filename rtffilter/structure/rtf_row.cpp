#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"
#include "rtffilter/structure/structure_arena.h"
#include "rtffilter/structure/table_words.h"

namespace bte::rtf {

RtfRow::RtfRow(int32_t level, StructureArena& arena) : arena_(&arena), level_(level) { NewCell(); }

void RtfRow::NewCell() {
  RtfCell* cell = arena_->NewCell();
  if (lastCell_ == nullptr)
    firstCell_ = cell;
  else
    lastCell_->next = cell;
  lastCell_ = currentCell_ = cell;
}

void RtfRow::TakeTableItems(ItemSpan& rowDefaults, ItemSpan& inTable) {
  rowDefaults_ = rowDefaults;
  inTable_ = inTable;
  rowDefaults = inTable = ItemSpan();
}

int RtfRow::ComputeKeptFromCells() {
  bool anyRemoved = false;
  for (RtfCell* cell = firstCell_; cell != nullptr; cell = cell->next) {
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
    for (RtfCell* cell = order[i]->firstCell_; cell != nullptr; cell = cell->next) {
      for (RtfBlock* child = cell->firstChild(); child != nullptr; child = child->next) {
        RtfRow* nested = child->AsRow();
        if (nested != nullptr && !nested->keptComputed_) order.push_back(nested);
      }
    }
  }
  for (auto row = order.rbegin(); row != order.rend(); ++row) {
    (*row)->keptValue_ = static_cast<int8_t>((*row)->ComputeKeptFromCells());
    (*row)->keptComputed_ = 1;
  }
  return keptValue_;
}

// Follows first children down through nested rows, without recursion.
const char* RtfRow::StartText() {
  RtfRow* row = this;
  while (row->firstCell_ != nullptr) {
    RtfBlock* child = row->firstCell_->firstChild();
    if (child == nullptr) return row->firstCell_->cellEnd().text;
    if (child->AsRow() == nullptr) return child->StartText();
    row = child->AsRow();
  }
  return row->rowEnd_.text;
}

struct RtfRow::WriteFrame {
  RtfRow* row;
  int keep;
  RtfCell* cell;
  RtfBlock* child;
};

// One frame per open row; a cell's children are written in input order,
// nested rows by pushing a frame. Table words go while the row on top of the
// stack goes; a removed row holds only removed rows.
int RtfRow::Write(RtfOutputCursor& cursor, int keep) {
  cursor.LeaveOutTableWords(!keep);
  std::vector<WriteFrame> stack{{this, keep, firstCell_, nullptr}};
  if (firstCell_ != nullptr) {
    firstCell_->BeginWrite(cursor, keep);
    stack.back().child = firstCell_->firstChild();
  }
  while (!stack.empty()) {
    WriteFrame& frame = stack.back();
    if (frame.cell == nullptr) {
      frame.row->WriteEnd(cursor, frame.keep);
      stack.pop_back();
      if (!stack.empty()) cursor.LeaveOutTableWords(!stack.back().keep);
      continue;
    }
    if (frame.child != nullptr) {
      RtfBlock& child = *frame.child;
      frame.child = child.next;
      if (RtfRow* nested = child.AsRow()) {
        BeginNested(cursor, stack, *nested);
      } else {
        child.Write(cursor, child.HasKeptContent());
      }
      continue;
    }
    frame.cell->EndWrite(cursor, frame.keep);
    frame.cell = frame.cell->next;
    if (frame.cell != nullptr) {
      frame.cell->BeginWrite(cursor, frame.keep);
      frame.child = frame.cell->firstChild();
    }
  }
  cursor.LeaveOutTableWords(false);
  return 1;
}

// A removed row inside a kept one starts at its first paragraph's \pard:
// the words before it may still define the kept row.
void RtfRow::BeginNested(RtfOutputCursor& cursor, std::vector<WriteFrame>& stack, RtfRow& nested) {
  const int keep = nested.HasKeptContent();
  if (!keep && !cursor.leavesOutTableWords()) {
    const char* start = nested.StartText();
    if (start != nullptr) cursor.CopyUpTo(LastParagraphReset(cursor.position(), start));
    cursor.LeaveOutTableWords(true);
  }
  RtfCell* first = nested.firstCell_;
  if (first != nullptr) first->BeginWrite(cursor, keep);
  stack.push_back({&nested, keep, first, first ? first->firstChild() : nullptr});
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
