#include "projectbuild/parallel_runner.h"

#include <algorithm>
#include <chrono>
#include <numeric>
#include <string>

#include "platform/terminal.h"
#include "platform/worker_threads.h"

namespace bte::projectbuild {
namespace {

using Clock = std::chrono::steady_clock;

struct Progress {
  std::atomic<size_t> next{0};
  std::atomic<size_t> filesDone{0};
  std::atomic<uint64_t> bytesDone{0};
};

void DrawProgress(std::FILE* out, const Progress& progress, size_t files, uint64_t bytes,
                  Clock::time_point start) {
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const size_t done = progress.filesDone.load();
  const double fraction = bytes ? static_cast<double>(progress.bytesDone.load()) / bytes
                                : (files ? static_cast<double>(done) / files : 1.0);
  const int width = std::clamp(platform::TerminalWidth(out, 80) - 60, 10, 40);
  const int filled = static_cast<int>(fraction * width);
  std::fprintf(out, "\r[%s%s] %zu/%zu files, %.1f/%.1f MB, %.1f s ",
               std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(), done,
               files, progress.bytesDone.load() / 1e6, bytes / 1e6, seconds);
  std::fflush(out);
}

}  // namespace

bool RunInParallel(const std::vector<uint64_t>& sizes, const RunOptions& options,
                   const std::function<void(size_t)>& job) {
  Progress progress;
  const size_t count = sizes.size();
  const uint64_t totalBytes = std::accumulate(sizes.begin(), sizes.end(), uint64_t{0});
  auto stopped = [&] { return options.stop != nullptr && options.stop->load(); };
  auto worker = [&] {
    for (size_t i; !stopped() && (i = progress.next++) < count;) {
      job(i);
      progress.bytesDone += sizes[i];
      ++progress.filesDone;
    }
  };
  const Clock::time_point start = Clock::now();
  const unsigned jobs = std::max(1u, options.jobs);
  if (options.progress == nullptr) {
    const platform::WorkerThreads others(jobs - 1, worker);
    worker();
  } else {
    // This thread draws; every job runs on a worker of its own.
    const platform::WorkerThreads workers(jobs, worker);
    while (progress.filesDone.load() < count && !stopped()) {
      DrawProgress(options.progress, progress, count, totalBytes, start);
      platform::SleepFor(std::chrono::milliseconds(100));
    }
  }
  if (options.progress != nullptr) {
    DrawProgress(options.progress, progress, count, totalBytes, start);
    std::fputc('\n', options.progress);
  }
  return progress.filesDone.load() == count;
}

}  // namespace bte::projectbuild
