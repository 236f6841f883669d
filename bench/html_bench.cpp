// The HTML library's whole pass over a topic (analyse, walk the candidates,
// save) against gumbo's parse of the same bytes, for a typical 10 KB topic
// and a large generated one; and the filter's whole work on the typical
// topic, links included, timed in turn with gumbo's parse.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>
#include <gumbo.h>

#include "buildtagexpr.h"
#include "pagesift/pagesift.h"
#include "bench/corpus.h"
#include "tests/support/corpus_dir.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::filesystem::path TypicalTopicPath() {
  return bte::test::CorpusDir() / "html/codesnip-help/HTML/detail_pane.htm";
}

// A real topic of about 10 KB with every paragraph tagged.
const std::string& TypicalTopic() {
  static const std::string topic = [] {
    std::string html = ReadBytes(TypicalTopicPath());
    const std::string tagged = "<p data-buildtags=\"Print\">";
    for (size_t p = html.find("<p>"); p != std::string::npos; p = html.find("<p>", p + tagged.size())) {
      html.replace(p, 3, tagged);
    }
    return html;
  }();
  return topic;
}

// Tens of megabytes: the typical topic's body repeated.
const std::string& LargeTopic() {
  static const std::string topic = [] {
    const std::string& one = TypicalTopic();
    std::string html;
    while (html.size() < 20u * 1024 * 1024) html += one;
    return html;
  }();
  return topic;
}

void PagesiftPass(benchmark::State& state, const std::string& html) {
  for (auto _ : state) {
    CHtmlFileEx document(CByteString(html), nullptr);
    document.Analyse();
    size_t tagged = 0;
    for (size_t i = 0; i < document.GetCandidateCount(); ++i) {
      tagged += document.HasInlineBuildTags(document.GetTagItem(document.GetCandidatePosition(i)));
    }
    CByteString out;
    document.Save(out, pagesift::kSaveHtml);
    benchmark::DoNotOptimize(tagged);
    benchmark::DoNotOptimize(out.GetContent());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * html.size()));
}

void GumboParse(benchmark::State& state, const std::string& html) {
  for (auto _ : state) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
    benchmark::DoNotOptimize(output->root);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * html.size()));
}

void BM_PagesiftTypicalTopic(benchmark::State& state) {
  if (!bte::bench::SkippedWithoutCorpus(state)) PagesiftPass(state, TypicalTopic());
}
void BM_GumboTypicalTopic(benchmark::State& state) {
  if (!bte::bench::SkippedWithoutCorpus(state)) GumboParse(state, TypicalTopic());
}
void BM_PagesiftLargeTopic(benchmark::State& state) {
  if (!bte::bench::SkippedWithoutCorpus(state)) PagesiftPass(state, LargeTopic());
}
void BM_GumboLargeTopic(benchmark::State& state) {
  if (!bte::bench::SkippedWithoutCorpus(state)) GumboParse(state, LargeTopic());
}

template <class Work>
double SecondsOf(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Analyse, filter with links (the topic's links lead to the real topics
// beside it) and save, as the main job does for each topic, with the filter
// object the host keeps for a target. Each iteration also times gumbo's
// parse of the same bytes; the counter "per_gumbo" is the first over the
// second, so both share the machine's load.
void BM_FilterTypicalTopicWithLinks(benchmark::State& state) {
  if (bte::bench::SkippedWithoutCorpus(state)) return;
  const std::string& html = TypicalTopic();
  const std::string path = TypicalTopicPath().string();
  IBuildTagExprFilter* filter = nullptr;
  CreateBuildTagExprFilterInstance(&filter);
  filter->SetExpression("NOT Print");
  double filtering = 0, parsing = 0;
  for (auto _ : state) {
    filtering += SecondsOf([&] {
      CHtmlFileEx document(CByteString(html), path.c_str());
      document.Analyse();
      filter->FilterDocumentWithLinks(document);
      CByteString out;
      document.Save(out, pagesift::kSaveHtml);
      benchmark::DoNotOptimize(out.GetContent());
    });
    state.PauseTiming();
    parsing += SecondsOf([&] {
      GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
      benchmark::DoNotOptimize(output->root);
      gumbo_destroy_output(&kGumboDefaultOptions, output);
    });
    state.ResumeTiming();
  }
  filter->Release();
  state.counters["per_gumbo"] = filtering / parsing;
}

BENCHMARK(BM_FilterTypicalTopicWithLinks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PagesiftTypicalTopic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GumboTypicalTopic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PagesiftLargeTopic)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GumboLargeTopic)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
