// `project FILE ...` run as a script runs it, on one project file through a
// sequence of commands: messages, JSON, and the bytes the file is left with.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "tool_run.h"

namespace bte::test {
namespace {

struct Step {
  std::vector<std::string> arguments;
  int exitCode;
  std::string expected;  // a part of standard output
};

class ProjectCommand : public ::testing::Test {
 protected:
  ToolRun Run(const std::string& file, const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"project", folder_.File(file)};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunTool(all);
  }
  TempFolder folder_;
};

TEST_F(ProjectCommand, EachCommandSaysWhatChangedAndTouchesNoOtherLine) {
  WriteBytes(folder_.File("project.ini"),
             "[Other]\r\nkeep = me\r\n\r\n"
             "[Target:Web]\r\nBuildExpression=Online & ~Print\r\n"
             "[Target:Help]\r\nBuildExpression=Online\r\n"
             "[Global Build Tag Expressions]\r\nExpr_2004:05:17:09:03:07=Online | Beta\r\n");
  const Step steps[] = {
      {{"list"}, 0, "  Help: Online\n"},
      {{"list"}, 0, "  2004:05:17:09:03:07  Online | Beta\n"},
      {{"rename-tag", "Online", "Web"}, 0, "2 targets and 1 global expression now use Web\n"},
      {{"rename-tag", "Online", "Web"}, 0, "No expression uses Online; nothing changed\n"},
      {{"add-global", "  A & B "}, 0, "Saved global expression \"A & B\"\n"},
      {{"add-global", "A & B"}, 1, "is empty or already stored"},
      {{"delete-tag", "Print"}, 0,
       "Cleared 1 target and removed 0 global expressions that used Print\n"},
      {{"--json", "remove-global", "Web | Beta"}, 0, "\"globals\": [\n    \"Web | Beta\"\n  ]"},
      {{"--json", "list"}, 0, "\"target\": \"Help\""},
  };
  for (const Step& step : steps) {
    const ToolRun run = Run("project.ini", step.arguments);
    EXPECT_EQ(run.exitCode, step.exitCode) << step.arguments[0] << run.err;
    EXPECT_NE(run.out.find(step.expected), std::string::npos) << run.out;
  }
  const std::string untouchedThenCleared =
      "[Other]\r\nkeep = me\r\n\r\n[Target:Web]\r\nBuildExpression=\r\n";
  EXPECT_EQ(ReadBytes(folder_.File("project.ini")).value_or("").substr(0, untouchedThenCleared.size()),
            untouchedThenCleared);
}

TEST_F(ProjectCommand, ListingAMissingFileNeitherFailsNorCreatesIt) {
  const ToolRun run = Run("missing.ini", {"list"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "Targets (0):\nGlobal expressions (0):\n");
  EXPECT_FALSE(std::filesystem::exists(folder_.File("missing.ini")));
}

// The manager answers 0 whether or not its write reached the disk.
TEST_F(ProjectCommand, AGlobalThatDidNotReachTheFileIsNotReportedAsSaved) {
  std::filesystem::create_directories(folder_.File("folder.ini"));
  const ToolRun run = Run("folder.ini", {"add-global", "Web"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "Not saved: \"Web\" did not reach the project file\n");
}

}  // namespace
}  // namespace bte::test
