#include "rtffilter/filter_pass.h"

#include <new>

#include "rtffilter/markup.h"
#include "rtffilter/rtf_token.h"

namespace bte::rtf {

uint32_t ReadMarkerNumber(const char* text, uint32_t length, uint32_t keywordLength) {
  if (length <= keywordLength) return 0;
  int64_t number = 0;
  if (!ReadNumberAfterBlanks(text + keywordLength, text + length, number)) return 0;
  return static_cast<uint32_t>(number);
}

uint32_t BuildTagRange::Id() {
  if (!idKnown) {
    id = startMarker == nullptr
             ? 0
             : ReadMarkerNumber(startMarker->text, startMarker->length, kRangeStart.size());
    idKnown = 1;
  }
  return id;
}

RTFFilterPass::RTFFilterPass(const char* input, uint32_t inputLength,
                             IBuildTagExprParser* parser)
    : input(input), inputLength(inputLength), parser(parser) {
  outputBuffer = new (std::nothrow) FilterOutputBuffer();
  if (outputBuffer != nullptr) outputBuffer->AddRef();
}

RTFFilterPass::~RTFFilterPass() {
  if (outputBuffer != nullptr) outputBuffer->Release();
}

}  // namespace bte::rtf
