// Where an element whose end tag may be omitted ends, by the containment
// rules (containment_rules.h).
#ifndef PAGESIFT_CONTAINMENT_H
#define PAGESIFT_CONTAINMENT_H

#include "pagesift/token_item.h"
#include "pagesift/token_list.h"

namespace pagesift {

struct ElementExtent {
  HtmlPosition last = nullptr;  // the element's last token
  bool closedByEndTag = false;  // last is the element's own end tag
};

// The extent of the element whose start tag is at start, skipping discarded
// tokens: up to its own end tag, or up to the token before the first one it
// cannot hold. A stack of the elements opened inside it (each open element
// implicitly closed when a later tag fits only an element below it) decides
// which tags it holds; an end tag of an element not open inside it ends it,
// unless it is an inline end tag inside a block or an element inside hides
// what is around from it (a cell hides what is around its table): browsers
// drop those, and any end tag whose own element an element between hides.
// Void elements end at once (or at the empty end tag the tokenizer gives a
// tagged one).
ElementExtent FindElementExtent(HtmlPosition start);

}  // namespace pagesift

#endif  // PAGESIFT_CONTAINMENT_H
