#include "platform/wide_string.h"

#include <cstdint>

#include "platform/utf8.h"

namespace bte::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the UTF-8 sequence a lead byte announces, 0 for a byte that
// cannot start one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes one code point at text[i]; advances i past what it used.
char32_t DecodeOne(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const int length = SequenceLength(lead);
  if (length == 1) return text[i++];
  if (length == 0 || i + length > text.size()) {
    ++i;
    return kReplacement;
  }
  char32_t code = lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += length;
  return code;
}

}  // namespace

WideString MultiByteToWide(std::string_view text) {
  WideString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const char32_t code = DecodeOne(text, i);
    if (code < 0x10000) {
      out += static_cast<OLECHAR>(code);
    } else {
      out += static_cast<OLECHAR>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<OLECHAR>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string WideToMultiByte(WideStringView text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    const bool low = code >= 0xDC00 && code <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (high || low) {
      code = kReplacement;
    }
    AppendUtf8(code, out);
  }
  return out;
}

}  // namespace bte::platform
