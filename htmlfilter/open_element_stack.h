// The elements opened inside an element being removed, innermost on top.
//
// The removal scan asks two questions per token: which is the innermost
// open element that may contain this tag, and which is the innermost open
// element with this id. Answering them by walking the stack would make a
// removed element holding many open elements and many same-kind tags
// quadratic. Whether an element may contain a tag depends on the element
// only through its content type, so it is enough to ask the innermost
// element of each content type present, innermost first; ids are indexed
// the same way. Both indexes are chains through the entries, so pushing and
// popping stay constant time. Their tops are short lists rather than hash
// maps: there are a few content types and at most one id per element kind
// (all unknown elements share one), and a pass resets them per removal.
#ifndef BTE_HTMLFILTER_OPEN_ELEMENT_STACK_H
#define BTE_HTMLFILTER_OPEN_ELEMENT_STACK_H

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "pagesift/end_tag_reach.h"
#include "pagesift/pagesift.h"

namespace bte {

// Whitespace between two tags travels with the tag before it; to HTML it is
// text, which opens active formatting elements again like any other.
inline bool IsFollowedByWhitespace(const CHtmlTagItem& tag) {
  const std::string_view source = tag.GetSourceText();
  const std::string_view alone = tag.GetTagText();
  return alone.data() + alone.size() != source.data() + source.size();
}

class OpenElementStack {
 public:
  // marksMisplaced: FindContainerFor marks the tags it admits out of place,
  // as the removal does; a stack that only follows the document leaves
  // its tags as they are.
  explicit OpenElementStack(bool marksMisplaced = true) : marksMisplaced_(marksMisplaced) {}

  // Empties the stack, keeping its storage.
  void Clear();
  // Starts afresh with the removed element's start tag as the bottom entry.
  // One stack serves every removal of a pass, so that its storage is
  // allocated once, not per removed element.
  void Reset(CHtmlTagItem* bottom);

  // Index of the innermost entry that may contain tag, or -1. Asks the
  // containment model exactly as a walk from the top would, so the marks
  // it leaves on tag are the same.
  int FindContainerFor(CHtmlTagItem* tag) const;
  // Whether the entries keep tag, a start tag, from ending what lies below
  // them: one holds it, or, for an item's start tag, one stops its search.
  bool Shields(CHtmlTagItem* tag) const;
  // Index of the outermost entry that tag ends (a start tag, by the
  // containment rules' EndsAtUnheldTag), or -1: an entry that may contain
  // tag shields those below it, and one that neither contains tag nor ends
  // at it stays open around it unless one below it ends.
  int FindEndedBy(CHtmlTagItem* tag) const;
  // Index of the table that a table's start tag closes first, as HTML does
  // where no cell, caption or template is open in it (whatever else is:
  // HTML sets such elements before the table), or -1; the second form
  // looks only at the entries below index below.
  int FindTableClosedByTable() const { return FindTableClosedByTable(Size()); }
  int FindTableClosedByTable(int below) const;
  // Whether a cell, caption or template is open in the innermost table, or
  // where no table is (below index below): a table's start tag there opens
  // a table inside it.
  bool HoldsNestedTables(int below) const;
  // Index of the innermost entry whose start tag id is id, or -1; the
  // second form looks only at the entries below index below.
  int FindById(uint32_t id) const;
  int FindById(uint32_t id, int below) const;
  // Index of the innermost table or template below index below, or -1: in
  // either, a table's parts have their place.
  int InnermostTableContext(int below) const {
    return std::max(FindById(pagesift::kTagTable, below), FindById(pagesift::kTagTemplate, below));
  }
  // Index of the innermost entry that an end tag of element id closes (its
  // own kind; any heading for a heading's; none for the body's or the
  // document's), or -1; the second form looks only at the entries below
  // index below.
  int FindClosedBy(uint32_t id) const { return FindClosedBy(id, Size()); }
  int FindClosedBy(uint32_t id, int below) const;
  // Whether an end tag of this reach gets down to the entry at index past
  // the entries above it (up to index below, exclusive): none of them
  // hides it.
  bool Reaches(int index, pagesift::EndTagReach reach, int below) const;
  bool Reaches(int index, pagesift::EndTagReach reach) const { return Reaches(index, reach, Size()); }
  // Whether some entry hides what lies below it from an end tag of this reach.
  bool Hides(pagesift::EndTagReach reach) const { return Size() > 0 && !Reaches(-1, reach); }
  int Size() const { return static_cast<int>(entries_.size()); }
  CHtmlTagItem* TagAt(int index) const { return entries_[index].tag; }
  bool HasBlockLevelEntry() const { return blockLevelEntries_ > 0; }
  bool IsBlockLevelAt(int index) const { return entries_[index].blockLevel; }
  // Drops the entries above index (index itself stays; -1 empties).
  void PopAbove(int index) { PopAbove(index, -1); }
  // Closes the entry at index, a formatting element, as HTML does: the
  // block-level entries above it stay open, the others close with it.
  void CloseFormattingAt(int index);
  void Push(CHtmlTagItem* tag);

