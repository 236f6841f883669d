#include "rtffilter/reader/rtf_token.h"

#include <cstddef>

#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#endif

namespace bte::rtf {
namespace {

bool IsAsciiLetter(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

bool IsDigit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

bool EndsText(char byte) { return byte == '{' || byte == '}' || byte == '\\'; }

#if defined(__SSE2__) && defined(__GNUC__)
// Sixteen bytes at a time where the range holds them: a table document is
// mostly control words and short text runs, and a byte at a time cost a
// branch each.
constexpr uint32_t kBlock = 16;

// Bits set for the bytes of the block at p that are not ASCII letters.
unsigned NonLetters(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Lower case, then 'a'..'z' moved to the bottom of the signed range.
  const __m128i shifted = _mm_xor_si128(
      _mm_sub_epi8(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), _mm_set1_epi8('a')),
      _mm_set1_epi8(static_cast<char>(0x80)));
  const __m128i letters = _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(0x80 + 26)));
  return ~static_cast<unsigned>(_mm_movemask_epi8(letters)) & 0xFFFFu;
}

// Bits set for the bytes of the block at p that end a text run.
unsigned TextEnds(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i ends = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('{')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('}'))),
      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\')));
  return static_cast<unsigned>(_mm_movemask_epi8(ends));
}
#endif

// The first position from at on, before range, whose byte is no letter;
// range when there is none.
uint32_t SkipLetters(const char* position, uint32_t at, uint32_t range) {
#if defined(__SSE2__) && defined(__GNUC__)
  for (; range - at >= kBlock; at += kBlock)
    if (const unsigned stops = NonLetters(position + at)) return at + __builtin_ctz(stops);
#endif
  while (at < range && IsAsciiLetter(static_cast<unsigned char>(position[at]))) ++at;
  return at;
}

// The first position from at on, before range, of a '{', '}' or backslash;
// range when there is none.
uint32_t SkipText(const char* position, uint32_t at, uint32_t range) {
#if defined(__SSE2__) && defined(__GNUC__)
  for (; range - at >= kBlock; at += kBlock)
    if (const unsigned stops = TextEnds(position + at)) return at + __builtin_ctz(stops);
#endif
  while (at < range && !EndsText(position[at])) ++at;
  return at;
}

#if defined(__SSE2__) && defined(__GNUC__)
// Bits set for the bytes of the block at p that are line breaks.
unsigned LineBreaks(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')))));
}
#endif

void ReadControlWord(const char* position, uint32_t range, RTFToken& token) {
  token.kind = TokenControlWord;
  const uint32_t at = SkipLetters(position, 1, range);
  if (at == range) {  // the range ends inside the letters
    token.length = token.nameLength = range;
    return;
  }
  token.nameLength = at;
  const char next = position[at];
  if (next == '-' || IsDigit(static_cast<unsigned char>(next))) {
    uint32_t end = at + 1;  // the first parameter byte is taken whatever it is
    while (end < range && IsDigit(static_cast<unsigned char>(position[end]))) ++end;
    token.paramLength = end - at;
    if (end < range && position[end] == ' ') ++end;
    token.length = end;
    return;
  }
  token.length = next == ' ' ? at + 1 : at;
}

}  // namespace

void ReadRtfToken(const char* position, uint32_t range, RTFToken& token) {
  const char first = position[0];
  if (first == '{' || first == '}') {
    token.kind = first == '{' ? TokenGroupOpen : TokenGroupClose;
    token.length = 1;
    return;
  }
  if (first == '\\') {
    if (range < 2 || !IsAsciiLetter(static_cast<unsigned char>(position[1]))) {
      // A lone backslash at the very end still counts as a two-byte symbol;
      // callers clamp it to their range.
      token.kind = TokenControlSymbol;
      token.length = range < 2 ? range : 2;
      return;
    }
    ReadControlWord(position, range, token);
    return;
  }
  token.kind = TokenText;
  token.length = SkipText(position, 1, range);
}

