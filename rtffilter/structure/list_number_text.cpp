#include "rtffilter/structure/list_number_text.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {
namespace {

// One decimal place written with the letters for one, five and ten (i, v,
// x for the units): nothing, one to three ones, a five with up to three
// ones after it, or a one before a five or a ten. Returns the letters used.
size_t RomanPlace(std::string_view s, char one, char five, char ten) {
  if (s.size() >= 2 && s[0] == one && (s[1] == five || s[1] == ten)) return 2;
  size_t at = !s.empty() && s[0] == five ? 1 : 0;
  for (int ones = 0; at < s.size() && s[at] == one && ones < 3; ++ones) ++at;
  return at;
}

enum class CharClass { kNeutral, kLetter, kRefused };

// A byte of the text (or of an escape): ASCII letters count as letters;
// the code page's letters (0xC0 up) are refused; digits, blanks,
// punctuation, control bytes and the code page's symbols (0x80-0xBF:
// bullets, dashes, quotes) show no word.
CharClass Classify(unsigned char byte) {
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) return CharClass::kLetter;
  return byte >= 0xC0 ? CharClass::kRefused : CharClass::kNeutral;
}

// A \uN character: ASCII as its byte; above, only punctuation, symbols,
// arrows and shapes (U+2000-U+2BFF) and a symbol font's private area
// (U+F000-U+F0FF, where bullets live).
CharClass ClassifyUnicode(int64_t code) {
  if (code < 0) code += 65536;  // RTF writes characters above 32767 negative
  if (code < 128) return Classify(static_cast<unsigned char>(code));
  const bool symbol = (code >= 0x2000 && code <= 0x2BFF) || (code >= 0xF000 && code <= 0xF0FF);
  return symbol ? CharClass::kNeutral : CharClass::kRefused;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The class of what the token at p shows; hex escapes and \uN included.
CharClass ClassifyToken(const char* p, const char* end, const RTFToken& token, std::string& letters) {
  auto take = [&letters](CharClass c, unsigned char byte) {
    if (c == CharClass::kLetter) letters += static_cast<char>(byte | 0x20);
    return c;
  };
  if (token.kind == TokenText) {
    for (const char* q = p; q < p + token.length; ++q)
      if (take(Classify(static_cast<unsigned char>(*q)), static_cast<unsigned char>(*q)) ==
          CharClass::kRefused)
        return CharClass::kRefused;
    return CharClass::kNeutral;
  }
  if (token.kind == TokenControlSymbol && p[1] == '\'') {
    const int high = end - p >= 4 ? HexDigit(p[2]) : -1, low = end - p >= 4 ? HexDigit(p[3]) : -1;
    if (high < 0 || low < 0) return CharClass::kRefused;
    const auto byte = static_cast<unsigned char>(high * 16 + low);
    return take(Classify(byte), byte);
  }
  if (token.kind == TokenControlWord && token.nameLength == 2 && p[1] == 'u' && token.paramLength > 0) {
    int64_t code = 0;
    if (!ReadNumberAfterBlanks(p + 2, end, code)) return CharClass::kRefused;
    const CharClass c = ClassifyUnicode(code);
    return take(c, static_cast<unsigned char>(code));
  }
  return CharClass::kNeutral;  // formatting words, other symbols, braces
}

// A roman numeral in lower case, 1 to 3999, written the usual way.
bool IsRomanNumeral(std::string_view s) {
  size_t at = 0;
  for (int thousands = 0; at < s.size() && s[at] == 'm' && thousands < 3; ++thousands) ++at;
  at += RomanPlace(s.substr(at), 'c', 'd', 'm');
  at += RomanPlace(s.substr(at), 'x', 'l', 'c');
  at += RomanPlace(s.substr(at), 'i', 'v', 'x');
  return !s.empty() && at == s.size();
}

// Digits, punctuation and braces alone, the usual "{3.}": no escape, no
// letter and no code-page letter to look into.
bool HoldsOnlyNeutralBytes(const ItemSpan& item) {
  for (const char* p = item.text; p < item.end(); ++p)
    if (*p == '\\' || Classify(static_cast<unsigned char>(*p)) != CharClass::kNeutral) return false;
  return true;
}

}  // namespace

bool ReadsAsListNumber(const ItemSpan& item) {
  if (!item.present()) return false;
  if (HoldsOnlyNeutralBytes(item)) return true;
  std::string letters;
  const char* const end = item.end();
  RTFToken token;
  for (const char* p = item.text; p < end; p += token.length) {
    ReadRtfToken(p, static_cast<uint32_t>(end - p), token);
    if (token.length == 0) return false;
    if (ClassifyToken(p, end, token, letters) == CharClass::kRefused) return false;
    // A hex escape is the backslash, the quote and two digits.
    if (token.kind == TokenControlSymbol && p[1] == '\'')
      token.length = static_cast<uint32_t>(std::min<std::ptrdiff_t>(4, end - p));
  }
  if (letters.empty() || letters.find_first_not_of(letters[0]) == std::string::npos) return true;
  return IsRomanNumeral(letters);
}

}  // namespace bte::rtf
