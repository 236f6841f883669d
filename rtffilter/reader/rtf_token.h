// The byte-level RTF tokenizer and group matcher. Every position points into
// the caller's buffer and every range is a byte count; nothing is copied.
#ifndef BTE_RTFFILTER_READER_RTF_TOKEN_H
#define BTE_RTFFILTER_READER_RTF_TOKEN_H

#include <cstddef>
#include <cstdint>

#include "rtffilter/reader/byte_runs.h"

namespace bte::rtf {

enum RtfTokenKind : int32_t {
  TokenControlWord = 1,    // \letters, optional numeric parameter, optional space
  TokenControlSymbol = 2,  // \ and one non-letter byte
  TokenText = 3,           // bytes up to the next {, } or backslash
  TokenGroupOpen = 4,
  TokenGroupClose = 5,
  TokenUnitGroup = 6,      // a whole group, from the content reading only
};

// One record is reused from token to token: a field that a token does not
// set keeps its earlier value.
class RTFToken {
 public:
  virtual ~RTFToken() = default;

  uint32_t length = 0;       // bytes of the token, ending space included
  uint32_t nameLength = 0;   // control words: backslash and letters
  uint32_t paramLength = 0;  // control words: parameter bytes, sign included
  int32_t kind = 0;          // an RtfTokenKind
  int32_t code = 0;          // content reading: special-word or unit code
};

// Reads the token at position; range (> 0) bounds it. Inline, below: it
// runs for every token of a document.
inline void ReadRtfToken(const char* position, uint32_t range, RTFToken& token);

// position is at a '{': true with the length through the matching '}', or
// false when the match does not lie within range bytes. The data after
// \binN is passed over: its bytes are no braces.
bool FindGroupEnd(const char* position, uint32_t range, uint32_t& groupLength);

// Reads an optionally signed decimal number after blanks; false when none.
// Inline: the paragraph words of every list paragraph carry one.
inline bool ReadNumberAfterBlanks(const char* position, const char* end, int64_t& value) {
  while (position < end && (*position == ' ' || *position == '\t' || *position == '\r' ||
                            *position == '\n'))
    ++position;
  bool negative = false;
  if (position < end && (*position == '-' || *position == '+')) {
    negative = *position == '-';
    ++position;
  }
  if (position >= end || !byte_runs::IsDigit(static_cast<unsigned char>(*position))) return false;
  int64_t number = 0;
  for (; position < end && byte_runs::IsDigit(static_cast<unsigned char>(*position)); ++position) {
    // Saturate instead of overflowing; such numbers name nothing real.
    if (number < (int64_t{1} << 40)) number = number * 10 + (*position - '0');
  }
  value = negative ? -number : number;
  return true;
}

// The bytes of binary data after the control word token at word: N for
// \binN with N > 0, else 0. Inline: the scanner asks it of every word.
inline int64_t BinaryDataLength(const char* word, const RTFToken& token) {
  if (token.nameLength != 4 || word[1] != 'b' || word[2] != 'i' || word[3] != 'n') return 0;
  int64_t count = 0;
  if (!ReadNumberAfterBlanks(word + token.nameLength, word + token.length, count)) return 0;
  return count > 0 ? count : 0;
}

// True when [begin, end) ends in a control word with no delimiter, which
// a letter or digit written next would run on from. Looks back at most
// kWordLookBack bytes: a longer word is no word a reader knows.
constexpr std::ptrdiff_t kWordLookBack = 96;
bool EndsInUndelimitedWord(const char* begin, const char* end);
// Whether next, written right after a control word, would become part of it.
inline bool RunsOnFromWord(char next) {
  return (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') ||
         (next >= '0' && next <= '9') || next == '-';
}

// A line break in RTF source is not text: readers ignore it.
inline bool IsLineBreak(char byte) { return byte == '\r' || byte == '\n'; }
// The first line break in [from, end), or end.
inline const char* FindLineBreak(const char* from, const char* end) {
#if defined(__SSE2__) && defined(__GNUC__)
  for (; end - from >= static_cast<std::ptrdiff_t>(byte_runs::kBlock); from += byte_runs::kBlock)
    if (const unsigned found = byte_runs::LineBreaks(from)) return from + __builtin_ctz(found);
#endif
  while (from < end && !IsLineBreak(*from)) ++from;
  return from;
}

namespace token_reading {

inline void ReadControlWord(const char* position, uint32_t range, RTFToken& token) {
  token.kind = TokenControlWord;
  const uint32_t at = byte_runs::SkipLetters(position, 1, range);
  if (at == range) {  // the range ends inside the letters
    token.length = token.nameLength = range;
    return;
  }
  token.nameLength = at;
  const char next = position[at];
  if (next == '-' || byte_runs::IsDigit(static_cast<unsigned char>(next))) {
    uint32_t end = at + 1;  // the first parameter byte is taken whatever it is
    while (end < range && byte_runs::IsDigit(static_cast<unsigned char>(position[end]))) ++end;
    token.paramLength = end - at;
    if (end < range && position[end] == ' ') ++end;
    token.length = end;
    return;
  }
  token.length = next == ' ' ? at + 1 : at;
}

}  // namespace token_reading

inline void ReadRtfToken(const char* position, uint32_t range, RTFToken& token) {
  const char first = position[0];
  if (first == '{' || first == '}') {
    token.kind = first == '{' ? TokenGroupOpen : TokenGroupClose;
    token.length = 1;
    return;
  }
  if (first == '\\') {
    if (range < 2 || !byte_runs::IsAsciiLetter(static_cast<unsigned char>(position[1]))) {
      // A lone backslash at the very end still counts as a two-byte symbol;
      // callers clamp it to their range.
      token.kind = TokenControlSymbol;
      token.length = range < 2 ? range : 2;
      return;
    }
    token_reading::ReadControlWord(position, range, token);
    return;
  }
  token.kind = TokenText;
  token.length = byte_runs::SkipText(position, 1, range);
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_RTF_TOKEN_H
