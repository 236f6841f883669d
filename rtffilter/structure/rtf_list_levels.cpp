#include "rtffilter/structure/rtf_list_levels.h"

#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

namespace {

void CopyOriginalText(RtfItem* to, const RtfItem* from) {
  if (to == nullptr || from == nullptr) return;
  const RtfItem original(from->text, from->length, from->excluded, from->kind);
  to->CopyTextFrom(original);
}

bool Survives(RtfListEntry& entry) {
  return entry.paragraph == nullptr || entry.paragraph->HasKeptContent() ||
         (entry.subLevel != nullptr && entry.subLevel->HasKeptContent());
}

}  // namespace

void RtfListTextRef::SetExcluded(int32_t excluded) {
  for (RtfItem* item : {leadItem1, leadItem2, listTextItem})
    if (item != nullptr) item->excluded = excluded;
}

RtfListEntry::~RtfListEntry() = default;

void RtfListEntry::CopyLeadTexts(const RtfListTextRef* from) {
  if (textRef == nullptr || from == nullptr) return;
  CopyOriginalText(textRef->leadItem1, from->leadItem1);
  CopyOriginalText(textRef->leadItem2, from->leadItem2);
}

int RtfListLevel::HasKeptContent() {
  if (!keptComputed) {
    keptValue = 0;
    for (const auto& entry : entries) {
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
      if (removedBefore > 0) entry.CopyLeadTexts(level.entries[i - removedBefore]->textRef.get());
      if (entry.paragraph != nullptr) entry.paragraph->ForceKept();
      entry.textRef->SetExcluded(0);
    }
    // Levels are at most kMaxListLevel deep.
    if (entry.subLevel != nullptr) RestoreListText(*entry.subLevel);
  }
  return 1;
}

}  // namespace bte::rtf
