#include "rtffilter/reader/rtf_token.h"

#include <cstddef>

#include "rtffilter/reader/byte_runs.h"

namespace bte::rtf {

using byte_runs::IsAsciiLetter;
using byte_runs::IsDigit;
using byte_runs::SkipText;

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

}  // namespace bte::rtf
