// The file layer: what a whole-file read answers, and the order and options
// of an atomic replacement. The replacement's guarantees against crashes and
// second writers are tested where the project file uses it.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "tests/platform/recording_steps.h"

namespace bte::platform {
namespace {

namespace fs = std::filesystem;

class FileFolder : public ::testing::Test {
 protected:
  FileFolder() {
    static int counter = 0;
    folder_ = fs::temp_directory_path() /
              ("bte-file-io-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~FileFolder() override { fs::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return (folder_ / name).string();
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    return names;
  }

  fs::path folder_;
};

enum class Thing { kFile, kNothing, kFolder, kPipe };

struct ReadCase {
  const char* name;
  Thing thing;
  uint64_t sizeLimit;
  FileStatus status;
  std::string bytes;  // written to the file, and read back when kOk
};

class WholeFileRead : public FileFolder, public ::testing::WithParamInterface<ReadCase> {
 protected:
  std::string Make(const ReadCase& c) {
    switch (c.thing) {
      case Thing::kFile: return Write("f", c.bytes);
      case Thing::kNothing: return Path("none/f");
      case Thing::kFolder: return folder_.string();
      case Thing::kPipe: break;
    }
    // A pipe without a writer would block a plain open for ever.
    ::mkfifo(Path("pipe").c_str(), 0600);
    return Path("pipe");
  }
};

const std::string kBinary("a\0b\r\n\xff", 6);

const ReadCase kReadCases[] = {
    {"Bytes", Thing::kFile, UINT64_MAX, FileStatus::kOk, kBinary},
    {"Empty", Thing::kFile, UINT64_MAX, FileStatus::kOk, ""},
    {"AtLimit", Thing::kFile, 6, FileStatus::kOk, kBinary},
    {"OverLimit", Thing::kFile, 5, FileStatus::kTooLarge, kBinary},
    {"Missing", Thing::kNothing, UINT64_MAX, FileStatus::kMissing, ""},
    {"Folder", Thing::kFolder, UINT64_MAX, FileStatus::kNotAFile, ""},
    {"Pipe", Thing::kPipe, UINT64_MAX, FileStatus::kNotAFile, ""},
};

TEST_P(WholeFileRead, Answers) {
  const FileContents read = ReadWholeFile(Make(GetParam()), GetParam().sizeLimit);
  EXPECT_EQ(read.status, GetParam().status);
  EXPECT_EQ(read.bytes, read.ok() ? GetParam().bytes : "");
  if (!read.ok()) {
    EXPECT_NE(read.systemError, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeFileRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

using Replacement = FileFolder;

TEST_F(Replacement, FlushesTheFileBeforeTheRenameAndTheFolderAfter) {
  const std::string path = Write("f", "old");
  test::RecordingSteps steps;
  ASSERT_TRUE(ReplaceFileAtomically(path, "new", {}, steps).ok());
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"ResolveLinks", "CreateTemporary", "Write",
                                                   "Flush", "Close", "MoveOver", "FlushFolder"}));
  EXPECT_EQ(ReadWholeFile(path).bytes, "new");
}

TEST_F(Replacement, WithoutFlushingOnlyRenames) {
  const std::string path = Write("f", "old");
  test::RecordingSteps steps;
  ASSERT_TRUE(ReplaceFileAtomically(path, "new", {true, false}, steps).ok());
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"ResolveLinks", "CreateTemporary", "Write",
                                                   "Close", "MoveOver"}));
}

// Whichever step fails, the old file stays and no temporary file is left.
TEST_F(Replacement, FailedStepLeavesOldFileAndNoTemporary) {
  for (const char* failing : {"Write", "Flush", "Close", "MoveOver"}) {
    const std::string path = Write("f", "old");
    test::RecordingSteps steps;
    steps.failing = failing;
    const FileResult result = ReplaceFileAtomically(path, "new", {}, steps);
    EXPECT_EQ(result.status, FileStatus::kFailed) << failing;
    EXPECT_EQ(steps.calls.back(), "Discard") << failing;
    EXPECT_EQ(ReadWholeFile(path).bytes, "old") << failing;
    EXPECT_EQ(Names(), std::vector<std::string>{"f"}) << failing;
  }
}

// The tool's outputs: a link in the output folder is replaced by a file,
// and what it led to is left alone.
TEST_F(Replacement, ReplacesLinkItselfWhenAsked) {
  const std::string real = Write("real", "old");
  const std::string link = Path("link");
  fs::create_symlink(real, link);
  ASSERT_TRUE(ReplaceFileAtomically(link, "new", {false, false}).ok());
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(link).bytes, "new");
  EXPECT_EQ(ReadWholeFile(real).bytes, "old");
}

TEST_F(Replacement, TemporaryNamesAreRecognisedAndDistinct) {
  const std::string first = TemporaryNameFor(Path("out.htm"));
  const std::string second = TemporaryNameFor(Path("out.htm"));
  EXPECT_NE(first, second);
  EXPECT_EQ(fs::path(first).parent_path(), folder_);
  EXPECT_TRUE(IsTemporaryName(fs::path(first).filename().string()));
  EXPECT_FALSE(IsTemporaryName("out.htm"));
}

}  // namespace
}  // namespace bte::platform
