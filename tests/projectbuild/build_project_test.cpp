// The main job called as a library: what BuildProject writes into the
// output folder and what it reports, on the sample help project and on
// small generated ones.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "corpus.h"
#include "host_markup.h"
#include "help_files.h"
#include "projectbuild/project_build.h"
#include "tests/support/case_name.h"

namespace bte::projectbuild {
namespace {

namespace fs = std::filesystem;
using test::Contains;
using test::Read;
using test::Write;

class BuildProjectTest : public ::testing::Test {
 protected:
  // SRC into OUT on one thread: tests that need more change the request.
  BuildRequest Request(const std::string& expression) const {
    BuildRequest request;
    request.source = source_;
    request.output = out_;
    request.expression = expression;
    request.jobs = 1;
    return request;
  }
  BuildReport Build(const std::string& expression) { return BuildProject(Request(expression)); }
  static const FileResult* ResultFor(const BuildReport& report, const fs::path& relative) {
    for (const FileResult& file : report.files)
      if (file.relative == relative) return &file;
    return nullptr;
  }

  TempFolder folder_;
  const fs::path source_ = folder_.path() / "src";
  const fs::path out_ = folder_.path() / "out";
};

// Tag names in the output would show readers what other editions hold.
TEST_F(BuildProjectTest, BuildTagMarkupLeavesEveryKeptTopicUnlessKept) {
  const std::string topic =
      "<html><head><meta name=\"buildtags\" content=\"Web\">"
      "<META NAME=\" BuildTags \" content=\"Internal\"></head><body>"
      "<p DATA-BUILDTAGS=\"Web\" class=\"a\">kept</p>"
      "<table><tr><td data-buildtags=\"Print\">cell</td><td>x</td></tr></table>"
      "<div data-buildtags=\"Print\">gone</div></body></html>";
  Write(source_ / "topic.htm", topic);
  Build("NOT Print");
  EXPECT_EQ(Read(out_ / "topic.htm"),
            "<html><head></head><body><p class=\"a\">kept</p>"
            "<table><tr><td><p>&nbsp;</p></td><td>x</td></tr></table></body></html>");
  BuildRequest request = Request("Web OR Print");
  request.keepTags = true;
  BuildProject(request);
  EXPECT_EQ(Read(out_ / "topic.htm"), topic);
}

// A process of builds (the tool) takes what links lead to as it first
// reads it: the next build of the process must read it anew.
TEST_F(BuildProjectTest, NextBuildOfTheToolReadsLinkedTopicsAnew) {
  PrepareProcessForBuilds();
  Write(source_ / "a.htm", "<p><a href=\"b.htm\">see b</a></p>");
  Write(source_ / "b.htm", "<head><meta name=\"buildtags\" content=\"Beta\"></head><p>b</p>");
  Build("NOT Beta");
  EXPECT_FALSE(Contains(Read(out_ / "a.htm"), "href"));
  Write(source_ / "b.htm", "<p>b, for every target now</p>");
  Build("NOT Beta");
  EXPECT_TRUE(Contains(Read(out_ / "a.htm"), "href=\"b.htm\""));
}

// Copied as other files, they would ship what the target excludes; the
// real projects that have such names are not beside every clone.
TEST_F(BuildProjectTest, UpperCaseExtensionsAreTopicsAndDocuments) {
  Write(source_ / "A.HTM", "<p data-buildtags=\"Print\">Secret</p><p>kept</p>");
  Write(source_ / "B.RTF", "{\\rtf1 " + test::Tagged(1, "Secret", "Print") + "kept\\par}");
  Write(source_ / "C.Html", "<head><meta name=\"buildtags\" content=\"Print\"></head>Secret");
  const BuildReport report = Build("NOT Print");
  EXPECT_EQ(Read(out_ / "A.HTM"), "<p>kept</p>");
  EXPECT_EQ(Read(out_ / "B.RTF"), "{\\rtf1 kept\\par}");
  EXPECT_FALSE(fs::exists(out_ / "C.Html"));
  EXPECT_EQ(report.Totals().copied, 0u);
}

TEST_F(BuildProjectTest, StaleOutputIsReportedAndKeptAndLeftoversRemoved) {
  Write(source_ / "a.txt", "new");
  Write(source_ / "beta.htm", "<head><meta name=\"buildtags\" content=\"Beta\"></head>");
  Write(out_ / "old.txt", "from an earlier build");
  Write(out_ / "beta.htm", "from a build that kept it");
  Write(out_ / ".buildtags-tmp-1-0-a.txt", "left by a killed run");
  const BuildReport report = Build("NOT Beta");
  EXPECT_EQ(report.staleOutputs, (std::vector<fs::path>{"old.txt", "beta.htm"}));
  EXPECT_EQ(Read(out_ / "old.txt"), "from an earlier build");
  EXPECT_FALSE(fs::exists(out_ / ".buildtags-tmp-1-0-a.txt"));
  EXPECT_EQ(Read(out_ / "a.txt"), "new");
}

// Names whose bytes sort around the separator ("a-b", "a.b", "a b" against
// "a/b"): the report lists files in the order of paths compared name by name,
// and an output file is stale exactly when no source file has its path.
TEST_F(BuildProjectTest, FilesAreListedInPathOrderAndMatchedExactly) {
  const std::vector<std::string> pieces = {"a", "b", "-", ".", " ", "!", "~", "\xC3\xA9", "A", "/"};
  std::mt19937 random(7);
  std::set<fs::path> written;
  for (int attempt = 0; attempt < 200; ++attempt) {
    std::string name = "n";
    for (size_t length = 1 + random() % 6; length > 0; --length)
      name += pieces[random() % pieces.size()];
    const fs::path relative = fs::path(name + ".txt").lexically_normal();
    if (relative.filename() == ".txt" || *relative.begin() == "..") continue;  // none, or outside
    std::error_code error;
    fs::create_directories((source_ / relative).parent_path(), error);
    if (error || fs::exists(source_ / relative)) continue;  // a file where a folder goes, or taken
    Write(source_ / relative, name);
    Write(out_ / relative, "an earlier build's");
    written.insert(relative);
  }
  Write(out_ / "n-stale.txt", "not in the source");
  BuildRequest request = Request("Web");
  request.jobs = 2;
  const BuildReport report = BuildProject(request);
  std::vector<fs::path> listed;
  for (const FileResult& file : report.files) listed.push_back(file.relative);
  EXPECT_EQ(listed, std::vector<fs::path>(written.begin(), written.end()));
  EXPECT_EQ(report.staleOutputs, std::vector<fs::path>{"n-stale.txt"});
}

// A first build for Print writes print.htm and old.htm; then old.htm
// leaves the source, the author edits print-edited.htm in OUT and adds a
// file of their own.
class CleanTest : public BuildProjectTest {
 protected:
  void SetUp() override {
    const std::string printOnly = "<head><meta name=\"buildtags\" content=\"Print\"></head>p";
    Write(source_ / "a.htm", "<p>a</p>");
    Write(source_ / "print.htm", printOnly);
    Write(source_ / "print-edited.htm", printOnly);
    Write(source_ / "sub/old.htm", "<p>old</p>");
    Build("Print");
    fs::remove(source_ / "sub/old.htm");
    Write(out_ / "print-edited.htm", "edited by the author");
    Write(out_ / "notes.txt", "the author's");
  }
  BuildReport Rebuild(bool clean) {
    BuildRequest request = Request("NOT Print");
    request.clean = clean;
    return BuildProject(request);
  }
};

// Without --clean they are named and kept; the manifest still holds them
// for a later build with --clean.
TEST_F(CleanTest, DeletesOnlyUnchangedFilesAnEarlierBuildWrote) {
  const BuildReport kept = Rebuild(false);
  EXPECT_TRUE(kept.deletedOutputs.empty());
  EXPECT_EQ(kept.staleFromEarlierBuild, (std::vector<fs::path>{"sub/old.htm", "print.htm"}));
  const BuildReport report = Rebuild(true);
  EXPECT_EQ(report.deletedOutputs, (std::vector<fs::path>{"sub/old.htm", "print.htm"}));
  EXPECT_FALSE(fs::exists(out_ / "print.htm"));
  EXPECT_FALSE(fs::exists(out_ / "sub/old.htm"));
  EXPECT_EQ(Read(out_ / "print-edited.htm"), "edited by the author");
  EXPECT_EQ(Read(out_ / "notes.txt"), "the author's");
  EXPECT_EQ(report.staleOutputs, (std::vector<fs::path>{"notes.txt", "print-edited.htm"}));
  EXPECT_EQ(Read(out_ / "a.htm"), "<p>a</p>");
}

TEST_F(CleanTest, HandEditedManifestIsNeverFollowedOutsideTheOutput) {
  Write(folder_.path() / "outside.txt", "x");
  const std::string hash = "cbf29ce484222325";  // of no bytes
  Write(out_ / ".buildtags-manifest",
        Read(out_ / ".buildtags-manifest") + hash + " 1 ../outside.txt\n" + hash + " 1 " +
            (folder_.path() / "outside.txt").string() + "\ngarbage\n" + hash +
            " 12 notes.txt\n");
  const BuildReport report = Rebuild(true);
  EXPECT_EQ(Read(folder_.path() / "outside.txt"), "x");
  EXPECT_EQ(Read(out_ / "notes.txt"), "the author's");  // listed, but not as it is now
  EXPECT_EQ(report.warnings.size(), 3u);
  EXPECT_EQ(report.deletedOutputs.size(), 2u);
}

TEST_F(BuildProjectTest, LinksLeadingOutsideTheSourceAreSkipped) {
  Write(folder_.path() / "secret.txt", "outside");
  Write(source_ / "inside.txt", "inside");
  fs::create_symlink(folder_.path() / "secret.txt", source_ / "leak.txt");
  fs::create_symlink(source_ / "inside.txt", source_ / "alias.txt");
  const BuildReport report = Build("Web");
  ASSERT_EQ(report.skipped.size(), 1u);
  EXPECT_EQ(report.skipped[0].first, "leak.txt");
  EXPECT_FALSE(fs::exists(out_ / "leak.txt"));
  EXPECT_EQ(Read(out_ / "alias.txt"), "inside");
}

// Two topics left out, b.htm and book.htm, and one kept. (What contents,
// index and project files lose on real projects is golden output.)
class HelpFilesTest : public BuildProjectTest {
 protected:
  void SetUp() override {
    const std::string leftOut = "<head><meta name=\"buildtags\" content=\"Print\"></head>x";
    Write(source_ / "html/a.htm", "<p>a</p>");
    Write(source_ / "html/b.htm", leftOut);
    Write(source_ / "html/book.htm", leftOut);
  }
  static std::string Entry(const std::string& name, const std::string& local) {
    return "<LI> <OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"" + name +
           "\">\n<param name=\"Local\" value=\"" + local + "\">\n</OBJECT>\n";
  }
};

// A book that stays for its children but loses its link, an entry by
// fragment, case and "\\", an emptied book.
TEST_F(HelpFilesTest, ContentsLoseEntriesOfLeftOutTopicsAndKeepTheRest) {
  const std::string kept = Entry("A", "html\\a.htm");
  Write(source_ / "toc.hhc",
        "<HTML><BODY><UL>\n" + kept + Entry("Book", "html/book.htm") + "<UL>\n" + kept +
            Entry("B", "HTML\\B.htm#part") + "</UL>\n" + Entry("Empty book", "html/book.htm") +
            "<UL>\n" + Entry("B again", "html/b.htm") + "</UL>\n</UL></BODY></HTML>");
  const BuildReport report = Build("NOT Print");
  EXPECT_EQ(Read(out_ / "toc.hhc"),
            "<HTML><BODY><UL>\n" + kept +
                "<LI> <OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"Book\">\n"
                "</OBJECT>\n<UL>\n" + kept + "</UL>\n</UL></BODY></HTML>");
  EXPECT_EQ(ResultFor(report, "toc.hhc")->entriesRemoved,
            (std::vector<std::string>{"B", "Book (its link)", "B again", "Empty book"}));
  EXPECT_EQ(report.Totals().contentsEntriesRemoved, 4u);
}

TEST_F(HelpFilesTest, LeftOutDefaultTopicFailsTheProjectFileNamingIt) {
  Write(source_ / "help.hhp", "[OPTIONS]\nDefault topic=html\\b.htm\n");
  Write(source_ / "win.hhp", "[WINDOWS]\nmain=\"T\",\"toc.hhc\",,\"html/book.htm\",,,,,,0x1\n");
  const BuildReport report = Build("NOT Print");
  EXPECT_EQ(ResultFor(report, "help.hhp")->outcome, FileOutcome::kFailed);
  EXPECT_EQ(ResultFor(report, "help.hhp")->reason,
            "the default topic html/b.htm was left out by this target");
  EXPECT_TRUE(Contains(ResultFor(report, "win.hhp")->reason, "html/book.htm")) << report.files[0].reason;
  EXPECT_FALSE(fs::exists(out_ / "help.hhp"));
}

struct MessySitemap {
  const char* name;
  const char* file;
  std::string text;
  std::string expected;
};

class MessySitemapTest : public HelpFilesTest, public ::testing::WithParamInterface<MessySitemap> {};

TEST_P(MessySitemapTest, LosesOnlyWhatLeadsToALeftOutTopic) {
  Write(source_ / GetParam().file, GetParam().text);
  Build("NOT Print");
  EXPECT_EQ(Read(out_ / GetParam().file), GetParam().expected);
}

const std::string kObjectB =
    "<OBJECT type=\"text/sitemap\"><param name=\"Local\" value=\"html/b.htm\"></OBJECT>";
const std::string kObjectA =
    "<OBJECT type=\"text/sitemap\"><param name=\"Local\" value=\"html/a.htm\"></OBJECT>";

INSTANTIATE_TEST_SUITE_P(
    Cases, MessySitemapTest,
    ::testing::Values(
        MessySitemap{"UnclosedLists", "toc.hhc", "<UL><LI>" + kObjectB + "<LI>" + kObjectA + "<UL><LI>" + kObjectB,
                     "<UL><LI>" + kObjectA},  // its emptied list goes too
        // The end tag keeps its own indentation, not the removed entry's.
        MessySitemap{"LastEntriesOfAnIndentedList", "toc.hhc",
                     "<UL>\n  <LI>" + kObjectA + "\n  <UL>\n    <LI>" + kObjectA + "\n    <LI>" +
                         kObjectB + "\n    <LI>" + kObjectB + "\n  </UL>\n  <LI>" + kObjectB +
                         "\n</UL>\n",
                     "<UL>\n  <LI>" + kObjectA + "\n  <UL>\n    <LI>" + kObjectA +
                         "\n  </UL>\n</UL>\n"},
        MessySitemap{"ParamOutsideAnObject", "toc.hhc",
                     "<param name=\"Local\" value=\"html/b.htm\"><p>x</p>", "<p>x</p>"},
        MessySitemap{"ReferenceOutsideTheSource", "toc.hhc",
                     "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" "
                     "value=\"..\\html\\b.htm\"></OBJECT></UL>",
                     "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" "
                     "value=\"..\\html\\b.htm\"></OBJECT></UL>"},
        MessySitemap{"ReferenceFromASubfolder", "sub/toc.hhc",
                     "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" "
                     "value=\"..\\HTML\\b.htm?x#y\"></OBJECT><LI>" + kObjectA + "</UL>",
                     "<UL><LI>" + kObjectA + "</UL>"},
        MessySitemap{"OtherSchemesStay", "toc.hhc",
                     "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" "
                     "value=\"mk:@MSITStore:x.chm::/html/b.htm\"></OBJECT></UL>",
                     "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" "
                     "value=\"mk:@MSITStore:x.chm::/html/b.htm\"></OBJECT></UL>"}),
    [](const auto& info) { return std::string(info.param.name); });

// Checked by a model of its own: a reference as help files write it, folded.
std::string FoldedReference(std::string reference, const fs::path& folder) {
  reference = reference.substr(0, reference.find('#'));
  std::replace(reference.begin(), reference.end(), '\\', '/');
  std::string folded = (folder / reference).lexically_normal().generic_string();
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// The references a help file's output still holds: Local values of
// sitemaps, [FILES] lines and [ALIAS] values of project files.
std::vector<std::string> References(const std::string& text, bool projectFile) {
  std::vector<std::string> found;
  if (!projectFile) {
    static const std::regex kLocal("<param\\s+name=\"Local\"\\s+value=\"([^\"]*)\"",
                                   std::regex::icase);
    for (std::sregex_iterator it(text.begin(), text.end(), kLocal), end; it != end; ++it)
      found.push_back((*it)[1]);
    return found;
  }
  std::istringstream lines(text);
  std::string line, section;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') section = line;
    else if (section == "[FILES]" && !line.empty()) found.push_back(line);
    else if (section == "[ALIAS]" && line.find('=') != std::string::npos)
      found.push_back(line.substr(line.find('=') + 1));
  }
  return found;
}

// Every third topic of a real help project given a topic-level tag (its
// project file's default topics spared), then built.
class CorpusHelpProject : public BuildProjectTest,
                          public ::testing::WithParamInterface<const char*> {
 protected:
  void TagTopics(const std::string& spared) {
    std::vector<fs::path> topics;
    for (const auto& entry : fs::recursive_directory_iterator(source_)) {
      const std::string extension = entry.path().extension().string();
      if (extension == ".htm" || extension == ".html") topics.push_back(entry.path());
    }
    std::sort(topics.begin(), topics.end());
    for (size_t i = 0; i < topics.size(); i += 3) {
      std::string name = topics[i].filename().string();
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (spared.find(name) != std::string::npos) continue;
      Write(topics[i], "<meta name=\"buildtags\" content=\"Print\">" + Read(topics[i]));
    }
  }
};

TEST_P(CorpusHelpProject, HelpFilesNameNoLeftOutTopicAndKeepEveryOtherByte) {
  BTE_REQUIRE_CORPUS();
  fs::copy(bte::test::CorpusDir() / "html" / GetParam(), source_, fs::copy_options::recursive);
  std::string spared;  // what the project files say outside [FILES] and [ALIAS]
  for (const auto& entry : fs::directory_iterator(source_)) {
    if (entry.path().extension() != ".hhp") continue;
    std::string text = Read(entry.path());
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    spared += text.substr(0, text.find("[files]"));  // options and windows come first here
  }
  TagTopics(spared);
  BuildRequest request = Request("NOT Print");
  request.jobs = 2;
  const BuildReport report = BuildProject(request);
  EXPECT_EQ(report.Totals().failed, 0u);
  std::set<std::string> leftOut;
  for (const FileResult& file : report.files)
    if (file.outcome == FileOutcome::kLeftOut) leftOut.insert(FoldedReference(file.relative.generic_string(), ""));
  ASSERT_FALSE(leftOut.empty());
  const BuildTotals totals = report.Totals();
  EXPECT_GT(totals.contentsEntriesRemoved + totals.indexEntriesRemoved + totals.projectLinesRemoved, 0u);
  for (const FileResult& file : report.files) {
    if (!NamesTopics(file.kind)) continue;
    const std::string written = Read(out_ / file.relative);
    EXPECT_TRUE(IsSubsequence(written, Read(source_ / file.relative))) << file.relative;
    for (const std::string& reference : References(written, file.kind == SourceKind::kHelpProject))
      EXPECT_EQ(leftOut.count(FoldedReference(reference, file.relative.parent_path())), 0u)
          << file.relative << " still names " << reference;
  }
}

INSTANTIATE_TEST_SUITE_P(Projects, CorpusHelpProject,
                         ::testing::Values("codesnip-help", "scummex-help", "windirstat-help"),
                         [](const auto& info) { return bte::testing::InputName(info.index, info.param); });

}  // namespace
}  // namespace bte::projectbuild
