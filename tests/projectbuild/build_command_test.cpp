// The main job end to end: the buildtags tool building the sample help
// project's targets, and refusing or reporting what it must not build.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int exitCode;
  std::string out;  // standard output and error together
};

ToolRun RunTool(const std::string& arguments) {
  const std::string command = std::string(BTE_BUILDTAGS) + " " + arguments + " 2>&1";
  ToolRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

const fs::path kSamples = fs::path(BTE_SOURCE_DIR) / "samples" / "help";

class SampleBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = fs::temp_directory_path() /
            ("bte-build-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override { fs::remove_all(work_); }

  ToolRun BuildTarget(const std::string& target, const fs::path& out, const std::string& extra = "") {
    return RunTool("build --quiet " + extra + " --project " + Quoted(kSamples / "project.ini") +
                   " --target " + target + " " + Quoted(kSamples / "source") + " " + Quoted(out));
  }

  fs::path work_;
};

TEST_F(SampleBuild, PrintTargetLeavesOutWebAndBetaContent) {
  const fs::path out = work_ / "print";
  const ToolRun run = BuildTarget("Print", out);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("2 topics left out"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(out / "topics/online_account.htm"));
  EXPECT_FALSE(fs::exists(out / "topics/beta_features.htm"));
  EXPECT_TRUE(fs::exists(out / "topics/printing.htm"));
  EXPECT_EQ(Read(out / "css/help.css"), Read(kSamples / "source/css/help.css"));

  const std::string index = Read(out / "index.htm");
  EXPECT_EQ(index.find("Search this help"), std::string::npos);
  EXPECT_NE(index.find("printed book"), std::string::npos);
  // Links to left-out topics lose their link; their text stays.
  EXPECT_EQ(index.find("online_account.htm"), std::string::npos);
  EXPECT_NE(index.find("Your online account"), std::string::npos);

  const std::string related = Read(out / "topics/troubleshooting.htm");
  EXPECT_EQ(related.find("online_account.htm"), std::string::npos);
  EXPECT_EQ(related.find("beta_features.htm"), std::string::npos);
  EXPECT_NE(related.find("name=\"item3\" value=\"Settings"), std::string::npos) << related;

  const std::string glossary = Read(out / "topics/glossary.htm");
  EXPECT_EQ(glossary.find("pop-sync"), std::string::npos);    // emptied popup and its link
  EXPECT_EQ(glossary.find("pop-unused"), std::string::npos);  // popup no link shows
  EXPECT_NE(glossary.find("pop-margin"), std::string::npos);

  // The web-only table lost every cell, so it went as a whole.
  EXPECT_EQ(Read(out / "topics/shortcuts.htm").find("Ctrl+Shift"), std::string::npos);

  const std::string manual = Read(out / "manual.rtf");
  EXPECT_EQ(manual.find("atrfstart"), std::string::npos);
  EXPECT_EQ(manual.find("Sign in"), std::string::npos);
  EXPECT_NE(manual.find("{2.}{\\tab}{\\*\\listtextkvt}Open a document."), std::string::npos)
      << manual;
  EXPECT_NE(manual.find("{3.}{\\tab}{\\*\\listtextkvt}Save your work."), std::string::npos);
}

TEST_F(SampleBuild, WebTargetKeepsWebContentAndDropsPrint) {
  const fs::path out = work_ / "web";
  const ToolRun run = BuildTarget("Web", out, "--json --jobs 2");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("\"topicsLeftOut\": 2"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(out / "topics/printing.htm"));
  EXPECT_TRUE(fs::exists(out / "topics/online_account.htm"));
  const std::string installing = Read(out / "topics/installing.htm");
  EXPECT_NE(installing.find("Run the installer"), std::string::npos);
  EXPECT_EQ(installing.find("Insert the disc"), std::string::npos);
  // The emptied cell keeps the table's shape with a filler paragraph.
  EXPECT_NE(installing.find("&nbsp;"), std::string::npos) << installing;
  EXPECT_EQ(installing.find("href=\"printing.htm\""), std::string::npos);
  const std::string manual = Read(out / "manual.rtf");
  EXPECT_NE(manual.find("The web edition installs"), std::string::npos);
  EXPECT_EQ(manual.find("The printed edition"), std::string::npos);
}

TEST_F(SampleBuild, UnknownTargetNamesTheProjectsTargets) {
  const ToolRun run = BuildTarget("Kiosk", work_ / "out");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("no target \"Kiosk\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"Print\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"Web\""), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(work_ / "out"));
}

TEST_F(SampleBuild, OutputInsideTheSourceIsRefused) {
  const fs::path source = work_ / "src";
  Write(source / "a.txt", "text");
  const ToolRun run = RunTool("build --quiet --expr Web " + Quoted(source) + " " +
                              Quoted(source / "out"));
  EXPECT_EQ(run.exitCode, 2) << run.out;
  EXPECT_FALSE(fs::exists(source / "out"));
  EXPECT_EQ(RunTool("build --quiet --expr Web " + Quoted(source) + " " + Quoted(source)).exitCode,
            2);
}

TEST_F(SampleBuild, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunTool("build --quiet " + Quoted(work_)).exitCode, 2);
  EXPECT_EQ(RunTool("build --quiet --target Web " + Quoted(work_) + " x").exitCode, 2);
  EXPECT_EQ(RunTool("build --quiet --expr a --project p --target t " + Quoted(work_) + " x").exitCode,
            2);
}

