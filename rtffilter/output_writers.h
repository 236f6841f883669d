// Writing the filtered document into the output buffer. One writer
// is picked per document: a plain copy without the markers when nothing is
// excluded, the simple remover for documents without tables or list text,
// and the structure rebuilder otherwise.
#ifndef BTE_RTFFILTER_OUTPUT_WRITERS_H
#define BTE_RTFFILTER_OUTPUT_WRITERS_H

#include <cstdint>

#include "rtffilter/filter_output_buffer.h"
#include "rtffilter/filter_result.h"
#include "rtffilter/segment_list.h"

namespace bte::rtf {

// Each writes the segments of the input (inputLength bytes) into output,
// never more bytes than the input holds, and says how that went.
FilterResult WriteFilteredOutput(const char* input, uint32_t inputLength,
                                 const SegmentList& segments, bool anyExcluded,
                                 FilterOutputBuffer& output);
FilterResult CopyWithoutMarkers(const SegmentList& segments, uint32_t inputLength,
                                FilterOutputBuffer& output);
// Excluded text goes, formatting stays, and paragraph marks go where the
// removal would leave an empty paragraph behind.
FilterResult RemoveExcludedSimple(const SegmentList& segments, uint32_t inputLength,
                                  FilterOutputBuffer& output);

// Whether the document, split into segments, needs the structure rebuilder:
// a \row that is not an escaped backslash, or list text.
bool NeedsStructureRebuild(const SegmentList& segments, const char* input, uint32_t length);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_OUTPUT_WRITERS_H
