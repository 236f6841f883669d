// The byte-level RTF tokenizer and group matcher. Every position points into
// the caller's buffer and every range is a byte count; nothing is copied.
#ifndef BTE_RTFFILTER_READER_RTF_TOKEN_H
#define BTE_RTFFILTER_READER_RTF_TOKEN_H

#include <cstddef>
#include <cstdint>

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

// Reads the token at position; range (> 0) bounds it.
void ReadRtfToken(const char* position, uint32_t range, RTFToken& token);

// position is at a '{': true with the length through the matching '}', or
// false when the match does not lie within range bytes. The data after
// \binN is passed over: its bytes are no braces.
bool FindGroupEnd(const char* position, uint32_t range, uint32_t& groupLength);

// Reads an optionally signed decimal number after blanks; false when none.
bool ReadNumberAfterBlanks(const char* position, const char* end, int64_t& value);

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
const char* FindLineBreak(const char* from, const char* end);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_RTF_TOKEN_H
