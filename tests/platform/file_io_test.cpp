// The file layer: what a whole-file read answers, and the order and options
// of an atomic replacement. The replacement's guarantees against crashes and
// second writers are tested where the project file uses it.
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "tests/platform/recording_steps.h"
#include "temp_folder.h"

namespace bte::platform {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

enum class Thing { kFile, kNothing, kFolder, kPipe };

struct ReadCase {
  const char* name;
  Thing thing;
  uint64_t sizeLimit;
  FileStatus status;
  std::string bytes;  // written to the file, and read back when kOk
};

class WholeFileRead : public ::testing::TestWithParam<ReadCase> {
 protected:
  std::string Make(const ReadCase& c) {
    switch (c.thing) {
      case Thing::kFile: WriteBytes(folder_.File("f"), c.bytes); return folder_.File("f");
      case Thing::kNothing: return folder_.File("none/f");
      case Thing::kFolder: return folder_.path().string();
      case Thing::kPipe: break;
    }
    // A pipe without a writer would block a plain open for ever.
    ::mkfifo(folder_.File("pipe").c_str(), 0600);
    return folder_.File("pipe");
  }

  TempFolder folder_;
};

const std::string kBinary("a\0b\r\n\xff", 6);

// size bytes of every value, so that a misplaced page shows.
std::string Pattern(uint64_t size) {
  std::string bytes(static_cast<size_t>(size), '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 4093);
  return bytes;
}

const ReadCase kReadCases[] = {
    {"Bytes", Thing::kFile, UINT64_MAX, FileStatus::kOk, kBinary},
    {"Empty", Thing::kFile, UINT64_MAX, FileStatus::kOk, ""},
    {"AtLimit", Thing::kFile, 6, FileStatus::kOk, kBinary},
    {"OverLimit", Thing::kFile, 5, FileStatus::kTooLarge, kBinary},
    {"Missing", Thing::kNothing, UINT64_MAX, FileStatus::kMissing, ""},
    {"Folder", Thing::kFolder, UINT64_MAX, FileStatus::kNotAFile, ""},
    {"Pipe", Thing::kPipe, UINT64_MAX, FileStatus::kNotAFile, ""},
    // Around the size from which a view maps the file instead of reading it.
    {"JustBelowMapped", Thing::kFile, UINT64_MAX, FileStatus::kOk, Pattern(kSmallestMappedFile - 1)},
    {"Mapped", Thing::kFile, UINT64_MAX, FileStatus::kOk, Pattern(kSmallestMappedFile)},
    {"MappedPartPage", Thing::kFile, UINT64_MAX, FileStatus::kOk, Pattern(kSmallestMappedFile + 4095)},
    {"MappedOverLimit", Thing::kFile, kSmallestMappedFile, FileStatus::kTooLarge,
     Pattern(kSmallestMappedFile + 1)},
};

TEST_P(WholeFileRead, Answers) {
  const FileContents read = ReadWholeFile(Make(GetParam()), GetParam().sizeLimit);
  EXPECT_EQ(read.status, GetParam().status);
  EXPECT_EQ(read.bytes, read.ok() ? GetParam().bytes : "");
  if (!read.ok()) {
    EXPECT_NE(read.systemError, 0);
  }
}

// A view answers as a whole read does, whether it maps the file or reads it.
TEST_P(WholeFileRead, ViewAnswersAlike) {
  FileView view;
  const FileResult opened = OpenFileView(Make(GetParam()), view, GetParam().sizeLimit);
  EXPECT_EQ(opened.status, GetParam().status);
  EXPECT_EQ(view.bytes(), opened.ok() ? GetParam().bytes : "");
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeFileRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileViewReuse, ShowsOnlyTheLastFileOpened) {
  TempFolder folder;
  WriteBytes(folder.File("large"), Pattern(kSmallestMappedFile));
  WriteBytes(folder.File("small"), "small");
  FileView view;
  ASSERT_TRUE(OpenFileView(folder.File("large"), view).ok());
  ASSERT_TRUE(OpenFileView(folder.File("small"), view).ok());
  EXPECT_EQ(view.bytes(), "small");
  EXPECT_FALSE(OpenFileView(folder.File("none"), view).ok());
  EXPECT_EQ(view.bytes(), "");
}

class Replacement : public ::testing::Test {
 protected:
  std::string Old() {
    WriteBytes(path_, "old");
    return path_;
  }
  size_t Files() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder_.path()), {}));
  }

  TempFolder folder_;
  std::string path_ = folder_.File("f");
};

// The data is on the disk before it takes the old file's name, and the
// rename before the call returns; without flushing, only the rename stays.
TEST_F(Replacement, FlushesBeforeAndAfterTheRenameWhenAsked) {
  for (const bool flush : {true, false}) {
    test::RecordingSteps steps;
    ASSERT_TRUE(ReplaceFileAtomically(Old(), "new", {true, flush}, steps).ok());
    const Calls expected = flush ? Calls{"ResolveLinks", "CreateTemporary", "Write", "Flush",
                                         "Close", "MoveOver", "FlushFolder"}
                                 : Calls{"ResolveLinks", "CreateTemporary", "Write", "Close",
                                         "MoveOver"};
    EXPECT_EQ(steps.calls, expected);
    EXPECT_EQ(ReadBytes(path_), "new");
  }
}

// Whichever step fails, the old file stays and no temporary file is left.
TEST_F(Replacement, FailedStepLeavesOldFileAndNoTemporary) {
  for (const char* failing : {"Write", "Flush", "Close", "MoveOver"}) {
    test::RecordingSteps steps;
    steps.failing = failing;
    EXPECT_EQ(ReplaceFileAtomically(Old(), "new", {}, steps).status, FileStatus::kFailed);
    EXPECT_EQ(steps.calls.back(), "Discard") << failing;
    EXPECT_EQ(ReadBytes(path_), "old") << failing;
    EXPECT_EQ(Files(), 1u) << failing;
  }
}

// A writer that gives up after writing a part: the same.
TEST_F(Replacement, AbandonedContentLeavesOldFileAndNoTemporary) {
  test::RecordingSteps steps;
  const ContentWriter givesUp = [](const PieceWriter& put) { return !put("a part"); };
  EXPECT_EQ(ReplaceFileAtomicallyInPieces(Old(), givesUp, {}, steps).status,
            FileStatus::kAbandoned);
  EXPECT_EQ(steps.calls.back(), "Discard");
  EXPECT_EQ(ReadBytes(path_), "old");
  EXPECT_EQ(Files(), 1u);
}

// The tool's outputs: a link in the output folder is replaced by a file,
// and what it led to is left alone.
TEST_F(Replacement, ReplacesLinkItselfWhenAsked) {
  const std::string link = folder_.File("link");
  fs::create_symlink(Old(), link);
  ASSERT_TRUE(ReplaceFileAtomically(link, "new", {false, false}).ok());
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(link), "new");
  EXPECT_EQ(ReadBytes(path_), "old");
}

// Two replacements beside one file never share a temporary name, and a
// killed process's leftovers are recognised by name (the build sweeps them).
TEST_F(Replacement, TemporaryNamesAreRecognisedAndDistinct) {
  const fs::path first = TemporaryNameFor(path_);
  EXPECT_NE(first, TemporaryNameFor(path_));
  EXPECT_EQ(first.parent_path(), folder_.path());
  EXPECT_TRUE(IsTemporaryName(first.filename().string()));
  EXPECT_FALSE(IsTemporaryName("f"));
}

}  // namespace
}  // namespace bte::platform
