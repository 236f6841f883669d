#include "htmlfilter/enclosing_elements.h"

namespace bte {

void EnclosingElements::Restart(HtmlPosition first) {
  stack_.Clear();
  first_ = first;
  next_ = first;
}

const OpenElementStack& EnclosingElements::Before(HtmlPosition position) {
  if (!FollowUpTo(position)) {  // it lies behind: start over
    Restart(first_);
    FollowUpTo(position);
  }
  return stack_;
}

bool EnclosingElements::FollowUpTo(HtmlPosition position) {
  for (; next_ != nullptr && next_ != position; next_ = CHtmlTokenList::GetNext(next_)) {
    CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(next_);
    if (tag == nullptr) {
      FollowText();
    } else {
      Follow(tag);
      if (IsFollowedByWhitespace(*tag)) FollowText();
    }
  }
  return next_ == position;
}

// The removal's own rules, so that both see the same elements: a start tag
// ends what it ends and opens (a table's part only inside a table); an end
// tag closes the innermost element of its kind that it reaches, or nothing,
// unless a formatting element of its kind closed before is still active. A
// link's start tag closes an open link first, as the link's end tag would;
// a table's, the table it stands in outside a cell, whatever is open there.
// Text and phrasing start tags open such elements again, as HTML does.
void EnclosingElements::Follow(CHtmlTagItem* tag) {
  const uint32_t id = tag->GetTagId() & ~pagesift::kEndTagBit;
  if (tag->IsEndTag()) {
    const int closed = pagesift::reach::IsFormatting(id) ? stack_.FindLatestClosedFormatting(id) : -1;
    if (closed >= 0) {
      stack_.ForgetClosedFormatting(closed);
      return;
    }
    const int open = stack_.FindClosedBy(id);
    if (open < 0 || !stack_.Reaches(open, pagesift::ReachOfEndTag(id))) return;
    if (pagesift::reach::IsFormatting(id))
      stack_.CloseFormattingAt(open);
    else
      stack_.PopAbove(open - 1);
    return;
  }
  // HTML ignores a table's part where no table (or template) is open.
  if (pagesift::rules::IsTableStructure(id) && stack_.InnermostTableContext(stack_.Size()) < 0) return;
  if (id == pagesift::kTagAnchor) {
    const int link = stack_.FindActiveFormatting(id);
    if (link >= 0) stack_.CloseFormattingAt(link);
  }
  if (id == pagesift::kTagTable) {
    const int table = stack_.FindTableClosedByTable();
    if (table >= 0) stack_.PopAbove(table - 1);
  }
  const int ended = stack_.FindEndedBy(tag);
  if (ended >= 0) stack_.PopAbove(ended - 1);
  if (stack_.ReopensFormattingAtToken(tag)) stack_.ReopenFormatting();
  stack_.Push(tag);
}

// Text closes a void element before it and opens again the formatting
// elements that HTML keeps active; a raw text element's own text does
// neither.
void EnclosingElements::FollowText() {
  const int top = stack_.Size() - 1;
  if (top >= 0 && pagesift::ContainerContent(*stack_.TagAt(top)) == pagesift::kHoldsNothing) {
    if (!stack_.TagAt(top)->IsVoidTag()) return;
    stack_.PopAbove(top - 1);
  }
  if (stack_.ReopensFormattingAtToken(nullptr)) stack_.ReopenFormatting();
}

}  // namespace bte
