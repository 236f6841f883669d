// Runs one job per file on a fixed number of threads, in order of the list,
// with a progress line on a terminal.
#ifndef BTE_PROJECTBUILD_PARALLEL_RUNNER_H
#define BTE_PROJECTBUILD_PARALLEL_RUNNER_H

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace bte::projectbuild {

struct RunOptions {
  unsigned jobs = 1;
  std::FILE* progress = nullptr;              // where the progress line goes; null: none
  const std::atomic<bool>* stop = nullptr;    // raised: start no further job
};

// Calls job(i) for each i below sizes.size(); sizes[i] weighs job i in the
// progress line. Returns false when stop was raised before every job ran;
// jobs already started always finish.
bool RunInParallel(const std::vector<uint64_t>& sizes, const RunOptions& options,
                   const std::function<void(size_t)>& job);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_PARALLEL_RUNNER_H
