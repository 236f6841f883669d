// The HTML library's whole pass over a topic (analyse, walk the candidates,
// save) against gumbo's parse of the same bytes, for a typical 10 KB topic
// and a large generated one.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>
#include <gumbo.h>

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

// A real topic of about 10 KB with every paragraph tagged.
const std::string& TypicalTopic() {
  static const std::string topic = [] {
    std::string html = ReadBytes(bte::test::CorpusDir() / "html/codesnip-help/HTML/detail_pane.htm");
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

BENCHMARK(BM_PagesiftTypicalTopic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GumboTypicalTopic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PagesiftLargeTopic)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GumboLargeTopic)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
