#include "rtffilter/filter_result.h"

#include <iterator>

namespace bte::rtf {
namespace {

struct ReasonRow {
  FailureReason reason;
  FilterCode code;
  const char* message;
  const char* afterNumber;  // non-null: the message goes on after the number
  bool hasOffset;
};

constexpr ReasonRow kReasons[] = {
    {FailureReason::kNone, FilterCode::kFiltered, "", nullptr, false},
    {FailureReason::kRangeStartUnclosed, FilterCode::kBrokenMarkup,
     "range start has no closing brace", nullptr, true},
    {FailureReason::kRangeEndUnclosed, FilterCode::kBrokenMarkup,
     "range end has no closing brace", nullptr, true},
    {FailureReason::kRangeEndNamesNoOpenRange, FilterCode::kBrokenMarkup, "range end ",
     " names no open range", true},
    {FailureReason::kAnnotationWithoutGroup, FilterCode::kBrokenMarkup,
     "annotation has no annotation group", nullptr, true},
    {FailureReason::kAnnotationGroupUnclosed, FilterCode::kBrokenMarkup,
     "annotation group has no closing brace", nullptr, true},
    {FailureReason::kAnnotationNamesNoRange, FilterCode::kBrokenMarkup, "annotation ",
     " names no range", true},
    {FailureReason::kMarkupOverlaps, FilterCode::kBrokenMarkup,
     "the build-tag markup overlaps itself (a marker inside an annotation or another marker)",
     nullptr, true},
    {FailureReason::kSectionWithoutParagraph, FilterCode::kNotWritten,
     "a section holds no paragraph mark, so its tables and lists cannot be rebuilt", nullptr,
     true},
    {FailureReason::kOutputOutgrowsInput, FilterCode::kNotWritten,
     "the filtered document would be longer than the input", nullptr, false},
    {FailureReason::kOutOfMemory, FilterCode::kOutOfMemory, "out of memory", nullptr, false},
};
static_assert(std::size(kReasons) == static_cast<size_t>(FailureReason::kReasonCount));

constexpr bool RowsInReasonOrder() {
  for (size_t i = 0; i < std::size(kReasons); ++i)
    if (static_cast<size_t>(kReasons[i].reason) != i) return false;
  return true;
}
static_assert(RowsInReasonOrder(), "kReasons is looked up by reason");

const ReasonRow& RowOf(FailureReason reason) {
  const auto index = static_cast<size_t>(reason);
  return kReasons[index < std::size(kReasons) ? index : 0];
}

}  // namespace

FilterResult Failure(FailureReason reason, uint32_t offset, uint32_t number) {
  return {RowOf(reason).code, offset, reason, number};
}

std::string DescribeResult(const FilterResult& result) {
  const ReasonRow& row = RowOf(result.reason);
  std::string text = row.message;
  if (row.afterNumber != nullptr) text += std::to_string(result.number) + row.afterNumber;
  if (row.hasOffset) text += " (at byte " + std::to_string(result.offset) + ")";
  return text;
}

}  // namespace bte::rtf
