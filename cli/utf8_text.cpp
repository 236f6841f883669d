#include "cli/utf8_text.h"

#include <cstdint>

namespace bte::cli {
namespace {

// Windows-1252 for 0x80 to 0x9F; 0xA0 and above are Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at the start of text (no
// overlong forms, no surrogates, nothing above U+10FFFF), or 0.
size_t SequenceLength(std::string_view text) {
  const auto byte = [&text](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (!IsContinuation(byte(i))) return 0;
  return length;
}

void AppendCodePoint(char16_t point, std::string& out) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

}  // namespace

std::string Utf8Text(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const size_t length = SequenceLength(bytes);
    if (length > 0) {
      out.append(bytes.data(), length);
      bytes.remove_prefix(length);
      continue;
    }
    const auto byte = static_cast<uint8_t>(bytes[0]);
    AppendCodePoint(byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t{byte}, out);
    bytes.remove_prefix(1);
  }
  return out;
}

}  // namespace bte::cli
