// Links that lead nowhere sensible: each linked "topic" is simply not
// excluded, so its link stays, and nothing hangs or crashes on the way.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

const char kExcludedTopic[] =
    "<html><head><meta name=\"buildtags\" content=\"Web\"></head><body>W</body></html>";

class BadLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    project_ = folder_.path() / "project";
    fs::create_directories(project_ / "folder.htm");
    WriteFile(project_ / "help.hhp", "[OPTIONS]\n");
    WriteFile(project_ / "excluded.htm", kExcludedTopic);
    WriteFile(folder_.path() / "outside.htm", kExcludedTopic);
  }

  // Filters a topic holding one link to target and one to an excluded
  // topic; returns whether the link to target survived.
  bool LinkSurvives(const std::string& target) {
    const std::string link = "<a href=\"" + target + "\">t</a>";
    const std::string html = "<p>" + link + " <a href=\"excluded.htm\">x</a></p>";
    const fs::path topic = project_ / "topic.htm";
    WriteFile(topic, html);
    auto filter = MakeFilter("Print");
    const auto document = Analysed(html, topic.string());
    EXPECT_EQ(filter->FilterDocumentWithLinks(*document), S_OK);
    const std::string out = Saved(*document);
    EXPECT_EQ(out.find("excluded.htm"), std::string::npos) << "the control link must go";
    return out.find(link) != std::string::npos;
  }

  TempFolder folder_;
  fs::path project_;
};

// A cycle of topics, a folder, a missing file, files outside the project,
// a scheme, binary junk, and a hundred megabytes of nothing (made sparse, so
// the test stays quick).
TEST_F(BadLinks, LeadToTopicsThatAreNotExcluded) {
  WriteFile(project_ / "a.htm", "<a href=\"b.htm\">b</a>");
  WriteFile(project_ / "b.htm", "<a href=\"a.htm\">a</a><a href=\"topic.htm\">t</a>");
  std::mt19937 random(7);
  std::string junk(1 << 16, '\0');
  for (char& byte : junk) byte = static_cast<char>(random());
  WriteFile(project_ / "junk.htm", junk);
  WriteFile(project_ / "huge.htm", "<html>");
  fs::resize_file(project_ / "huge.htm", 100u << 20);
  const std::vector<std::string> targets = {
      "a.htm", "topic.htm", "folder.htm", "folder.htm/", "missing.htm", "../outside.htm",
      fs::absolute(folder_.path() / "outside.htm").string(), "http://example.invalid/other.htm",
      "junk.htm", "huge.htm"};
  for (const std::string& target : targets) EXPECT_TRUE(LinkSurvives(target)) << target;
}

TEST_F(BadLinks, RelatedTopicItemsToBadFilesStay) {
  const std::string html =
      "<object type=\"application/x-oleobject\" "
      "classid=\"clsid:adb880a6-d8ff-11cf-9377-00aa003b7a11\">"
      "<param name=\"Command\" value=\"Related Topics\">"
      "<param name=\"Item1\" value=\"Dir;folder.htm\">"
      "<param name=\"Item2\" value=\"Gone;missing.htm\">"
      "<param name=\"Item3\" value=\"Out;../outside.htm\">"
      "<param name=\"Item4\" value=\"Ex;excluded.htm\">"
      "</object>";
  auto filter = MakeFilter("Print");
  const auto document = Analysed(html, (project_ / "topic.htm").string());
  EXPECT_EQ(filter->FilterDocumentWithLinks(*document), S_OK);
  const std::string out = Saved(*document);
  EXPECT_NE(out.find("Item3"), std::string::npos);
  EXPECT_EQ(out.find("excluded.htm"), std::string::npos);
}

}  // namespace
}  // namespace bte::test
