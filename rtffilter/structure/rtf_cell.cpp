#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

void RtfCell::AddChild(RtfBlock* child) {
  if (child == nullptr) return;
  if (lastChild_ == nullptr)
    firstChild_ = child;
  else
    lastChild_->next = child;
  lastChild_ = child;
}

void RtfCell::TakeTableItems(ItemSpan& rowDefaults, ItemSpan& inTable) {
  rowDefaults_ = rowDefaults;
  inTable_ = inTable;
  rowDefaults = inTable = ItemSpan();
}

int RtfCell::ContentState() {
  if (!contentComputed_) {
    int state = 0;
    for (RtfBlock* child = firstChild_; child != nullptr; child = child->next) {
      if (child->HasKeptContent()) {
        state = 1;
        break;
      }
      state = -1;
    }
    contentValue_ = static_cast<int8_t>(state);
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

}  // namespace bte::rtf
