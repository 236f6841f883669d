// The expression store on a project of 500 targets and 10 global
// expressions: renaming and deleting a tag that every expression uses,
// against one plain read of the same file. Each operation reports
// "per_read": its time over the time of loading the store once.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"

namespace {

std::string ProjectFile() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / "bte-store-bench.ini").string();
  return path;
}

void WriteProject() {
  std::string content = "[Project]\r\nTitle=Benchmark\r\n\r\n";
  for (int i = 0; i < 500; ++i)
    content += "[Target:Output " + std::to_string(i) + "]\r\nBuildExpression=Online & ~Draft" +
               std::to_string(i % 7) + " | Beta\r\nLayout=Default\r\n";
  content += "[Global Build Tag Expressions]\r\n";
  for (int i = 0; i < 10; ++i)
    content += "Expr_2004:05:1" + std::to_string(i) + ":09:03:07=Online | Global" + std::to_string(i) + "\r\n";
  std::ofstream(ProjectFile(), std::ios::binary | std::ios::trunc) << content;
}

using bte::host::ComPtr;

ComPtr<IBuildTagExprManager> OpenManager() {
  ComPtr<IBuildTagExprManager> manager;
  CreateBuildTagExprManagerInstance(manager.out(), ProjectFile().c_str());
  return manager;
}

// Loads the store the way a host reads it: the whole list, every record's
// texts.
void ReadStore(const ComPtr<IBuildTagExprManager>& manager) {
  ComPtr<IBuildTagExprList> list;
  manager->GetExpressionList(list.out());
  std::vector<bte::host::ExpressionRecord> records;
  bte::host::ReadAllRecords(list.get(), records);
  benchmark::DoNotOptimize(records);
}

double SecondsPerRead(const ComPtr<IBuildTagExprManager>& manager) {
  constexpr int kReads = 50;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kReads; ++i) ReadStore(manager);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kReads;
}

void BM_ReadFileBytes(benchmark::State& state) {
  WriteProject();
  for (auto _ : state) {
    std::ifstream in(ProjectFile(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMicrosecond);

void BM_ReadStore(benchmark::State& state) {
  WriteProject();
  const ComPtr<IBuildTagExprManager> manager = OpenManager();
  for (auto _ : state) ReadStore(manager);
}
BENCHMARK(BM_ReadStore)->Unit(benchmark::kMillisecond);

void BM_RenameTag(benchmark::State& state) {
  WriteProject();
  const ComPtr<IBuildTagExprManager> manager = OpenManager();
  const double read = SecondsPerRead(manager);
  bool forth = true;
  double spent = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    manager->RenameTag(forth ? "Online" : "Web", forth ? "Web" : "Online");
    spent += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    forth = !forth;
  }
  state.counters["per_read"] = spent / static_cast<double>(state.iterations()) / read;
}
BENCHMARK(BM_RenameTag)->Unit(benchmark::kMillisecond);

void BM_DeleteTag(benchmark::State& state) {
  WriteProject();
  const ComPtr<IBuildTagExprManager> manager = OpenManager();
  const double read = SecondsPerRead(manager);
  double spent = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteProject();
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    manager->DeleteTag("Online");
    spent += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["per_read"] = spent / static_cast<double>(state.iterations()) / read;
  std::remove(ProjectFile().c_str());
}
BENCHMARK(BM_DeleteTag)->Unit(benchmark::kMillisecond);

}  // namespace
