#include "rtffilter/structure/rtf_list_levels.h"

#include <algorithm>
#include <cstring>

#include "rtffilter/reader/rtf_token.h"
#include "rtffilter/structure/list_number_text.h"
#include "rtffilter/structure/rtf_block.h"
#include "rtffilter/structure/structure_arena.h"

namespace bte::rtf {

namespace {

// The first decimal number in the visible text of a number group, or -1.
// Words' parameters and the digits of hex escapes do not count.
int64_t FirstNumberOf(const ItemSpan& item) {
  const char* p = item.text;
  const char* const end = item.end();
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

// Whether the item, as it stands in the input and not replaced, has the
// bytes of text.
bool SameText(const ItemSpan* item, const ItemSpan& text) {
  return item != nullptr && !item->replaced && text.present() && item->length == text.length &&
         std::memcmp(item->text, text.text, text.length) == 0;
}

bool Survives(RtfListEntry& entry) {
  return entry.paragraph == nullptr || entry.paragraph->HasKeptContent() ||
         (entry.subLevel != nullptr && entry.subLevel->HasKeptContent());
}

}  // namespace

RtfListTextRef::RtfListTextRef(RtfParagraph* owner, int32_t leadIndex)
    : owner(owner), leadIndex(leadIndex) {
  for (int32_t lead = 0; lead < 2; ++lead) {
    const ItemSpan* item = owner->ItemAt(leadIndex + lead);
    if (item != nullptr) leadTexts[lead] = *item;
  }
}

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
    const ItemSpan& source = from->leadTexts[lead];
    // The same text is no move: most lists' second lead text, a tab, is.
    // Both are whole groups, so no delimiter is at stake either.
    if (SameText(textRef->owner->ItemAt(textRef->leadIndex + lead), source)) continue;
    // A lead text is copied up to its first zero byte, which could cut it
    // after a backslash that then escapes the group's closing brace.
    if (source.present() && ReadsAsListNumber(source) &&
        std::memchr(source.text, 0, source.length) == nullptr)
      textRef->owner->ReplaceText(textRef->leadIndex + lead, source);
  }
}

void RtfListEntry::CopyNumberText(const RtfListEntry& from) {
  if (paragraph == nullptr || numberIndex < 0) return;
  const ItemSpan& source = from.numberText;
  if (source.present() && ReadsAsListNumber(source)) paragraph->ReplaceWithWhole(numberIndex, source);
}

void RtfListEntry::KeepNumberText() {
  const ItemSpan* item = paragraph->ItemAt(numberIndex);
  if (item != nullptr) numberText = *item;
}

int RtfListLevel::HasKeptContent() {
  // First asked when the entry above the level settles, which comes before
  // any entry of the level settles: none is released yet, and no paragraph
  // of the level has been kept for its sub-entries' sake.
  if (!keptComputed) {
    keptValue = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
      const RtfListEntry* entry = entries[i];
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

namespace {

// Every removed entry pushes the lead texts after it one entry down, so the
// entry at index i ends up with the lead texts that entry i - r had in the
// input, r being the number of removed entries before it. Taking them from
// there directly gives the same texts in one pass over the level.
// Number texts move only within a run of consecutive numbers: a number that
// does not follow the one before starts another list that shares the level.
void SettleEntry(RtfListLevel& level, size_t i) {
  RtfListEntry& entry = *level.entries[i];
  if (entry.numberIndex >= 0) {
    const int64_t number = FirstNumberOf(entry.numberText);
    if (number >= 0 && level.lastNumber >= 0 && number != level.lastNumber + 1)
      level.removedBefore = 0;
    if (number >= 0) level.lastNumber = number;
  }
  const size_t removedBefore = level.removedBefore;
  if (!Survives(entry)) {
    ++level.removedBefore;
  } else if (entry.textRef != nullptr) {
    if (removedBefore > 0) entry.CopyLeadTexts(level.entries[i - removedBefore]->textRef);
    if (entry.paragraph != nullptr) entry.paragraph->ForceKept();
    entry.textRef->SetExcluded(0);
  } else if (entry.numberIndex >= 0) {
    if (removedBefore > 0) entry.CopyNumberText(*level.entries[i - removedBefore]);
    entry.paragraph->ForceKept();
  }
}

// Whether the entry's fate is known while sub-entries may still join it:
// it survives whatever they hold.
bool KnownEarly(RtfListEntry& entry) {
  if (entry.paragraph == nullptr) return true;
  return entry.paragraph->HasKeptContent() != 0;
}

void Release(RtfListLevel& level, SpareListObjects& spare);

void Release(RtfListEntry& entry, SpareListObjects& spare) {
  if (entry.textRef != nullptr) spare.textRefs.push_back(entry.textRef);
  if (entry.subLevel != nullptr) Release(*entry.subLevel, spare);
  spare.entries.push_back(&entry);
}

// A level whose entry is released is finished, and so is everything below
// it. Levels are at most kMaxListLevel deep.
void Release(RtfListLevel& level, SpareListObjects& spare) {
  level.entries.ReleaseBefore(level.entries.size(),
                              [&spare](RtfListEntry& entry) { Release(entry, spare); });
  if (!level.entries.empty()) Release(*level.entries.back(), spare);
  spare.levels.push_back(&level);
}

}  // namespace

bool SettleListText(RtfListLevel& level, bool closed, SpareListObjects* spare) {
  const size_t count = level.entries.size();
  while (level.settled < count) {
    RtfListEntry& entry = *level.entries[level.settled];
    const bool last = level.settled + 1 == count;
    if (last && !closed && !KnownEarly(entry)) return false;
    SettleEntry(level, level.settled++);
  }
  // The sub-levels of all entries but an open level's last are closed, and
  // done with once settled. Levels are at most kMaxListLevel deep.
  for (; level.finishedBelow < count; ++level.finishedBelow) {
    RtfListEntry& entry = *level.entries[level.finishedBelow];
    const bool entryClosed = closed || level.finishedBelow + 1 < count;
    if (entry.subLevel != nullptr && !SettleListText(*entry.subLevel, entryClosed, spare))
      return false;
    if (!entryClosed) break;
  }
  // Later entries take texts from entry (settled - removedBefore) on.
  if (spare != nullptr)
    level.entries.ReleaseBefore(std::min(level.finishedBelow, level.settled - level.removedBefore),
                                [spare](RtfListEntry& entry) { Release(entry, *spare); });
  return true;
}

}  // namespace bte::rtf
