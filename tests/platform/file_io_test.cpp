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

// A writer may leave a file as it is only where writing would have replaced
// a plain file of its own with the very bytes it holds.
enum class Holder { kFile, kReadOnly, kLink, kSecondName, kFolder, kNothing };

struct HoldsCase {
  const char* name;
  Holder holder;
  std::string onDisk;
  std::string asked;
  bool holds;
};

std::string LastByteChanged(std::string bytes) {
  bytes.back() = static_cast<char>(bytes.back() ^ 1);
  return bytes;
}

const HoldsCase kHoldsCases[] = {
    {"SameBytes", Holder::kFile, kBinary, kBinary, true},
    {"BothEmpty", Holder::kFile, "", "", true},
    {"SameOverSeveralReads", Holder::kFile, Pattern(40000), Pattern(40000), true},
    {"OneByteDiffers", Holder::kFile, "abcd", "abce", false},
    {"LastReadDiffers", Holder::kFile, Pattern(40000), LastByteChanged(Pattern(40000)), false},
    {"Shorter", Holder::kFile, "abc", "abcd", false},
    {"Longer", Holder::kFile, "abcd", "abc", false},
    {"ReadOnly", Holder::kReadOnly, "abc", "abc", false},
    {"LinkToTheBytes", Holder::kLink, "abc", "abc", false},
    {"SecondName", Holder::kSecondName, "abc", "abc", false},
    {"Folder", Holder::kFolder, "", "", false},
    {"Nothing", Holder::kNothing, "", "", false},
};

class HoldsExactlyTest : public ::testing::TestWithParam<HoldsCase> {};

TEST_P(HoldsExactlyTest, Answers) {
  const HoldsCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("f");
  const std::string other = folder.File("other");
  switch (c.holder) {
    case Holder::kFile: WriteBytes(path, c.onDisk); break;
    case Holder::kReadOnly:
      WriteBytes(path, c.onDisk);
      ::chmod(path.c_str(), 0444);
      break;
    case Holder::kLink:
      WriteBytes(other, c.onDisk);
      fs::create_symlink(other, path);
      break;
    case Holder::kSecondName:
      WriteBytes(path, c.onDisk);
      fs::create_hard_link(path, other);
      break;
    case Holder::kFolder: fs::create_directory(path); break;
    case Holder::kNothing: break;
  }
  EXPECT_EQ(HoldsExactly(path, c.asked), c.holds);
}

INSTANTIATE_TEST_SUITE_P(Cases, HoldsExactlyTest, ::testing::ValuesIn(kHoldsCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each case runs with the system's steps and with named temporary files
// only, as on a file system without unnamed files.
class Replacement : public ::testing::TestWithParam<bool> {
 protected:
  ReplacementSteps& System() const {
    return GetParam() ? NamedTemporaryReplacementSteps() : SystemReplacementSteps();
  }

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
TEST_P(Replacement, FlushesBeforeAndAfterTheRenameWhenAsked) {
  for (const bool flush : {true, false}) {
    test::RecordingSteps steps(System());
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
TEST_P(Replacement, FailedStepLeavesOldFileAndNoTemporary) {
  for (const char* failing : {"Write", "Flush", "Close", "MoveOver"}) {
    test::RecordingSteps steps(System());
    steps.failing = failing;
    EXPECT_EQ(ReplaceFileAtomically(Old(), "new", {}, steps).status, FileStatus::kFailed);
    EXPECT_EQ(steps.calls.back(), "Discard") << failing;
    EXPECT_EQ(ReadBytes(path_), "old") << failing;
    EXPECT_EQ(Files(), 1u) << failing;
  }
}

// A writer that gives up after writing a part: the same.
TEST_P(Replacement, AbandonedContentLeavesOldFileAndNoTemporary) {
  test::RecordingSteps steps(System());
  const ContentWriter givesUp = [](const PieceWriter& put) { return !put("a part"); };
  EXPECT_EQ(ReplaceFileAtomicallyInPieces(Old(), givesUp, {}, steps).status,
            FileStatus::kAbandoned);
  EXPECT_EQ(steps.calls.back(), "Discard");
  EXPECT_EQ(ReadBytes(path_), "old");
  EXPECT_EQ(Files(), 1u);
}

// The tool's outputs: a link in the output folder is replaced by a file,
// and what it led to is left alone.
TEST_P(Replacement, ReplacesLinkItselfWhenAsked) {
  const std::string link = folder_.File("link");
  fs::create_symlink(Old(), link);
  ASSERT_TRUE(ReplaceFileAtomically(link, "new", {false, false}, System()).ok());
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(link), "new");
  EXPECT_EQ(ReadBytes(path_), "old");
}

// Two replacements beside one file never share a temporary name, and a
// killed process's leftovers are recognised by name (the build sweeps them).
TEST(TemporaryNames, RecognisedAndDistinct) {
  const TempFolder folder;
  const std::string path = folder.File("f");
  const fs::path first = TemporaryNameFor(path);
  EXPECT_NE(first, TemporaryNameFor(path));
  EXPECT_EQ(first.parent_path(), folder.path());
  EXPECT_TRUE(IsTemporaryName(first.filename().string()));
  EXPECT_FALSE(IsTemporaryName("f"));
}

// What the target is decides the outcome, the permissions of the result and
// whether the old content stays; no temporary file is ever left.
struct TargetCase {
  const char* name;
  const char* file;
  int oldMode;  // -1: nothing there; 0: a folder there
  FileStatus status;
  int newMode;  // -1: the default permissions of a new file
};

const TargetCase kTargetCases[] = {
    {"New", "t", -1, FileStatus::kOk, -1},
    {"KeepsPermissions", "t", 0640, FileStatus::kOk, 0640},
    {"ReadOnlyRefused", "t", 0444, FileStatus::kReadOnly, 0444},
    {"FolderRefused", "t", 0, FileStatus::kNotAFile, 0},
    {"FolderMissing", "none/t", -1, FileStatus::kMissing, -1},
};

TEST_P(Replacement, OutcomeDependsOnTheTarget) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  for (const TargetCase& c : kTargetCases) {
    TempFolder folder;
    const std::string target = folder.File(c.file);
    if (c.oldMode == 0) fs::create_directory(target);
    if (c.oldMode > 0) WriteBytes(target, "old");
    if (c.oldMode > 0) ::chmod(target.c_str(), static_cast<mode_t>(c.oldMode));
    EXPECT_EQ(ReplaceFileAtomically(target, "new", {}, System()).status, c.status) << c.name;
    const bool missing = c.status == FileStatus::kMissing;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), missing ? 0 : 1) << c.name;
    struct stat info {};
    if (missing || c.oldMode == 0) continue;
    ASSERT_EQ(::stat(target.c_str(), &info), 0) << c.name;
    EXPECT_EQ(ReadBytes(target), c.status == FileStatus::kOk ? "new" : "old") << c.name;
    EXPECT_EQ(info.st_mode & 07777, c.newMode < 0 ? 0666 & ~mask : static_cast<mode_t>(c.newMode))
        << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, Replacement, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "NamedTemporary" : "System";
                         });

}  // namespace
}  // namespace bte::platform
