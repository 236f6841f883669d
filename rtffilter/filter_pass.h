// One filtering of a document: the input and parser, the segments its
// stages share, and where the output goes. Run takes the stages in order;
// each stage is given what it reads and what it fills.
#ifndef BTE_RTFFILTER_FILTER_PASS_H
#define BTE_RTFFILTER_FILTER_PASS_H

#include <cstdint>

#include "buildtagexpr.h"
#include "rtffilter/filter_output_buffer.h"
#include "rtffilter/filter_result.h"
#include "rtffilter/output_sink.h"
#include "rtffilter/segment_list.h"

namespace bte::rtf {

class RTFFilterPass {
 public:
  // input must stay valid for the pass's life. parser may be null: then
  // every tagged segment is excluded.
  RTFFilterPass(const char* input, uint32_t inputLength, IBuildTagExprParser* parser);
  RTFFilterPass(const RTFFilterPass&) = delete;
  RTFFilterPass& operator=(const RTFFilterPass&) = delete;
  virtual ~RTFFilterPass();

  // Splits, marks and writes into a new output buffer, once; the first
  // failure ends the run.
  FilterResult Run();
  // The same, handing the output to consumer in pieces. A failed run may
  // have handed on a part; a refused piece ends the writing but not the run.
  FilterResult RunInPieces(const PieceConsumer& consumer);

  // The filtered document after a successful Run, or null; the pass holds
  // one reference.
  FilterOutputBuffer* output() const { return output_; }

 private:
  FilterResult SplitAndMark(bool& anyExcluded);

  const char* input_;
  uint32_t inputLength_;
  IBuildTagExprParser* parser_;
  SegmentList segments_;
  FilterOutputBuffer* output_ = nullptr;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_FILTER_PASS_H
