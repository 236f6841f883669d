// Writing the filtered document. One writer is picked per document: a plain copy without the markers when nothing is
// excluded, the simple remover for documents without tables or list text,
// and the structure rebuilder otherwise.
#ifndef BTE_RTFFILTER_OUTPUT_WRITERS_H
#define BTE_RTFFILTER_OUTPUT_WRITERS_H

#include <cstdint>

#include "rtffilter/filter_result.h"
#include "rtffilter/output_sink.h"
#include "rtffilter/segment_list.h"

namespace bte::rtf {

// Each writes the segments of the input (inputLength bytes) to out, whose
// limit is the input's length, and says how that went.
FilterResult WriteFilteredOutput(const char* input, uint32_t inputLength,
                                 const SegmentList& segments, bool anyExcluded, OutputSink& out);
FilterResult CopyWithoutMarkers(const SegmentList& segments, OutputSink& out);
// Excluded text goes, formatting stays, and paragraph marks go where the
// removal would leave an empty paragraph behind.
FilterResult RemoveExcludedSimple(const SegmentList& segments, OutputSink& out);

// Whether the document, split into segments, needs the structure rebuilder:
// a \row that is not an escaped backslash, or list text.
bool NeedsStructureRebuild(const SegmentList& segments, const char* input, uint32_t length);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_OUTPUT_WRITERS_H
