// The filter-html command: files and standard streams, link removal
// relative to the input's folder, and no output on failure.
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"
#include "tool_run.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

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
  const std::string out = (folder_.path() / "out.htm").string();
  EXPECT_EQ(RunTool({"filter-html", "-e", "Print", input_.string(), out}).exitCode, 0);
  EXPECT_EQ(ReadFile(out), "<p>See <a href=\"web.htm\">web</a>.</p>");
  EXPECT_EQ(RunTool({"filter-html", "-e", "Print", "--links", input_.string(), out}).exitCode, 0);
  EXPECT_EQ(ReadFile(out), "<p>See web.</p>");
}

TEST_F(FilterHtmlCommand, StandardStreams) {
  ToolInput topic;
  topic.standardInput = kTopic;
  const ToolRun run = RunTool({"filter-html", "-e", "Web", "-"}, topic);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "<p>web only</p><p>See <a href=\"web.htm\">web</a>.</p>");
  EXPECT_EQ(RunTool({"filter-html", "-e", "Web", "--keep-tags", "-"}, topic).out, kTopic);
  EXPECT_EQ(RunTool({"filter-html", "-e", "Print", input_.string(), "-"}).out,
            "<p>See <a href=\"web.htm\">web</a>.</p>");
}

// Writing over the input loses the source of every other target.
TEST_F(FilterHtmlCommand, OutputThatIsTheInputNeedsInPlace) {
  const ToolRun refused = RunTool({"filter-html", "-e", "Print", input_.string(), input_.string()});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("is the input file; give --in-place"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadFile(input_), kTopic);
  EXPECT_EQ(
      RunTool({"filter-html", "-e", "Print", "--in-place", input_.string(), input_.string()}).exitCode,
      0);
  EXPECT_EQ(ReadFile(input_), "<p>See <a href=\"web.htm\">web</a>.</p>");
}

TEST_F(FilterHtmlCommand, FailureLeavesOutputAlone) {
  const fs::path out = folder_.path() / "out.htm";
  const fs::path missing = folder_.path() / "missing.htm";
  EXPECT_EQ(RunTool({"filter-html", "-e", "Print", missing.string(), out.string()}).exitCode, 1);
  EXPECT_FALSE(fs::exists(out));
  WriteFile(out, "previous");
  EXPECT_EQ(
      RunTool({"filter-html", "-e", "Print", folder_.path().string(), out.string()}).exitCode, 1);
  EXPECT_EQ(ReadFile(out), "previous");
  EXPECT_EQ(RunTool({"filter-html", input_.string()}).exitCode, 2);
}

}  // namespace
}  // namespace bte::test
