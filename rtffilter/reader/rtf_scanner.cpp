#include "rtffilter/reader/rtf_scanner.h"

#include "rtffilter/reader/rtf_scanner_loop.h"

namespace bte::rtf {

const char* ScanRtf(const ReadingRules& rules, const char* from, const char* stop,
                    const char* limit, RtfListener& listener) {
  return ScanRtfWith(rules, from, stop, limit, listener);
}

}  // namespace bte::rtf
