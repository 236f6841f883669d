// The working state of one FilterBuffer call: the input cut into segments at
// the build-tag markers, the ranges those markers open and close, and the
// stack of paragraph states the content scanner saves at each brace.
#ifndef BTE_RTFFILTER_FILTER_PASS_H
#define BTE_RTFFILTER_FILTER_PASS_H

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "buildtagexpr.h"
#include "rtffilter/filter_output_buffer.h"
#include "rtffilter/rtf_item.h"

namespace bte::rtf {

class BuildTagRange;

// A contiguous piece of the input and the ranges open where it lies.
class RTFSegment {
 public:
  RTFSegment(const char* text, uint32_t length, std::vector<BuildTagRange*> ranges)
      : ranges(std::move(ranges)), text(text), length(length) {}
  virtual ~RTFSegment() = default;

  std::vector<BuildTagRange*> ranges;  // insertion order, no duplicates
  const char* text;
  uint32_t length;
  int32_t isMarker = 0;  // a build-tag marker or annotation: never written
  int32_t excluded = 0;
};

// One annotated range: its markers, its annotation and its tags.
class BuildTagRange {
 public:
  virtual ~BuildTagRange() = default;

  // The number after "{\*\atrfstart" in the start marker, read once; 0
  // without a start marker or a number.
  uint32_t Id();

  RTFSegment* startMarker = nullptr;
  RTFSegment* endMarker = nullptr;
  RTFSegment* annotation = nullptr;
  uint32_t id = 0;
  int32_t idKnown = 0;
  int32_t isBuildTag = 0;
  std::string tagText;
};

class RTFFilterPass {
 public:
  // parser may be null: then every tagged segment is excluded.
  RTFFilterPass(const char* input, uint32_t inputLength, IBuildTagExprParser* parser);
  RTFFilterPass(const RTFFilterPass&) = delete;
  RTFFilterPass& operator=(const RTFFilterPass&) = delete;
  virtual ~RTFFilterPass();

  FilterOutputBuffer* outputBuffer = nullptr;  // one reference held
  const char* input;
  uint32_t inputLength;
  IBuildTagExprParser* parser;
  // Deques keep the addresses that ranges and segments hold of each other.
  std::deque<RTFSegment> segments;
  std::deque<BuildTagRange> ranges;
  std::vector<ParagraphListState> stateStack;
};

// Reads the marker number after keyword at the start of text (white space
// skipped); 0 when there is none.
uint32_t ReadMarkerNumber(const char* text, uint32_t length, uint32_t keywordLength);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_FILTER_PASS_H
