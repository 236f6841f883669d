#include "rtffilter/filter_diagnosis.h"

#include "rtffilter/filter_pass.h"
#include "rtffilter/output_writers.h"
#include "rtffilter/segments.h"

namespace bte::rtf {
namespace {

std::string WithOffset(const MarkupError& error) {
  return error.message + " (at byte " + std::to_string(error.offset) + ")";
}

}  // namespace

std::string ExplainFilterFailure(const char* input, uint32_t length,
                                 IBuildTagExprParser* parser) {
  RTFFilterPass pass(input, length, parser);
  if (pass.outputBuffer == nullptr) return "out of memory";
  MarkupError error;
  if (!SplitIntoSegments(pass, &error)) return WithOffset(error);
  MarkExcludedSegments(pass);
  bool anyExcluded = false;
  for (const RTFSegment& segment : pass.segments) anyExcluded |= segment.excluded != 0;
  if (anyExcluded && NeedsStructureRebuild(input, length))
    return "the document has tables or list text, whose rebuilding is not available";
  return "the build-tag markup overlaps itself (a marker inside an annotation)";
}

bool ListBuildTagRanges(const char* input, uint32_t length, std::vector<AnnotatedRange>& ranges,
                        std::string& error) {
  RTFFilterPass pass(input, length, nullptr);
  MarkupError markupError;
  if (!SplitIntoSegments(pass, &markupError)) {
    error = WithOffset(markupError);
    return false;
  }
  for (BuildTagRange& range : pass.ranges)
    if (range.isBuildTag) ranges.push_back({range.Id(), range.tagText});
  return true;
}

}  // namespace bte::rtf
