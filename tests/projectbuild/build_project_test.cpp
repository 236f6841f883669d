// The main job called as a library: what BuildProject writes into the
// output folder and what it reports, on the sample help project and on
// small generated ones.
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "projectbuild/project_build.h"
#include "projectbuild/target_expression.h"
#include "temp_folder.h"

namespace bte::projectbuild {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = fs::path(BTE_SOURCE_DIR) / "samples" / "help";

std::string Read(const fs::path& path) {
  return ReadBytes(path.string()).value_or("<missing>");
}

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  WriteBytes(path.string(), bytes);
}

// A build-tag range around text, as the host writes it.
std::string TaggedRtf(int number, const std::string& text, const std::string& tags) {
  const std::string n = std::to_string(number);
  return "{\\*\\atrfstart " + n + "}" + text + "{\\*\\atrfend " + n +
         "}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
         "{\\*\\annotation{\\*\\atnref " + n + "}" + tags + "}";
}

class BuildProjectTest : public ::testing::Test {
 protected:
  BuildReport Build(const fs::path& source, const std::string& expression, unsigned jobs = 1) {
    BuildRequest request;
    request.source = source;
    request.output = out_;
    request.expression = expression;
    request.jobs = jobs;
    return BuildProject(request);
  }
  BuildReport BuildSample(const std::string& target, unsigned jobs) {
    const TargetLookup lookup = FindTargetExpression((kSample / "project.ini").string(), target);
    EXPECT_TRUE(lookup.expression.has_value()) << target;
    return Build(kSample / "source", lookup.expression.value_or(""), jobs);
  }
  static const FileResult* ResultFor(const BuildReport& report, const fs::path& relative) {
    for (const FileResult& file : report.files)
      if (file.relative == relative) return &file;
    return nullptr;
  }
  static bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  TempFolder folder_;
  const fs::path source_ = folder_.path() / "src";
  const fs::path out_ = folder_.path() / "out";
};

// What one file of a sample target's output must hold and must not.
struct Passage {
  const char* file;
  const char* kept;  // may be empty
  const char* gone;
};

struct SampleTarget {
  const char* name;
  unsigned jobs;
  std::vector<const char*> leftOut;
  std::vector<Passage> passages;
};

const SampleTarget kSampleTargets[] = {
    {"Print", 1, {"topics/online_account.htm", "topics/beta_features.htm"},
     {{"index.htm", "printed book", "Search this help"},
      // Links to left-out topics lose their link; their text stays.
      {"index.htm", "Your online account", "online_account.htm"},
      {"topics/troubleshooting.htm", "name=\"item3\" value=\"Settings", "online_account.htm"},
      {"topics/troubleshooting.htm", "", "beta_features.htm"},
      // An emptied popup goes with its link, and so does a popup no link shows.
      {"topics/glossary.htm", "pop-margin", "pop-sync"},
      {"topics/glossary.htm", "", "pop-unused"},
      // The web-only table lost every cell, so it went as a whole.
      {"topics/shortcuts.htm", "", "Ctrl+Shift"},
      {"manual.rtf", "{2.}{\\tab}{\\*\\listtextkvt}Open a document.", "atrfstart"},
      {"manual.rtf", "{3.}{\\tab}{\\*\\listtextkvt}Save your work.", "Sign in"}}},
    {"Web", 2, {"topics/printing.htm", "topics/beta_features.htm"},
     {{"topics/installing.htm", "Run the installer", "Insert the disc"},
      // The emptied cell keeps the table's shape with a filler paragraph.
      {"topics/installing.htm", "&nbsp;", "href=\"printing.htm\""},
      {"manual.rtf", "The web edition installs", "The printed edition"}}},
};

class SampleBuild : public BuildProjectTest,
                    public ::testing::WithParamInterface<SampleTarget> {};

