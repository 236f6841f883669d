// The one byte loop over RTF: tokens in order to a listener, with the
// destination groups that the reading's rules pass over or hand out whole
// recognised at their opening brace. Nothing is copied or allocated.
#ifndef BTE_RTFFILTER_READER_RTF_SCANNER_H
#define BTE_RTFFILTER_READER_RTF_SCANNER_H

#include "rtffilter/reader/reading_rules.h"
#include "rtffilter/reader/rtf_listener.h"

namespace bte::rtf {

// Reads the tokens that start in [from, stop); tokens end at stop at the
// latest, while a group's end and binary data are looked for up to limit
// (>= stop). Returns where the listener stopped the scan (the token or
// group it was given), or else where reading would go on: stop, or beyond
// it when a group passed over or binary data reaches past stop.
const char* ScanRtf(const ReadingRules& rules, const char* from, const char* stop,
                    const char* limit, RtfListener& listener);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_RTF_SCANNER_H
