// How a filtering run ended, as data: a code, the byte offset where the
// trouble lies, and the reason, each reason with one message for users.
#ifndef BTE_RTFFILTER_FILTER_RESULT_H
#define BTE_RTFFILTER_FILTER_RESULT_H

#include <cstdint>
#include <string>

namespace bte::rtf {

enum class FilterCode : uint8_t {
  kFiltered,       // the output holds the filtered document
  kBrokenMarkup,   // the build-tag markup cannot be read
  kNotWritten,     // the output could not be written
  kOutOfMemory,
};

enum class FailureReason : uint8_t {
  kNone,
  kRangeStartUnclosed,
  kRangeEndUnclosed,
  kRangeEndNamesNoOpenRange,  // number: the range end's
  kAnnotationWithoutGroup,
  kAnnotationGroupUnclosed,
  kAnnotationNamesNoRange,    // number: the annotation's reference
  kMarkupOverlaps,
  kSectionWithoutParagraph,
  kOutputOutgrowsInput,
  kOutOfMemory,
  kReasonCount,
};

struct FilterResult {
  FilterCode code = FilterCode::kFiltered;
  uint32_t offset = 0;  // byte offset in the input of what went wrong
  FailureReason reason = FailureReason::kNone;
  uint32_t number = 0;  // the range number the reason names, if it names one

  bool ok() const { return code == FilterCode::kFiltered; }
};

// A failed result for reason (its code follows from it).
FilterResult Failure(FailureReason reason, uint32_t offset = 0, uint32_t number = 0);

// What went wrong, for users: e.g. "range end 7 names no open range (at
// byte 120)"; "" for a success.
std::string DescribeResult(const FilterResult& result);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_FILTER_RESULT_H
