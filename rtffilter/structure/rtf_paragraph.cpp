#include <cstring>

#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_block.h"
#include "rtffilter/structure/structure_arena.h"

namespace bte::rtf {

RtfParagraph::RtfParagraph(StructureArena& arena)
    : arena_(&arena), items_(arena.spans.Start()) {}

// A text the caller already replaced stays replaced.
void RtfParagraph::KeepCallerReplacement(const RtfItem& item) {
  TextReplacement& replacement = ReplacementFor(static_cast<int32_t>(count_ - 1));
  replacement.owned = std::make_unique<RtfItem>(item.text, item.length, item.excluded, item.kind);
  replacement.owned->CopyTextFrom(item);
}

void RtfParagraph::ForceKept() {
  keptValue_ = 1;
  keptComputed_ = 1;
}

// Marks the item replaced and finds or makes its replacement record.
TextReplacement& RtfParagraph::ReplacementFor(int32_t index) {
  Item(index).replaced = 1;
  for (TextReplacement* r = replacements_; r != nullptr; r = r->next)
    if (r->index == index) return *r;
  TextReplacement& added = arena_->replacements.emplace_back();
  added.index = index;
  added.next = replacements_;
  replacements_ = &added;
  return added;
}

void RtfParagraph::ReplaceText(int32_t index, const ItemSpan& source) {
  if (ItemAt(index) == nullptr || !source.present()) return;
  TextReplacement& replacement = ReplacementFor(index);
  replacement.source = source;
  replacement.whole = false;
  replacement.owned.reset();
}

void RtfParagraph::ReplaceWithWhole(int32_t index, const ItemSpan& source) {
  ReplaceText(index, source);
  if (ItemAt(index) != nullptr && source.present()) ReplacementFor(index).whole = true;
}

const char* RtfParagraph::StartText() { return count_ > 0 ? Item(0).text : endItem_.text; }

int RtfParagraph::HasKeptContent() {
  if (!keptComputed_) {
    int kept = 0;
    bool holdsContent = false;
    for (size_t i = 0; i < count_ && !kept; ++i) {
      if (Item(i).kind == ItemReaderListText) continue;
      holdsContent = true;
      kept = Item(i).excluded == 0;
    }
    if (!holdsContent) kept = endItem_.present() && endItem_.excluded == 0;
    keptValue_ = static_cast<int8_t>(kept);
    keptComputed_ = 1;
  }
  return keptValue_;
}

// A copy made with CopyTextFrom ends at the first zero byte; so does the
// text written here.
void RtfParagraph::WriteReplacement(RtfOutputCursor& cursor, int32_t index) {
  const TextReplacement& replacement = ReplacementFor(index);
  const ItemSpan& item = Item(index);
  if (replacement.owned != nullptr) {
    const char* text = replacement.owned->ownedText;
    cursor.WriteInstead(item, text, text != nullptr ? std::strlen(text) : 0);
    return;
  }
  const ItemSpan& source = replacement.source;
  const void* zero = replacement.whole ? nullptr : std::memchr(source.text, 0, source.length);
  const size_t length = zero != nullptr ? static_cast<const char*>(zero) - source.text : source.length;
  cursor.WriteInstead(item, source.text, length);
}

// An item written as it stands is copied with the input up to whatever
// the cursor does next: most items are, and a copy per item cost more
// than the rest of the writing.
int RtfParagraph::Write(RtfOutputCursor& cursor, int keep) {
  const char* keptUpTo = nullptr;  // the end of the last item written as it stands
  for (size_t i = 0; i < count_; ++i) {
    const ItemSpan& item = Item(i);
    // Already passed: its bytes went out as plain input.
    if (item.text < cursor.position()) continue;
    const bool goes = item.kind == ItemReaderListText ? !keep : item.excluded != 0;
    if (goes)
      cursor.LeaveOut(item);
    else if (item.replaced)
      WriteReplacement(cursor, static_cast<int32_t>(i));
    else
      keptUpTo = item.end();
  }
  if (endItem_.present() && cursor.position() <= endItem_.text) {
    if (keep)
      cursor.CopyUpTo(endItem_.end());
    else
      cursor.LeaveOut(endItem_);
  } else if (keptUpTo != nullptr) {
    cursor.CopyUpTo(keptUpTo);
  }
  return 1;
}

}  // namespace bte::rtf
