// List entries of the host's own list text, per list and level, so that the
// list text of removed entries goes and the entries after them take over the
// lead texts (the visible numbers) of the entries before them. The number
// texts that word processors write for readers ({\listtext}, {\pntext})
// move down the same way, within a run of consecutive numbers. Levels,
// entries and text references live in their section's arena.
#ifndef BTE_RTFFILTER_STRUCTURE_RTF_LIST_LEVELS_H
#define BTE_RTFFILTER_STRUCTURE_RTF_LIST_LEVELS_H

#include <cstddef>
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
// right after them. The paragraph, filed and no longer growing, owns them
// until the entry is settled; the lead texts as they stand in the input are
// kept here, for the entries after it to take over when the paragraph is
// long written.
class RtfListTextRef {
 public:
  RtfListTextRef(RtfParagraph* owner, int32_t leadIndex);
  virtual ~RtfListTextRef() = default;

  ItemSpan* leadItem1() const;
  ItemSpan* leadItem2() const;
  ItemSpan* listTextItem() const;
  // Shows (excluded 0) or hides (1) all three items.
  void SetExcluded(int32_t excluded) const;

  RtfParagraph* owner;  // not owned; not followed once the entry is settled
  int32_t leadIndex;    // of leadItem1
  ItemSpan leadTexts[2];
};

class RtfListEntry {
 public:
  // No text reference and no paragraph: a placeholder that holds a sub-level.
  RtfListEntry() = default;
  RtfListEntry(RtfListTextRef* ref, RtfParagraph* owner) : textRef(ref), paragraph(owner) {}
  virtual ~RtfListEntry() = default;

  // Takes over the lead texts of from (as they were in the input), each only
  // when both items exist and from's reads as a list number
  // (list_number_text.h) and holds no zero byte: text of a removed entry
  // never moves otherwise.
  void CopyLeadTexts(const RtfListTextRef* from);

  // Takes over the number text for readers that from had in the input, when
  // it reads as a list number.
  void CopyNumberText(const RtfListEntry& from);
  // Keeps the number text as it stands in the input, for later entries.
  void KeepNumberText();

  RtfListTextRef* textRef = nullptr;
  RtfParagraph* paragraph = nullptr;  // not followed once the entry is settled
  RtfListLevel* subLevel = nullptr;
  int32_t numberIndex = -1;  // of the paragraph's number text, or -1
  ItemSpan numberText;       // as it stands in the input
};

// A level's entries in document order, each known by its index since the
// level began. Entries that can play no part any more are released from
// the front, so that a list running through a long document holds only
// the entries a later one may still take texts from; the last entry is
// never released.
class ListEntries {
 public:
  size_t size() const { return firstIndex_ + slots_.size(); }
  bool empty() const { return size() == 0; }
  // index names an entry not released.
  RtfListEntry* operator[](size_t index) const { return slots_[index - firstIndex_]; }
  RtfListEntry* back() const { return slots_.back(); }
  void push_back(RtfListEntry* entry) { slots_.push_back(entry); }
  // Releases the entries before index (all but the last), handing each to
  // release.
  template <class Release>
  void ReleaseBefore(size_t index, Release&& release) {
    for (; released_ < index && released_ + 1 < size(); ++released_) release(*(*this)[released_]);
    // Dropping the released slots costs a copy of the rest: only when they
    // are the greater part.
    if (released_ - firstIndex_ > slots_.size() / 2) {
      slots_.erase(slots_.begin(), slots_.begin() + (released_ - firstIndex_));
      firstIndex_ = released_;
    }
  }

 private:
  std::vector<RtfListEntry*> slots_;
  size_t firstIndex_ = 0;  // of slots_[0]
  size_t released_ = 0;    // entries before it are gone
};

// Released entries, text references and levels, for new ones to take.
struct SpareListObjects {
  std::vector<RtfListEntry*> entries;
  std::vector<RtfListTextRef*> textRefs;
  std::vector<RtfListLevel*> levels;
};

class RtfListLevel {
 public:
  RtfListLevel(int32_t listOverride, int32_t level, RtfListLevel* parent)
      : listOverride(listOverride), level(level), parent(parent) {}
  virtual ~RtfListLevel() = default;

  // 1 when an entry's paragraph or sub-level keeps content. Cached.
  int HasKeptContent();

  ListEntries entries;
  int32_t listOverride;
  int32_t level;
  int32_t keptComputed = 0;
  int32_t keptValue = 0;
  RtfListLevel* parent;
  // How far the list text pass has come (see SettleListText).
  size_t settled = 0;        // entries before it are shown or hidden for good
  size_t finishedBelow = 0;  // sub-levels of entries before it are settled whole
  size_t removedBefore = 0;  // removed entries whose lead texts the next ones take over
  int64_t lastNumber = -1;   // of the last number text for readers, or -1
};

// Shows the list text of surviving entries again and moves lead texts down
// over removed entries, for the level and everything below it, as far as
// the entries' fates are known. An entry's fate is known once its paragraph
// keeps content, or once no sub-entry can join it any more: a later entry
// of its level came, or the level is closed (closed: no entry can join it,
// because its section ended or the entry it hangs under has a successor).
// Settling an entry early or at the end gives the same output, so a
// section may write what lies before its first unsettled entry.
// True when every entry of the level and of the levels below it is settled.
// With spare, entries that can play no part any more (settled, their
// sub-levels too, and before any entry a later one may take texts from)
// are released into it, with their text references and sub-levels.
bool SettleListText(RtfListLevel& level, bool closed, SpareListObjects* spare = nullptr);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_RTF_LIST_LEVELS_H
