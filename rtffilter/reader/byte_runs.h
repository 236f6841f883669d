// The byte runs the RTF tokenizer steps over: letters, text up to a brace
// or backslash, line breaks. Inline: the tokenizer runs for every token of
// a document, and most runs are a few bytes long.
#ifndef BTE_RTFFILTER_READER_BYTE_RUNS_H
#define BTE_RTFFILTER_READER_BYTE_RUNS_H

#include <cstdint>

#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#endif

namespace bte::rtf::byte_runs {

inline bool IsAsciiLetter(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

inline bool IsDigit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

inline bool EndsText(char byte) { return byte == '{' || byte == '}' || byte == '\\'; }

#if defined(__SSE2__) && defined(__GNUC__)
// Sixteen bytes at a time where the range holds them: a table document is
// mostly control words and short text runs, and a byte at a time cost a
// branch each.
inline constexpr uint32_t kBlock = 16;

// Bits set for the bytes of the block at p that are not ASCII letters.
inline unsigned NonLetters(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Lower case, then 'a'..'z' moved to the bottom of the signed range.
  const __m128i shifted = _mm_xor_si128(
      _mm_sub_epi8(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), _mm_set1_epi8('a')),
      _mm_set1_epi8(static_cast<char>(0x80)));
  const __m128i letters = _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(0x80 + 26)));
  return ~static_cast<unsigned>(_mm_movemask_epi8(letters)) & 0xFFFFu;
}

// Bits set for the bytes of the block at p that end a text run.
inline unsigned TextEnds(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i ends = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('{')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('}'))),
      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\')));
  return static_cast<unsigned>(_mm_movemask_epi8(ends));
}
#endif

// The first position from at on, before range, whose byte is no letter;
// range when there is none.
inline uint32_t SkipLetters(const char* position, uint32_t at, uint32_t range) {
#if defined(__SSE2__) && defined(__GNUC__)
  for (; range - at >= kBlock; at += kBlock)
    if (const unsigned stops = NonLetters(position + at)) return at + __builtin_ctz(stops);
#endif
  while (at < range && IsAsciiLetter(static_cast<unsigned char>(position[at]))) ++at;
  return at;
}

// The first position from at on, before range, of a '{', '}' or backslash;
// range when there is none.
inline uint32_t SkipText(const char* position, uint32_t at, uint32_t range) {
#if defined(__SSE2__) && defined(__GNUC__)
  for (; range - at >= kBlock; at += kBlock)
    if (const unsigned stops = TextEnds(position + at)) return at + __builtin_ctz(stops);
#endif
  while (at < range && !EndsText(position[at])) ++at;
  return at;
}

#if defined(__SSE2__) && defined(__GNUC__)
// Bits set for the bytes of the block at p that are line breaks.
inline unsigned LineBreaks(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')))));
}
#endif

}  // namespace bte::rtf::byte_runs

#endif  // BTE_RTFFILTER_READER_BYTE_RUNS_H
