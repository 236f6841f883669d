// Removal of elements whose inline build tags the expression excludes.
//
// HTML lets many end tags be omitted, so the extent of a removed element is
// decided by the containment model: the scan keeps a stack of the elements
// opened inside the removed one and stops at the first token that ends the
// removed element: a start tag that HTML ends it at (none for a span or a
// list, however misplaced what follows), or an end tag that closes an
// element around it. Like HTML, it ignores an end tag that reaches no open
// element (past a table cell, say), and what follows stays removed; the
// end tag of the body or the document, too, unless only whitespace and
// comments follow it: HTML takes content after it back into the elements
// still open. A formatting element's end tag closes it across the blocks
// opened inside it, which stay open with their start tags (an excluded one
// is removed in its turn). A table's part outside any table it ignores, as
// HTML does. The stack replaces recursion, so nesting depth is bounded only
// by memory, and its indexes keep the scan linear.
#include <algorithm>
#include <string>
#include <string_view>

#include "htmlfilter/filter_pass.h"

namespace bte {
namespace {

using pagesift::kEndTagBit;
using pagesift::kTagTableCell;

void MarkDiscardedCell(CHtmlTagItem* cell) { cell->SetAttribute("discard", "yes"); }

// Index of the innermost data or header cell below index below, or -1.
int InnermostCell(const OpenElementStack& stack, int below) {
  return std::max(stack.FindById(kTagTableCell, below), stack.FindById(pagesift::kTagTableHeaderCell, below));
}

// HTML's whitespace: space, tab, line feed, form feed, carriage return.
bool IsWhitespace(std::string_view text) { return text.find_first_not_of(" \t\n\f\r") == text.npos; }

}  // namespace

int HtmlFilterPass::RemoveExcludedElements() {
  const size_t count = document_->GetCandidateCount();
  for (size_t i = 0; i < count; ++i) {
    const HtmlPosition position = document_->GetCandidatePosition(i);
    CHtmlTagItem* tag = document_->GetTagItem(position);
    // CheckInlineBuildTags skips a tag without inline build tags itself.
    if (tag == nullptr || tag->IsDiscardedToken()) continue;
    CheckInlineBuildTags(position, tag);
  }
  return 1;
}

void HtmlFilterPass::CheckInlineBuildTags(HtmlPosition position, CHtmlTagItem* tag) {
  CByteString text;
  if (!document_->GetInlineBuildTags(tag, text)) return;
  if (IsExcluded(text.View())) RemoveTaggedElement(position, tag);
}

// Authors may separate tags with "," as well; the parser reads ";".
bool HtmlFilterPass::IsExcluded(std::string_view tagSet) const {
  if (askedBefore_ && tagSet == memory_.lastTagSet) return lastExcluded_;
  std::string forParser(tagSet);
  std::replace(forParser.begin(), forParser.end(), ',', ';');
  const bool excluded = parser_->IsIncluded(forParser.c_str()) != S_OK;
  memory_.lastTagSet.assign(tagSet);
  lastExcluded_ = excluded;
  askedBefore_ = true;
  return excluded;
}

void HtmlFilterPass::RemoveTaggedElement(HtmlPosition position, CHtmlTagItem* tag) {
  const uint32_t removedId = tag->GetTagId();
  removedAny_ = true;
  if (removedId == kTagTableCell)
    MarkDiscardedCell(tag);
  else
    tag->DiscardToken();

  // Nested elements of the removed kind are open elements like any other:
  // a count of them alone would lose track of what encloses them, and an
  // end tag after an inner list closed would end the removal inside an
  // outer list, leaving the rest of it to the reader. Inside a formatting
  // element, a block's start tag is discarded only once the block closes:
  // one that outlives the element's end tag stays.
  OpenElementStack& stack = memory_.removalStack;
  stack.Reset(tag);
  activeAroundKnown_ = false;
  RemovalScan scan{position, tag, removedId};
  scan.heading = pagesift::rules::IsHeading(removedId);
  scan.whitespaceBefore = IsFollowedByWhitespace(*tag);
  scan.strayPart = pagesift::rules::IsTableStructure(removedId) && IsStrayTablePart(position, tag, *tag);
  for (HtmlPosition at = CHtmlTokenList::GetNext(position); at != nullptr;
       at = CHtmlTokenList::GetNext(at)) {
    CHtmlTokenItem* token = CHtmlTokenList::GetAt(at);
    if (token->IsDiscardedToken()) continue;
    CHtmlTagItem* current = CHtmlTokenList::GetTagItem(at);
    if (scan.whitespaceBefore) NoteText(scan, nullptr);
    scan.whitespaceBefore = current != nullptr && IsFollowedByWhitespace(*current);
    RemovalStep step = RemovalStep::kTakeToken;
    if (current == nullptr)
      NoteText(scan, nullptr);
    else
      step = current->IsEndTag() ? EndTagStep(scan, current) : StartTagStep(scan, current);
    if (step == RemovalStep::kEndLeavingBlocks) return;
    if (step == RemovalStep::kEnd) break;
    if (step == RemovalStep::kTakeToken) token->DiscardToken();
    if (scan.endTagCame && stack.Size() == 1) break;
  }
  DiscardOpenAbove(0);
}

void HtmlFilterPass::DiscardOpenAbove(int index) {
  OpenElementStack& stack = memory_.removalStack;
  for (int i = stack.Size() - 1; i > index; --i) stack.TagAt(i)->DiscardToken();
  stack.PopAbove(index);
}

// At text, HTML opens the formatting elements that it keeps active again on
// top of the current element: over a removed heading, another heading's
// start tag then no longer ends it but goes inside it.
void HtmlFilterPass::NoteText(RemovalScan& scan, const CHtmlTagItem* startTag) {
  const OpenElementStack& stack = memory_.removalStack;
  if (scan.heading && !scan.copiesOverHeading && stack.Size() == 1 && stack.ReopensFormattingAtToken(startTag))
    scan.copiesOverHeading = ReopensFormattingInside(scan.position, scan.removed);
}

HtmlFilterPass::RemovalStep HtmlFilterPass::EndTagStep(RemovalScan& scan, CHtmlTagItem* current) {
  OpenElementStack& stack = memory_.removalStack;
  const uint32_t id = current->GetTagId() & ~kEndTagBit;
  if (ClosesActiveFormattingInside(id)) return RemovalStep::kTakeToken;
  // Like one that closes a formatting element around, it stays.
  if (ClosesActiveFormattingAround(scan.position, scan.removed, id)) return RemovalStep::kLeaveToken;
  const pagesift::EndTagReach reach = pagesift::ReachOfEndTag(id);
  const int open = stack.FindClosedBy(id);
  if (open == 0 && stack.Reaches(0, reach)) {  // the removed element's own end tag
    // HTML ignores a stray table part's end tag too: what is open inside
    // it stays open, and goes with it.
    if (scan.strayPart && stack.Size() > 1) {
      scan.endTagCame = true;
      return RemovalStep::kTakeToken;
    }
    if (scan.removedId == kTagTableCell)
      MarkDiscardedCell(scan.removed);
    else
      current->DiscardToken();
    // A formatting element's end tag leaves the blocks opened inside it
    // open, with their start tags: what follows up to their end tags is
    // theirs, and the pass comes to an excluded one among them later.
    return pagesift::reach::IsFormatting(scan.removedId) ? RemovalStep::kEndLeavingBlocks : RemovalStep::kEnd;
  }
  if (open > 0 && stack.Reaches(open, reach)) {
    if (pagesift::reach::IsFormatting(id))
      stack.CloseFormattingAt(open);
    else
      DiscardOpenAbove(open - 1);
  } else if (open < 0 && ClosesEnclosingElement(scan.position, scan.removed, *current, reach)) {
    return RemovalStep::kEnd;
  } else if (open < 0 && ClosesFormattingAcross(scan.position, scan.removed, *current, reach)) {
    return RemovalStep::kLeaveToken;
  }
  // Any other end tag HTML ignores: it goes with the removed content.
  return RemovalStep::kTakeToken;
}

HtmlFilterPass::RemovalStep HtmlFilterPass::StartTagStep(RemovalScan& scan, CHtmlTagItem* current) {
  OpenElementStack& stack = memory_.removalStack;
  if (current->GetTagId() == pagesift::kTagAnchor && ClosesLink(scan, *current)) {
    // Blocks opened inside a removed link stay open, as at its end tag.
    return pagesift::reach::IsFormatting(scan.removedId) ? RemovalStep::kEndLeavingBlocks : RemovalStep::kEnd;
  }
  if (current->GetTagId() == pagesift::kTagTable && ClosesTable(scan)) return RemovalStep::kEnd;
  // A table's part where none has its place neither ends nor opens anything.
  if (IsStrayTablePart(scan.position, scan.removed, *current)) return RemovalStep::kTakeToken;
  NoteText(scan, current);
  int ended = stack.FindEndedBy(current);
  // Copies over the heading stand between it and a heading's start tag,
  // which closes a paragraph on top of them only.
  if (ended == 0 && scan.copiesOverHeading && ReopensFormattingInside(scan.position, scan.removed))
    ended = stack.Size() > 1 && stack.TagAt(1)->GetTagId() == pagesift::kTagParagraph ? 1 : -1;
  if (ended == 0) return RemovalStep::kEnd;  // the removed element ends before this tag
  if (ended < 0 && EndsEnclosingElement(scan.position, scan.removed, current)) return RemovalStep::kEnd;
  if (ended > 0) DiscardOpenAbove(ended - 1);
  stack.Push(current);
  const bool keptBlock = pagesift::reach::IsFormatting(scan.removedId) && stack.IsBlockLevelAt(stack.Size() - 1);
  return keptBlock ? RemovalStep::kLeaveToken : RemovalStep::kTakeToken;
}

const OpenElementStack& HtmlFilterPass::Around(HtmlPosition position, CHtmlTagItem* removed, int& open) {
  const OpenElementStack& around = memory_.enclosing.Before(position);
  // Those that the removed element's start tag ended are closed already.
  const int ended = around.FindEndedBy(removed);
  open = ended >= 0 ? ended : around.Size();
  return around;
}

// HTML keeps a formatting element that something else closed active: the
// next end tag of its kind closes it, if it is the latest of its kind, and
// does nothing else.
bool HtmlFilterPass::ClosesActiveFormattingInside(uint32_t id) {
  if (!pagesift::reach::IsFormatting(id)) return false;
  OpenElementStack& inside = memory_.removalStack;
  const int closed = inside.FindLatestClosedFormatting(id);
  if (closed < 0) return false;
  inside.ForgetClosedFormatting(closed);
  return true;
}

// Those around the removed element count where nothing of the kind is open
// inside and nothing inside bounds them (a cell), and only around a block:
// HTML reopens them at an inline element's start tag, as copies around it,
// and the end tag then closes the copy and the element with it.
bool HtmlFilterPass::ClosesActiveFormattingAround(HtmlPosition position, CHtmlTagItem* removed, uint32_t id) {
  const OpenElementStack& inside = memory_.removalStack;
  if (!pagesift::reach::IsFormatting(id) || inside.FindById(id) >= 0 || inside.BoundsClosedFormatting() ||
      !pagesift::IsBlockLevel(*removed))
    return false;
  std::vector<uint32_t>& around = ActiveAround(position, removed);
  const auto kind = std::find(around.begin(), around.end(), id);
  if (kind == around.end()) return false;
  around.erase(kind);
  // A copy of it over a removed heading closes with it.
  std::vector<uint32_t>& reopened = memory_.reopenedAround;
  const auto copy = std::find(reopened.begin(), reopened.end(), id);
  if (copy != reopened.end()) reopened.erase(copy);
  return true;
}

std::vector<uint32_t>& HtmlFilterPass::ActiveAround(HtmlPosition position, CHtmlTagItem* removed) {
  std::vector<uint32_t>& around = memory_.activeAround;
  if (!activeAroundKnown_) {
    int open = 0;
    const OpenElementStack& enclosing = Around(position, removed, open);
    enclosing.ClosedFormattingKindsAt(open, around);
    enclosing.ReopenedKindsAt(open, memory_.reopenedAround);
    activeAroundKnown_ = true;
  }
  return around;
}

bool HtmlFilterPass::ReopensFormattingInside(HtmlPosition position, CHtmlTagItem* removed) {
  if (memory_.removalStack.ReopensFormattingOver(0)) return true;
  ActiveAround(position, removed);
  return !memory_.reopenedAround.empty();
}

// An end tag that matches nothing opened inside the removed element ends
// the removal only where it closes an element around it.
bool HtmlFilterPass::ClosesEnclosingElement(HtmlPosition position, CHtmlTagItem* removed,
                                            const CHtmlTagItem& endTag, pagesift::EndTagReach reach) {
  const uint32_t id = endTag.GetTagId() & ~kEndTagBit;
  if (pagesift::EndTagClosesNothing(id)) return EndsDocument(endTag);
  const OpenElementStack& inside = memory_.removalStack;
  // A formatting element closed across a block leaves what follows to the
  // block, which the removal takes (ClosesFormattingAcross).
  if (endTag.IsInlineLevelTag() && inside.HasBlockLevelEntry()) return false;
  if (inside.Hides(reach)) return false;
  return EnclosingElementClosedBy(position, removed, id, reach) >= 0;
}

// Such an end tag of a formatting element around the removed one, inside a
// block of it, closes the formatting element there: the end tag stays, or
// the element would run on over the rest of the topic.
bool HtmlFilterPass::ClosesFormattingAcross(HtmlPosition position, CHtmlTagItem* removed,
                                            const CHtmlTagItem& endTag, pagesift::EndTagReach reach) {
  const uint32_t id = endTag.GetTagId() & ~kEndTagBit;
  const OpenElementStack& inside = memory_.removalStack;
  return pagesift::reach::IsFormatting(id) && inside.HasBlockLevelEntry() && !inside.Hides(reach) &&
         EnclosingElementClosedBy(position, removed, id, reach) >= 0;
}

int HtmlFilterPass::EnclosingElementClosedBy(HtmlPosition position, CHtmlTagItem* removed, uint32_t id,
                                             pagesift::EndTagReach reach) {
  int below = 0;
  const OpenElementStack& around = Around(position, removed, below);
  const int open = around.FindClosedBy(id, below);
  return open >= 0 && around.Reaches(open, reach, below) ? open : -1;
}

// A start tag that nothing opened inside the removed element holds (for an
// item's: nothing inside stops its search) may end an element around it:
// a block's start tag a paragraph, an item's the item it stands in. HTML
// then closes the removed element with it.
bool HtmlFilterPass::EndsEnclosingElement(HtmlPosition position, CHtmlTagItem* removed,
                                          CHtmlTagItem* startTag) {
  const OpenElementStack& inside = memory_.removalStack;
  const bool tablePart = pagesift::rules::IsTableStructure(startTag->GetTagId()) &&
                         inside.InnermostTableContext(inside.Size()) < 0;
  if (!tablePart && inside.Shields(startTag)) return false;
  int base = 0;
  const OpenElementStack& around = Around(position, removed, base);
  // In a table's cell, a table part's start tag closes the cell with
  // everything open in it.
  if (tablePart) return InnermostCell(around, base) > around.InnermostTableContext(base);
  // The elements open at startTag as HTML has them: those around, then
  // those inside, whose own content decides what is the current element.
  OpenElementStack& open = memory_.openAtStartTag;
  open.Clear();
  for (int i = 0; i < base; ++i) open.Push(around.TagAt(i));
  for (int i = 0; i < inside.Size(); ++i) open.Push(inside.TagAt(i));
  const int ended = open.FindEndedBy(startTag);
  if (ended < 0 || ended > base) return false;
  const CHtmlTagItem& closed = *open.TagAt(ended);
  return closed.GetTagId() == pagesift::kTagParagraph ||
         pagesift::IsItemContent(pagesift::ContainerContent(closed));
}

// A link's start tag closes an open link first, as the link's end tag
// would: one inside the removed element where it stands, which goes on; the
// removed link itself, or one around it where nothing inside keeps it open
// (a block): then the removed element ends, and true.
bool HtmlFilterPass::ClosesLink(const RemovalScan& scan, const CHtmlTagItem& startTag) {
  OpenElementStack& inside = memory_.removalStack;
  const int link = inside.FindActiveFormatting(pagesift::kTagAnchor);
  if (link > 0) inside.CloseFormattingAt(link);
  if (link >= 0) return link == 0;
  return !inside.BoundsClosedFormatting() &&
         ClosesEnclosingElement(scan.position, scan.removed, startTag, pagesift::ReachOfEndTag(pagesift::kTagAnchor));
}

// A table's start tag outside the cells (and caption) of the table it
// stands in closes that table first, with whatever is open in it: one
// inside the removed element, which goes on; the removed table itself, or
// one around it: then the removed element ends, and true.
bool HtmlFilterPass::ClosesTable(const RemovalScan& scan) {
  const OpenElementStack& inside = memory_.removalStack;
  const int table = inside.FindTableClosedByTable();
  if (table > 0) DiscardOpenAbove(table - 1);
  if (table >= 0) return table == 0;
  if (inside.HoldsNestedTables(inside.Size())) return false;
  int open = 0;
  return Around(scan.position, scan.removed, open).FindTableClosedByTable(open) >= 0;
}

bool HtmlFilterPass::IsStrayTablePart(HtmlPosition position, CHtmlTagItem* removed, const CHtmlTagItem& startTag) {
  if (!pagesift::rules::IsTableStructure(startTag.GetTagId())) return false;
  const OpenElementStack& inside = memory_.removalStack;
  if (inside.InnermostTableContext(inside.Size()) >= 0) return false;
  int open = 0;
  return Around(position, removed, open).InnermostTableContext(open) < 0;
}

// Found once per pass, walking back from the last token: a document holds
// few such end tags, but one that holds many is still read once.
bool HtmlFilterPass::EndsDocument(const CHtmlTagItem& endTag) {
  std::vector<const CHtmlTokenItem*>& ends = memory_.documentEndTags;
  if (!documentEndKnown_) {
    ends.clear();
    for (HtmlPosition at = document_->GetTokenList()->GetTailPosition(); at != nullptr;
         at = CHtmlTokenList::GetPrev(at)) {
      const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
      if (tag == nullptr) {
        if (!IsWhitespace(CHtmlTokenList::GetAt(at)->GetSourceText())) break;
      } else if (tag->IsEndTag() && pagesift::EndTagClosesNothing(tag->GetTagId() & ~kEndTagBit)) {
        ends.push_back(tag);
      } else if (!tag->IsMarkupTag()) {
        break;
      }
    }
    std::sort(ends.begin(), ends.end());
    documentEndKnown_ = true;
  }
  return std::binary_search(ends.begin(), ends.end(), &endTag);
}

}  // namespace bte
