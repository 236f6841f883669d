// Arbitrary bytes with build-tag ranges inserted, through FilterBuffer; the
// oracle is what filtering promises whatever the document: none of the
// inserted markers and annotations survives, no text that only excluded
// ranges hold survives, and braces that balanced still balance in an output
// no longer than the input.
//
// Input: byte 0 picks the range count, which ranges are excluded and whether
// a table goes first (so that the rebuilder writes); the next two bytes per
// range place its start and end; the rest is the document. The document's
// own markup is defused, so that only the inserted ranges are build-tag
// ranges, and each piece between insertion points is made to balance its
// braces and not to end in a lone backslash, as the host's insertions do.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "buildtagexpr.h"
#include "fuzz_support.h"
#include "tests/support/host_markup.h"

namespace {

constexpr int kFirstNumber = 7000001;

std::string Sentinel(int number) { return "ZQJX" + std::to_string(number) + "Q"; }

// Brace depth after text, escapes respected; -1 when a '}' closes nothing.
long Depth(const std::string& text) {
  long depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '{') {
      ++depth;
    } else if (text[i] == '}' && --depth < 0) {
      return -1;
    }
  }
  return depth;
}

std::string Balanced(const std::string& piece) {
  std::string out;
  long depth = 0;
  for (size_t i = 0; i < piece.size(); ++i) {
    const char c = piece[i];
    if (c == '\\') {
      out += c;
      if (i + 1 < piece.size()) out += piece[++i];
      continue;
    }
    if (c == '}' && depth == 0) continue;
    depth += c == '{' ? 1 : c == '}' ? -1 : 0;
    out += c;
  }
  if (!out.empty() && Depth(out) >= 0) {
    // A trailing lone backslash would escape what is inserted after it.
    size_t slashes = 0;
    while (slashes < out.size() && out[out.size() - 1 - slashes] == '\\') ++slashes;
    if (slashes % 2 == 1) out += ' ';
  }
  return out + std::string(static_cast<size_t>(depth), '}');
}

// The document's own markup would make ranges of its own, and its own copies
// of the inserted names and texts would look like survivors. Without a 7 it
// cannot spell an inserted range's number either, not even where the text
// on both sides of a removed range meets ("at" + removed + "nref 7000002").
std::string Defused(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"atrf", "atn", "ZQJX"})
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at))
      text[at] = '_';
  std::replace(text.begin(), text.end(), '7', '8');
  return text;
}

struct InsertedRange {
  size_t start;
  size_t end;
  bool excluded;
};

// The end of a range, with its annotation.
std::string End(int number, bool excluded) {
  return bte::test::RangeEnd(number) + bte::test::Annotation(number, excluded ? "Gone" : "Kept");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t count = size > 0 ? data[0] % 3 + 1 : 0;
  if (size < 1 + 2 * count) return 0;
  const std::string body = Defused(data + 1 + 2 * count, size - 1 - 2 * count);
  std::vector<InsertedRange> ranges;
  std::vector<size_t> cuts = {0, body.size()};
  for (size_t r = 0; r < count; ++r) {
    size_t a = data[1 + 2 * r] * body.size() / 255, b = data[2 + 2 * r] * body.size() / 255;
    if (a > b) std::swap(a, b);
    ranges.push_back({a, b, ((data[0] >> (2 + r)) & 1) == 0});
    cuts.insert(cuts.end(), {a, b});
  }
  std::sort(cuts.begin(), cuts.end());
  std::string rtf = "{\\rtf1\\ansi ";
  if (data[0] & 0x80) rtf += "\\trowd\\cellx1000\\pard\\intbl T\\cell\\row\\pard ";
  for (size_t c = 0; c < cuts.size(); ++c) {
    const size_t at = cuts[c];
    if (c > 0 && at == cuts[c - 1]) continue;
    for (size_t r = 0; r < ranges.size(); ++r) {
      const int number = kFirstNumber + static_cast<int>(r);
      if (ranges[r].end == at && ranges[r].start < at) rtf += End(number, ranges[r].excluded);
    }
    for (size_t r = 0; r < ranges.size(); ++r) {
      const int number = kFirstNumber + static_cast<int>(r);
      if (ranges[r].start != at) continue;
      rtf += bte::test::RangeStart(number) + Sentinel(number) + " ";
      if (ranges[r].end == at) rtf += End(number, ranges[r].excluded);
    }
    if (c + 1 < cuts.size()) rtf += Balanced(body.substr(at, cuts[c + 1] - at));
  }
  rtf += "}";

  IRTFBuildTagExprFilter* filter = nullptr;
  Require(CreateRTFBuildTagExprFilterInstance(&filter) == S_OK);
  filter->SetExpression("NOT Gone");
  IFilterOutputBuffer* result = nullptr;
  if (filter->FilterBuffer(rtf.c_str(), static_cast<uint32_t>(rtf.size()), &result) == S_OK) {
    char* out = nullptr;
    uint32_t length = 0;
    result->GetData(&out, &length);
    const std::string output(out, length);
    Require(output.size() <= rtf.size());
    for (size_t r = 0; r < ranges.size(); ++r) {
      const std::string number = std::to_string(kFirstNumber + static_cast<int>(r));
      Require(output.find("atrfstart " + number) == std::string::npos);
      Require(output.find("atrfend " + number) == std::string::npos);
      Require(output.find("atnref " + number) == std::string::npos);
      if (ranges[r].excluded) Require(output.find(Sentinel(kFirstNumber + static_cast<int>(r))) == std::string::npos);
    }
    if (Depth(rtf) == 0) Require(Depth(output) == 0);
    result->Release();
  }
  filter->Release();
  return 0;
}
