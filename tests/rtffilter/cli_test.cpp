// The buildtags tool's RTF commands, run as a process on real documents.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "rtf_documents.h"
#include "tests/support/corpus.h"

namespace bte::test {
namespace {

struct ToolRun {
  int exitCode;
  std::string output;  // stdout and stderr together
};

class RtfCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BTE_REQUIRE_CORPUS();
    directory_ = std::filesystem::temp_directory_path() /
                 ("rtf_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(directory_);
    // A real WordPad document with a build-tag range around one sentence.
    const std::string czech = ReadCorpusFile("tika_testRTFWordPadCzechCharacters.rtf");
    const std::string sentence = "Svitky od Mrtv";
    const size_t at = czech.find(sentence);
    const size_t end = czech.find(". ", at) + 2;
    original_ = czech;
    withoutSentence_ = czech.substr(0, at) + czech.substr(end);
    tagged_ = czech.substr(0, at) + RangeStart(4) + czech.substr(at, end - at) + RangeEnd(4) +
              Annotation(4, "Print;Draft") + czech.substr(end);
    input_ = Write("in.rtf", tagged_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string Path(const std::string& name) const { return (directory_ / name).string(); }
  std::string Write(const std::string& name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
    return Path(name);
  }
  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  static ToolRun Tool(const std::string& arguments) {
    const std::string command = std::string(BTE_BUILDTAGS) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ToolRun run{-1, ""};
    if (pipe == nullptr) return run;
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) run.output.append(chunk, got);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  std::filesystem::path directory_;
  std::string original_, withoutSentence_, tagged_, input_;
};

TEST_F(RtfCommandsTest, RemovesTheTaggedSentence) {
  const ToolRun run = Tool("filter-rtf -e 'NOT Draft' " + input_ + " " + Path("out.rtf"));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Read(Path("out.rtf")), withoutSentence_);
}

TEST_F(RtfCommandsTest, KeepsTheSentenceWithoutMarkup) {
  const ToolRun run = Tool("filter-rtf -e Print " + input_);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, original_);
}

TEST_F(RtfCommandsTest, FiltersAPipe) {
  const ToolRun run = Tool("filter-rtf -e '~Print' - - < " + input_);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, withoutSentence_);
}

TEST_F(RtfCommandsTest, BrokenMarkupLeavesTheOutputAlone) {
  const std::string broken = Write("broken.rtf", "{\\rtf1 text{\\*\\atrfend 7}}");
  const std::string existing = Write("existing.rtf", "old");
  ToolRun run = Tool("filter-rtf -e Print " + broken + " " + existing);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("range end 7 names no open range"), std::string::npos) << run.output;
  EXPECT_EQ(Read(existing), "old");
  run = Tool("filter-rtf -e Print " + broken + " " + Path("new.rtf"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(Path("new.rtf")));
  run = Tool("filter-rtf -e Print " + Path("missing.rtf") + " " + Path("new.rtf"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("cannot read"), std::string::npos);
}

TEST_F(RtfCommandsTest, ListsTheBuildTagRanges) {
  const std::string two = tagged_ + Tagged(9, "x", "Web") + Tagged(10, "y", "Other");
  const std::string withComment = Write(
      "two.rtf", two + RangeStart(11) + "z" + RangeEnd(11) + Annotation(11, "Not ours", "Jo"));
  const ToolRun run = Tool("rtf-tags " + withComment);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "4\tPrint;Draft\n9\tWeb\n10\tOther\n");
}

}  // namespace
}  // namespace bte::test
