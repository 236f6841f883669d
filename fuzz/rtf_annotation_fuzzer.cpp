// Arbitrary bytes through GetAnnotationTags, in a block of exactly their size.
#include <cstdint>
#include <cstring>

#include "buildtagexpr.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const uint32_t length = static_cast<uint32_t>(size);
  IRTFBuildTagExprFilter* filter = nullptr;
  Require(CreateRTFBuildTagExprFilterInstance(&filter) == S_OK);
  uint32_t flag = 7;
  IFilterOutputBuffer* tags = nullptr;
  Require(filter->GetAnnotationTags(text, length, &flag, &tags) == S_OK);
  Require(flag == 0 || flag == 1);
  Require((flag == 1) == (tags != nullptr));
  if (tags != nullptr) {
    char* tagText = nullptr;
    uint32_t tagLength = 99;
    tags->GetData(&tagText, &tagLength);
    Require(tagLength == 0 && tagText != nullptr);
    // Decoded escapes only shrink the text.
    Require(std::strlen(tagText) <= length);
    tags->Release();
  }
  filter->Release();
  return 0;
}
