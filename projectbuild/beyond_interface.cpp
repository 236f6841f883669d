#include "projectbuild/beyond_interface.h"

#include <limits>
#include <set>

#include "buildtagexpr_host.h"
#include "expr/diagnosis.h"
#include "expr/expression_tree.h"
#include "expr/text.h"
#include "platform/wide_string.h"
#include "rtffilter/filter_document.h"
#include "rtffilter/segments.h"
#include "platform/profile_file.h"
#include "store/expression_list.h"
#include "store/manager.h"
#include "store/project_file.h"
#include "store/time_stamp.h"

namespace bte::projectbuild {
// The parser compiles the trimmed text; its fault decides validity.
ExpressionForms DescribeExpression(const std::string& expression) {
  const BuildTagExprTree tree(Trim(expression));
  const ExpressionFault fault = DiagnoseExpression(expression);
  ExpressionForms forms;
  forms.valid = fault.kind == SyntaxFaultKind::kNone;
  forms.normalized = tree.normalized();
  forms.postfix = tree.postfix();
  forms.fault = DescribeExpressionFault(fault);
  forms.faultAt = fault.at;
  forms.faultLength = fault.spelling.size();
  return forms;
}

bool IsPostfixOperator(const std::string& item) {
  return item == "~" || item == "&" || item == "|";
}

std::vector<std::string> FoldedExpressionTags(const std::string& expression) {
  const BuildTagExprTree tree(expression);
  std::vector<std::string> tags;
  for (const std::string& item : tree.postfix())
    if (!IsPostfixOperator(item)) tags.push_back(FoldedTag(item));
  return tags;
}

std::vector<std::string_view> TagListNames(std::string_view list) {
  std::vector<std::string_view> names;
  for (size_t start = 0; start <= list.size();) {
    size_t end = list.find_first_of(",;", start);
    if (end == std::string_view::npos) end = list.size();
    const std::string_view name = Trim(list.substr(start, end - start));
    if (!name.empty()) names.push_back(name);
    start = end + 1;
  }
  return names;
}

std::string FoldedTag(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

namespace {

// The filter takes lengths of 32 bits.
bool FitsTheFilter(std::string_view rtf, std::string& error) {
  if (rtf.size() < std::numeric_limits<uint32_t>::max()) return true;
  error = "too large for the RTF filter";
  return false;
}

}  // namespace

bool ListRtfTaggedRanges(std::string_view rtf, std::vector<RtfTaggedRange>& ranges,
                         std::string& error) {
  if (!FitsTheFilter(rtf, error)) return false;
  std::vector<rtf::AnnotatedRange> found;
  const rtf::FilterResult listed =
      rtf::ListBuildTagRanges(rtf.data(), static_cast<uint32_t>(rtf.size()), found);
  if (!listed.ok()) {
    error = rtf::DescribeResult(listed);
    return false;
  }
  for (rtf::AnnotatedRange& range : found)
    ranges.push_back({range.number, std::move(range.tagText)});
  return true;
}

bool ListRtfPieces(const std::string& rtf, IBuildTagExprParser* parser,
                   std::vector<RtfPiece>& pieces, std::string& error) {
  if (!FitsTheFilter(rtf, error)) return false;
  rtf::SegmentList segments;
  const rtf::FilterResult split =
      rtf::SplitIntoSegments(rtf.c_str(), static_cast<uint32_t>(rtf.size()), segments);
  if (!split.ok()) {
    error = rtf::DescribeResult(split);
    return false;
  }
  rtf::MarkExcludedSegments(parser, segments);
  std::map<const rtf::RTFSegment*, const rtf::BuildTagRange*> annotations;
  for (const rtf::BuildTagRange& range : segments.ranges)
    if (range.isBuildTag && range.annotation != nullptr) annotations[range.annotation] = &range;
  // A range is excluded where its content is.
  std::set<const rtf::BuildTagRange*> excludedRanges;
  for (const rtf::RTFSegment& segment : segments.segments)
    if (segment.excluded && !segment.isMarker)
      for (const rtf::BuildTagRange* range : segments.RangesOf(segment)) excludedRanges.insert(range);
  for (const rtf::RTFSegment& segment : segments.segments) {
    RtfPiece piece;
    piece.offset = static_cast<size_t>(segment.text - rtf.c_str());
    piece.length = segment.length;
    piece.excluded = segment.excluded != 0;
    if (const auto found = annotations.find(&segment); found != annotations.end()) {
      piece.kind = RtfPiece::Kind::kAnnotation;
      piece.tagText = found->second->tagText;
      piece.excluded = excludedRanges.count(found->second) != 0;
    } else if (segment.isMarker) {
      piece.kind = RtfPiece::Kind::kMarker;
    }
    pieces.push_back(std::move(piece));
  }
  return true;
}

bool FilterRtfDocument(std::string_view rtf, IBuildTagExprParser* parser,
                       FilteredRtf& filtered, std::string& error) {
  if (!FitsTheFilter(rtf, error)) return false;
  const rtf::FilterResult result = rtf::FilterDocument(
      rtf.data(), static_cast<uint32_t>(rtf.size()), parser, filtered.buffer.out());
  if (!result.ok()) {
    error = rtf::DescribeResult(result);
    return false;
  }
  char* data = nullptr;
  uint32_t length = 0;
  filtered.buffer->GetData(&data, &length);
  filtered.bytes = std::string_view(data, length);
  return true;
}

bool FilterRtfDocumentInPieces(std::string_view rtf, IBuildTagExprParser* parser,
                               const std::function<bool(std::string_view)>& put,
                               std::string& error) {
  if (!FitsTheFilter(rtf, error)) return false;
  const rtf::FilterResult result =
      rtf::FilterDocumentInPieces(rtf.data(), static_cast<uint32_t>(rtf.size()), parser, put);
  if (!result.ok()) error = rtf::DescribeResult(result);
  return result.ok();
}

// The manager's lists are this module's own objects; their entries keep the
// stamps that the records leave out.
std::map<std::string, std::string> GlobalExpressionStamps(IBuildTagExprManager* manager) {
  std::map<std::string, std::string> stamps;
  host::ComPtr<IBuildTagExprList> handedOut;
  if (manager->GetExpressionList(handedOut.out()) != S_OK || !handedOut) return stamps;
  auto* list = static_cast<BuildTagExprList*>(handedOut.get());
  for (auto position = list->Head(); const ExpressionEntry* entry = list->Next(position);)
    if (entry->target.empty()) stamps[entry->expression] = FormatTimeStamp(entry->timeStamp);
  return stamps;
}

bool ManagerWriteSucceeded(IBuildTagExprManager* manager) {
  return static_cast<BuildTagExprManager*>(manager)->LastWriteSucceeded();
}

bool WriteTargetExpressionToFile(const std::string& path, const std::string& target,
                                 const std::string& expression) {
  platform::ProfileFile file(path);
  return bte::WriteTargetExpression(file, target.c_str(), expression.c_str()) == 1 && file.Commit();
}

std::string MultiByteFromSystemString(BSTR text) {
  if (text == nullptr) return std::string();
  return platform::WideToMultiByte({text, SysStringLen(text)});
}

}  // namespace bte::projectbuild
