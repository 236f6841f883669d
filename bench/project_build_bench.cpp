// The main job through the library, file in and file out: a generated help
// project of 500 topics (the sample's, each padded to about 10 KB with
// tagged paragraphs and links; every tenth left out by its topic-level tag)
// and 12 RTF documents of 400 tagged paragraphs, built with one and with
// two jobs, next to copying the same folder (the anchor). The counter
// "per_copy" is a build's time over the copy's.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "projectbuild/output_file.h"
#include "projectbuild/project_build.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTopics = 500;
constexpr int kDocuments = 12;
const fs::path kSample = fs::path(BTE_SOURCE_DIR) / "samples" / "help" / "source";

std::string Read(const fs::path& path) {
  std::string bytes, error;
  bte::projectbuild::ReadWholeFile(path, bytes, error);
  return bytes;
}

void Write(const fs::path& path, const std::string& bytes) {
  std::string error;
  bte::projectbuild::WriteFileAtomically(path, bytes, error);
}

std::string Filler(int topic) {
  std::string filler;
  for (int i = 1; i <= 40; ++i)
    filler += "  <p data-buildtags=\"" + std::string(i % 4 == 0 ? "Beta" : "Web") +
              "\">Paragraph " + std::to_string(i) + " of filler text for the benchmark.</p>\n"
              "  <p>Untagged paragraph with a <a href=\"topic" +
              std::to_string((topic + i * 7) % kTopics) + ".htm\">link</a>.</p>\n";
  return filler;
}

std::string TaggedParagraphs() {
  std::string rtf;
  for (int r = 101; r <= 500; ++r) {
    const std::string n = std::to_string(r);
    rtf += "\\pard {\\*\\atrfstart " + n + "}Repeated tagged paragraph " + n +
           ".{\\*\\atrfend " + n + "}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build "
           "Tags}\\chatn{\\*\\annotation{\\*\\atnref " + n + "}" + (r % 4 == 0 ? "Beta" : "Web") +
           "}\\par\n";
  }
  return rtf;
}

// The project, made on first use and removed when the process ends.
class GeneratedProject {
 public:
  GeneratedProject() : root_(fs::temp_directory_path() / "bte-project-bench") {
    fs::remove_all(root_);
    const fs::path source = Source();
    fs::create_directories(source / "css");
    fs::copy_file(kSample / "css/help.css", source / "css/help.css");
    std::vector<std::string> topics;
    for (const auto& entry : fs::directory_iterator(kSample / "topics"))
      topics.push_back(Read(entry.path()));
    for (int n = 0; n < kTopics; ++n) {
      std::string topic = topics[n % topics.size()];
      if (n % 10 == 0) topic.insert(topic.find("<head>") + 6, "<meta name=\"buildtags\" content=\"Beta\">");
      topic.insert(topic.find("</body>"), Filler(n));
      Write(source / ("topic" + std::to_string(n) + ".htm"), topic);
    }
    std::string manual = Read(kSample / "manual.rtf");
    manual.insert(manual.rfind('}'), TaggedParagraphs());
    for (int n = 1; n <= kDocuments; ++n) Write(source / ("manual" + std::to_string(n) + ".rtf"), manual);
  }
  ~GeneratedProject() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  fs::path Source() const { return root_ / "src"; }
  fs::path Output(const char* name) const { return root_ / name; }

 private:
  fs::path root_;
};

const GeneratedProject& Project() {
  static const GeneratedProject project;
  return project;
}

double CopySeconds() {
  const fs::path copy = Project().Output("copy");
  fs::remove_all(copy);
  const auto start = Clock::now();
  fs::copy(Project().Source(), copy, fs::copy_options::recursive);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_CopyProject(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(CopySeconds());
}
BENCHMARK(BM_CopyProject)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BuildProject(benchmark::State& state) {
  bte::projectbuild::BuildRequest request;
  request.source = Project().Source();
  request.output = Project().Output("out");
  request.expression = "NOT Beta";
  request.jobs = static_cast<unsigned>(state.range(0));
  double building = 0, copying = 0;
  for (auto _ : state) {
    fs::remove_all(request.output);
    const auto start = Clock::now();
    const bte::projectbuild::BuildReport report = bte::projectbuild::BuildProject(request);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    if (report.Totals().failed != 0) state.SkipWithError("a file failed");
    building += seconds;
    copying += CopySeconds();
  }
  state.counters["per_copy"] = building / copying;
}
BENCHMARK(BM_BuildProject)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// What the build's options cost against the default, on two threads: keeping
// the build tags, a dry run, and --clean over the output of a build of
// another expression (which leaves a tenth of the topics stale).
void BM_BuildProjectOption(benchmark::State& state) {
  static const char* const kOptions[] = {"default", "keep-tags", "dry-run", "clean"};
  const int option = static_cast<int>(state.range(0));
  bte::projectbuild::BuildRequest request;
  request.source = Project().Source();
  request.output = Project().Output("options");
  request.expression = "NOT Beta";
  request.jobs = 2;
  request.keepTags = option == 1;
  request.dryRun = option == 2;
  request.clean = option == 3;
  for (auto _ : state) {
    fs::remove_all(request.output);
    if (option == 3) {
      bte::projectbuild::BuildRequest earlier = request;
      earlier.expression = "Beta";
      earlier.clean = false;
      bte::projectbuild::BuildProject(earlier);
    }
    const auto start = Clock::now();
    const bte::projectbuild::BuildReport report = bte::projectbuild::BuildProject(request);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (report.Totals().failed != 0) state.SkipWithError("a file failed");
  }
  state.SetLabel(kOptions[option]);
}
BENCHMARK(BM_BuildProjectOption)->DenseRange(0, 3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
