// Benchmarks built from corpus documents measure nothing without the
// corpus: they report the same message the tests skip with.
#ifndef BTE_BENCH_CORPUS_H
#define BTE_BENCH_CORPUS_H

#include <benchmark/benchmark.h>

#include "tests/support/corpus_dir.h"

namespace bte::bench {

inline bool SkippedWithoutCorpus(benchmark::State& state) {
  if (bte::test::HaveCorpus()) return false;
  state.SkipWithError(bte::test::NoCorpusMessage().c_str());
  return true;
}

}  // namespace bte::bench

#endif  // BTE_BENCH_CORPUS_H
