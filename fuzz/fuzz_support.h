// The fuzz targets' one verdict: a broken promise aborts, and libFuzzer
// keeps the input that broke it.
#ifndef BTE_FUZZ_FUZZ_REQUIRE_H
#define BTE_FUZZ_FUZZ_REQUIRE_H

#include <cstdlib>

inline void Require(bool condition) {
  if (!condition) std::abort();
}

#endif  // BTE_FUZZ_FUZZ_REQUIRE_H
