#include "pagesift/containment.h"

#include <vector>

#include "pagesift/containment_rules.h"
#include "pagesift/end_tag_reach.h"
#include "pagesift/tag_codes.h"

namespace pagesift {
namespace {

// Index of the outermost open element that tag ends, or -1: tag ends it
// and everything opened inside it. An element that may hold tag shields
// those below it, but from an item's start tag only where it also stops
// the search (a division does not: past it, only an item can end); one
// that neither holds tag nor ends at it stays open around it (as HTML
// keeps a span around a paragraph, or a list around a misplaced one),
// unless an element below it ends.
long FindEnded(const std::vector<const CHtmlTagItem*>& stack, const CHtmlTagItem& tag) {
  const long top = static_cast<long>(stack.size()) - 1;
  const bool itemStart = IsItemStart(tag.GetTagId());
  long ended = -1;
  bool searchStopped = false;
  bool pastHolder = false;
  for (long i = top; i >= 0; --i) {
    const CHtmlTagItem& open = *stack[i];
    const uint8_t content = ContainerContent(open);
    const bool holds = Admit(open, tag) != Admission::kNo;
    if (holds && (!itemStart || StopsItemSearch(open))) break;
    const bool paragraphAtMost = i == top || stack[i + 1]->GetTagId() == kTagParagraph;
    if (!holds && (!pastHolder || IsItemContent(content)) && EndsAtUnheldTag(open, tag) &&
        StartTagReaches(content, searchStopped, paragraphAtMost))
      ended = i;
    pastHolder = pastHolder || holds;
    searchStopped = searchStopped || StopsItemSearch(open);
  }
  return ended;
}

constexpr long kHidden = -2;

// Index of the innermost open element that an end tag of id closes; -1 when
// none matches, kHidden when an element between hides the match (or what
// lies below it) from that end tag, which HTML then ignores.
long FindReached(const std::vector<const CHtmlTagItem*>& stack, uint32_t id) {
  const EndTagReach reach = ReachOfEndTag(id);
  for (long i = static_cast<long>(stack.size()) - 1; i >= 0; --i) {
    if (EndTagCloses(id, stack[i]->GetTagId())) return i;
    if (HidesFromEndTag(*stack[i], reach)) return kHidden;
  }
  return -1;
}

// Closes the open element at index with an end tag of id: a formatting
// element's closes it across the blocks above it, which stay open.
void CloseAt(std::vector<const CHtmlTagItem*>& stack, size_t index, uint32_t id) {
  if (!reach::IsFormatting(id) || stack.size() - index > static_cast<size_t>(kMostBlocksKeptOpen)) {
    stack.resize(index);
    return;
  }
  size_t kept = index;
  for (size_t i = index + 1; i < stack.size(); ++i)
    if (IsBlockLevel(*stack[i])) stack[kept++] = stack[i];
  stack.resize(kept);
}

bool HasBlock(const std::vector<const CHtmlTagItem*>& stack) {
  for (const CHtmlTagItem* entry : stack) {
    if (IsBlockLevel(*entry)) return true;
  }
  return false;
}

bool HoldsNothing(const CHtmlTagItem& tag) {
  if (tag.IsMarkupTag()) return true;
  if (tag.IsUnknownTag()) return !(tag.GetTokenFlag() & kTokenFlagUnknownContainer);
  return tag.IsVoidTag() != 0;
}

HtmlPosition NextLive(HtmlPosition position) {
  do {
    position = CHtmlTokenList::GetNext(position);
  } while (position && position->IsDiscardedToken());
  return position;
}

}  // namespace

ElementExtent FindElementExtent(HtmlPosition start) {
  ElementExtent extent;
  CHtmlTagItem* startTag = CHtmlTokenList::GetTagItem(start);
  if (!startTag || startTag->IsEndTag()) return extent;
  extent.last = start;
  const uint32_t id = startTag->GetTagId();
  if (HoldsNothing(*startTag)) {
    HtmlPosition next = NextLive(start);
    CHtmlTagItem* end = CHtmlTokenList::GetTagItem(next);
    if (end && end->GetTagId() == (id | kEndTagBit) && end->GetTagText().empty()) {
      extent = ElementExtent{next, true};
    }
    return extent;
  }
  // Unlike a counter of nested elements of the same kind, stacking them
  // keeps what they hold matched against them.
  std::vector<const CHtmlTagItem*> stack;
  stack.reserve(10);
  stack.push_back(startTag);
  for (HtmlPosition position = NextLive(start); position; position = NextLive(position)) {
    CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(position);
    if (!tag) {
      extent.last = position;
      continue;
    }
    if (tag->IsEndTag()) {
      const long open = FindReached(stack, tag->GetTagId() & ~kEndTagBit);
      if (open == 0) {
        extent = ElementExtent{position, true};
        break;
      }
      if (open > 0) {
        CloseAt(stack, static_cast<size_t>(open), tag->GetTagId() & ~kEndTagBit);
      } else if (open == -1 && !EndTagStrayInside(*startTag, *tag) &&
                 !(tag->IsInlineLevelTag() && HasBlock(stack))) {
        break;
      }
    } else {
      const long ended = FindEnded(stack, *tag);
      if (ended == 0) break;
      if (ended > 0) stack.resize(static_cast<size_t>(ended));
      stack.push_back(tag);
    }
    extent.last = position;
  }
  return extent;
}

}  // namespace pagesift
