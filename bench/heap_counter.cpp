#include "heap_counter.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <string>
#include <new>

namespace {
std::atomic<size_t> liveBytes{0};
std::atomic<size_t> peakBytes{0};

void* CountedAllocate(size_t size) {
  void* block = std::malloc(size + sizeof(std::max_align_t));
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<size_t*>(block) = size;
  const size_t live = liveBytes.fetch_add(size, std::memory_order_relaxed) + size;
  size_t peak = peakBytes.load(std::memory_order_relaxed);
  while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
  }
  return static_cast<char*>(block) + sizeof(std::max_align_t);
}

void CountedFree(void* pointer) {
  if (pointer == nullptr) return;
  void* block = static_cast<char*>(pointer) - sizeof(std::max_align_t);
  liveBytes.fetch_sub(*static_cast<size_t*>(block), std::memory_order_relaxed);
  std::free(block);
}
}  // namespace

void* operator new(size_t size) { return CountedAllocate(size); }
void* operator new[](size_t size) { return CountedAllocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return CountedAllocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, size_t) noexcept { CountedFree(pointer); }

namespace bte::bench {

size_t HeapLiveBytes() { return liveBytes.load(); }
size_t HeapPeakBytes() { return peakBytes.load(); }
void ResetHeapPeak() { peakBytes.store(liveBytes.load()); }

namespace {

// A "Name:   123 kB" line of the process status, in bytes.
size_t StatusKilobytes(const std::string& name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, name.size(), name) == 0)
      return std::strtoull(line.c_str() + name.size(), nullptr, 10) * 1024;
  return 0;
}

}  // namespace

size_t ResidentBytes() { return StatusKilobytes("VmRSS:"); }
size_t ResidentPeakBytes() { return StatusKilobytes("VmHWM:"); }
void ResetResidentPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace bte::bench
