// Whether a list entry's lead text or number text reads as a list number,
// the only kind of text that moves from one entry to another when entries
// are renumbered: the host and word processors write numbers and bullets
// there, and any other text may be content that the target excludes.
#ifndef BTE_RTFFILTER_STRUCTURE_LIST_NUMBER_TEXT_H
#define BTE_RTFFILTER_STRUCTURE_LIST_NUMBER_TEXT_H

#include "rtffilter/structure/item_span.h"

namespace bte::rtf {

// True when the visible text of item holds digits, a roman numeral or one
// letter (repeated, as lists count past z), besides blanks, punctuation and
// symbols; control words and braces are no text.
bool ReadsAsListNumber(const ItemSpan& item);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_LIST_NUMBER_TEXT_H
