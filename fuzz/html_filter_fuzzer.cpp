// Arbitrary bytes through the HTML filter's text forms. The input is cut at
// the first NUL byte into expression and topic text.
#include <cstdint>
#include <string>
#include <string_view>

#include "buildtagexpr.h"
#include "expr/text.h"
#include "platform/wide_string.h"
#include "fuzz_support.h"

namespace {

bool MentionsBuildTags(std::string_view html) {
  static constexpr std::string_view kAttribute = "data-buildtags";
  for (size_t i = 0; i + kAttribute.size() <= html.size(); ++i)
    if (bte::EqualsIgnoringAsciiCase(html.substr(i, kAttribute.size()), kAttribute)) return true;
  return false;
}

// Filters html through one text form and checks what holds for any input:
// no failure, a result for every non-empty expression, and the caller's own
// text back when no element carries build tags.
void FilterOnce(IBuildTagExprFilter& filter, const std::u16string& html, bool withLinks,
                bool emptyExpression, bool tagged) {
  BSTR result = nullptr;
  const HRESULT status = withLinks ? filter.FilterTextWithLinks(html.c_str(), &result)
                                   : filter.FilterText(html.c_str(), &result);
  Require(status == S_OK);
  if (emptyExpression) {
    Require(result == nullptr);
    return;
  }
  Require(result != nullptr);
  if (!tagged) Require(std::u16string_view(result, SysStringLen(result)) == html);
  SysFreeString(result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const std::string expression(CutAtNul(rest));
  // The wide text ends at its first NUL, as a host's string would.
  std::u16string html = bte::platform::MultiByteToWide(rest);
  html = html.substr(0, html.find(u'\0'));

  IBuildTagExprFilter* filter = nullptr;
  Require(CreateBuildTagExprFilterInstance(&filter) == S_OK);
  filter->SetExpression(expression.c_str());
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, expression.c_str());
  const bool emptyExpression = parser->IsEmpty() == S_OK;
  parser->Release();

  const bool tagged = MentionsBuildTags(bte::platform::WideToMultiByte(html));
  FilterOnce(*filter, html, false, emptyExpression, tagged);
  FilterOnce(*filter, html, true, emptyExpression, tagged);
  filter->Release();
  return 0;
}
