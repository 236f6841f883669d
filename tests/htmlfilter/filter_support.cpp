#include "filter_support.h"

#include <gtest/gtest.h>

#include "platform/wide_string.h"

namespace bte::test {

namespace fs = std::filesystem;

ComPtr<IBuildTagExprParser> MakeParser(const std::string& expression) {
  IBuildTagExprParser* parser = nullptr;
  EXPECT_EQ(CreateBuildTagExprParserInstance(&parser, expression.c_str()), S_OK);
  return ComPtr<IBuildTagExprParser>(parser);
}

ComPtr<IBuildTagExprFilter> MakeFilter(const char* expression) {
  IBuildTagExprFilter* filter = nullptr;
  EXPECT_EQ(CreateBuildTagExprFilterInstance(&filter), S_OK);
  if (expression != nullptr) filter->SetExpression(expression);
  return ComPtr<IBuildTagExprFilter>(filter);
}

std::string FilterTextOf(IBuildTagExprFilter& filter, const std::string& html, bool withLinks,
                         HRESULT* status) {
  const platform::WideString wide = platform::MultiByteToWide(html);
  BSTR result = nullptr;
  const HRESULT answer = withLinks ? filter.FilterTextWithLinks(wide.c_str(), &result)
                                   : filter.FilterText(wide.c_str(), &result);
  if (status != nullptr) *status = answer;
  if (result == nullptr) return "<untouched>";
  const std::string text =
      platform::WideToMultiByte(platform::WideStringView(result, SysStringLen(result)));
  SysFreeString(result);
  return text;
}

void Edit(const fs::path& file, const std::string& from, const std::string& to) {
  std::string html = ReadFile(file);
  const size_t at = html.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  html.replace(at, from.size(), to);
  WriteFile(file, html);
}

void AddTopicBuildTags(const fs::path& topic, const std::string& tags) {
  std::string html = ReadFile(topic);
  const std::string meta = "<meta name=\"buildtags\" content=\"" + tags + "\">";
  size_t at = html.find("<head");
  if (at == std::string::npos) at = html.find("<HEAD");
  if (at != std::string::npos) at = html.find('>', at);
  if (at == std::string::npos)
    html.insert(0, meta);
  else
    html.insert(at + 1, meta);
  WriteFile(topic, html);
}

}  // namespace bte::test
