// Which open element an end tag may close. An HTML parser closes an
// element at an end tag only when no open element between hides it, and
// ignores an end tag that finds nothing: a table hides what is open around
// it from every end tag, a cell from all but a table part's (an author's
// stray </div> inside a cell closes nothing), a list hides outer items from
// </li>, a button outer paragraphs from </p>, and for an inline end tag
// without rules of its own (</span>, </label>, unknown elements) any block
// does. The formatting elements (b, i, a, font and their kind) are closed
// across blocks, each block keeping a copy of them, and </template> closes
// its template whatever is open inside. A heading's end tag closes the
// innermost heading of any level (</h2> ends an open <h3>). The end tags of
// the body and the document close nothing: they only tell the parser that
// the document ends there, and content after them goes on in the elements
// still open.
//
// Like the containment rules, this is the library's vocabulary: header-only,
// on tag ids.
#ifndef PAGESIFT_END_TAG_REACH_H
#define PAGESIFT_END_TAG_REACH_H

#include <cstdint>

#include "pagesift/containment_rules.h"
#include "pagesift/tag_codes.h"

namespace pagesift {

enum class EndTagReach : uint8_t { kTable, kDefault, kListItem, kButton, kInlineOther, kEverything };
constexpr int kEndTagReaches = 6;

namespace reach {

constexpr uint32_t kFormattingElements[] = {
    kTagAnchor, 0x20010 /* b */, 0x20020 /* i */, 0x20030 /* u */, 0x20040 /* s */,
    0x20050 /* strike */, kTagBig, kTagSmall, 0x20080 /* em */, 0x20090 /* strong */,
    0x200A0 /* code */, 0x20130 /* tt */, 0x201A0 /* nobr */, 0x20260 /* font */};

constexpr bool IsFormatting(uint32_t id) {
  for (uint32_t formatting : kFormattingElements)
    if (formatting == id) return true;
  return false;
}


constexpr bool HidesFromEveryTag(uint32_t id) {
  return id == kTagHtml || id == kTagTable || id == kTagTemplate;
}

constexpr bool HidesByDefault(uint32_t id) {
  switch (id) {
    case kTagTableCell:
    case kTagTableHeaderCell:
    case kTagTableCaption:
    case kTagApplet:
    case kTagObject:
    case kTagMarquee: return true;
    default: return HidesFromEveryTag(id);
  }
}

}  // namespace reach

// A formatting element's end tag closes it across the blocks opened inside
// it, which stay open (each reopens a copy of it, which the filter does not
// follow). Past this many open elements above it, far deeper than authors
// nest, they close with it: keeping them costs their number for every such
// end tag.
constexpr int kMostBlocksKeptOpen = 16;

constexpr bool EndTagClosesNothing(uint32_t endTagId) {
  return endTagId == kTagBody || endTagId == kTagHtml;
}

// Whether the end tag of element endTagId closes an open element elementId
// that it reaches.
constexpr bool EndTagCloses(uint32_t endTagId, uint32_t elementId) {
  if (EndTagClosesNothing(endTagId)) return false;
  return endTagId == elementId || (rules::IsHeading(endTagId) && rules::IsHeading(elementId));
}

// How far the end tag of element id looks (unknown elements: kTagUnknown).
constexpr EndTagReach ReachOfEndTag(uint32_t id) {
  if (id == kTagTemplate) return EndTagReach::kEverything;
  if (id == kTagTable || rules::IsTableStructure(id)) return EndTagReach::kTable;
  if (id == kTagListItem) return EndTagReach::kListItem;
  if (id == kTagParagraph) return EndTagReach::kButton;
  if (id == kTagUnknown) return EndTagReach::kInlineOther;
  if (rules::IsPhrasingId(id) && !reach::IsFormatting(id) && id != kTagButton && id != kTagObject &&
      id != kTagApplet)
    return EndTagReach::kInlineOther;
  return EndTagReach::kDefault;
}

// Whether an open element with this id hides what lies below it from an end
// tag of this reach. block: the element is a block (li, dt, table parts
// included); holdsNothing: a void or raw-text element, which is never open
// in HTML's sense and hides nothing.
constexpr bool HidesFromEndTag(uint32_t id, bool block, bool holdsNothing, EndTagReach reach) {
  if (holdsNothing) return false;
  switch (reach) {
    case EndTagReach::kTable: return reach::HidesFromEveryTag(id);
    case EndTagReach::kDefault: return reach::HidesByDefault(id);
    case EndTagReach::kListItem:
      return reach::HidesByDefault(id) || id == kTagUnorderedList || id == kTagOrderedList;
    case EndTagReach::kButton: return reach::HidesByDefault(id) || id == kTagButton;
    case EndTagReach::kInlineOther:
      return block || reach::HidesByDefault(id) || id == kTagBody || id == kTagButton ||
             id == kTagSelect;
    case EndTagReach::kEverything: return false;
  }
  return false;
}

inline bool HidesFromEndTag(const CHtmlTagItem& open, EndTagReach reach) {
  return HidesFromEndTag(open.GetTagId(), IsBlockLevel(open),
                         ContainerContent(open) == kHoldsNothing, reach);
}

}  // namespace pagesift

#endif  // PAGESIFT_END_TAG_REACH_H
