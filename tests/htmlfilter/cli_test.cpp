// The filter-html command: files and standard streams, link removal
// relative to the input's folder, and no output on failure.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
  int exitCode;
  std::string output;
};

CommandResult RunTool(const std::string& arguments) {
  const std::string command = std::string(BTE_BUILDTAGS) + " " + arguments + " 2>/dev/null";
  CommandResult result{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

class FilterHtmlCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(folder_.path() / "web.htm",
              "<html><head><meta name=\"buildtags\" content=\"Web\"></head></html>");
    input_ = folder_.path() / "topic.htm";
    WriteFile(input_, kTopic);
  }

  static constexpr const char* kTopic =
      "<p data-buildtags=\"Web\">web only</p><p>See <a href=\"web.htm\">web</a>.</p>";
  TempFolder folder_;
  fs::path input_;
};

TEST_F(FilterHtmlCommand, FileToFileWithAndWithoutLinks) {
  const fs::path out = folder_.path() / "out.htm";
  EXPECT_EQ(RunTool("filter-html -e Print " + Quoted(input_) + " " + Quoted(out)).exitCode, 0);
  EXPECT_EQ(ReadFile(out), "<p>See <a href=\"web.htm\">web</a>.</p>");
  EXPECT_EQ(RunTool("filter-html -e Print --links " + Quoted(input_) + " " + Quoted(out)).exitCode,
            0);
  EXPECT_EQ(ReadFile(out), "<p>See web.</p>");
}

TEST_F(FilterHtmlCommand, StandardStreams) {
  const CommandResult result = RunTool("filter-html -e Web - < " + Quoted(input_));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, kTopic);
  EXPECT_EQ(RunTool("filter-html -e Print " + Quoted(input_) + " -").output,
            "<p>See <a href=\"web.htm\">web</a>.</p>");
}

TEST_F(FilterHtmlCommand, FailureLeavesOutputAlone) {
  const fs::path out = folder_.path() / "out.htm";
  const fs::path missing = folder_.path() / "missing.htm";
  EXPECT_EQ(RunTool("filter-html -e Print " + Quoted(missing) + " " + Quoted(out)).exitCode, 1);
  EXPECT_FALSE(fs::exists(out));
  WriteFile(out, "previous");
  EXPECT_EQ(RunTool("filter-html -e Print " + Quoted(folder_.path()) + " " + Quoted(out)).exitCode,
            1);
  EXPECT_EQ(ReadFile(out), "previous");
  EXPECT_EQ(RunTool("filter-html " + Quoted(input_)).exitCode, 2);
}

}  // namespace
}  // namespace bte::test
