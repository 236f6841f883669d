#include "resident_memory.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace bte::bench {

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
