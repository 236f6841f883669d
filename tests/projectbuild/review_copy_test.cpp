// The review copy: nothing a build removes is lost, everything it removes
// is marked, and other programs read the marks as meant (the browser the
// HTML classes and style, the office suite the RTF highlight and notes).
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "projectbuild/project_build.h"
#include "projectbuild/target_expression.h"
#include "corpus_dir.h"
#include "help_files.h"
#include "soffice_runner.h"

namespace bte::projectbuild {
namespace {

namespace fs = std::filesystem;
using test::kSample;
using test::Read;
using test::Write;


class ReviewCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(source_ / "gone.htm", "<html><head><meta name=\"buildtags\" content=\"Print\"></head>"
                                "<body><p>gone text</p></body></html>");
    Write(source_ / "kept.htm", "<p>kept</p>");
    Write(source_ / "a.htm", kTopic);
  }
  BuildReport Review(const fs::path& out, bool review = true) {
    BuildRequest request;
    request.source = source_;
    request.output = out;
    request.expression = "NOT Print";
    request.review = review;
    request.jobs = 1;
    return BuildProject(request);
  }
  static const FileResult& ResultFor(const BuildReport& report, const fs::path& relative) {
    for (const FileResult& file : report.files)
      if (file.relative == relative) return file;
    throw std::runtime_error("no result for " + relative.string());
  }

  static constexpr const char* kTopic =
      "<html><head><title>A</title></head><body>\n"
      "<p data-buildtags=\"Print\" title=\"note\">print only</p>\n"
      "<p>See <a href=\"gone.htm\">gone</a> and <a href=\"kept.htm\">kept</a>.</p>\n"
      "<table><tr><td data-buildtags=\"Print\">cell</td><td>x</td></tr></table>\n"
      "<div data-buildtags=\"Print\"><a href=\"gone.htm\">inside</a></div></body></html>";
  TempFolder folder_;
  const fs::path source_ = folder_.path() / "src";
  const fs::path out_ = folder_.path() / "review";
};

TEST_F(ReviewCopyTest, HtmlKeepsEverythingAndMarksWhatABuildRemoves) {
  const BuildReport report = Review(out_);
  const std::string topic = Read(out_ / "a.htm");
  EXPECT_EQ(Count(topic, "<style>"), 1u);
  EXPECT_EQ(Count(topic, "class=\"buildtags-excluded\""), 3u) << topic;
  // Its own title follows ours.
  EXPECT_NE(topic.find("<p title=\"Excluded from this target: tags Print - note\" "
                       "class=\"buildtags-excluded\">print only"),
            std::string::npos) << topic;
  EXPECT_EQ(Count(topic, "class=\"buildtags-removed-link\""), 1u) << topic;
  EXPECT_EQ(Count(topic, "<a href=\"kept.htm\">kept</a>"), 1u) << topic;
  // Every text of the source is still there.
  for (const char* text : {"print only", "gone", "kept", "cell", "inside"})
    EXPECT_NE(topic.find(text), std::string::npos) << text;
  const FileResult& a = ResultFor(report, "a.htm");
  EXPECT_EQ(a.passagesRemoved, (std::vector<std::string>{"print only", "cell", "inside"}));
  // The link inside an excluded element goes with it, as in a build.
  EXPECT_EQ(a.linksRemoved, (std::vector<std::string>{"gone.htm (gone)"}));
  // A left-out topic is kept, with a banner naming its tags.
  EXPECT_EQ(ResultFor(report, "gone.htm").outcome, FileOutcome::kLeftOut);
  EXPECT_NE(Read(out_ / "gone.htm").find("leaves this topic out (topic tags Print)"),
            std::string::npos);
  EXPECT_TRUE(report.review);
}

