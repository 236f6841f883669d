// A build into the output folder of an earlier one: every output ends as a
// build into an empty folder makes it, and only the outputs whose bytes
// change are made anew.
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "help_files.h"
#include "projectbuild/project_build.h"

namespace bte::projectbuild {
namespace {

namespace fs = std::filesystem;
using test::Read;

struct Output {
  std::string bytes;
  ino_t inode;
};
using Outputs = std::map<fs::path, Output>;

// The outputs below folder by relative path, the build's own records left
// aside.
Outputs ListOutputs(const fs::path& folder) {
  Outputs outputs;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().filename().string().rfind(".buildtags", 0) == 0)
      continue;
    struct stat info {};
    ::stat(entry.path().c_str(), &info);
    outputs[fs::relative(entry.path(), folder)] = {Read(entry.path()), info.st_ino};
  }
  return outputs;
}

struct RebuildCase {
  const char* name;
  const char* first;
  const char* second;
};

class RebuildTest : public ::testing::TestWithParam<RebuildCase> {
 protected:
  void Build(const std::string& expression, const fs::path& output) {
    BuildRequest request;
    request.source = test::kSample / "source";
    request.output = output;
    request.expression = expression;
    request.jobs = 2;
    const BuildReport report = BuildProject(request);
    for (const FileResult& file : report.files)
      EXPECT_NE(file.outcome, FileOutcome::kFailed) << file.relative << ": " << file.reason;
  }

  TempFolder folder_;
  const fs::path out_ = folder_.path() / "out";
  const fs::path fresh_ = folder_.path() / "fresh";
};

// The hand-edited output is one the second build also writes.
const fs::path kEdited = "topics/contact.htm";

TEST_P(RebuildTest, EndsAsAFreshBuildAndMakesOnlyChangedOutputsAnew) {
  Build(GetParam().first, out_);
  ASSERT_TRUE(fs::exists(out_ / kEdited));
  test::Write(out_ / kEdited, Read(out_ / kEdited) + "<p>edited by hand</p>");
  const Outputs before = ListOutputs(out_);
  Build(GetParam().second, out_);
  Build(GetParam().second, fresh_);
  const Outputs after = ListOutputs(out_);
  const Outputs expected = ListOutputs(fresh_);
  ASSERT_TRUE(expected.count(kEdited));
  for (const auto& [relative, output] : expected) {
    ASSERT_TRUE(after.count(relative)) << relative;
    EXPECT_EQ(after.at(relative).bytes, output.bytes) << relative;
    const auto earlier = before.find(relative);
    const bool same = earlier != before.end() && earlier->second.bytes == output.bytes;
    const bool kept = earlier != before.end() && after.at(relative).inode == earlier->second.inode;
    EXPECT_EQ(kept, same) << relative;
  }
}

const RebuildCase kRebuildCases[] = {
    {"SameExpression", "NOT Print", "NOT Print"},
    {"OtherExpression", "NOT Print", "NOT Web AND NOT Beta"},
    {"EverythingKeptAfterFiltering", "NOT Web AND NOT Beta", "Web OR NOT Web"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RebuildTest, ::testing::ValuesIn(kRebuildCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bte::projectbuild
