#include "rtffilter/filter_pass.h"

#include <new>

#include "rtffilter/output_writers.h"
#include "rtffilter/segments.h"

namespace bte::rtf {

RTFFilterPass::RTFFilterPass(const char* input, uint32_t inputLength,
                             IBuildTagExprParser* parser)
    : input_(input), inputLength_(inputLength), parser_(parser) {}

RTFFilterPass::~RTFFilterPass() {
  if (output_ != nullptr) output_->Release();
}

FilterResult RTFFilterPass::SplitAndMark(bool& anyExcluded) {
  const FilterResult split = SplitIntoSegments(input_, inputLength_, segments_);
  if (split.ok()) anyExcluded = MarkExcludedSegments(parser_, segments_) > 0;
  return split;
}

FilterResult RTFFilterPass::Run() {
  bool anyExcluded = false;
  const FilterResult split = SplitAndMark(anyExcluded);
  if (!split.ok()) return split;
  // Only now: a refused document costs no buffer as large as itself.
  auto* buffer = new (std::nothrow) FilterOutputBuffer();
  if (buffer == nullptr) return Failure(FailureReason::kOutOfMemory);
  buffer->AddRef();
  char* const storage = buffer->Allocate(inputLength_);
  if (storage == nullptr) {
    buffer->Release();
    return Failure(FailureReason::kOutOfMemory);
  }
  OutputSink out(storage, inputLength_);
  const FilterResult written =
      WriteFilteredOutput(input_, inputLength_, segments_, anyExcluded, out);
  if (written.ok()) buffer->SetLength(static_cast<uint32_t>(out.written()));
  output_ = buffer;
  return written;
}

FilterResult RTFFilterPass::RunInPieces(const PieceConsumer& consumer) {
  bool anyExcluded = false;
  const FilterResult split = SplitAndMark(anyExcluded);
  if (!split.ok()) return split;
  OutputSink out(inputLength_, consumer);
  const FilterResult written =
      WriteFilteredOutput(input_, inputLength_, segments_, anyExcluded, out);
  if (written.ok()) out.Flush();
  return written;
}

}  // namespace bte::rtf
