// Building and writing the RTF structure tree for a table- and list-heavy
// document of tens of megabytes, against a bare scan that only counts
// braces and backslashes. The tree's peak heap use is reported per input
// byte (counters peak_bytes_per_input_byte), items included.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "../tests/rtfstructure/rtf_itemiser.h"
#include "heap_counter.h"
#include "rtffilter/structure/rtf_document_tree.h"


namespace {

using bte::rtf::ParagraphListState;
using bte::rtf::RtfItem;

std::string Cell(const std::string& text, bool excluded) {
  static int range = 0;
  if (!excluded) return "\\pard\\intbl " + text + "\\cell";
  ++range;
  return "\\pard\\intbl {\\*\\atrfstart" + std::to_string(range) + "}" + text +
         "{\\*\\atrfend" + std::to_string(range) + "}\\cell";
}

std::string ListEntry(int number, bool excluded) {
  const std::string entry = "{\\pard\\ls1\\ilvl0 {" + std::to_string(number) +
                            ".}{\\tab}{\\*\\listtextkvt}List entry text " +
                            std::to_string(number) + "\\par}";
  return excluded ? "{\\*\\atrfstart9}" + entry + "{\\*\\atrfend9}" : entry;
}

// Rows of four cells (some excluded, every eighth with a nested table),
// lists of six entries (one excluded) and body paragraphs.
std::string MakeDocument(size_t minimumSize) {
  std::string text = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\n";
  for (int block = 0; text.size() < minimumSize; ++block) {
    text += "\\trowd\\trgaph108\\cellx2000\\cellx4000\\cellx6000\\cellx8000\n";
    if (block % 8 == 0)
      text += "\\pard\\intbl\\itap2 Nested text\\nestcell{\\*\\nesttableprops\\trowd"
              "\\cellx1000\\nestrow}{\\nonesttables\\par}\\pard\\intbl\\cell";
    else
      text += Cell("First cell of row " + std::to_string(block), block % 3 == 0);
    text += Cell("Second cell", block % 5 == 0) + Cell("Third cell with more text", false) +
            Cell("Fourth", block % 2 == 0) + "\\row\n";
    for (int entry = 1; entry <= 6; ++entry) text += ListEntry(entry, entry == 3);
    text += "\\pard\\itap0 A body paragraph between the tables.\\par\n";
  }
  return text + "}";
}

struct ItemRecord {
  uint32_t offset, length;
  int32_t excluded, kind;
  ParagraphListState state;
};

struct Workload {
  std::string text;
  std::vector<ItemRecord> items;
};

const Workload& TheWorkload() {
  static const Workload workload = [] {
    Workload w;
    w.text = MakeDocument(32u << 20);
    for (auto& entry : bte::rtf::testing::Itemise(w.text))
      w.items.push_back({static_cast<uint32_t>(entry.item->text - w.text.data()),
                         entry.item->length, entry.item->excluded, entry.item->kind,
                         entry.state});
    return w;
  }();
  return workload;
}

void BM_BareScan(benchmark::State& state) {
  const std::string& text = TheWorkload().text;
  for (auto _ : state) {
    size_t braces = 0, backslashes = 0;
    for (const char c : text) {
      braces += c == '{' || c == '}';
      backslashes += c == '\\';
    }
    benchmark::DoNotOptimize(braces);
    benchmark::DoNotOptimize(backslashes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// The caller's share is included: one heap item per record, as the writer
// that feeds the tree hands them over.
void BM_BuildAndWriteTree(benchmark::State& state) {
  const Workload& work = TheWorkload();
  std::unique_ptr<char[]> out(new char[work.text.size()]);
  size_t written = 0;
  size_t peak = 0;
  for (auto _ : state) {
    const size_t before = bte::bench::HeapLiveBytes();
    bte::bench::ResetHeapPeak();
    {
      bte::rtf::RtfDocumentTree tree(work.text.data(), static_cast<uint32_t>(work.text.size()));
      for (const ItemRecord& r : work.items)
        tree.AddItem(new RtfItem(work.text.data() + r.offset, r.length, r.excluded, r.kind),
                     r.state);
      char* cursor = out.get();
      if (tree.Write(cursor) == 0) state.SkipWithError("write failed");
      written = static_cast<size_t>(cursor - out.get());
    }
    peak = bte::bench::HeapPeakBytes() - before;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * work.text.size()));
  state.counters["input_mb"] = static_cast<double>(work.text.size()) / (1 << 20);
  state.counters["output_share"] = static_cast<double>(written) / work.text.size();
  state.counters["peak_bytes_per_input_byte"] =
      static_cast<double>(peak) / work.text.size();
}

BENCHMARK(BM_BareScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndWriteTree)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
