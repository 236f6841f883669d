#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

int SetEndItem(ItemPtr& slot, ItemPtr item) {
  if (slot != nullptr || item == nullptr) return 0;
  slot = std::move(item);
  return 1;
}

int RtfParagraph::AddItem(ItemPtr item) {
  if (!items_.empty()) {
    RtfItem& last = *items_.back();
    if (last.text + last.length == item->text && last.kind == item->kind &&
        last.excluded == item->excluded) {
      last.length += item->length;
      return 1;
    }
  }
  items_.push_back(std::move(item));
  return 1;
}

void RtfParagraph::ForceKept() {
  keptValue_ = 1;
  keptComputed_ = 1;
}

RtfItem* RtfParagraph::ItemAt(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return nullptr;
  return items_[index].get();
}

int RtfParagraph::HasKeptContent() {
  if (!keptComputed_) {
    int kept = 0;
    if (items_.empty()) {
      kept = endItem_ != nullptr && endItem_->excluded == 0;
    } else {
      for (const ItemPtr& item : items_) {
        if (item->excluded == 0) {
          kept = 1;
          break;
        }
      }
    }
    keptValue_ = kept;
    keptComputed_ = 1;
  }
  return keptValue_;
}

int RtfParagraph::Write(RtfOutputCursor& cursor, int keep) {
  for (const ItemPtr& item : items_) {
    // Already passed: its bytes went out as plain input.
    if (item->text < cursor.position()) continue;
    if (item->excluded)
      cursor.LeaveOut(*item);
    else
      cursor.Write(*item);
  }
  if (endItem_ != nullptr && cursor.position() <= endItem_->text) {
    if (keep)
      cursor.CopyUpTo(RtfOutputCursor::End(*endItem_));
    else
      cursor.LeaveOut(*endItem_);
  }
  return 1;
}

}  // namespace bte::rtf
