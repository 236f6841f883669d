#include "platform/worker_threads.h"

#include <windows.h>

#include <vector>

namespace bte::platform {
namespace {

DWORD WINAPI RunWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return 0;
}

}  // namespace

struct WorkerThreads::Threads {
  std::function<void()> work;
  std::vector<HANDLE> running;
};

unsigned ProcessorCount() {
  const DWORD count = GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
  return count > 0 ? count : 1;
}

unsigned long CurrentThreadNumber() { return GetCurrentThreadId(); }

void SleepFor(std::chrono::milliseconds time) { Sleep(static_cast<DWORD>(time.count())); }

WorkerThreads::WorkerThreads(unsigned count, const std::function<void()>& work)
    : threads_(new Threads{work, {}}) {
  for (unsigned i = 0; i < count; ++i) {
    HANDLE thread = CreateThread(nullptr, 0, RunWork, &threads_->work, 0, nullptr);
    // A thread the system refuses leaves its share to the others, which
    // take work until none is left.
    if (thread != nullptr) threads_->running.push_back(thread);
  }
  if (count > 0 && threads_->running.empty()) threads_->work();
}

WorkerThreads::~WorkerThreads() {
  for (HANDLE thread : threads_->running) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
}

}  // namespace bte::platform
