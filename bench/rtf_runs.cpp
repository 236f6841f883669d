#include "rtf_runs.h"

#include "buildtagexpr.h"
#include "resident_memory.h"

namespace bte::bench {

void TimeBareScan(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    size_t braces = 0;
    size_t backslashes = 0;
    for (const char byte : text) {
      braces += byte == '{' || byte == '}';
      backslashes += byte == '\\';
    }
    benchmark::DoNotOptimize(braces);
    benchmark::DoNotOptimize(backslashes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

FilterRuns TimeFilterBuffer(benchmark::State& state, const std::string& text,
                            const char* expression) {
  IRTFBuildTagExprFilter* filter = nullptr;
  CreateRTFBuildTagExprFilterInstance(&filter);
  filter->SetExpression(expression);
  FilterRuns runs;
  ResidentPeak resident;
  for (auto _ : state) {
    resident.Begin();
    IFilterOutputBuffer* result = nullptr;
    if (filter->FilterBuffer(text.data(), static_cast<uint32_t>(text.size()), &result) != S_OK) {
      state.SkipWithError("FilterBuffer failed");
      break;
    }
    char* data = nullptr;
    result->GetData(&data, &runs.outputLength);
    resident.End();
    result->Release();
  }
  filter->Release();
  runs.residentGrowth = resident.Growth();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  return runs;
}

}  // namespace bte::bench
