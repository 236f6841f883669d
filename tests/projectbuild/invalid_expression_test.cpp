// An expression with a syntax fault keeps everything: every command that
// applies one says where and what the fault is, and --strict refuses it.
// (What check prints for one is a golden output.)
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "tool_run.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFaulty = "NOT Print AND";
constexpr const char* kWarning = "NOT Print AND: AND has nothing after it; everything is kept";

struct Command {
  const char* name;
  std::vector<std::string> arguments;  // "IN" and "OUT" stand for the files
};

class InvalidExpression : public ::testing::TestWithParam<Command> {
 protected:
  void SetUp() override {
    fs::create_directories(folder_.path() / "src");
    WriteBytes((folder_.path() / "src/in.htm").string(), "<p data-buildtags=\"Print\">x</p>");
    WriteBytes((folder_.path() / "in.rtf").string(), "{\\rtf1 x\\par}");
  }
  ToolRun Run(bool strict) {
    std::vector<std::string> arguments;
    for (const std::string& argument : GetParam().arguments) {
      if (argument == "IN") {
        arguments.push_back(Input().string());
      } else if (argument == "OUT") {
        arguments.push_back(Output().string());
      } else {
        arguments.push_back(argument);
      }
    }
    if (strict) arguments.insert(arguments.begin() + 1, "--strict");
    return RunTool(arguments);
  }
  fs::path Input() const {
    const std::string name = GetParam().name;
    if (name == "build") return folder_.path() / "src";
    return folder_.path() / (name == "filter_rtf" ? "in.rtf" : "src/in.htm");
  }
  fs::path Output() const { return folder_.path() / "out"; }

  TempFolder folder_;
};

TEST_P(InvalidExpression, WarnsAndKeepsEverything) {
  const ToolRun run = Run(false);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find(kWarning), std::string::npos) << run.err;
}

TEST_P(InvalidExpression, StrictRefusesAndWritesNothing) {
  const ToolRun run = Run(true);
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_NE(run.err.find("AND has nothing after it; nothing done (--strict)"), std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(Output()));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, InvalidExpression,
    ::testing::Values(Command{"build", {"build", "--quiet", "-e", kFaulty, "IN", "OUT"}},
                      Command{"filter_html", {"filter-html", "-e", kFaulty, "IN", "OUT"}},
                      Command{"filter_rtf", {"filter-rtf", "--expr", kFaulty, "IN", "OUT"}},
                      Command{"eval", {"eval", "-e", kFaulty, "Print"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InvalidExpressionReport, BuildJsonSaysTheExpressionIsInvalid) {
  TempFolder folder;
  fs::create_directories(folder.path() / "src");
  const ToolRun run = RunTool({"build", "--json", "-e", "a ~ b", (folder.path() / "src").string(),
                               (folder.path() / "out").string()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("\"expressionValid\": false"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"expressionFault\": \"~ follows the tag \\\"a\\\" with no AND or OR"),
            std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace bte::test
