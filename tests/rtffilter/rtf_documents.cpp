#include "rtf_documents.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "buildtagexpr.h"
#include "temp_folder.h"
#include "tests/support/corpus_dir.h"

namespace bte::test {

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

// The document sits in a heap block of exactly its size, without the zero
// byte after it, so the sanitizer build catches any read past its end; the
// annotation query reads it too.
std::optional<std::string> Filter(const std::string& rtf, const char* expression) {
  const std::unique_ptr<char[]> exact(new char[std::max<size_t>(rtf.size(), 1)]);
  std::memcpy(exact.get(), rtf.data(), rtf.size());
  const uint32_t size = static_cast<uint32_t>(rtf.size());
  IRTFBuildTagExprFilter* filter = nullptr;
  CreateRTFBuildTagExprFilterInstance(&filter);
  if (expression != nullptr) filter->SetExpression(expression);
  IFilterOutputBuffer* result = nullptr;
  std::optional<std::string> filtered;
  if (filter->FilterBuffer(exact.get(), size, &result) == S_OK) {
    char* data = nullptr;
    uint32_t length = 0;
    result->GetData(&data, &length);
    filtered = std::string(data, length);
    result->Release();
  }
  uint32_t flag = 0;
  IFilterOutputBuffer* tags = nullptr;
  filter->GetAnnotationTags(exact.get(), size, &flag, &tags);
  if (tags != nullptr) tags->Release();
  filter->Release();
  return filtered;
}

std::string ReadCorpusFile(const std::string& name) {
  const auto bytes = ReadBytes((CorpusDir() / "rtf" / name).string());
  if (!bytes) throw std::runtime_error("missing corpus file " + name);
  return *bytes;
}

}  // namespace bte::test
