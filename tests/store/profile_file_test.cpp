// The file side of the profile functions: attributes, permissions, and that
// no failure, crash or second writer ever leaves a damaged project file.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/file_attributes.h"
#include "platform/profile_file.h"
#include "temp_folder.h"
#include "tests/platform/recording_steps.h"

namespace {

namespace fs = std::filesystem;
using namespace bte::platform;

// Everything in the folder except the project file itself.
int Leftovers(const TempFolder& folder, const std::string& keep) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder.path()))
    if (entry.path().string() != keep) ++count;
  return count;
}

class FileAttributes : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::string path_ = folder_.File("project.ini");
};

TEST_F(FileAttributes, MissingPath) {
  EXPECT_EQ(ReadFileAttributes(path_.c_str()), kInvalidFileAttributes);
  EXPECT_FALSE(ChangeFileAttributes(path_.c_str(), kFileAttributeNormal));
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(FileAttributes, ReadOnlyFileRefusesWritesUntilMadeNormal) {
  WriteBytes(path_, "[s]\r\na=1\r\n");
  EXPECT_EQ(ReadFileAttributes(path_.c_str()), kFileAttributeArchive);
  ASSERT_TRUE(ChangeFileAttributes(path_.c_str(), kFileAttributeReadOnly));
  EXPECT_EQ(ReadFileAttributes(path_.c_str()), kFileAttributeArchive | kFileAttributeReadOnly);
  EXPECT_FALSE(WriteProfileKey("s", "a", "2", path_.c_str()));
  EXPECT_FALSE(WriteProfileKey("s", "a", "1", path_.c_str()));  // unchanged bytes, too
  EXPECT_EQ(ReadBytes(path_), "[s]\r\na=1\r\n");
  ASSERT_TRUE(ChangeFileAttributes(path_.c_str(), kFileAttributeNormal));
  EXPECT_EQ(ReadFileAttributes(path_.c_str()), kFileAttributeArchive);
  EXPECT_TRUE(WriteProfileKey("s", "a", "2", path_.c_str()));
  EXPECT_EQ(ReadBytes(path_), "[s]\r\na=2\r\n");
}

TEST_F(FileAttributes, Directory) {
  EXPECT_EQ(ReadFileAttributes(folder_.path().c_str()), kFileAttributeDirectory);
}

// Several edits of one file object before it is written: sections after a
// deleted one are still found under their own names.
TEST(ProfileEdits, LaterSectionsFoundAfterADelete) {
  TempFolder folder;
  const std::string path = folder.File("project.ini");
  WriteBytes(path, "[a]\r\nx=1\r\n[b]\r\ny=2\r\n[c]\r\nz=3\r\n");
  ProfileFile file(path);
  ASSERT_TRUE(file.WriteSection("a", nullptr));
  ASSERT_TRUE(file.WriteString("c", "z", "4"));
  char buffer[8];
  EXPECT_EQ(file.GetString("b", "y", "D", buffer, sizeof buffer), 1u);
  EXPECT_STREQ(buffer, "2");
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(ReadBytes(path), "[b]\r\ny=2\r\n[c]\r\nz=4\r\n");
}

class AtomicReplace : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::string path_ = folder_.File("project.ini");
};

TEST_F(AtomicReplace, WritesThroughSymbolicLink) {
  const std::string real = folder_.File("real.ini");
  WriteBytes(real, "[s]\r\na=1\r\n");
  fs::create_symlink(real, path_);
  ASSERT_TRUE(WriteProfileKey("s", "a", "2", path_.c_str()));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(ReadBytes(real), "[s]\r\na=2\r\n");
}

// The new project file is on the disk before it takes the old one's name,
// and the rename before the write returns.
TEST_F(AtomicReplace, FlushesBeforeAndAfterTheRename) {
  WriteBytes(path_, "[s]\r\na=1\r\n");
  bte::test::RecordingSteps steps;
  ProfileFile file(path_, steps);
  ASSERT_TRUE(file.WriteString("s", "a", "2"));
  ASSERT_TRUE(file.Commit());
  const auto at = [&steps](const char* step) {
    return std::find(steps.calls.begin(), steps.calls.end(), step) - steps.calls.begin();
  };
  EXPECT_LT(at("Flush"), at("MoveOver"));
  EXPECT_LT(at("MoveOver"), at("FlushFolder"));
  EXPECT_LT(at("FlushFolder"), static_cast<long>(steps.calls.size()));
}

