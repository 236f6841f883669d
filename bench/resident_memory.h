// Resident memory of the benchmark process as the system counts it, which
// includes blocks the code maps itself outside the heap.
#ifndef BTE_BENCH_RESIDENT_MEMORY_H
#define BTE_BENCH_RESIDENT_MEMORY_H

#include <cstddef>

namespace bte::bench {

// Resident bytes now and their peak; 0 where the system does not tell.
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
  size_t Growth() const { return growth_; }
  double PerByte(size_t inputBytes) const { return static_cast<double>(growth_) / inputBytes; }

 private:
  bool measured_ = false;
  size_t before_ = 0;
  size_t growth_ = 0;
};

}  // namespace bte::bench

#endif  // BTE_BENCH_RESIDENT_MEMORY_H