namespace {

// The bytes of a \binN word at word and of its data, read within range; 0
// when word is no such word.
uint64_t BinaryWordAndDataLength(const char* word, uint32_t range) {
  if (range < 5 || word[1] != 'b' || word[2] != 'i' || word[3] != 'n') return 0;
  RTFToken token;
  ReadRtfToken(word, range, token);
  const int64_t data = BinaryDataLength(word, token);
  return data > 0 ? token.length + static_cast<uint64_t>(data) : 0;
}

}  // namespace

bool FindGroupEnd(const char* position, uint32_t range, uint32_t& groupLength) {
  groupLength = 0;
  if (range == 0) return false;
  if (position[0] != '{') {
    groupLength = 1;
    return true;
  }
  // Only braces change the depth, so the end can only come at a '}'.
  int64_t depth = 0;
  bool escaped = false;
  for (uint32_t at = 0; at < range; ++at) {
    // Bytes other than braces and backslashes change nothing unless they
    // follow a backslash.
    if (!escaped && (at = SkipText(position, at, range)) == range) break;
    const char byte = position[at];
    if (byte == '\\') {
      // The data of \binN is no RTF: a brace in it counts for nothing.
      const uint64_t binary = escaped ? 0 : BinaryWordAndDataLength(position + at, range - at);
      if (binary != 0) {
        if (binary >= range - at) return false;
        at += static_cast<uint32_t>(binary) - 1;
        continue;
      }
      escaped = !escaped;
      continue;
    }
    if (!escaped) {
      if (byte == '{') {
        ++depth;
      } else if (byte == '}' && --depth == 0) {
        groupLength = at + 1;
        return true;
      }
    }
    escaped = false;
  }
  return false;
}

// Only the last bytes are looked at: a word is short, and a long run of
// letters or backslashes must not be walked again for every word left out.
bool EndsInUndelimitedWord(const char* begin, const char* end) {
  if (end - begin > kWordLookBack) begin = end - kWordLookBack;
  const char* p = end;
  while (p > begin && IsDigit(static_cast<unsigned char>(p[-1]))) --p;
  if (p > begin && p < end && p[-1] == '-') --p;
  const char* lettersEnd = p;
  while (p > begin && IsAsciiLetter(static_cast<unsigned char>(p[-1]))) --p;
  if (p == lettersEnd || p == begin || p[-1] != '\\') return false;
  // An odd run of backslashes: the last one opens the word, not escaped.
  std::ptrdiff_t backslashes = 0;
  while (p - backslashes > begin && p[-1 - backslashes] == '\\') ++backslashes;
  return backslashes % 2 == 1;
}

bool ReadNumberAfterBlanks(const char* position, const char* end, int64_t& value) {
  while (position < end && (*position == ' ' || *position == '\t' || *position == '\r' ||
                            *position == '\n'))
    ++position;
  bool negative = false;
  if (position < end && (*position == '-' || *position == '+')) {
    negative = *position == '-';
    ++position;
  }
  if (position >= end || !IsDigit(static_cast<unsigned char>(*position))) return false;
  int64_t number = 0;
  for (; position < end && IsDigit(static_cast<unsigned char>(*position)); ++position) {
    // Saturate instead of overflowing; such numbers name nothing real.
    if (number < (int64_t{1} << 40)) number = number * 10 + (*position - '0');
  }
  value = negative ? -number : number;
  return true;
}

const char* FindLineBreak(const char* from, const char* end) {
#if defined(__SSE2__) && defined(__GNUC__)
  for (; end - from >= static_cast<std::ptrdiff_t>(kBlock); from += kBlock)
    if (const unsigned found = LineBreaks(from)) return from + __builtin_ctz(found);
#endif
  while (from < end && !IsLineBreak(*from)) ++from;
  return from;
}

}  // namespace bte::rtf
