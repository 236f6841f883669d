// What the fuzz targets share: the one verdict (a broken promise aborts, and
// libFuzzer keeps the input that broke it) and the ways they take their
// input apart and compare outputs with it (text_search.h).
#ifndef BTE_FUZZ_FUZZ_SUPPORT_H
#define BTE_FUZZ_FUZZ_SUPPORT_H

#include <cstdlib>
#include <string_view>

#include "tests/support/text_search.h"

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

#endif  // BTE_FUZZ_FUZZ_SUPPORT_H
