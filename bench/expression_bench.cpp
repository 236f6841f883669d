// Evaluation cost of IsIncluded against the cost of merely splitting and
// lower-casing the same tag set, and a cache hit against a bare hash lookup.
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "buildtagexpr.h"

namespace {

// An expression of n operands that mixes all three operators.
std::string MakeExpression(int operands) {
  static const char* const kJoiners[] = {" AND NOT ", " OR ", " AND "};
  std::string text = "Tag0";
  for (int i = 1; i < operands; ++i) text += kJoiners[i % 3] + std::string("Tag") + std::to_string(i);
  return text;
}

std::string MakeTagSet(int tags) {
  std::string set;
  for (int i = 0; i < tags; ++i) set += (i ? "; " : "") + std::string("tag") + std::to_string(i * 3 + 1);
  return set;
}

IBuildTagExprParser* MakeParser(int operands, bool cache) {
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, MakeExpression(operands).c_str());
  parser->EnableCache(cache ? 1 : 0);
  return parser;
}

// args: operands, tags in the tag set
void BM_IsIncludedUncached(benchmark::State& state) {
  IBuildTagExprParser* parser = MakeParser(static_cast<int>(state.range(0)), false);
  const std::string tagSet = MakeTagSet(static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(parser->IsIncluded(tagSet.c_str()));
  parser->Release();
}

void BM_IsIncludedCacheHit(benchmark::State& state) {
  IBuildTagExprParser* parser = MakeParser(static_cast<int>(state.range(0)), true);
  const std::string tagSet = MakeTagSet(static_cast<int>(state.range(1)));
  parser->IsIncluded(tagSet.c_str());
  for (auto _ : state) benchmark::DoNotOptimize(parser->IsIncluded(tagSet.c_str()));
  parser->Release();
}

// The floor: cut the tag set at ";", trim and lower-case every piece.
void BM_SplitAndLowerTagSet(benchmark::State& state) {
  const std::string tagSet = MakeTagSet(static_cast<int>(state.range(1)));
  std::vector<std::string> pieces;
  for (auto _ : state) {
    pieces.clear();
    size_t start = 0;
    for (;;) {
      const size_t end = tagSet.find(';', start);
      std::string piece = tagSet.substr(start, end - start);
      const size_t first = piece.find_first_not_of(" \t");
      piece = first == std::string::npos ? std::string() : piece.substr(first);
      for (char& c : piece) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
      pieces.push_back(std::move(piece));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    benchmark::DoNotOptimize(pieces.data());
  }
}

void BM_BareHashFind(benchmark::State& state) {
  const std::string tagSet = MakeTagSet(static_cast<int>(state.range(1)));
  std::unordered_map<std::string, int> map{{tagSet, 1}};
  for (int i = 0; i < 16; ++i) map.emplace("other" + std::to_string(i), 0);
  for (auto _ : state) {
    // Without the clobber the compiler may hash the loop-invariant key once
    // and time only the bucket walk.
    benchmark::ClobberMemory();
    benchmark::DoNotOptimize(map.find(tagSet));
  }
}

void Shapes(benchmark::internal::Benchmark* b) {
  for (int operands : {1, 5, 20})
    for (int tags : {1, 5}) b->Args({operands, tags});
}

BENCHMARK(BM_IsIncludedUncached)->Apply(Shapes);
BENCHMARK(BM_IsIncludedCacheHit)->Apply(Shapes);
BENCHMARK(BM_SplitAndLowerTagSet)->Apply(Shapes);
BENCHMARK(BM_BareHashFind)->Apply(Shapes);

}  // namespace
