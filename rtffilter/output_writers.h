// Writing the filtered document into the pass's output buffer. One writer
// is picked per document: a plain copy without the markers when nothing is
// excluded, the simple remover for documents without tables or list text,
// and the structure rebuilder otherwise.
#ifndef BTE_RTFFILTER_OUTPUT_WRITERS_H
#define BTE_RTFFILTER_OUTPUT_WRITERS_H

#include "rtffilter/filter_pass.h"

namespace bte::rtf {

// Each returns true on success and false when the pass has no output
// buffer (or the chosen writer fails).
bool WriteFilteredOutput(RTFFilterPass& pass);
bool CopyWithoutMarkers(RTFFilterPass& pass);
// Excluded text goes, formatting stays, and paragraph marks go where the
// removal would leave an empty paragraph behind.
bool RemoveExcludedSimple(RTFFilterPass& pass);

// Whether the document needs the structure rebuilder: a \row that is not an
// escaped backslash, or the host's list text.
bool NeedsStructureRebuild(const char* input, uint32_t length);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_OUTPUT_WRITERS_H
