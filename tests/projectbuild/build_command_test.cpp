// `build` and `scan` run as a process: exit codes, what they print, usage
// errors, and Ctrl-C in the middle of a build.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "help_files.h"
#include "tool_run.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

class BuildCommand : public ::testing::Test {
 protected:
  ToolRun BuildSample(const std::string& target, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> arguments{"build"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    for (const std::string& argument :
         {std::string("--project"), (kSample / "project.ini").string(), std::string("--target"),
          target, (kSample / "source").string(), out_.string()})
      arguments.push_back(argument);
    return RunTool(arguments);
  }

  TempFolder folder_;
  const fs::path source_ = folder_.path() / "src";
  const fs::path out_ = folder_.path() / "out";
};

TEST_F(BuildCommand, SeveralTargetsGoToSafeFoldersOfOut) {
  Write(source_ / "a.htm", "<p data-buildtags=\"Web\">web</p><p>all</p>");
  const fs::path project = folder_.path() / "project.ini";
  Write(project, "[Target:Web]\nBuildExpression=Web\n[Target:a/b]\nBuildExpression=NOT Web\n"
                 "[Target:..]\nBuildExpression=NOT Web\n[Target:web]\nBuildExpression=Web\n");
  const ToolRun run = RunTool({"build", "--quiet", "--json", "--project", project.string(),
                               "--all-targets", source_.string(), out_.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  for (const char* folder : {"Web", "a_b", "__", "web-2"})
    EXPECT_TRUE(fs::exists(out_ / folder / "a.htm")) << folder << '\n' << run.out;
  EXPECT_EQ(Read(out_ / "a_b/a.htm"), "<p>all</p>");
  // One JSON array, a report per target.
  EXPECT_EQ(run.out.substr(0, 1), "[");
  for (const char* name : {"\"target\": \"Web\"", "\"target\": \"a/b\"", "\"target\": \"..\"",
                           "\"target\": \"web\""})
    EXPECT_TRUE(Contains(run.out, name)) << name;
  EXPECT_FALSE(fs::exists(folder_.path() / "a.htm"));
  const ToolRun two = RunTool({"build", "--quiet", "--project", project.string(), "--target",
                               "Web", "--target", "a/b", source_.string(), out_.string()});
  EXPECT_TRUE(Contains(two.out, "target Web \"Web\"")) << two.out;
  EXPECT_TRUE(Contains(two.out, "target a/b \"NOT Web\"")) << two.out;
}

// A build for Web over one for Print: the stale files, a dry run of --clean,
// then --clean, which deletes what Print wrote and nothing else. Without
// --quiet, the Print build names each topic left out and each entry and link
// removed (the summary, printed either way, is a golden output).
TEST_F(BuildCommand, CleanDeletesWhatAnotherTargetWroteAfterADryRunWroteNothing) {
  const ToolRun print = BuildSample("Print");
  ASSERT_EQ(print.exitCode, 0) << print.err;
  for (const char* line :
       {"left out: topics/beta_features.htm (topic tags Beta)\n",
        "removed from contents.hhc: Your online account\n",
        "link removed from index.htm: topics/online_account.htm (Your online account)\n"})
    EXPECT_TRUE(Contains(print.out, line)) << print.out;
  Write(out_ / "mine.txt", "the author's");
  const std::string manifest = Read(out_ / ".buildtags-manifest");
  const ToolRun stale = BuildSample("Web", {"--dry-run"});
  EXPECT_TRUE(Contains(stale.out, "stale: topics/printing.htm (written by an earlier build, "
                                  "not by this one; kept, --clean deletes it)"))
      << stale.out;
  const ToolRun dry = BuildSample("Web", {"--dry-run", "--clean"});
  EXPECT_EQ(dry.exitCode, 0) << dry.err;
  EXPECT_TRUE(Contains(dry.out, "would delete: topics/printing.htm")) << dry.out;
  EXPECT_TRUE(Contains(dry.out, "dry run: nothing was written or deleted")) << dry.out;
  EXPECT_TRUE(fs::exists(out_ / "topics/printing.htm"));
  EXPECT_FALSE(fs::exists(out_ / "topics/online_account.htm"));  // Web would write it
  EXPECT_EQ(Read(out_ / ".buildtags-manifest"), manifest);
  // The same report as the real build, apart from the words for a dry run.
  const ToolRun real = BuildSample("Web", {"--clean"});
  auto counts = [](const std::string& out) { return out.substr(out.find("target Web"), 150); };
  EXPECT_EQ(counts(dry.out), counts(real.out));
  EXPECT_EQ(real.exitCode, 0) << real.err;
  EXPECT_TRUE(Contains(real.out, "deleted: topics/printing.htm")) << real.out;
  EXPECT_FALSE(fs::exists(out_ / "topics/printing.htm"));
  EXPECT_TRUE(Contains(real.out, "stale: mine.txt (in the output folder, not made by this build; "
                                 "kept)"))
      << real.out;
  EXPECT_FALSE(fs::exists(folder_.path() / "never"));
  RunTool({"build", "--dry-run", "-e", "Web", (kSample / "source").string(),
           (folder_.path() / "never").string()});
  EXPECT_FALSE(fs::exists(folder_.path() / "never"));
}

// Refused before anything is built: one message for the folder or target at
// fault, not one per file; argument faults as the argument parser words them.
TEST_F(BuildCommand, RefusalsExitWithTwoAndBuildNothing) {
  Write(source_ / "a.htm", "<p>a</p>");
  const fs::path file = folder_.path() / "file.txt";
  Write(file, "x");
  const fs::path project = folder_.path() / "project.ini";
  Write(project, "[Target:Web]\nBuildExpression=Web\n[Target:Print]\nBuildExpression=Print\n");
  struct Case {
    std::vector<std::string> arguments;
    std::string error;  // empty: the argument parser's
  };
  const std::string src = source_.string(), out = out_.string(),
                    missing = (folder_.path() / "missing").string(),
                    inside = (source_ / "out").string(),
                    isFile = file.string() + " is a file, not a folder",
                    inSource = " must not be the source folder or lie inside it";
  for (const Case& row : std::vector<Case>{
           {{"-e", "Web", missing, out}, "source folder " + missing + " does not exist"},
           {{"-e", "Web", file.string(), out}, isFile},
           {{"-e", "Web", src, file.string()}, isFile},
           {{"-e", "Web", src, (file / "sub").string()}, isFile},
           {{"--project", project.string(), "--all-targets", src, file.string()}, isFile},
           {{"-e", "Web", src, inside}, "output folder " + inside + inSource},
           {{"-e", "Web", src, src}, "output folder " + src + inSource},
           {{"--project", project.string(), "--target", "Kiosk", src, out},
            project.string() + " has no target \"Kiosk\"; its targets are: \"Web\" \"Print\""},
           {{src}, ""},
           {{"--target", "Web", src, out}, ""},
           {{"--expr", "a", "--project", project.string(), "--target", "Web", src, out}, ""}}) {
    std::vector<std::string> arguments{"build"};
    arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
    const ToolRun run = RunTool(arguments);
    EXPECT_EQ(run.exitCode, 2) << row.error;
    if (!row.error.empty()) {
      EXPECT_EQ(run.err, "buildtags: " + row.error + "\n");
    }
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(ReadBytes(file.string()), "x");
  EXPECT_FALSE(fs::exists(out_));
  EXPECT_FALSE(fs::exists(source_ / "out"));
}

// A failed file is named with its reason; the others are still written.
TEST_F(BuildCommand, AFailedFileIsNamedAndExitsWithOne) {
  Write(source_ / "broken.rtf", "{\\rtf1 {\\*\\atrfend 7}x}");
  Write(source_ / "name with spaces \xC3\xA9.htm", "<p data-buildtags=\"Web\">gone</p><p>kept</p>");
  const ToolRun run = RunTool({"build", "--quiet", "--expr", "NOT Web", source_.string(),
                               out_.string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Contains(run.out, "failed: broken.rtf: range end 7")) << run.out;
  EXPECT_FALSE(fs::exists(out_ / "broken.rtf"));
  EXPECT_EQ(Read(out_ / "name with spaces \xC3\xA9.htm"), "<p>kept</p>");
}

// Ctrl-C finishes the files in progress and starts no more: whatever is in
// OUT afterwards is complete, and no temporary file is left. The signal
// comes as the first file is being written.
TEST_F(BuildCommand, InterruptedBuildLeavesOnlyWholeFiles) {
  const std::string topic = Read(kSample / "source/topics/troubleshooting.htm");
  for (int i = 0; i < 600; ++i) Write(source_ / ("t" + std::to_string(i) + ".htm"), topic);
  auto build = [&](const fs::path& out, const ToolInput& input) {
    return RunTool({"build", "--quiet", "--jobs", "2", "--expr", "NOT Web", source_.string(),
                    out.string()},
                   input);
  };
  ASSERT_EQ(build(folder_.path() / "full", {}).exitCode, 0);
  ToolInput interrupted;
  interrupted.interruptOnceEntryIn = (folder_.path() / "cut").string();
  EXPECT_EQ(build(folder_.path() / "cut", interrupted).exitCode, 130);
  const std::string whole = ReadBytes((folder_.path() / "full/t0.htm").string()).value();
  std::error_code noFolderYet;
  for (const auto& entry : fs::directory_iterator(folder_.path() / "cut", noFolderYet)) {
    EXPECT_FALSE(Contains(entry.path().filename().string(), ".buildtags-tmp"));
    if (entry.path().filename() == ".buildtags-manifest") continue;  // the files it did write
    EXPECT_EQ(ReadBytes(entry.path().string()), whole) << entry.path();
  }
}

TEST_F(BuildCommand, ScanCountsTagsAndComparesWithTheProject) {
  Write(source_ / "a.htm",
        "<meta name=\"buildtags\" content=\"Kiosk\"><p data-buildtags=\"web;print\">x</p>");
  Write(folder_.path() / "project.ini", "[Target:Web]\nBuildExpression=Web AND NOT Mobile\n");
  const ToolRun run =
      RunTool({"scan", source_.string(), "--project", (folder_.path() / "project.ini").string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "Kiosk\t1\ta.htm \nprint\t1\ta.htm \nweb\t1\ta.htm \n"
            "tag in no expression: Kiosk\ntag in no expression: print\n"
            "expression \"Web AND NOT Mobile\" names tags no file uses: mobile\n");
}

}  // namespace
}  // namespace bte::test
