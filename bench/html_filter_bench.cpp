// Link removal reads each linked topic's tags once per filter object and
// file state (size and modification time). This measures a topic with 500
// links to 50 distinct topics, through a filter kept across calls as the
// host keeps one per target, against analysing those 50 topics once; the
// counter "ratio" is the first over the second.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "buildtagexpr.h"
#include "pagesift/pagesift.h"
#include "bench/corpus.h"
#include "tests/support/corpus_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTopics = 50;
constexpr int kLinks = 500;

std::string ReadCorpusTopic() {
  std::ifstream in(bte::test::CorpusDir() / "html" / "codesnip-help" / "HTML" / "menu_file.htm",
                   std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// A project of 50 real-sized topics, every other one tagged "Web", and a
// topic that links to them ten times each (text links and related-topic
// items).
class LinkedProject {
 public:
  LinkedProject() : folder_(fs::temp_directory_path() / "bte-html-bench") {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    const std::string body = ReadCorpusTopic();
    for (int i = 0; i < kTopics; ++i) {
      std::string topic = body;
      if (i % 2 == 0) topic.insert(topic.find("<head>") + 6, "<meta name=\"buildtags\" content=\"Web\">");
      Write(TopicPath(i), topic);
    }
    std::string main = "<html><head><title>Links</title></head><body>";
    for (int i = 0; i < kLinks - kTopics; ++i)
      main += "<p>See <a href=\"topic" + std::to_string(i % kTopics) + ".htm\">topic</a>.</p>\n";
    main += "<object classid=\"clsid:adb880a6-d8ff-11cf-9377-00aa003b7a11\">"
            "<param name=\"Command\" value=\"Related Topics\">";
    for (int i = 0; i < kTopics; ++i)
      main += "<param name=\"Item" + std::to_string(i + 1) + "\" value=\"Topic;topic" +
              std::to_string(i) + ".htm\">";
    main += "</object></body></html>";
    mainPath_ = (folder_ / "main.htm").string();
    Write(mainPath_, main);
    mainText_ = main;
  }
  ~LinkedProject() { fs::remove_all(folder_); }

  std::string TopicPath(int i) const { return (folder_ / ("topic" + std::to_string(i) + ".htm")).string(); }
  const std::string& mainPath() const { return mainPath_; }
  const std::string& mainText() const { return mainText_; }

 private:
  // Dated an hour back, as a project's topics are: files written within
  // the file system's time resolution are read afresh on every link.
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
  }

  fs::path folder_;
  std::string mainPath_;
  std::string mainText_;
};

// Opening, analysing and reading the topic tags of the 50 topics once.
void AnalyseTopicsOnce(const LinkedProject& project) {
  for (int i = 0; i < kTopics; ++i) {
    CHtmlFileEx topic(project.TopicPath(i).c_str());
    topic.Analyse();
    CByteString tags;
    topic.GetTopicBuildTags(tags);
    benchmark::DoNotOptimize(tags.GetLength());
  }
}

template <class Work>
double SecondsOf(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_AnalyseFiftyTopicsOnce(benchmark::State& state) {
  if (bte::bench::SkippedWithoutCorpus(state)) return;
  const LinkedProject project;
  for (auto _ : state) AnalyseTopicsOnce(project);
}
BENCHMARK(BM_AnalyseFiftyTopicsOnce)->Unit(benchmark::kMillisecond);

// Each iteration also analyses the 50 topics once, untimed, so that the
// ratio compares runs made under the same machine load.
void BM_FilterTopicWith500Links(benchmark::State& state) {
  if (bte::bench::SkippedWithoutCorpus(state)) return;
  const LinkedProject project;
  IBuildTagExprFilter* filter = nullptr;
  CreateBuildTagExprFilterInstance(&filter);
  filter->SetExpression("Print");
  double filtering = 0;
  double analysing = 0;
  for (auto _ : state) {
    filtering += SecondsOf([&] {
      CHtmlFileEx document(CByteString(project.mainText()), project.mainPath().c_str());
      document.Analyse();
      filter->FilterDocumentWithLinks(document);
    });
    state.PauseTiming();
    analysing += SecondsOf([&] { AnalyseTopicsOnce(project); });
    state.ResumeTiming();
  }
  filter->Release();
  state.counters["ratio"] = filtering / analysing;
}
BENCHMARK(BM_FilterTopicWith500Links)->Unit(benchmark::kMillisecond);

}  // namespace
