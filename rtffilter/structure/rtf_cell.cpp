#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

void RtfCell::AddParagraph(std::unique_ptr<RtfParagraph> paragraph) {
  if (paragraph != nullptr) children_.push_back(std::move(paragraph));
}

void RtfCell::AddNestedRow(std::unique_ptr<RtfRow> row) { children_.push_back(std::move(row)); }

void RtfCell::TakeTableItems(ItemSpan& rowDefaults, ItemSpan& inTable) {
  rowDefaults_ = rowDefaults;
  inTable_ = inTable;
  rowDefaults = inTable = ItemSpan();
}

int RtfCell::ContentState() {
  if (!contentComputed_) {
    int state = 0;
    for (const BlockPtr& child : children_) {
      if (child->HasKeptContent()) {
        state = 1;
        break;
      }
      state = -1;
    }
    contentValue_ = state;
    contentComputed_ = 1;
  }
  return contentValue_;
}

void RtfCell::BeginWrite(RtfOutputCursor& cursor, int keep) const {
  if (keep) return;
  cursor.QueueSkip(rowDefaults_);
  cursor.QueueSkip(inTable_);
}

void RtfCell::EndWrite(RtfOutputCursor& cursor, int keep) const {
  if (!cellEnd_.present() || cursor.position() > cellEnd_.text) return;
  if (keep)
    cursor.CopyUpTo(cellEnd_.end());
  else
    cursor.LeaveOut(cellEnd_);
}

void RtfCell::ReleaseNestedRows(std::vector<BlockPtr>& out) {
  size_t kept = 0;
  for (BlockPtr& child : children_) {
    if (child->AsRow() != nullptr)
      out.push_back(std::move(child));
    else
      children_[kept++] = std::move(child);
  }
  children_.resize(kept);
}

}  // namespace bte::rtf