TEST_F(ReviewCopyTest, ABuildAndAReviewNeverShareAFolder) {
  ASSERT_FALSE(Review(out_).files.empty());
  BuildRequest request;
  request.source = source_;
  request.output = out_;
  std::string error;
  EXPECT_FALSE(CheckBuildFolders(request, error));
  EXPECT_NE(error.find("holds a review copy"), std::string::npos) << error;
  const fs::path built = folder_.path() / "built";
  Review(built, false);
  request.output = built;
  request.review = true;
  EXPECT_FALSE(CheckBuildFolders(request, error));
  EXPECT_NE(error.find("holds a build"), std::string::npos) << error;
  request.output = out_;  // a review again where the last one went
  EXPECT_TRUE(CheckBuildFolders(request, error)) << error;
}

// The highlight stays on across groups and \plain inside a passage and is
// off again after it; the annotation becomes a note, the markers go.
TEST_F(ReviewCopyTest, RtfHighlightFollowsThePassageExactly) {
  Write(source_ / "d.rtf",
        "{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red0\\green0\\blue0;}\n"
        "a{\\*\\atrfstart 1}{\\b bold}\\plain after{\\*\\atrfend 1}{\\*\\atnid Scrivlet}"
        "{\\*\\atnauthor Conditional Build Tags}\\chatn{\\*\\annotation{\\*\\atnref 1}Print} kept}");
  const BuildReport report = Review(out_);
  EXPECT_EQ(Read(out_ / "d.rtf"),
            "{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red0\\green0\\blue0;\\red255\\green221\\blue87;}\n"
            "a{\\b \\highlight2 bold}\\plain \\highlight2 after{\\highlight2 [Build tags: Print]}"
            "\\highlight0  kept}");
  EXPECT_EQ(ResultFor(report, "d.rtf").passagesRemoved, (std::vector<std::string>{"boldafter"}));
}

// The highlight colour joins the header where a reader looks for it: the
// document's colour table, else a new one after the font table, else right
// after the \rtf word; never inside binary data or escaped text.
TEST_F(ReviewCopyTest, RtfHighlightColourGoesIntoTheHeader) {
  const std::string passage =
      "{\\*\\atrfstart 1}x{\\*\\atrfend 1}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build "
      "Tags}\\chatn{\\*\\annotation{\\*\\atnref 1}Print}}";
  const std::string colour = "\\red255\\green221\\blue87;";
  const struct {
    const char* header;
    std::string expected;
  } cases[] = {
      {"{\\rtf1 ", "{\\rtf1{\\colortbl;" + colour + "} "},
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 A;}}",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 A;}}{\\colortbl;" + colour + "}"},
      {"{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}",
       "{\\rtf1{\\colortbl;\\red1\\green2\\blue3;" + colour + "}"},
      {"{\\rtf1 {\\pict\\bin12 {\\colortbl;}}",
       "{\\rtf1{\\colortbl;" + colour + "} {\\pict\\bin12 {\\colortbl;}}"},
      {"{\\rtf1 \\\\rtf2\\{\\colortbl;}",
       "{\\rtf1{\\colortbl;" + colour + "} \\\\rtf2\\{\\colortbl;}"},
      {"{\\rtf1{\\fonttbl{\\f0\\bin1 }A;}}",
       "{\\rtf1{\\fonttbl{\\f0\\bin1 }A;}}{\\colortbl;" + colour + "}"},
  };
  for (const auto& test : cases) {
    Write(source_ / "d.rtf", test.header + passage);
    Review(out_);
    const std::string review = Read(out_ / "d.rtf");
    EXPECT_EQ(review.substr(0, test.expected.size()), test.expected) << test.header;
  }
}

