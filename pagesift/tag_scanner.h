// Reading the inside of a tag: its name and attributes. Shared by the
// tokenizer (which must find where a tag ends, quotes and all) and by tag
// tokens (which read their attributes only when asked).
#ifndef PAGESIFT_TAG_SCANNER_H
#define PAGESIFT_TAG_SCANNER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pagesift {

// What a byte means to the scanner, as bits: every byte of a document is
// looked at here, so each test is one table lookup.
enum ByteClass : uint8_t {
  kSpaceByte = 1,          // HTML whitespace
  kSkippedBeforeName = 2,  // whitespace and "/" before an attribute
  kEndsTagName = 4,        // whitespace, "/" and ">"
  kEndsAttributeName = 8,  // those and "="
  kEndsUnquotedValue = 16, // whitespace and ">"
};

constexpr std::array<uint8_t, 256> MakeByteClasses() {
  std::array<uint8_t, 256> classes{};
  for (unsigned char space : {' ', '\t', '\n', '\r', '\f'}) {
    classes[space] = kSpaceByte | kSkippedBeforeName | kEndsTagName | kEndsAttributeName | kEndsUnquotedValue;
  }
  classes['/'] = kSkippedBeforeName | kEndsTagName | kEndsAttributeName;
  classes['>'] = kEndsTagName | kEndsAttributeName | kEndsUnquotedValue;
  classes['='] = kEndsAttributeName;
  return classes;
}
inline constexpr std::array<uint8_t, 256> kByteClasses = MakeByteClasses();

inline bool IsOfClass(char c, ByteClass byteClass) {
  return (kByteClasses[static_cast<unsigned char>(c)] & byteClass) != 0;
}
inline bool IsHtmlSpace(char c) { return IsOfClass(c, kSpaceByte); }
inline bool IsAsciiAlpha(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; }
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Without the HTML whitespace at either end.
std::string_view Trim(std::string_view text);

// One attribute as written: [begin, nameBegin) is the whitespace (and stray
// "/") before it, [valueBegin, valueEnd) the value without quotes, end the
// first byte after it. hasValue is false for a valueless attribute.
struct AttributeSpan {
  size_t begin = 0;
  size_t nameBegin = 0;
  size_t nameEnd = 0;
  size_t valueBegin = 0;
  size_t valueEnd = 0;
  size_t end = 0;
  bool hasValue = false;
};

enum class ScanResult {
  kAttribute,  // span holds the next attribute
  kTagEnd,     // span.end is the position of the closing ">"
  kNoEnd,      // the text ends inside the tag
};

// Scans from position at (just after the tag name or a previous attribute).
ScanResult ScanAttribute(std::string_view text, size_t at, AttributeSpan& span);

// End of the tag name that starts at position at.
size_t ScanTagName(std::string_view text, size_t at);

}  // namespace pagesift

#endif  // PAGESIFT_TAG_SCANNER_H
