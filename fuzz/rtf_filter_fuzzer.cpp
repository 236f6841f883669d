// Arbitrary bytes through FilterBuffer and the rebuilder's item stream. The
// first byte picks the expression (or none); the rest is the document, in a
// block of exactly its size.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "buildtagexpr.h"
#include "rtffilter/segments.h"
#include "rtffilter/structure_items.h"
#include "fuzz_support.h"

namespace {

bool HasMarkup(std::string_view text) {
  for (std::string_view marker : {"{\\*\\atrfstart", "{\\*\\atrfend", "{\\*\\atnid"})
    if (text.find(marker) != std::string_view::npos) return true;
  return false;
}

// Every item must lie inside the input.
class CheckingSink : public bte::rtf::RtfItemSink {
 public:
  CheckingSink(const char* begin, const char* end) : begin_(begin), end_(end) {}
  void AddItem(const bte::rtf::RtfItem& item, const bte::rtf::ParagraphListState&) override {
    Require(item.text >= begin_ && item.text + item.length <= end_);
    Require(item.kind >= bte::rtf::ItemContent && item.kind <= bte::rtf::ItemReaderListText);
  }

 private:
  const char* begin_;
  const char* end_;
};

const char* const kExpressions[] = {nullptr, "Beta", "NOT Beta", "A AND NOT B OR C", ""};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* expression = kExpressions[data[0] % std::size(kExpressions)];
  const char* text = reinterpret_cast<const char*>(data + 1);
  const uint32_t length = static_cast<uint32_t>(size - 1);

  IRTFBuildTagExprFilter* filter = nullptr;
  Require(CreateRTFBuildTagExprFilterInstance(&filter) == S_OK);
  if (expression != nullptr) filter->SetExpression(expression);
  IFilterOutputBuffer* result = nullptr;
  const HRESULT answer = filter->FilterBuffer(text, length, &result);
  Require(answer == S_OK || answer == S_FALSE);
  if (answer == S_OK) {
    char* out = nullptr;
    uint32_t outLength = 0;
    result->GetData(&out, &outLength);
    Require(outLength <= length);
    Require(out != nullptr && out[outLength] == '\0');
    if (!HasMarkup(std::string_view(text, length)))
      Require(outLength == length && std::memcmp(out, text, length) == 0);
    result->Release();
  } else {
    Require(result == nullptr);
    Require(HasMarkup(std::string_view(text, length)));
  }
  filter->Release();

  bte::rtf::SegmentList segments;
  CheckingSink sink(text, text + length);
  if (bte::rtf::SplitIntoSegments(text, length, segments).ok()) {
    bte::rtf::MarkExcludedSegments(nullptr, segments);
    bte::rtf::GenerateStructureItems(segments, sink);
  }
  return 0;
}
