// The list bookkeeping of a section: every list paragraph becomes an entry
// of its list's level, with its list text hidden until the section is
// written and the entry's survival is known.
#include <algorithm>

#include "rtffilter/structure/rtf_section.h"

namespace bte::rtf {

void RtfSection::RecordListEntry(RtfParagraph* paragraph, const ParagraphListState& state) {
  if (paragraph == nullptr || paragraph->listTextIndex() < 2) return;
  RtfListLevel* target = LevelFor(listRoots_, state);
  if (target == nullptr || paragraph->itemCount() < 2) return;
  const int32_t at = paragraph->listTextIndex();
  if (paragraph->ItemAt(at - 2) == nullptr || paragraph->ItemAt(at) == nullptr) return;
  // Lead texts move from a removed entry to a kept one: only the host's
  // number and tab groups may, never other text, which may be content the
  // target excludes.
  if (!IsWholeGroup(*paragraph->ItemAt(at - 2)) || !IsWholeGroup(*paragraph->ItemAt(at - 1)))
    return;
  RtfListTextRef* ref = lists_.NewTextRef(paragraph, at - 2);
  ref->SetExcluded(1);
  target->entries.push_back(lists_.NewEntry(ref, paragraph));
}

void RtfSection::RecordNumberEntry(RtfParagraph* paragraph, const ParagraphListState& state) {
  if (paragraph == nullptr || paragraph->numberIndex() < 0) return;
  RtfListLevel* target = LevelFor(numberListRoots_, state);
  if (target == nullptr) return;
  RtfListEntry* entry = lists_.NewEntry(nullptr, paragraph);
  entry->numberIndex = paragraph->numberIndex();
  entry->KeepNumberText();
  target->entries.push_back(entry);
}

RtfListLevel* RtfSection::LevelFor(ListRoots& roots, const ParagraphListState& state) {
  const int32_t to = std::min(state.listLevel, kMaxListLevel);
  int32_t from = 0;
  RtfListLevel* parent = nullptr;
  auto root = roots.find(static_cast<uint16_t>(state.listOverride));
  if (root != roots.end()) {
    RtfListLevel* level = root->second;
    while (level->level < to && !level->entries.empty() &&
           level->entries.back()->subLevel != nullptr)
      level = level->entries.back()->subLevel;
    from = level->level + 1;
    parent = level;
  }
  return BuildLevels(roots, from, parent, to, state.listOverride);
}

RtfListLevel* RtfSection::BuildLevels(ListRoots& roots, int32_t from, RtfListLevel* parent,
                                      int32_t to, int32_t listOverride) {
  if (from > to) return parent;
  RtfListLevel* created = nullptr;
  for (int32_t n = from; n <= to; ++n) {
    created = lists_.NewLevel(listOverride, n, parent);
    if (n == 0) {
      roots[static_cast<uint16_t>(listOverride)] = created;
    } else if (parent != nullptr) {
      // A level whose own paragraph was not recorded has no entry to hang
      // the sub-level on; a placeholder holds it, so that it is still
      // restored and freed.
      if (parent->entries.empty() || parent->entries.back()->subLevel != nullptr)
        parent->entries.push_back(lists_.NewEntry());
      parent->entries.back()->subLevel = created;
    }
    if (n < to) created->entries.push_back(lists_.NewEntry());
    parent = created;
  }
  return created;
}

}  // namespace bte::rtf
