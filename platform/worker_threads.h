// Threads for the tool's parallel jobs: a group of workers started together
// and joined together, the number of processors, and a number per thread.
#ifndef BTE_PLATFORM_WORKER_THREADS_H
#define BTE_PLATFORM_WORKER_THREADS_H

#include <chrono>
#include <functional>
#include <memory>

namespace bte::platform {

// Processors the process may use; at least 1.
unsigned ProcessorCount();

// A number that tells the calling thread from the others running now.
unsigned long CurrentThreadNumber();

// Lets the calling thread wait.
void SleepFor(std::chrono::milliseconds time);

// Starts count threads, each running work once. The destructor joins them.
class WorkerThreads {
 public:
  WorkerThreads(unsigned count, const std::function<void()>& work);
  ~WorkerThreads();
  WorkerThreads(const WorkerThreads&) = delete;
  WorkerThreads& operator=(const WorkerThreads&) = delete;

 private:
  struct Threads;
  std::unique_ptr<Threads> threads_;
};

}  // namespace bte::platform

#endif  // BTE_PLATFORM_WORKER_THREADS_H
