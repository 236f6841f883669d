// The brief locks exclude as the standard ones do: writers one at a time,
// and no reader while a writer is in. Two counters that writers move
// together must look equal to every reader and add up at the end.
#include <atomic>
#include <mutex>
#include <shared_mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/brief_lock.h"

namespace bte::platform {
namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 20000;

// Not atomic on purpose: only the lock keeps the pair in step.
struct Pair {
  long first = 0;
  long second = 0;
};

void MoveTogether(Pair& pair) {
  ++pair.first;
  std::atomic_signal_fence(std::memory_order_seq_cst);  // kept apart by the compiler
  ++pair.second;
}

TEST(BriefMutexTest, WritersTakeTurns) {
  BriefMutex mutex;
  Pair pair;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        std::lock_guard<BriefMutex> lock(mutex);
        MoveTogether(pair);
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(pair.first, long{kThreads} * kRounds);
  EXPECT_EQ(pair.second, pair.first);
}

TEST(BriefSharedMutexTest, ReadersNeverSeeAWriterHalfWay) {
  BriefSharedMutex mutex;
  Pair pair;
  std::atomic<long> uneven{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kRounds; ++i) {
        if ((i + t) % 2 == 0) {
          std::lock_guard<BriefSharedMutex> lock(mutex);
          MoveTogether(pair);
        } else {
          std::shared_lock<BriefSharedMutex> lock(mutex);
          if (pair.first != pair.second) ++uneven;
        }
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(uneven.load(), 0);
  EXPECT_EQ(pair.first, long{kThreads} * kRounds / 2);
  EXPECT_EQ(pair.second, pair.first);
}

TEST(BriefSharedMutexTest, ReadersShareTheLock) {
  BriefSharedMutex mutex;
  std::shared_lock<BriefSharedMutex> first(mutex);
  EXPECT_TRUE(mutex.try_lock_shared());
  EXPECT_FALSE(mutex.try_lock());
  mutex.unlock_shared();
}

}  // namespace
}  // namespace bte::platform
