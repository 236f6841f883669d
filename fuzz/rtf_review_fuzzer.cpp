// The RTF review copy over arbitrary documents: whatever the markup, the
// copy keeps every byte of the document's content in order (only the
// build-tag markers and annotations go) and adds only balanced groups.
// Groups are counted only in documents without binary data: where a marker
// stands inside the bytes a \binN announces, the reader's pieces and a
// count of those bytes disagree, and the copy follows the pieces.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"
#include "projectbuild/beyond_interface.h"
#include "projectbuild/rtf_review.h"
#include "fuzz_support.h"

namespace {

using bte::projectbuild::RtfPiece;

// "{" minus "}", escaped ones not counted.
long GroupBalance(const std::string& rtf) {
  long balance = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;
    else if (rtf[i] == '{') ++balance;
    else if (rtf[i] == '}') --balance;
  }
  return balance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kExpressions[] = {"Print", "NOT Print", "", "Web OR Beta AND NOT Print"};
  const std::string expression = kExpressions[data[0] % 4];
  const std::string rtf(reinterpret_cast<const char*>(data) + 1, size - 1);
  bte::host::ComPtr<IBuildTagExprParser> parser;
  CreateBuildTagExprParserInstance(parser.out(), expression.c_str());
  std::vector<RtfPiece> pieces;
  std::string error;
  if (!bte::projectbuild::ListRtfPieces(rtf, parser.get(), pieces, error)) return 0;
  std::vector<std::string> passages;
  const std::string review = bte::projectbuild::WriteRtfReview(rtf, pieces, passages);
  std::string content;
  size_t excludedPieces = 0;
  for (const RtfPiece& piece : pieces) {
    if (piece.kind != RtfPiece::Kind::kContent) continue;
    content.append(rtf, piece.offset, piece.length);
    excludedPieces += piece.excluded ? 1 : 0;
  }
  Require(IsSubsequence(content, review));
  const bool binaryData = rtf.find("\\bin") != std::string::npos;
  Require(binaryData || GroupBalance(review) == GroupBalance(content));
  Require(passages.size() <= excludedPieces);
  return 0;
}
