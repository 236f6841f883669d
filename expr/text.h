// Small byte-string helpers shared by the expression code: the white space
// that trimming removes and ASCII-only case folding, as the runtime library's
// "C" locale does them.
#ifndef BTE_EXPR_TEXT_H
#define BTE_EXPR_TEXT_H

#include <string_view>

namespace bte {

// Blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline std::string_view TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsWhiteSpace(s[i])) ++i;
  return s.substr(i);
}

inline std::string_view TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsWhiteSpace(s[n - 1])) --n;
  return s.substr(0, n);
}

inline std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace bte

#endif  // BTE_EXPR_TEXT_H
