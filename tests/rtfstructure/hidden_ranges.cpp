#include "hidden_ranges.h"

#include "buildtagexpr.h"

namespace bte::rtf::testing {

std::string ExcludeWords(std::string rtf, const std::vector<std::string>& words) {
  int range = 100;
  for (const std::string& word : words) {
    for (size_t at = rtf.find(word); at != std::string::npos;) {
      const std::string n = std::to_string(++range);
      const std::string wrapped =
          "{\\*\\atrfstart " + n + "}" + word + "{\\*\\atrfend " + n +
          "}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
          "{\\*\\annotation{\\*\\atnref " + n + "}Hidden}";
      rtf.replace(at, word.size(), wrapped);
      at = rtf.find(word, at + wrapped.size());
    }
  }
  return rtf;
}

std::string FilterHidden(const std::string& rtf) {
  IRTFBuildTagExprFilter* filter = nullptr;
  CreateRTFBuildTagExprFilterInstance(&filter);
  filter->SetExpression("NOT Hidden");
  IFilterOutputBuffer* result = nullptr;
  std::string output = "<failed>";
  if (filter->FilterBuffer(rtf.data(), static_cast<uint32_t>(rtf.size()), &result) == S_OK) {
    char* data = nullptr;
    uint32_t length = 0;
    result->GetData(&data, &length);
    output.assign(data, length);
    result->Release();
  }
  filter->Release();
  return output;
}

}  // namespace bte::rtf::testing
