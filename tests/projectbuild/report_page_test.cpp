// `build --report`: the page says what --json says, stands alone (no
// scripts, nothing fetched), its links open the review copy, and a browser
// draws it.
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "help_files.h"
#include "tool_run.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

class ReportPage : public ::testing::Test {
 protected:
  void SetUp() override {
    run_ = RunTool({"build", "--review", "--json", "--project", (kSample / "project.ini").string(),
                    "--all-targets", "--report", page_.string(), (kSample / "source").string(),
                    (folder_.path() / "review").string()});
    ASSERT_EQ(run_.exitCode, 0) << run_.err;
    html_ = Read(page_);
  }
  TempFolder folder_;
  const fs::path page_ = folder_.path() / "report.html";
  ToolRun run_;
  std::string html_;
};

TEST_F(ReportPage, CountsAreThoseOfTheJson) {
  const nlohmann::json reports = nlohmann::json::parse(run_.out);
  ASSERT_EQ(reports.size(), 2u);
  const std::regex count("data-key=\"(\\w+)\">(\\d+)<");
  size_t section = html_.find("<section>"), checked = 0;
  for (const nlohmann::json& report : reports) {
    ASSERT_NE(section, std::string::npos);
    const size_t next = html_.find("<section>", section + 1);
    const std::string part = html_.substr(section, next - section);
    EXPECT_NE(part.find(report["target"].get<std::string>()), std::string::npos);
    for (auto it = std::sregex_iterator(part.begin(), part.end(), count);
         it != std::sregex_iterator(); ++it, ++checked) {
      const std::string key = (*it)[1];
      const uint64_t expected =
          key == "stale" ? report["stale"].size() : report[key].get<uint64_t>();
      EXPECT_EQ(std::stoull((*it)[2]), expected) << report["target"] << ' ' << key;
    }
    section = next;
  }
  EXPECT_EQ(checked, 22u);
}

// An RTF document loses every annotation, kept ranges' included; its bar
// counts only the ranges the target excludes (tags from rtf-tags, decisions
// from eval).
TEST_F(ReportPage, ChartCountsTheExcludedRtfRanges) {
  const ToolRun tags = RunTool({"rtf-tags", (kSample / "source" / "manual.rtf").string()});
  ASSERT_EQ(tags.exitCode, 0) << tags.err;
  std::vector<std::string> rangeTags;
  const std::regex line("\\d+\t([^\n]*)\n");
  for (auto it = std::sregex_iterator(tags.out.begin(), tags.out.end(), line);
       it != std::sregex_iterator(); ++it)
    rangeTags.push_back((*it)[1]);
  ASSERT_GT(rangeTags.size(), 2u);
  const std::regex bar("<title>(\\d+) RTF passages</title>");
  size_t section = html_.find("<section>");
  for (const nlohmann::json& report : nlohmann::json::parse(run_.out)) {
    std::vector<std::string> arguments = {"eval", "-e", report["expression"]};
    arguments.insert(arguments.end(), rangeTags.begin(), rangeTags.end());
    const std::string decisions = RunTool(arguments).out;
    const std::string part = html_.substr(section, html_.find("<section>", section + 1) - section);
    std::smatch found;
    ASSERT_TRUE(std::regex_search(part, found, bar)) << report["target"];
    EXPECT_EQ(std::stoull(found[1]), Count(decisions, "excluded\t")) << report["target"];
    section = html_.find("<section>", section + 1);
  }
}

TEST_F(ReportPage, StandsAloneAndLinksOpenTheReviewCopy) {
  EXPECT_EQ(Count(html_, "<script"), 0u);
  EXPECT_EQ(Count(html_, "http"), Count(html_, "xmlns=\"http://www.w3.org/2000/svg\""));
  EXPECT_EQ(Count(html_, "<svg"), 2u);
  const std::regex link("href=\"([^\"]*)\"");
  size_t links = 0;
  for (auto it = std::sregex_iterator(html_.begin(), html_.end(), link);
       it != std::sregex_iterator(); ++it, ++links)
    EXPECT_TRUE(fs::is_regular_file(folder_.path() / (*it)[1].str())) << (*it)[1];
  EXPECT_GT(links, 20u);
}

// A build (not a review) lists the elements it removed only for the page.
TEST(BuildReportPage, ListsTheElementsRemovedFromTopics) {
  TempFolder folder;
  const fs::path page = folder.path() / "report.html";
  const ToolRun run = RunTool({"build", "-q", "-e", "NOT Beta", "--report", page.string(),
                               (kSample / "source").string(), (folder.path() / "out").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Count(Read(page), "Testers install the nightly build instead."), 1u);
}

TEST_F(ReportPage, BrowserDrawsIt) {
  if (std::system("command -v chromium >/dev/null 2>&1 && command -v identify >/dev/null 2>&1"))
    GTEST_SKIP() << "needs chromium and ImageMagick";
  const fs::path shot = folder_.path() / "shot.png", colours = folder_.path() / "colours";
  const std::string command =
      "HOME='" + folder_.path().string() + "' chromium --headless --no-sandbox --disable-gpu "
      "--window-size=1000,1400 --screenshot='" + shot.string() + "' 'file://" + page_.string() +
      "' >/dev/null 2>&1 && identify -format %k '" + shot.string() + "' >'" + colours.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  // Text, tints and the chart's bars: far more than a blank page's colour.
  EXPECT_GT(std::stoi(ReadBytes(colours.string()).value_or("0")), 100);
}

}  // namespace
}  // namespace bte::test
