// Cutting the input at the build-tag markers and deciding, segment by
// segment, whether its content is excluded.
#ifndef BTE_RTFFILTER_SEGMENTS_H
#define BTE_RTFFILTER_SEGMENTS_H

#include <cstdint>

#include "buildtagexpr.h"
#include "rtffilter/filter_result.h"
#include "rtffilter/segment_list.h"

namespace bte::rtf {

// Fills segments (empty before) from the input. Fails on malformed markup:
// a marker group without its closing brace, a range end or annotation
// reference that names no range, an annotation without its annotation
// group, or markup that starts inside other markup.
FilterResult SplitIntoSegments(const char* input, uint32_t length, SegmentList& segments);

// Joins the tags of each segment's build-tag ranges into its tag set and
// asks the parser; sets excluded where the answer is no (every tagged
// segment when there is no parser). Returns how many segments are excluded.
uint32_t MarkExcludedSegments(IBuildTagExprParser* parser, SegmentList& segments);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_SEGMENTS_H
