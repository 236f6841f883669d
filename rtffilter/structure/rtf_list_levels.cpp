#include "rtffilter/structure/rtf_list_levels.h"

#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

namespace {

bool Survives(RtfListEntry& entry) {
  return entry.paragraph == nullptr || entry.paragraph->HasKeptContent() ||
         (entry.subLevel != nullptr && entry.subLevel->HasKeptContent());
}

}  // namespace

ItemSpan* RtfListTextRef::leadItem1() const { return owner->ItemAt(leadIndex); }
ItemSpan* RtfListTextRef::leadItem2() const { return owner->ItemAt(leadIndex + 1); }
ItemSpan* RtfListTextRef::listTextItem() const { return owner->ItemAt(leadIndex + 2); }

void RtfListTextRef::SetExcluded(int32_t excluded) const {
  for (ItemSpan* item : {leadItem1(), leadItem2(), listTextItem()})
    if (item != nullptr) item->excluded = static_cast<int8_t>(excluded);
}

void RtfListEntry::CopyLeadTexts(const RtfListTextRef* from) {
  if (textRef == nullptr || from == nullptr) return;
  for (int32_t lead = 0; lead < 2; ++lead) {
    const ItemSpan* source = from->owner->ItemAt(from->leadIndex + lead);
    if (source != nullptr) textRef->owner->ReplaceText(textRef->leadIndex + lead, *source);
  }
}

int RtfListLevel::HasKeptContent() {
  if (!keptComputed) {
    keptValue = 0;
    for (const RtfListEntry* entry : entries) {
      if ((entry->paragraph != nullptr && entry->paragraph->HasKeptContent()) ||
          (entry->subLevel != nullptr && entry->subLevel->HasKeptContent())) {
        keptValue = 1;
        break;
      }
    }
    keptComputed = 1;
  }
  return keptValue;
}

// Every removed entry pushes the lead texts after it one entry down, so the
// entry at index i ends up with the lead texts that entry i - r had in the
// input, r being the number of removed entries before it. Taking them from
// there directly gives the same texts in one pass over the level.
int RestoreListText(RtfListLevel& level) {
  size_t removedBefore = 0;
  for (size_t i = 0; i < level.entries.size(); ++i) {
    RtfListEntry& entry = *level.entries[i];
    if (!Survives(entry)) {
      ++removedBefore;
    } else if (entry.textRef != nullptr) {
      if (removedBefore > 0) entry.CopyLeadTexts(level.entries[i - removedBefore]->textRef);
      if (entry.paragraph != nullptr) entry.paragraph->ForceKept();
      entry.textRef->SetExcluded(0);
    }
    // Levels are at most kMaxListLevel deep.
    if (entry.subLevel != nullptr) RestoreListText(*entry.subLevel);
  }
  return 1;
}

}  // namespace bte::rtf
