// Live heap bytes and their peak, counted by the benchmark program's own
// operator new and delete, so that a run's memory can be reported.
#ifndef BTE_BENCH_HEAP_COUNTER_H
#define BTE_BENCH_HEAP_COUNTER_H

#include <cstddef>

namespace bte::bench {

size_t HeapLiveBytes();
size_t HeapPeakBytes();
// Sets the peak to the bytes live now, so that a later peak minus the live
// bytes of this moment is what the code in between took at most.
void ResetHeapPeak();

// Resident memory of the whole process and its peak as the system counts
// them, which includes blocks the code maps itself and the heap counter does
// not see. 0 where the system does not tell.
size_t ResidentBytes();
size_t ResidentPeakBytes();
// Sets the resident peak to what is resident now.
void ResetResidentPeak();

// Growth of the process's resident memory during the first iteration, when
// nothing freed by an earlier one can be reused unseen.
class ResidentPeak {
 public:
  void Begin() {
    if (measured_) return;
    before_ = ResidentBytes();
    ResetResidentPeak();
  }
  void End() {
    if (measured_) return;
    growth_ = ResidentPeakBytes() - before_;
    measured_ = true;
  }
  double PerByte(size_t inputBytes) const { return static_cast<double>(growth_) / inputBytes; }

 private:
  bool measured_ = false;
  size_t before_ = 0;
  size_t growth_ = 0;
};

}  // namespace bte::bench

#endif  // BTE_BENCH_HEAP_COUNTER_H
