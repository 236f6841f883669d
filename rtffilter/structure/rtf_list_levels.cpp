#include "rtffilter/structure/rtf_list_levels.h"

#include <algorithm>

#include "rtffilter/reader/rtf_token.h"
#include "rtffilter/structure/list_number_text.h"
#include "rtffilter/structure/rtf_block.h"

namespace bte::rtf {

namespace {

// The first decimal number in the visible text of a number group, or -1.
// Words' parameters and the digits of hex escapes do not count.
int64_t FirstNumberOf(const ItemSpan* item) {
  if (item == nullptr) return -1;
  const char* p = item->text;
  const char* const end = item->end();
  RTFToken token;
  while (p < end) {
    ReadRtfToken(p, static_cast<uint32_t>(end - p), token);
    if (token.kind == TokenControlSymbol && p[1] == '\'') {
      p += std::min<ptrdiff_t>(4, end - p);
      continue;
    }
    if (token.kind == TokenText) {
      for (const char* q = p; q < p + token.length; ++q) {
        if (*q < '0' || *q > '9') continue;
        int64_t value = 0;
        while (q < p + token.length && *q >= '0' && *q <= '9' && value < 1000000)
          value = value * 10 + (*q++ - '0');
        return value;
      }
    }
    p += token.length;
  }
  return -1;
}

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
    if (source != nullptr && ReadsAsListNumber(*source))
      textRef->owner->ReplaceText(textRef->leadIndex + lead, *source);
  }
}

void RtfListEntry::CopyNumberText(const RtfListEntry& from) {
  if (paragraph == nullptr || from.paragraph == nullptr || numberIndex < 0) return;
  const ItemSpan* source = from.paragraph->ItemAt(from.numberIndex);
  if (source != nullptr && ReadsAsListNumber(*source)) paragraph->ReplaceWithWhole(numberIndex, *source);
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
// Number texts move only within a run of consecutive numbers: a number that
// does not follow the one before starts another list that shares the level.
int RestoreListText(RtfListLevel& level) {
  size_t removedBefore = 0;
  int64_t lastNumber = -1;
  for (size_t i = 0; i < level.entries.size(); ++i) {
    RtfListEntry& entry = *level.entries[i];
    if (entry.numberIndex >= 0) {
      const int64_t number = FirstNumberOf(entry.paragraph->ItemAt(entry.numberIndex));
      if (number >= 0 && lastNumber >= 0 && number != lastNumber + 1) removedBefore = 0;
      if (number >= 0) lastNumber = number;
    }
    if (!Survives(entry)) {
      ++removedBefore;
    } else if (entry.textRef != nullptr) {
      if (removedBefore > 0) entry.CopyLeadTexts(level.entries[i - removedBefore]->textRef);
      if (entry.paragraph != nullptr) entry.paragraph->ForceKept();
      entry.textRef->SetExcluded(0);
    } else if (entry.numberIndex >= 0) {
      if (removedBefore > 0) entry.CopyNumberText(*level.entries[i - removedBefore]);
      entry.paragraph->ForceKept();
    }
    // Levels are at most kMaxListLevel deep.
    if (entry.subLevel != nullptr) RestoreListText(*entry.subLevel);
  }
  return 1;
}

}  // namespace bte::rtf
