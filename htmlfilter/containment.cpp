// The containment question of the element removal: may an open element
// hold a new tag, or does the tag end it? The rows are the HTML library's
// (pagesift/containment_rules.h); the removal also marks the tags they
// admit out of place.
#include "htmlfilter/filter_pass.h"

namespace bte {

int HtmlFilterPass::CanContain(const CHtmlTagItem* container, CHtmlTagItem* tag) {
  const pagesift::Admission admission = pagesift::Admit(*container, *tag);
  if (admission == pagesift::Admission::kYesMisplaced)
    tag->SetTokenFlag(pagesift::kTokenFlagMisplaced);
  return admission == pagesift::Admission::kNo ? 0 : 1;
}

}  // namespace bte