TEST_P(SampleBuild, KeepsAndLeavesOutWhatTheTargetSays) {
  const SampleTarget& target = GetParam();
  const BuildReport report = BuildSample(target.name, target.jobs);
  EXPECT_EQ(report.Totals().failed, 0u);
  EXPECT_EQ(report.Totals().leftOut, target.leftOut.size());
  for (const char* file : target.leftOut) EXPECT_FALSE(fs::exists(out_ / file)) << file;
  EXPECT_EQ(Read(out_ / "css/help.css"), Read(kSample / "source/css/help.css"));
  for (const Passage& passage : target.passages) {
    const std::string text = Read(out_ / passage.file);
    EXPECT_TRUE(Contains(text, passage.kept)) << passage.file << " lost " << passage.kept;
    EXPECT_FALSE(Contains(text, passage.gone)) << passage.file << " kept " << passage.gone;
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, SampleBuild, ::testing::ValuesIn(kSampleTargets),
                         [](const auto& info) { return std::string(info.param.name); });

// Tag names in the output would show readers what other editions hold.
TEST_F(BuildProjectTest, BuildTagMarkupLeavesEveryKeptTopicUnlessKept) {
  const std::string topic =
      "<html><head><meta name=\"buildtags\" content=\"Web\">"
      "<META NAME=\" BuildTags \" content=\"Internal\"></head><body>"
      "<p DATA-BUILDTAGS=\"Web\" class=\"a\">kept</p>"
      "<table><tr><td data-buildtags=\"Print\">cell</td><td>x</td></tr></table>"
      "<div data-buildtags=\"Print\">gone</div></body></html>";
  Write(source_ / "topic.htm", topic);
  Build(source_, "NOT Print");
  EXPECT_EQ(Read(out_ / "topic.htm"),
            "<html><head></head><body><p class=\"a\">kept</p>"
            "<table><tr><td><p>&nbsp;</p></td><td>x</td></tr></table></body></html>");
  BuildRequest request;
  request.source = source_;
  request.output = out_;
  request.expression = "Web OR Print";
  request.keepTags = true;
  BuildProject(request);
  EXPECT_EQ(Read(out_ / "topic.htm"), topic);
}

TEST_F(BuildProjectTest, SampleTopicsShowNoTagNames) {
  for (const char* target : {"Print", "Web"}) {
    BuildSample(target, 2);
    for (const auto& entry : fs::recursive_directory_iterator(out_)) {
      if (entry.path().extension() != ".htm") continue;
      std::string text = Read(entry.path());
      for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_FALSE(Contains(text, "data-buildtags")) << target << ' ' << entry.path();
      EXPECT_FALSE(Contains(text, "\"buildtags\"")) << target << ' ' << entry.path();
    }
  }
}

// Copied as other files, they would ship what the target excludes.
TEST_F(BuildProjectTest, UpperCaseExtensionsAreTopicsAndDocuments) {
  Write(source_ / "A.HTM", "<p data-buildtags=\"Print\">Secret</p><p>kept</p>");
  Write(source_ / "B.RTF", "{\\rtf1 " + TaggedRtf(1, "Secret", "Print") + "kept\\par}");
  Write(source_ / "C.Html", "<head><meta name=\"buildtags\" content=\"Print\"></head>Secret");
  const BuildReport report = Build(source_, "NOT Print");
  EXPECT_EQ(Read(out_ / "A.HTM"), "<p>kept</p>");
  EXPECT_EQ(Read(out_ / "B.RTF"), "{\\rtf1 kept\\par}");
  EXPECT_FALSE(fs::exists(out_ / "C.Html"));
  EXPECT_EQ(report.Totals().copied, 0u);
}

// Topic-level tags written as a comma list with blanks, as authors type them.
TEST_F(BuildProjectTest, TopicTaggedWithACommaListIsLeftOut) {
  Write(source_ / "secret.htm", "<head><meta name=\"buildtags\" content=\"Print, Web\"></head>Secret");
  Write(source_ / "kept.htm", "<p>Kept</p>");
  Build(source_, "NOT Print");
  EXPECT_FALSE(fs::exists(out_ / "secret.htm"));
  EXPECT_EQ(Read(out_ / "kept.htm"), "<p>Kept</p>");
}

TEST_F(BuildProjectTest, FailedFileIsNamedAndTheOthersStillWritten) {
  Write(source_ / "good.rtf", "{\\rtf1 fine\\par}");
  Write(source_ / "broken.rtf", "{\\rtf1 {\\*\\atrfend 7}x}");
  Write(source_ / "name with spaces \xC3\xA9.htm", "<p data-buildtags=\"Web\">gone</p><p>kept</p>");
  const BuildReport report = Build(source_, "NOT Web");
  const FileResult* broken = ResultFor(report, "broken.rtf");
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(broken->outcome, FileOutcome::kFailed);
  EXPECT_TRUE(Contains(broken->reason, "range end 7")) << broken->reason;
  EXPECT_FALSE(fs::exists(out_ / "broken.rtf"));
  EXPECT_EQ(Read(out_ / "good.rtf"), "{\\rtf1 fine\\par}");
  EXPECT_EQ(Read(out_ / "name with spaces \xC3\xA9.htm"), "<p>kept</p>");
}

TEST_F(BuildProjectTest, StaleOutputIsReportedAndKeptAndLeftoversRemoved) {
  Write(source_ / "a.txt", "new");
  Write(source_ / "beta.htm", "<head><meta name=\"buildtags\" content=\"Beta\"></head>");
  Write(out_ / "old.txt", "from an earlier build");
  Write(out_ / "beta.htm", "from a build that kept it");
  Write(out_ / ".buildtags-tmp-1-0-a.txt", "left by a killed run");
  const BuildReport report = Build(source_, "NOT Beta");
  EXPECT_EQ(report.staleOutputs, (std::vector<fs::path>{"old.txt", "beta.htm"}));
  EXPECT_EQ(Read(out_ / "old.txt"), "from an earlier build");
  EXPECT_FALSE(fs::exists(out_ / ".buildtags-tmp-1-0-a.txt"));
  EXPECT_EQ(Read(out_ / "a.txt"), "new");
}

TEST_F(BuildProjectTest, LinksLeadingOutsideTheSourceAreSkipped) {
  Write(folder_.path() / "secret.txt", "outside");
  Write(source_ / "inside.txt", "inside");
  fs::create_symlink(folder_.path() / "secret.txt", source_ / "leak.txt");
  fs::create_symlink(source_ / "inside.txt", source_ / "alias.txt");
  const BuildReport report = Build(source_, "Web");
  ASSERT_EQ(report.skipped.size(), 1u);
  EXPECT_EQ(report.skipped[0].first, "leak.txt");
  EXPECT_FALSE(fs::exists(out_ / "leak.txt"));
  EXPECT_EQ(Read(out_ / "alias.txt"), "inside");
}

TEST_F(BuildProjectTest, OutputInOrAtTheSourceOrAMissingSourceIsRefused) {
  fs::create_directories(source_);
  std::string error;
  for (const auto& [source, output] : {std::pair{source_, source_ / "out"},
                                       std::pair{source_, source_},
                                       std::pair{folder_.path() / "missing", out_}}) {
    BuildRequest request;
    request.source = source;
    request.output = output;
    EXPECT_FALSE(CheckBuildFolders(request, error)) << source << " -> " << output;
  }
  BuildRequest fine;
  fine.source = source_;
  fine.output = out_;
  EXPECT_TRUE(CheckBuildFolders(fine, error)) << error;
}

}  // namespace
}  // namespace bte::projectbuild
