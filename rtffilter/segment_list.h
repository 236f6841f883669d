// The input cut into segments at the build-tag markers, with the ranges
// those markers open and close: what SplitIntoSegments produces and
// MarkExcludedSegments flags, and what the writers read.
#ifndef BTE_RTFFILTER_SEGMENT_LIST_H
#define BTE_RTFFILTER_SEGMENT_LIST_H

#include <cstdint>
#include <string>
#include <vector>

#include "platform/large_block_allocator.h"

namespace bte::rtf {

class BuildTagRange;

// A contiguous piece of the input and the ranges open where it lies. The
// ranges are a slice of the list's rangePool (in the order they were
// opened, no duplicates); segments under the same open set share a slice,
// so a document with many segments costs no allocation per segment.
class RTFSegment {
 public:
  RTFSegment(const char* text, uint32_t length, uint32_t firstRange, uint32_t rangeCount)
      : firstRange(firstRange), rangeCount(rangeCount), text(text), length(length) {}
  virtual ~RTFSegment() = default;

  uint32_t firstRange;
  uint32_t rangeCount;
  const char* text;
  uint32_t length;
  int32_t isMarker = 0;  // a build-tag marker or annotation: never written
  int32_t excluded = 0;
};

// The ranges of one segment, for range-for loops.
struct RangeList {
  BuildTagRange* const* first;
  uint32_t count;
  BuildTagRange* const* begin() const { return first; }
  BuildTagRange* const* end() const { return first + count; }
  uint32_t size() const { return count; }
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

// Per-document lists, as large as the document is tagged.
template <class T>
using LargeVector = std::vector<T, platform::LargeBlockAllocator<T>>;

struct SegmentList {
  // Reserved in full before they are filled, so the addresses that ranges
  // and segments hold of each other stay valid.
  LargeVector<RTFSegment> segments;
  LargeVector<BuildTagRange> ranges;
  LargeVector<BuildTagRange*> rangePool;
  // The document holds a group of list text or number text for readers
  // (noted on the way, as the split looks at every '{' anyway).
  bool hasListTextGroup = false;

  RangeList RangesOf(const RTFSegment& segment) const {
    return {rangePool.data() + segment.firstRange, segment.rangeCount};
  }
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_SEGMENT_LIST_H
