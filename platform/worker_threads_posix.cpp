#include "platform/worker_threads.h"

#include <sched.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace bte::platform {
namespace {

// A new thread starts on its creator's processor, and a virtual machine's
// kernel may leave it there while another processor idles: both jobs of a
// traced build were seen sharing one processor for their first 90 ms. So
// each worker moves once, as it starts, to a processor of its own among
// those the process may use (the creator's taken first), and then gives
// the kernel the whole choice back.
void MoveToOwnProcessor(unsigned index, int creatorProcessor) {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0 || CPU_COUNT(&allowed) < 2) return;
  std::vector<int> processors;
  for (int processor = 0; processor < CPU_SETSIZE; ++processor)
    if (CPU_ISSET(processor, &allowed)) processors.push_back(processor);
  const auto creator = std::find(processors.begin(), processors.end(), creatorProcessor);
  const size_t first = creator == processors.end() ? 0 : static_cast<size_t>(creator - processors.begin());
  cpu_set_t own;
  CPU_ZERO(&own);
  CPU_SET(processors[(first + 1 + index) % processors.size()], &own);
  if (sched_setaffinity(0, sizeof own, &own) == 0) sched_setaffinity(0, sizeof allowed, &allowed);
}

}  // namespace

struct WorkerThreads::Threads {
  std::vector<std::thread> running;
};

unsigned ProcessorCount() {
  const unsigned count = std::thread::hardware_concurrency();
  return count > 0 ? count : 1;
}

unsigned long CurrentThreadNumber() {
  return static_cast<unsigned long>(std::hash<std::thread::id>()(std::this_thread::get_id()));
}

void SleepFor(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

WorkerThreads::WorkerThreads(unsigned count, const std::function<void()>& work)
    : threads_(new Threads) {
  const int creatorProcessor = sched_getcpu();
  for (unsigned i = 0; i < count; ++i)
    threads_->running.emplace_back([i, creatorProcessor, work] {
      MoveToOwnProcessor(i, creatorProcessor);
      work();
    });
}

WorkerThreads::~WorkerThreads() {
  for (std::thread& thread : threads_->running) thread.join();
}

}  // namespace bte::platform
