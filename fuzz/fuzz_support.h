// What the fuzz targets share: the one verdict (a broken promise aborts, and
// libFuzzer keeps the input that broke it) and the ways they take their
// input apart and compare outputs with it.
#ifndef BTE_FUZZ_FUZZ_SUPPORT_H
#define BTE_FUZZ_FUZZ_SUPPORT_H

#include <cstdlib>
#include <string_view>

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// The bytes of rest before its first NUL; rest moves past that NUL, or to
// its end when it holds none.
inline std::string_view CutAtNul(std::string_view& rest) {
  const size_t at = rest.find('\0');
  const std::string_view piece = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return piece;
}

// Whether part is whole with bytes deleted, nothing added or changed.
inline bool IsSubsequence(std::string_view part, std::string_view whole) {
  size_t at = 0;
  for (char c : whole)
    if (at < part.size() && part[at] == c) ++at;
  return at == part.size();
}

#endif  // BTE_FUZZ_FUZZ_SUPPORT_H
