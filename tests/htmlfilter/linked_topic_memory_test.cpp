// A filter object remembers linked topics' tags and folder listings between
// calls; whatever happens to the files in between, its answers must be
// those of a filter that reads everything afresh.
#include <chrono>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Topic(const std::string& tags) {
  return "<html><head><meta name=\"buildtags\" content=\"" + tags + "\"></head><body>T</body></html>";
}

class LinkedTopicMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(folder_.path() / "help.hhp", "[OPTIONS]\n");
    WriteFile(linked(), Topic("Web"));
    Settle(linked(), 100s);
  }

  fs::path linked() const { return folder_.path() / "linked.htm"; }

  // Dates path back by age, as if written long ago: only then may its
  // stamp stand for its content.
  static void Settle(const fs::path& path, std::chrono::seconds age) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - age);
  }

  // Whether a link to target survives filtering with the kept filter.
  bool LinkSurvives(const std::string& target) {
    const std::string html = "<p><a href=\"" + target + "\">t</a></p>";
    const auto document = Analysed(html, (folder_.path() / "topic.htm").string());
    EXPECT_EQ(filter_->FilterDocumentWithLinks(*document), S_OK);
    return Saved(*document).find("href") != std::string::npos;
  }

  TempFolder folder_;
  ComPtr<IBuildTagExprFilter> filter_ = MakeFilter("NOT Web");
};

TEST_F(LinkedTopicMemory, ChangedTopicIsReadAgain) {
  EXPECT_FALSE(LinkSurvives("linked.htm"));
  WriteFile(linked(), Topic("Print,Beta"));
  Settle(linked(), 50s);
  EXPECT_TRUE(LinkSurvives("linked.htm"));
  WriteFile(linked(), Topic("Web,Beta"));
  Settle(linked(), 50s);  // the same time as before, but another size
  EXPECT_FALSE(LinkSurvives("linked.htm"));
  fs::remove(linked());
  EXPECT_TRUE(LinkSurvives("linked.htm"));
}

// A file changed within the file system's time resolution can keep size
// and time: such recent files are never taken from memory.
TEST_F(LinkedTopicMemory, RecentTopicOfSameSizeAndTimeIsReadAgain) {
  WriteFile(linked(), Topic("Web"));
  const auto written = fs::last_write_time(linked());
  EXPECT_FALSE(LinkSurvives("linked.htm"));
  WriteFile(linked(), Topic("Dog"));
  fs::last_write_time(linked(), written);
  EXPECT_TRUE(LinkSurvives("linked.htm"));
}

// Changes made right away, with no time for a stamp to move: the answer
// follows each of them at once.
TEST_F(LinkedTopicMemory, FollowsChangesAtOnce) {
  const fs::path sub = folder_.path() / "sub";
  fs::create_directory(sub);
  WriteFile(sub / "t.htm", Topic("Web"));
  const fs::path other = folder_.path() / "other.htm";
  EXPECT_TRUE(LinkSurvives("new.htm"));
  WriteFile(folder_.path() / "new.htm", Topic("Web"));
  EXPECT_FALSE(LinkSurvives("new.htm")) << "created";
  WriteFile(other, Topic("Print"));
  fs::rename(other, folder_.path() / "new.htm");
  EXPECT_TRUE(LinkSurvives("new.htm")) << "replaced by a rename";
  fs::rename(folder_.path() / "new.htm", other);
  EXPECT_TRUE(LinkSurvives("new.htm")) << "renamed away";
  EXPECT_FALSE(LinkSurvives("sub/t.htm"));
  fs::rename(sub, folder_.path() / "old");
  fs::create_directory(sub);
  WriteFile(sub / "t.htm", Topic("Print"));
  EXPECT_TRUE(LinkSurvives("sub/t.htm")) << "folder replaced";
}

// A topic written through another of its names, in a folder no link leads to.
TEST_F(LinkedTopicMemory, FollowsWritesThroughHardLinks) {
  const fs::path elsewhere = folder_.path() / "elsewhere";
  fs::create_directory(elsewhere);
  fs::create_hard_link(linked(), elsewhere / "alias.htm");
  EXPECT_FALSE(LinkSurvives("linked.htm"));
  std::ofstream(elsewhere / "alias.htm", std::ios::binary | std::ios::in) << Topic("Dog");
  EXPECT_TRUE(LinkSurvives("linked.htm"));
}

TEST_F(LinkedTopicMemory, LetterCaseFollowsRenamesInTheFolder) {
#ifdef _WIN32
  GTEST_SKIP() << "the C++ library cannot date a folder back on Windows";
#endif
  Settle(folder_.path(), 100s);
  EXPECT_FALSE(LinkSurvives("LINKED.htm"));
  fs::rename(linked(), folder_.path() / "other.htm");
  Settle(folder_.path(), 50s);
  EXPECT_TRUE(LinkSurvives("LINKED.htm"));
  EXPECT_FALSE(LinkSurvives("Other.HTM"));
  fs::rename(folder_.path() / "other.htm", folder_.path() / "Linked.htm");
  EXPECT_FALSE(LinkSurvives("LINKED.htm"));  // the folder is recent again
}

}  // namespace
}  // namespace bte::test
