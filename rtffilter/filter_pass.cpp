#include "rtffilter/filter_pass.h"

#include <new>

#include "rtffilter/output_writers.h"
#include "rtffilter/segments.h"

namespace bte::rtf {

RTFFilterPass::RTFFilterPass(const char* input, uint32_t inputLength,
                             IBuildTagExprParser* parser)
    : input_(input), inputLength_(inputLength), parser_(parser) {
  output_ = new (std::nothrow) FilterOutputBuffer();
  if (output_ != nullptr) output_->AddRef();
}

RTFFilterPass::~RTFFilterPass() {
  if (output_ != nullptr) output_->Release();
}

FilterResult RTFFilterPass::Run() {
  if (output_ == nullptr) return Failure(FailureReason::kOutOfMemory);
  const FilterResult split = SplitIntoSegments(input_, inputLength_, segments_);
  if (!split.ok()) return split;
  const bool anyExcluded = MarkExcludedSegments(parser_, segments_) > 0;
  return WriteFilteredOutput(input_, inputLength_, segments_, anyExcluded, *output_);
}

}  // namespace bte::rtf
