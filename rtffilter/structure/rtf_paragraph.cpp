#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

RtfParagraph::RtfParagraph(std::deque<ItemSpan>& pool) : pool_(&pool), first_(pool.size()) {}

int RtfParagraph::AddItem(const RtfItem& item) {
  const ItemSpan span = ItemSpan::Of(item);
  if (count_ > 0 && !item.hasOwnedText) {
    ItemSpan& last = Item(count_ - 1);
    if (last.end() == span.text && last.kind == span.kind && last.excluded == span.excluded &&
        !last.replaced) {
      last.length += span.length;
      return 1;
    }
  }
  pool_->push_back(span);
  ++count_;
  if (item.hasOwnedText) KeepCallerReplacement(item);
  return 1;
}

// A text the caller already replaced stays replaced.
void RtfParagraph::KeepCallerReplacement(const RtfItem& item) {
  auto copy = std::make_unique<RtfItem>(item.text, item.length, item.excluded, item.kind);
  copy->CopyTextFrom(item);
  Item(count_ - 1).replaced = 1;
  if (replacements_ == nullptr) replacements_ = std::make_unique<Replacements>();
  replacements_->emplace_back(static_cast<int32_t>(count_ - 1), std::move(copy));
}

void RtfParagraph::ForceKept() {
  keptValue_ = 1;
  keptComputed_ = 1;
}

ItemSpan* RtfParagraph::ItemAt(int32_t index) {
  if (index < 0 || static_cast<uint32_t>(index) >= count_) return nullptr;
  return &Item(index);
}

void RtfParagraph::ReplaceText(int32_t index, const ItemSpan& source) {
  ItemSpan* item = ItemAt(index);
  if (item == nullptr || !source.present()) return;
  const RtfItem original(source.text, source.length, source.excluded, source.kind);
  auto copy = std::make_unique<RtfItem>(item->text, item->length, item->excluded, item->kind);
  copy->CopyTextFrom(original);
  item->replaced = 1;
  if (replacements_ == nullptr) replacements_ = std::make_unique<Replacements>();
  for (auto& replacement : *replacements_) {
    if (replacement.first == index) {
      replacement.second = std::move(copy);
      return;
    }
  }
  replacements_->emplace_back(index, std::move(copy));
}

const char* RtfParagraph::ReplacementFor(int32_t index) const {
  if (replacements_ == nullptr) return nullptr;
  for (const auto& replacement : *replacements_)
    if (replacement.first == index) return replacement.second->ownedText;
  return nullptr;
}

int RtfParagraph::HasKeptContent() {
  if (!keptComputed_) {
    int kept = 0;
    if (count_ == 0) {
      kept = endItem_.present() && endItem_.excluded == 0;
    } else {
      for (size_t i = 0; i < count_ && !kept; ++i) kept = Item(i).excluded == 0;
    }
    keptValue_ = static_cast<int8_t>(kept);
    keptComputed_ = 1;
  }
  return keptValue_;
}

int RtfParagraph::Write(RtfOutputCursor& cursor, int keep) {
  for (size_t i = 0; i < count_; ++i) {
    const ItemSpan& item = Item(i);
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