TEST_F(SampleBuild, FailuresAreNamedAndTheOtherFilesStillWritten) {
  const fs::path source = work_ / "src";
  Write(source / "good.rtf", "{\\rtf1 fine\\par}");
  Write(source / "broken.rtf", "{\\rtf1 {\\*\\atrfend 7}x}");
  Write(source / "name with spaces \xC3\xA9.htm", "<p data-buildtags=\"Web\">gone</p><p>kept</p>");
  const ToolRun run = RunTool("build --quiet --expr 'NOT Web' " + Quoted(source) + " " +
                              Quoted(work_ / "out"));
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("failed: broken.rtf: range end 7"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(work_ / "out/broken.rtf"));
  EXPECT_EQ(Read(work_ / "out/good.rtf"), "{\\rtf1 fine\\par}");
  const std::string topic = Read(work_ / "out/name with spaces \xC3\xA9.htm");
  EXPECT_EQ(topic, "<p>kept</p>");
}

TEST_F(SampleBuild, StaleOutputIsReportedAndKept) {
  const fs::path source = work_ / "src";
  const fs::path out = work_ / "out";
  Write(source / "a.txt", "new");
  Write(out / "old.txt", "from an earlier build");
  Write(out / ".buildtags-tmp-1-0-a.txt", "left by a killed run");
  const ToolRun run = RunTool("build --quiet --expr Web " + Quoted(source) + " " + Quoted(out));
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("stale: old.txt"), std::string::npos) << run.out;
  EXPECT_TRUE(fs::exists(out / "old.txt"));
  EXPECT_FALSE(fs::exists(out / ".buildtags-tmp-1-0-a.txt"));
  EXPECT_EQ(Read(out / "a.txt"), "new");
}

TEST_F(SampleBuild, LinksLeadingOutsideTheSourceAreSkipped) {
  const fs::path source = work_ / "src";
  Write(work_ / "secret.txt", "outside");
  Write(source / "inside.txt", "inside");
  fs::create_symlink(work_ / "secret.txt", source / "leak.txt");
  fs::create_symlink(source / "inside.txt", source / "alias.txt");
  const ToolRun run = RunTool("build --quiet --expr Web " + Quoted(source) + " " +
                              Quoted(work_ / "out"));
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("skipped: leak.txt"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(work_ / "out/leak.txt"));
  EXPECT_EQ(Read(work_ / "out/alias.txt"), "inside");
}

TEST_F(SampleBuild, TopicTaggedWithACommaListIsLeftOut) {
  const fs::path source = work_ / "src";
  Write(source / "secret.htm", "<head><meta name=\"buildtags\" content=\"Print, Web\"></head>Secret");
  Write(source / "kept.htm", "<p>Kept</p>");
  const ToolRun run = RunTool("build --quiet --expr 'NOT Print' " + Quoted(source) + " " +
                              Quoted(work_ / "out"));
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_FALSE(fs::exists(work_ / "out/secret.htm"));
  EXPECT_EQ(Read(work_ / "out/kept.htm"), "<p>Kept</p>");
}

// Ctrl-C finishes the files in progress and starts no more: whatever is in
// OUT afterwards is complete, and no temporary file is left.
TEST_F(SampleBuild, InterruptedBuildLeavesOnlyWholeFiles) {
  const fs::path source = work_ / "src";
  const std::string topic = Read(kSamples / "source/topics/troubleshooting.htm");
  for (int i = 0; i < 600; ++i) Write(source / ("t" + std::to_string(i) + ".htm"), topic);
  const std::string arguments = " build --quiet --jobs 2 --expr 'NOT Web' " + Quoted(source) + " ";
  ASSERT_EQ(RunTool(arguments + Quoted(work_ / "full")).exitCode, 0);
  const std::string command = std::string("sh -c \"") + BTE_BUILDTAGS + arguments +
                              Quoted(work_ / "cut") + " & sleep 0.1; kill -INT $!; wait $!\"";
  ASSERT_NE(std::system(command.c_str()), -1);
  const std::string whole = Read(work_ / "full/t0.htm");
  for (const auto& entry : fs::directory_iterator(work_ / "cut")) {
    EXPECT_EQ(entry.path().filename().string().rfind(".buildtags-tmp", 0), std::string::npos);
    EXPECT_EQ(Read(entry.path()), whole) << entry.path();
  }
}

TEST_F(SampleBuild, ScanCountsTagsAndComparesWithTheProject) {
  Write(work_ / "src/a.htm", "<meta name=\"buildtags\" content=\"Kiosk\"><p data-buildtags=\"web;print\">x</p>");
  Write(work_ / "project.ini", "[Target:Web]\nBuildExpression=Web AND NOT Mobile\n");
  const ToolRun run = RunTool("scan " + Quoted(work_ / "src") + " --project " +
                              Quoted(work_ / "project.ini"));
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("Kiosk\t1\ta.htm"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("tag in no expression: Kiosk"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("tag in no expression: print"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("tag in no expression: web"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"Web AND NOT Mobile\" names tags no file uses: mobile"),
            std::string::npos)
      << run.out;
}

TEST_F(SampleBuild, ScanFindsRtfAnnotations) {
  const ToolRun run = RunTool("scan --json " + Quoted(kSamples / "source"));
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("\"manual.rtf\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"tag\": \"Beta\""), std::string::npos) << run.out;
}

}  // namespace
