// Finds the next token that carries visible content or document structure,
// passing over formatting words and hidden destination groups.
#ifndef BTE_RTFFILTER_CONTENT_SCANNER_H
#define BTE_RTFFILTER_CONTENT_SCANNER_H

#include <cstdint>

#include "rtffilter/filter_pass.h"
#include "rtffilter/rtf_item.h"
#include "rtffilter/rtf_token.h"

namespace bte::rtf {

// Returns the position of the next content token in [position, position +
// range) with token describing it, or null when there is none. A control
// word gets its special-word code, a whole group comes back as a
// TokenUnitGroup with its unit code (length 0 when its end is not in range).
// With state, \pard, \itap, \ilvl and \ls are followed and the state is
// saved and restored at braces on the pass's stack.
const char* NextContentToken(RTFFilterPass& pass, const char* position, uint32_t range,
                             RTFToken& token, ParagraphListState* state);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_CONTENT_SCANNER_H