// A review of a real document without build tags is the document with one
// insertion, our colour, in its header: every other byte stays in place.
TEST_F(ReviewCopyTest, RealDocumentsGainOnlyTheColourInTheirHeader) {
  if (!test::HaveCorpus()) GTEST_SKIP() << test::NoCorpusMessage();
  const std::string entry = "\\red255\\green221\\blue87;";
  const std::string table = "{\\colortbl;" + entry + "}";
  for (const auto& file : fs::directory_iterator(test::CorpusDir() / "rtf")) {
    if (file.path().extension() != ".rtf") continue;
    const std::string name = file.path().filename().string();
    fs::copy_file(file.path(), source_ / name);
  }
  Review(out_);
  size_t documents = 0;
  for (const auto& file : fs::directory_iterator(test::CorpusDir() / "rtf")) {
    if (file.path().extension() != ".rtf") continue;
    const std::string name = file.path().filename().string();
    const std::string source = Read(file.path()), review = Read(out_ / name);
    ASSERT_GT(review.size(), source.size()) << name;
    const auto differ = std::mismatch(source.begin(), source.end(), review.begin(), review.end());
    const size_t at = differ.first - source.begin();
    const std::string inserted = review.substr(at, review.size() - source.size());
    EXPECT_TRUE(inserted == entry || inserted == table) << name << ": " << inserted.substr(0, 80);
    EXPECT_EQ(review.compare(at + inserted.size(), std::string::npos, source, at), 0) << name;
    EXPECT_EQ(review.rfind("{\\rtf", 0), 0u) << name;
    ++documents;
  }
  EXPECT_GT(documents, 0u);
}

// The office suite shows exactly the excluded passages of the sample's
// manual highlighted, each with its note, and loses no text.
TEST(ReviewCopyReadBack, OfficeSuiteHighlightsTheExcludedPassages) {
  if (rtf::testing::FindSoffice().empty()) GTEST_SKIP() << "soffice not installed";
  TempFolder folder;
  const TargetLookup web = FindTargetExpression((kSample / "project.ini").string(), "Web");
  BuildRequest request;
  request.source = kSample / "source";
  request.output = folder.path() / "review";
  request.expression = web.expression.value_or("");
  request.review = true;
  BuildProject(request);
  rtf::testing::SofficeRunner soffice;
  const auto flat =
      soffice.Convert({{"manual.rtf", Read(request.output / "manual.rtf")}}, "fodt")["manual"];
  // The automatic style that carries the highlight colour.
  const size_t colour = flat.find("#ffdd57");
  ASSERT_NE(colour, std::string::npos) << flat.substr(0, 2000);
  const size_t name = flat.rfind("style:name=\"", colour) + 12;
  const std::string style = flat.substr(name, flat.find('"', name) - name);
  std::vector<std::string> highlighted;
  const std::regex span("<text:span text:style-name=\"" + style + "\">([^<]*)<");
  for (auto it = std::sregex_iterator(flat.begin(), flat.end(), span); it != std::sregex_iterator();
       ++it)
    if (!(*it)[1].str().empty()) highlighted.push_back((*it)[1]);
  EXPECT_EQ(highlighted, (std::vector<std::string>{
                             "The printed edition comes with a setup disc.[Build tags: Print]",
                             ", a preview of smart layout[Build tags: Beta]",
                             "Disc and book[Build tags: Print]", "Nightly[Build tags: Beta]",
                             "Test server[Build tags: Beta]", "Try smart layout.[Build tags: Beta]"}));
  const auto text = soffice.Convert({{"manual.rtf", Read(request.output / "manual.rtf")}},
                                    "txt:Text")["manual"];
  for (const char* line : {"The web edition installs from the web site.", "End of the manual."})
    EXPECT_NE(text.find(line), std::string::npos) << line;
}

// The browser puts the style into the head and the banner first in the
// body, and the marks on the elements that a build removes.
TEST_F(ReviewCopyTest, BrowserReadsTheMarksAsMeant) {
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "no chromium";
  Review(out_);
  const fs::path dump = folder_.path() / "dom.html";
  const std::string command = "HOME='" + folder_.path().string() +
                              "' chromium --headless --no-sandbox --disable-gpu --dump-dom 'file://" +
                              (out_ / "gone.htm").string() + "' >'" + dump.string() + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string dom = Read(dump);
  EXPECT_LT(dom.find("<style>"), dom.find("</head>")) << dom;
  EXPECT_NE(dom.find("<body><div class=\"buildtags-left-out\">"), std::string::npos) << dom;
}

}  // namespace
}  // namespace bte::projectbuild
