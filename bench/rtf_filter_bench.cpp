// FilterBuffer on large generated documents against a bare one-pass scan of
// the same bytes, and the memory a run takes beyond its input and output.
#include <cstdlib>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "rtf_runs.h"
#include "platform/zeroed_block.h"
#include "rtffilter/segments.h"


namespace {

// Paragraphs of text and formatting; every second one is a build-tag range,
// a quarter of those tagged Beta and the rest Web. No tables, no list text.
// With groupedTags the tags sit in a group of their own, a layout the host
// does not write, which the filter reads token by token.
std::string MakeDocument(size_t targetBytes, bool groupedTags) {
  std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
      "{\\colortbl;\\red0\\green0\\blue0;}\\pard\\plain\n";
  static const char* const kParagraphs[] = {
      "\\pard\\sa120\\f0\\fs24 Plain words of a help topic, {\\b bold} and {\\i italic} text "
      "with a \\'e9 character and \\tab a tab.\\par\r\n",
      "\\pard\\li360\\f1\\fs20\\cf1 Another paragraph {\\field{\\*\\fldinst HYPERLINK "
      "\"topic.htm\"}{\\fldrslt link text}} in a sentence of ordinary length.\\par\r\n",
  };
  for (int n = 1; rtf.size() < targetBytes; ++n) {
    const std::string paragraph = kParagraphs[n % 2];
    if (n % 2 == 1) {
      rtf += paragraph;
      continue;
    }
    const std::string id = std::to_string(n);
    rtf += "{\\*\\atrfstart " + id + "}" + paragraph + "{\\*\\atrfend " + id +
           "}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
           "{\\*\\annotation{\\*\\atnref " + id + "}" +
           (groupedTags ? "{" : "") + (n % 8 == 0 ? "Beta" : "Web") + (groupedTags ? "}" : "") +
           "}";
  }
  return rtf + "}";
}

const std::string& Document(bool groupedTags = false) {
  static const std::string host = MakeDocument(32u << 20, false);
  static const std::string grouped = MakeDocument(32u << 20, true);
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
