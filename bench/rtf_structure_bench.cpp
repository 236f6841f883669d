// Building and writing the RTF structure tree for a table- and list-heavy
// document of tens of megabytes, against a bare scan that only counts
// braces and backslashes. Peak memory is reported as the growth of resident
// memory per input byte (peak_resident_per_input_byte), output included: the
// tree keeps its objects in blocks mapped outside the heap.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "buildtagexpr.h"
#include "resident_memory.h"
#include "rtf_documents.h"
#include "rtf_runs.h"
#include "rtffilter/segments.h"
#include "rtffilter/structure/rtf_document_tree.h"
#include "rtffilter/structure_items.h"

namespace {

using bte::rtf::ParagraphListState;
using bte::rtf::RtfItem;

struct ItemRecord {
  uint32_t offset, length;
  int32_t excluded, kind;
  ParagraphListState state;
};

struct Workload : bte::rtf::RtfItemSink {
  void AddItem(const RtfItem& item, const ParagraphListState& state) override {
    items.push_back({static_cast<uint32_t>(item.text - text.data()), item.length, item.excluded,
                     item.kind, state});
  }
  std::string text;
  std::vector<ItemRecord> items;
};

// The filter's own item stream, recorded before the clock starts.
const Workload& TheWorkload() {
  static const Workload workload = [] {
    Workload w;
    w.text = bte::bench::MakeTableDocument(32u << 20);
    bte::rtf::SegmentList segments;
    bte::rtf::SplitIntoSegments(w.text.data(), static_cast<uint32_t>(w.text.size()), segments);
    IBuildTagExprParser* parser = nullptr;
    CreateBuildTagExprParserInstance(&parser, "NOT Hidden");
    bte::rtf::MarkExcludedSegments(parser, segments);
    parser->Release();
    bte::rtf::GenerateStructureItems(segments, w);
    return w;
  }();
  return workload;
}

void BM_BareScan(benchmark::State& state) { bte::bench::TimeBareScan(state, TheWorkload().text); }

// The caller's share is included: one heap item per record, as the writer
// that feeds the tree hands them over.
void BM_BuildAndWriteTree(benchmark::State& state) {
  const Workload& work = TheWorkload();
  std::unique_ptr<char[]> out(new char[work.text.size()]);
  size_t written = 0;
  bte::bench::ResidentPeak resident;
  for (auto _ : state) {
    resident.Begin();
    {
      // Written as it goes, as the filter does.
      bte::rtf::OutputSink sink(out.get(), work.text.size());
      bte::rtf::RtfDocumentTree tree(work.text.data(), static_cast<uint32_t>(work.text.size()));
      tree.StreamTo(sink);
      for (const ItemRecord& r : work.items)
        tree.AddItem(new RtfItem(work.text.data() + r.offset, r.length, r.excluded, r.kind),
                     r.state);
      if (tree.Write(sink) == 0) state.SkipWithError("write failed");
      written = sink.written();
      resident.End();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * work.text.size()));
  state.counters["input_mb"] = static_cast<double>(work.text.size()) / (1 << 20);
  state.counters["output_share"] = static_cast<double>(written) / work.text.size();
  state.counters["peak_resident_per_input_byte"] = resident.PerByte(work.text.size());
}

// The whole structured path through the filter object: markup, segments,
// items, tree and output.
void BM_FilterBufferStructured(benchmark::State& state) {
  static const std::string text = bte::bench::MakeTableDocument(32u << 20);
  const bte::bench::FilterRuns runs = bte::bench::TimeFilterBuffer(state, text, "NOT Hidden");
  state.counters["input_mb"] = static_cast<double>(text.size()) / (1 << 20);
  state.counters["output_share"] = static_cast<double>(runs.outputLength) / text.size();
  // The output buffer and the tree's blocks are mapped outside the heap,
  // so only the resident growth tells the whole memory.
  state.counters["peak_resident_per_input_byte"] =
      static_cast<double>(runs.residentGrowth) / text.size();
}

BENCHMARK(BM_BareScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndWriteTree)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FilterBufferStructured)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace
