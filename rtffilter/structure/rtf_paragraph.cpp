#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

int RtfParagraph::AddItem(const RtfItem& item) {
  const ItemSpan span = ItemSpan::Of(item);
  if (!items_.empty() && !item.hasOwnedText) {
    ItemSpan& last = items_.back();
    if (last.end() == span.text && last.kind == span.kind && last.excluded == span.excluded &&
        !last.replaced) {
      last.length += span.length;
      return 1;
    }
  }
  items_.push_back(span);
  if (item.hasOwnedText) {
    // A text the caller already replaced stays replaced.
    auto copy = std::make_unique<RtfItem>(item.text, item.length, item.excluded, item.kind);
    copy->CopyTextFrom(item);
    items_.back().replaced = 1;
    replacements_.emplace_back(static_cast<int32_t>(items_.size() - 1), std::move(copy));
  }
  return 1;
}

void RtfParagraph::ForceKept() {
  keptValue_ = 1;
  keptComputed_ = 1;
}

ItemSpan* RtfParagraph::ItemAt(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return nullptr;
  return &items_[index];
}

void RtfParagraph::ReplaceText(int32_t index, const ItemSpan& source) {
  ItemSpan* item = ItemAt(index);
  if (item == nullptr || !source.present()) return;
  const RtfItem original(source.text, source.length, source.excluded, source.kind);
  auto copy = std::make_unique<RtfItem>(item->text, item->length, item->excluded, item->kind);
  copy->CopyTextFrom(original);
  item->replaced = 1;
  for (auto& replacement : replacements_) {
    if (replacement.first == index) {
      replacement.second = std::move(copy);
      return;
    }
  }
  replacements_.emplace_back(index, std::move(copy));
}

const char* RtfParagraph::ReplacementFor(int32_t index) const {
  for (const auto& replacement : replacements_)
    if (replacement.first == index) return replacement.second->ownedText;
  return nullptr;
}

int RtfParagraph::HasKeptContent() {
  if (!keptComputed_) {
    int kept = 0;
    if (items_.empty()) {
      kept = endItem_.present() && endItem_.excluded == 0;
    } else {
      for (const ItemSpan& item : items_) {
        if (item.excluded == 0) {
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
  for (size_t i = 0; i < items_.size(); ++i) {
    const ItemSpan& item = items_[i];
    // Already passed: its bytes went out as plain input.
    if (item.text < cursor.position()) continue;
    if (item.excluded)
      cursor.LeaveOut(item);
    else
      cursor.Write(item, item.replaced ? ReplacementFor(static_cast<int32_t>(i)) : nullptr);
  }
  if (endItem_.present() && cursor.position() <= endItem_.text) {
    if (keep)
      cursor.CopyUpTo(endItem_.end());
    else
      cursor.LeaveOut(endItem_);
  }
  return 1;
}

}  // namespace bte::rtf