  // A formatting element closed by anything but its own end tag stays
  // active in HTML, up to the end of the cell (or caption, object,
  // template) it was opened in: its kind's next end tag closes it rather
  // than an element of that kind opened before it, and is otherwise
  // ignored. Index of the latest such element of kind id that is more
  // recent than every open one of that kind, or -1.
  int FindLatestClosedFormatting(uint32_t id) const;
  // Index of the innermost open element of kind id, a formatting element's,
  // that nothing bounding the active ones (a cell, say) was opened above,
  // or -1: a link's start tag closes that link first, as HTML does.
  int FindActiveFormatting(uint32_t id) const {
    const int index = FindById(id);
    return index >= 0 && entries_[index].activeScope == ActiveScopeBelow(Size()) ? index : -1;
  }
  // Forgets that element: its end tag has come.
  void ForgetClosedFormatting(int index);
  // The kinds of the formatting elements that an end tag of their kind
  // would reach first from above the entry at index below - 1, when the
  // entries from below on close too: those closed before, and those open
  // at below or above.
  void ClosedFormattingKindsAt(int below, std::vector<uint32_t>& kinds) const;
  // Whether an entry that bounds them is open (a cell, say): then none
  // from below the entries counts.
  bool BoundsClosedFormatting() const { return ActiveScopeBelow(Size()) != 0; }
  // At text or at a phrasing element's start tag, HTML opens again, as
  // copies, the formatting elements closed since the newest open one of the
  // scope. The kinds of those it would, were the entries from below on
  // closed too.
  void ReopenedKindsAt(int below, std::vector<uint32_t>& kinds) const;
  // Whether some of those that something else closed would be open again
  // directly over the entry at index, had text come there.
  bool ReopensFormattingOver(int index) const;
  // Opens them again, oldest first.
  void ReopenFormatting();
  // Whether the token is one that HTML opens them again at: text (null) or
  // a phrasing element's start tag, though not in a table's own structure,
  // where text goes elsewhere.
  bool ReopensFormattingAtToken(const CHtmlTagItem* startTag) const;

 private:
  struct Entry {
    CHtmlTagItem* tag;
    uint32_t contentType;
    int belowSameContent;  // next entry down with the same content type
    int belowSameId;       // next entry down with the same id
    bool blockLevel;
    // Per end-tag reach: the topmost entry at or below this one that hides
    // what lies below it from such an end tag, or -1.
    int hiding[pagesift::kEndTagReaches];
    // The topmost entry at or below this one that stops a list item's,
    // term's or definition's start tag (pagesift::StopsItemSearch), or -1.
    int itemSearchStop;
    uint32_t sequence;  // in the order of pushing, from 1
    // The sequence of the topmost entry at or below this one that bounds
    // the formatting elements that stay active (a cell, say), or 0.
    uint32_t activeScope;
    // The sequence of the topmost formatting entry at or below this one in
    // its scope, or 0.
    uint32_t newestFormatting;
  };
  struct ClosedFormatting {
    CHtmlTagItem* tag;
    uint32_t id;
    uint32_t sequence;
    uint32_t activeScope;
  };
  // Starts kinds with those of the formatting entries from index below on,
  // in the scope of the entries below it: they close with below's.
  void FormattingKindsFrom(int below, std::vector<uint32_t>& kinds) const;
  // Whether a closed formatting element lies in the scope of the entries
  // below index below and is newer than every open one there.
  bool ReopensBelow(const ClosedFormatting& closed, int below) const;
  void PopAbove(int index, int closedByEndTag);
  void KeepActive(const Entry& entry);
  uint32_t ActiveScopeBelow(int below) const { return below > 0 ? entries_[below - 1].activeScope : 0; }
  // Whether tag, a start tag, ends the entry at index (and all above it).
  bool StartTagEnds(int index, const CHtmlTagItem& tag) const;

  // The innermost entry of each key present.
  struct Top {
    uint32_t key;
    int index;
  };
  using Tops = std::vector<Top>;
  static int Link(Tops& tops, uint32_t key, int index);
  static void Unlink(Tops& tops, uint32_t key, int below);

  std::vector<Entry> entries_;
  Tops topByContent_;
  Tops topById_;
  int blockLevelEntries_ = 0;
  uint32_t pushed_ = 0;
  std::vector<ClosedFormatting> closedFormatting_;
  bool marksMisplaced_;
  mutable std::vector<int> candidates_;  // FindContainerFor's, kept for its storage
  std::vector<CHtmlTagItem*> reopened_;  // CloseFormattingAt's, kept for its storage
  std::vector<ClosedFormatting> reopenedFormatting_;  // ReopenFormatting's, the same
};

}  // namespace bte

#endif  // BTE_HTMLFILTER_OPEN_ELEMENT_STACK_H
