// Content that a target excludes never reaches its readers, however the
// author wrote the markup: tag lists broken over CRLF lines, attribute names
// in capitals, comments closed the lenient way, topic tags listed with
// commas and blanks.
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

struct LeakCase {
  const char* name;
  const char* html;  // "Secret" is excluded, "Kept" is not
  const char* expression;
};

void PrintTo(const LeakCase& c, std::ostream* os) { *os << c.name; }

const LeakCase kLeakCases[] = {
    {"TagSetBrokenOverCrLf", "<p data-buildtags=\"Print;\r\nWeb\">Secret</p><p>Kept</p>", "NOT Web"},
    {"CrLfBeforeTheSeparator", "<p data-buildtags=\"Web\r\n;Print\">Secret</p><p>Kept</p>",
     "NOT Web"},
    {"AttributeNameInCapitals", "<p DATA-BUILDTAGS=\"Print\">Secret</p><p>Kept</p>", "NOT Print"},
    {"CommentClosedByDashDashBang",
     "<!-- a --!><p data-buildtags=\"Print\">Secret</p><p>Kept</p>", "NOT Print"},
};

class ExcludedContent : public ::testing::TestWithParam<LeakCase> {};

TEST_P(ExcludedContent, NeverReachesTheOutput) {
  auto filter = MakeFilter();
  filter->SetExpression(GetParam().expression);
  const std::string out = FilterTextOf(*filter, GetParam().html, false);
  EXPECT_EQ(out.find("Secret"), std::string::npos) << out;
  EXPECT_NE(out.find("Kept"), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(Markup, ExcludedContent, ::testing::ValuesIn(kLeakCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExcludedTopic, TagsListedWithCommasAndBlanksLoseTheLinksToIt) {
  TempFolder folder;
  WriteFile(folder.path() / "secret.htm",
            "<html><head><meta name=\"buildtags\" content=\"Print, Web\"></head></html>");
  const std::string topic = "<p>See <a href=\"secret.htm\">Secret</a>.</p>";
  auto filter = MakeFilter();
  filter->SetExpression("NOT Print");
  const auto document = Analysed(topic, (folder.path() / "topic.htm").string());
  ASSERT_EQ(filter->FilterDocumentWithLinks(*document), S_OK);
  EXPECT_EQ(Saved(*document), "<p>See Secret.</p>");
}

}  // namespace
}  // namespace bte::test
