// Worker threads: each runs the work once, all are joined when the group
// goes, and none is left tied to one processor by its start.
#include <sched.h>

#include <atomic>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "platform/worker_threads.h"

namespace bte::platform {
namespace {

class WorkerThreadsTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(WorkerThreadsTest, EachRunsTheWorkOnceAndIsJoined) {
  std::atomic<unsigned> runs{0};
  { const WorkerThreads workers(GetParam(), [&] { ++runs; }); }
  EXPECT_EQ(runs.load(), GetParam());
}

TEST_P(WorkerThreadsTest, NoneStaysTiedToOneProcessor) {
  cpu_set_t creator;
  ASSERT_EQ(sched_getaffinity(0, sizeof creator, &creator), 0);
  std::mutex mutex;
  std::vector<cpu_set_t> seen;
  {
    const WorkerThreads workers(GetParam(), [&] {
      cpu_set_t own;
      sched_getaffinity(0, sizeof own, &own);
      const std::lock_guard<std::mutex> lock(mutex);
      seen.push_back(own);
    });
  }
  ASSERT_EQ(seen.size(), GetParam());
  for (const cpu_set_t& own : seen) EXPECT_TRUE(CPU_EQUAL(&own, &creator));
}

INSTANTIATE_TEST_SUITE_P(Counts, WorkerThreadsTest, ::testing::Values(0u, 1u, 2u, 5u));

}  // namespace
}  // namespace bte::platform
