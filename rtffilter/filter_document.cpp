#include "rtffilter/filter_document.h"

#include <new>

#include "rtffilter/filter_pass.h"
#include "rtffilter/segments.h"

namespace bte::rtf {

FilterResult FilterDocument(const char* input, uint32_t length, IBuildTagExprParser* parser,
                            IFilterOutputBuffer** output) {
  try {
    RTFFilterPass pass(input, length, parser);
    const FilterResult result = pass.Run();
    if (result.ok()) {
      pass.output()->AddRef();
      *output = pass.output();
    }
    return result;
  } catch (const std::bad_alloc&) {
    return Failure(FailureReason::kOutOfMemory);
  }
}

FilterResult FilterDocumentInPieces(const char* input, uint32_t length,
                                    IBuildTagExprParser* parser, const PieceConsumer& consumer) {
  try {
    RTFFilterPass pass(input, length, parser);
    return pass.RunInPieces(consumer);
  } catch (const std::bad_alloc&) {
    return Failure(FailureReason::kOutOfMemory);
  }
}

FilterResult ListBuildTagRanges(const char* input, uint32_t length,
                                std::vector<AnnotatedRange>& ranges) {
  try {
    SegmentList segments;
    const FilterResult result = SplitIntoSegments(input, length, segments);
    if (!result.ok()) return result;
    for (BuildTagRange& range : segments.ranges)
      if (range.isBuildTag) ranges.push_back({range.Id(), range.tagText});
    return result;
  } catch (const std::bad_alloc&) {
    return Failure(FailureReason::kOutOfMemory);
  }
}

}  // namespace bte::rtf
