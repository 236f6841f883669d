// FilterBuffer on large generated documents against a bare one-pass scan of
// the same bytes, and the memory a run takes beyond its input and output.
#include <cstdlib>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "rtf_documents.h"
#include "rtf_runs.h"
#include "platform/zeroed_block.h"
#include "rtffilter/segments.h"


namespace {

// Every second paragraph tagged, a quarter of the tags Beta (rtf_documents.h).
const std::string& Document(bool groupedTags = false) {
  static const std::string host = bte::bench::MakeTaggedDocument(32u << 20, false);
  static const std::string grouped = bte::bench::MakeTaggedDocument(32u << 20, true);
  return groupedTags ? grouped : host;
}

void BareScan(benchmark::State& state) { bte::bench::TimeBareScan(state, Document()); }
BENCHMARK(BareScan)->Unit(benchmark::kMillisecond);

// The floor under every writer: a fresh zeroed block of the input's size
// and one copy of the bytes into it (the writers fill a new buffer per call).
void BareCopy(benchmark::State& state, bool largePages) {
  const std::string& rtf = Document();
  for (auto _ : state) {
    char* out = largePages ? bte::platform::AllocateZeroedBlock(rtf.size() + 1)
                           : static_cast<char*>(std::calloc(rtf.size() + 1, 1));
    std::memcpy(out, rtf.data(), rtf.size());
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
    if (largePages)
      bte::platform::FreeZeroedBlock(out, rtf.size() + 1);
    else
      std::free(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK_CAPTURE(BareCopy, Calloc, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BareCopy, ZeroedBlock, true)->Unit(benchmark::kMillisecond);

size_t SegmentCount(const std::string& rtf) {
  bte::rtf::SegmentList segments;
  bte::rtf::SplitIntoSegments(rtf.c_str(), static_cast<uint32_t>(rtf.size()), segments);
  return segments.segments.size();
}

// expression "NOT Beta" removes a quarter of the ranges (RemoveExcludedSimple);
// "Web OR Beta" removes nothing, so only the markup goes (CopyWithoutMarkers).
void Filter(benchmark::State& state, const char* expression, bool groupedTags) {
  const std::string& rtf = Document(groupedTags);
  const size_t segments = SegmentCount(rtf);
  const bte::bench::FilterRuns runs = bte::bench::TimeFilterBuffer(state, rtf, expression);
  state.counters["input_MB"] = static_cast<double>(rtf.size()) / (1 << 20);
  state.counters["output_MB"] = static_cast<double>(runs.outputLength) / (1 << 20);
  state.counters["segments"] = static_cast<double>(segments);
  // Beyond the input and the output written: the pass's own memory per
  // segment.
  state.counters["extra_bytes_per_segment"] =
      (static_cast<double>(runs.residentGrowth) - runs.outputLength) / segments;
}
BENCHMARK_CAPTURE(Filter, RemoveExcludedSimple, "NOT Beta", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Filter, CopyWithoutMarkers, "Web OR Beta", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Filter, RemoveExcludedSimpleGroupedTags, "NOT Beta", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Filter, CopyWithoutMarkersGroupedTags, "Web OR Beta", true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
