#include "rtf_documents.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "buildtagexpr.h"
#include "tests/support/corpus_dir.h"

namespace bte::test {

std::string RangeStart(int number) {
  return "{\\*\\atrfstart " + std::to_string(number) + "}";
}

std::string RangeEnd(int number) { return "{\\*\\atrfend " + std::to_string(number) + "}"; }

std::string Annotation(int number, const std::string& tags, const std::string& author,
                       const std::string& id) {
  return "{\\*\\atnid " + id + "}{\\*\\atnauthor " + author + "}\\chatn{\\*\\annotation{\\*\\atnref " +
         std::to_string(number) + "}" + tags + "}";
}

std::string Tagged(int number, const std::string& content, const std::string& tags) {
  return RangeStart(number) + content + RangeEnd(number) + Annotation(number, tags);
}

std::string WithRanges(const std::string& body) {
  std::string rtf;
  int number = 0;
  for (size_t at = 0; at < body.size(); ++at) {
    const char c = body[at];
    if (c != '[' && c != '<') {
      rtf += c;
      continue;
    }
    const size_t close = body.find(c == '[' ? ']' : '>', at);
    ++number;
    rtf += Tagged(number, body.substr(at + 1, close - at - 1), c == '[' ? "Gone" : "Kept");
    at = close;
  }
  return rtf;
}

std::string Document(const std::string& body) {
  return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\plain " + body + "}";
}

std::optional<std::string> Filter(const std::string& rtf, const char* expression) {
  IRTFBuildTagExprFilter* filter = nullptr;
  CreateRTFBuildTagExprFilterInstance(&filter);
  if (expression != nullptr) filter->SetExpression(expression);
  IFilterOutputBuffer* result = nullptr;
  std::optional<std::string> filtered;
  if (filter->FilterBuffer(rtf.c_str(), static_cast<uint32_t>(rtf.size()), &result) == S_OK) {
    char* data = nullptr;
    uint32_t length = 0;
    result->GetData(&data, &length);
    filtered = std::string(data, length);
    result->Release();
  }
  filter->Release();
  return filtered;
}

std::string ReadCorpusFile(const std::string& name) {
  std::ifstream file(CorpusDir() / "rtf" / name, std::ios::binary);
  if (!file) throw std::runtime_error("missing corpus file " + name);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace bte::test
