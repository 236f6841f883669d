// The elements open around a point of a topic, as an HTML parser has them
// when it gets there. The removal asks when an end tag inside a removed
// element matches nothing opened in it: HTML ignores such an end tag unless
// it closes an element around the removed one, and the content after it
// then still belongs to the removed element.
//
// The document is followed from its first token as far as asked, and the
// removal asks at points further and further on, so a pass reads each token
// at most once, and not at all in a topic where no end tag needs it.
#ifndef BTE_HTMLFILTER_ENCLOSING_ELEMENTS_H
#define BTE_HTMLFILTER_ENCLOSING_ELEMENTS_H

#include "htmlfilter/open_element_stack.h"
#include "pagesift/pagesift.h"

namespace bte {

class EnclosingElements {
 public:
  // Starts over at the first token of a document.
  void Restart(HtmlPosition first);
  // The elements open just before the token at position. Asked at a
  // position behind the last one, it starts over. Removed tokens count:
  // the question is what the author's document holds.
  const OpenElementStack& Before(HtmlPosition position);

 private:
  // Follows the document up to position; false when it ran out first.
  bool FollowUpTo(HtmlPosition position);
  void Follow(CHtmlTagItem* tag);
  void FollowText();

  OpenElementStack stack_{false};
  HtmlPosition first_ = nullptr;
  HtmlPosition next_ = nullptr;
};

}  // namespace bte

#endif  // BTE_HTMLFILTER_ENCLOSING_ELEMENTS_H
