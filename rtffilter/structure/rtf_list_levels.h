// List entries of the host's own list text, per list and level, so that the
// list text of removed entries goes and the entries after them take over the
// lead texts (the visible numbers) of the entries before them. The number
// texts that word processors write for readers ({\listtext}, {\pntext})
// move down the same way, within a run of consecutive numbers. Levels,
// entries and text references live in their section's arena.
#ifndef BTE_RTFFILTER_STRUCTURE_RTF_LIST_LEVELS_H
#define BTE_RTFFILTER_STRUCTURE_RTF_LIST_LEVELS_H

#include <cstdint>
#include <vector>

#include "rtffilter/structure/item_span.h"

namespace bte::rtf {

class RtfParagraph;
class RtfListLevel;

// Deepest list level followed; deeper paragraphs count as this level. RTF
// defines nine levels, and the bound keeps the level walks shallow.
constexpr int32_t kMaxListLevel = 8;

// The three items of a list paragraph: two lead items and the list text
// right after them. The paragraph, filed and no longer growing, owns them.
class RtfListTextRef {
 public:
  RtfListTextRef(RtfParagraph* owner, int32_t leadIndex) : owner(owner), leadIndex(leadIndex) {}
  virtual ~RtfListTextRef() = default;

  ItemSpan* leadItem1() const;
  ItemSpan* leadItem2() const;
  ItemSpan* listTextItem() const;
  // Shows (excluded 0) or hides (1) all three items.
  void SetExcluded(int32_t excluded) const;

  RtfParagraph* owner;  // not owned
  int32_t leadIndex;    // of leadItem1
};

class RtfListEntry {
 public:
  // No text reference and no paragraph: a placeholder that holds a sub-level.
  RtfListEntry() = default;
  RtfListEntry(RtfListTextRef* ref, RtfParagraph* owner) : textRef(ref), paragraph(owner) {}
  virtual ~RtfListEntry() = default;

  // Takes over the lead texts of from (as they were in the input), each only
  // when both items exist and from's reads as a list number
  // (list_number_text.h): text of a removed entry never moves otherwise.
  void CopyLeadTexts(const RtfListTextRef* from);

  // Takes over the number text for readers that from had in the input, when
  // it reads as a list number.
  void CopyNumberText(const RtfListEntry& from);

  RtfListTextRef* textRef = nullptr;
  RtfParagraph* paragraph = nullptr;
  RtfListLevel* subLevel = nullptr;
  int32_t numberIndex = -1;  // of the paragraph's number text, or -1
};

class RtfListLevel {
 public:
  RtfListLevel(int32_t listOverride, int32_t level, RtfListLevel* parent)
      : listOverride(listOverride), level(level), parent(parent) {}
  virtual ~RtfListLevel() = default;

  // 1 when an entry's paragraph or sub-level keeps content. Cached.
  int HasKeptContent();

  std::vector<RtfListEntry*> entries;
  int32_t listOverride;
  int32_t level;
  int32_t keptComputed = 0;
  int32_t keptValue = 0;
  RtfListLevel* parent;
};

// Shows the list text of surviving entries again and moves lead texts down
// over removed entries, for the level and everything below it. 1.
int RestoreListText(RtfListLevel& level);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_RTF_LIST_LEVELS_H
