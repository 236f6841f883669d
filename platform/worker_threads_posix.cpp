#include "platform/worker_threads.h"

#include <thread>
#include <vector>

namespace bte::platform {

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
  for (unsigned i = 0; i < count; ++i) threads_->running.emplace_back(work);
}

WorkerThreads::~WorkerThreads() {
  for (std::thread& thread : threads_->running) thread.join();
}

}  // namespace bte::platform
