// Reading the inside of a tag: its name and attributes. Shared by the
// tokenizer (which must find where a tag ends, quotes and all) and by tag
// tokens (which read their attributes only when asked).
#ifndef PAGESIFT_TAG_SCANNER_H
#define PAGESIFT_TAG_SCANNER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Names are compared eight bytes at a time: every attribute looked up and
// every tag read compares one. The bytes keep their order within a word, so
// two texts loaded alike are equal exactly when their words are.
inline uint64_t LoadWord(const char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}
// The first count bytes (at most eight) as a word, the rest zero.
inline uint64_t LoadShortWord(const char* bytes, size_t count) {
  if (count >= 4) {
    uint32_t first, last;
    std::memcpy(&first, bytes, 4);
    std::memcpy(&last, bytes + count - 4, 4);  // overlaps first: the same bytes again
    return first | (uint64_t{last} << (8 * (count - 4)));
  }
  if (count == 0) return 0;
  // the first, middle and last byte: all of one, two or three
  const auto byte = [bytes](size_t i) { return uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i); };
  return byte(0) | byte(count / 2) | byte(count - 1);
}
// The word with its ASCII capitals lowered, all eight bytes in a few steps.
inline uint64_t LowerWord(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  const uint64_t low = word & (0x7F * kOnes);
  const uint64_t atLeastA = low + (0x80 - 'A') * kOnes;     // top bit: byte >= 'A'
  const uint64_t aboveZ = low + (0x80 - 'Z' - 1) * kOnes;   // top bit: byte > 'Z'
  const uint64_t capital = atLeastA & ~aboveZ & ~word & (0x80 * kOnes);
  return word | (capital >> 2);
}
[[gnu::always_inline]] inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  size_t at = 0;
  for (; at + 8 <= a.size(); at += 8) {
    if (LowerWord(LoadWord(a.data() + at)) != LowerWord(LoadWord(b.data() + at))) return false;
  }
  const size_t rest = a.size() - at;
  return rest == 0 ||
         LowerWord(LoadShortWord(a.data() + at, rest)) == LowerWord(LoadShortWord(b.data() + at, rest));
}
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

inline size_t SkipSpaces(std::string_view text, size_t at) {
  while (at < text.size() && IsHtmlSpace(text[at])) ++at;
  return at;
}

// End of the tag name that starts at position at.
inline size_t ScanTagName(std::string_view text, size_t at) {
  while (at < text.size() && !IsOfClass(text[at], kEndsTagName)) ++at;
  return at;
}

// The value after "=": quoted either way, or unquoted up to a space or ">".
inline ScanResult ScanValue(std::string_view text, size_t at, AttributeSpan& span) {
  span.hasValue = true;
  if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
    size_t close = text.find(text[at], at + 1);
    if (close == std::string_view::npos) return ScanResult::kNoEnd;
    span.valueBegin = at + 1;
    span.valueEnd = close;
    span.end = close + 1;
    return ScanResult::kAttribute;
  }
  size_t end = at;
  while (end < text.size() && !IsOfClass(text[end], kEndsUnquotedValue)) ++end;
  span.valueBegin = at;
  span.valueEnd = end;
  span.end = end;
  return ScanResult::kAttribute;
}

// Scans from position at (just after the tag name or a previous attribute).
// Inline: the tokenizer runs it for every attribute of a document.
[[gnu::always_inline]] inline ScanResult ScanAttribute(std::string_view text, size_t at, AttributeSpan& span) {
  span = AttributeSpan{};
  span.begin = at;
  while (at < text.size() && IsOfClass(text[at], kSkippedBeforeName)) ++at;
  if (at >= text.size()) return ScanResult::kNoEnd;
  if (text[at] == '>') {
    span.end = at;
    return ScanResult::kTagEnd;
  }
  // A name may start with "=", and runs to a space, "/", ">" or "=".
  span.nameBegin = at++;
  while (at < text.size() && !IsOfClass(text[at], kEndsAttributeName)) ++at;
  span.nameEnd = at;
  size_t afterName = SkipSpaces(text, at);
  if (afterName < text.size() && text[afterName] == '=') {
    return ScanValue(text, SkipSpaces(text, afterName + 1), span);
  }
  span.valueBegin = span.valueEnd = span.end = at;
  return at < text.size() ? ScanResult::kAttribute : ScanResult::kNoEnd;
}

}  // namespace pagesift

#endif  // PAGESIFT_TAG_SCANNER_H
