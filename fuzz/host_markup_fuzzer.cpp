// The quick reading of the host's markup layout against the token-by-token
// reading: wherever the quick one answers, both say the same. Inputs whose
// first byte is odd get the host's annotation head in front, so that the
// quick reader is reached often.
#include <cstdint>
#include <string>

#include "rtffilter/annotation_text.h"
#include "rtffilter/host_markup.h"
#include "rtffilter/markup.h"
#include "rtffilter/reader/rtf_token.h"
#include "fuzz_support.h"

namespace {

const char kHead[] =
    "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
    "{\\*\\annotation{\\*\\atnref";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace bte::rtf;
  std::string text(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[0] & 1)) text = kHead + text.substr(1);
  const char* end = text.data() + text.size();

  AnnotationReading quick;
  if (ReadHostAnnotation(text.data(), end, quick)) {
    AnnotationReading general;
    std::string scratch;
    Require(ReadAnnotation(text.data(), end, general, scratch));
    Require(quick.length == general.length && quick.reference == general.reference);
    Require(quick.isBuildTag == general.isBuildTag && quick.tagText == general.tagText);
  }
  uint32_t marker = 0;
  if (ReadPlainMarkerGroup(text.data(), end, kRangeStart, marker)) {
    uint32_t group = 0;
    Require(FindGroupEnd(text.data(), static_cast<uint32_t>(text.size()), group));
    Require(group == marker);
  }
  return 0;
}
