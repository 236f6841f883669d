// Cutting the input at the build-tag markers and deciding, segment by
// segment, whether its content is excluded.
#ifndef BTE_RTFFILTER_SEGMENTS_H
#define BTE_RTFFILTER_SEGMENTS_H

#include <string>

#include "rtffilter/filter_pass.h"

namespace bte::rtf {

// What went wrong with a document's markup, for callers that tell the user.
struct MarkupError {
  std::string message;
  uint32_t offset = 0;  // byte offset of the offending markup
};

// Fills pass.segments and pass.ranges. false on malformed markup: a marker
// group without its closing brace, a range end or annotation reference that
// names no range, an annotation without its annotation group. error, when
// given, receives the reason.
bool SplitIntoSegments(RTFFilterPass& pass, MarkupError* error = nullptr);

// Joins the tags of each segment's build-tag ranges into its tag set and
// asks the parser; sets excluded where the answer is no (every tagged
// segment when there is no parser).
bool MarkExcludedSegments(RTFFilterPass& pass);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_SEGMENTS_H
