#include "projectbuild/beyond_interface.h"

#include "buildtagexpr_host.h"
#include "expr/expression_tree.h"
#include "expr/text.h"
#include "platform/wide_string.h"
#include "rtffilter/filter_diagnosis.h"
#include "store/expression_list.h"
#include "store/time_stamp.h"

namespace bte::projectbuild {
namespace {

bool IsOperator(const std::string& item) { return item == "~" || item == "&" || item == "|"; }

}  // namespace

ExpressionForms DescribeExpression(const std::string& expression) {
  const BuildTagExprTree tree(expression);
  host::ComPtr<IBuildTagExprParser> parser;
  CreateBuildTagExprParserInstance(parser.out(), expression.c_str());
  ExpressionForms forms;
  forms.valid = parser && parser->IsValid() == S_OK && tree.valid();
  forms.normalized = tree.normalized();
  forms.postfix = tree.postfix();
  return forms;
}

std::vector<std::string> FoldedExpressionTags(const std::string& expression) {
  const BuildTagExprTree tree(expression);
  std::vector<std::string> tags;
  for (const std::string& item : tree.postfix())
    if (!IsOperator(item)) tags.push_back(FoldedTag(item));
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

bool ListRtfTaggedRanges(const std::string& rtf, std::vector<RtfTaggedRange>& ranges,
                         std::string& error) {
  std::vector<rtf::AnnotatedRange> found;
  if (!rtf::ListBuildTagRanges(rtf.data(), static_cast<uint32_t>(rtf.size()), found, error))
    return false;
  for (rtf::AnnotatedRange& range : found)
    ranges.push_back({range.number, std::move(range.tagText)});
  return true;
}

std::string ExplainRtfFailure(const std::string& rtf, IBuildTagExprParser* parser) {
  return rtf::ExplainFilterFailure(rtf.c_str(), static_cast<uint32_t>(rtf.size()), parser);
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

std::string MultiByteFromSystemString(BSTR text) {
  if (text == nullptr) return std::string();
  return platform::WideToMultiByte({text, SysStringLen(text)});
}

}  // namespace bte::projectbuild
