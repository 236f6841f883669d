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

}  // namespace bte::bench

#endif  // BTE_BENCH_HEAP_COUNTER_H
