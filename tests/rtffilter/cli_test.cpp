// The buildtags tool's RTF commands, run as a process on real documents.
// (Filtering to and from pipes and the sample's reports are golden outputs.)
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "rtf_documents.h"
#include "temp_folder.h"
#include "tool_run.h"
#include "tests/support/corpus.h"

namespace bte::test {
namespace {

class RtfCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BTE_REQUIRE_CORPUS();
    // A real WordPad document with a build-tag range around one sentence.
    const std::string czech = ReadCorpusFile("tika_testRTFWordPadCzechCharacters.rtf");
    const std::string sentence = "Svitky od Mrtv";
    const size_t at = czech.find(sentence);
    const size_t end = czech.find(". ", at) + 2;
    withoutSentence_ = czech.substr(0, at) + czech.substr(end);
    tagged_ = czech.substr(0, at) + Tagged(4, czech.substr(at, end - at), "Print;Draft") + czech.substr(end);
    input_ = Write("in.rtf", tagged_);
  }

  std::string Path(const std::string& name) const { return folder_.File(name); }
  std::string Write(const std::string& name, const std::string& content) const {
    WriteBytes(Path(name), content);
    return Path(name);
  }

  TempFolder folder_;
  std::string withoutSentence_, tagged_, input_;
};

// Writing over the input loses the source of every other target.
TEST_F(RtfCommandsTest, OutputThatIsTheInputNeedsInPlace) {
  ToolRun run = RunTool({"filter-rtf", "-e", "NOT Draft", input_, input_});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("is the input file; give --in-place"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(input_), tagged_);
  run = RunTool({"filter-rtf", "-e", "NOT Draft", "--in-place", input_, input_});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(input_), withoutSentence_);
}

TEST_F(RtfCommandsTest, BrokenMarkupLeavesTheOutputAlone) {
  const std::string broken = Write("broken.rtf", "{\\rtf1 text{\\*\\atrfend 7}}");
  const std::string existing = Write("existing.rtf", "old");
  ToolRun run = RunTool({"filter-rtf", "-e", "Print", broken, existing});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("range end 7 names no open range"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(existing), "old");
  run = RunTool({"filter-rtf", "-e", "Print", broken, Path("new.rtf")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(Path("new.rtf")));
  run = RunTool({"filter-rtf", "-e", "Print", Path("missing.rtf"), Path("new.rtf")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("cannot read"), std::string::npos);
}

}  // namespace
}  // namespace bte::test