TEST_F(AtomicReplace, DirectoryAsPathReadsEmptyAndIsNeverReplaced) {
  const std::string directory = folder_.File("dir.ini");
  fs::create_directory(directory);
  char buffer[8] = "#######";
  EXPECT_EQ(ReadProfileSectionNames(buffer, sizeof buffer, directory.c_str()), 0u);
  EXPECT_FALSE(WriteProfileKey("s", "a", "1", directory.c_str()));
  EXPECT_TRUE(fs::is_directory(directory));
  EXPECT_EQ(Leftovers(folder_, directory), 0);
}

// Permissions do not stop a privileged user from reading, so this case
// needs an ordinary one.
TEST_F(AtomicReplace, UnreadableFileReadsEmptyAndIsNeverReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "a privileged user reads every file";
  WriteBytes(path_, "[s]\r\na=1\r\n");
  fs::permissions(path_, fs::perms::owner_write);
  char buffer[8] = "#######";
  EXPECT_EQ(ReadProfileString("s", "a", "D", buffer, sizeof buffer, path_.c_str()), 1u);
  EXPECT_FALSE(WriteProfileKey("s", "b", "2", path_.c_str()));
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadBytes(path_), "[s]\r\na=1\r\n");
}

TEST_F(AtomicReplace, OversizedFileReadsEmptyAndIsNeverReplaced) {
  WriteBytes(path_, "[s]\r\na=1\r\n");
  fs::resize_file(path_, (16 << 20) + 1);
  char buffer[8] = "#######";
  EXPECT_EQ(ReadProfileString("s", "a", "D", buffer, sizeof buffer, path_.c_str()), 1u);
  EXPECT_STREQ(buffer, "D");
  EXPECT_FALSE(WriteProfileKey("s", "b", "2", path_.c_str()));
  EXPECT_EQ(fs::file_size(path_), (16u << 20) + 1);
}

// A full disk between writing and renaming: the file size limit makes the
// write of the temporary file fail in a child process.
TEST_F(AtomicReplace, FailedWriteLeavesOldFileIntact) {
  const std::string old = "[s]\r\na=1\r\n";
  WriteBytes(path_, old);
  const std::string big(1 << 20, 'v');
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(WriteProfileKey("s", "a", big.c_str(), path_.c_str()) ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1) << "the write must report failure";
  EXPECT_EQ(ReadBytes(path_), old);
  EXPECT_EQ(Leftovers(folder_, path_), 0);
}

// A writer killed at a random moment leaves the old file or the new one,
// never a mixture or a cut.
TEST_F(AtomicReplace, KilledWriterLeavesWholeFile) {
  const std::string first = "[s]\r\na=" + std::string(1 << 20, 'a') + "\r\n";
  const std::string second = "[s]\r\na=" + std::string(1 << 20, 'b') + "\r\n";
  std::mt19937 random(11);
  for (int round = 0; round < 12; ++round) {
    WriteBytes(path_, first);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      for (int i = 0;; ++i)
        WriteProfileKey("s", "a", std::string(1 << 20, i % 2 == 0 ? 'b' : 'a').c_str(), path_.c_str());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1 + random() % 40));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const auto bytes = ReadBytes(path_);
    ASSERT_TRUE(bytes == first || bytes == second) << "round " << round << ": torn file";
  }
}

// Two writers on one file: each write is whole, the last one wins.
TEST_F(AtomicReplace, TwoWritersNeverTear) {
  WriteBytes(path_, "[s]\r\n");
  const std::string value(64 * 1024, 'x');
  pid_t children[2];
  for (int w = 0; w < 2; ++w) {
    children[w] = fork();
    ASSERT_NE(children[w], -1);
    if (children[w] == 0) {
      const char* key = w == 0 ? "first" : "second";
      for (int i = 0; i < 40; ++i) WriteProfileKey("s", key, value.c_str(), path_.c_str());
      _exit(0);
    }
  }
  for (pid_t child : children) waitpid(child, nullptr, 0);
  const std::string first = "first=" + value + "\r\n";
  const std::string second = "second=" + value + "\r\n";
  const auto bytes = ReadBytes(path_);
  EXPECT_TRUE(bytes == "[s]\r\n" + first || bytes == "[s]\r\n" + second ||
              bytes == "[s]\r\n" + first + second || bytes == "[s]\r\n" + second + first)
      << "torn or mixed file of " << (bytes ? bytes->size() : 0) << " bytes";
}

}  // namespace
