// The two measurements every RTF benchmark makes: the bare scan its speed
// is held against, and timed FilterBuffer runs with the memory they take.
#ifndef BTE_BENCH_RTF_RUNS_H
#define BTE_BENCH_RTF_RUNS_H

#include <cstddef>
#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

namespace bte::bench {

// One pass over text counting braces and backslashes, per iteration.
void TimeBareScan(benchmark::State& state, const std::string& text);

struct FilterRuns {
  uint32_t outputLength = 0;
  size_t residentGrowth = 0;  // during the first run, output included
};

// FilterBuffer over text with a filter for expression, per iteration.
FilterRuns TimeFilterBuffer(benchmark::State& state, const std::string& text,
                            const char* expression);

}  // namespace bte::bench

#endif  // BTE_BENCH_RTF_RUNS_H
