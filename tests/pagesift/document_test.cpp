// Document operations: build tag candidates, the HTML Help controls, and
// deleting elements and links.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/pagesift/html_test_support.h"

namespace {

using bte::testing::Analysed;
using bte::testing::Saved;

struct CommandCase {
  const char* object;
  int type;
};

class Commands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Commands, AreReadFromTheCommandParam) {
  auto document = Analysed(GetParam().object);
  EXPECT_EQ(document->GetHhctrlCommandType(document->GetTokenList()->GetHeadPosition()), GetParam().type);
}

#define HH "<object classid=\"clsid:adb880a6-d8ff-11cf-9377-00aa003b7a11\">"
INSTANTIATE_TEST_SUITE_P(
    Objects, Commands,
    ::testing::Values(CommandCase{HH "<param name=Command value=\"Related Topics\">", pagesift::kHhctrlRelatedTopics},
                      CommandCase{HH "<param name=x value=1><param name=COMMAND value=\"related topics,menu\">",
                                  pagesift::kHhctrlRelatedTopics},
                      CommandCase{HH "<param name=Command value=KLink>", pagesift::kHhctrlKeywordLinks},
                      CommandCase{HH "<param name=Command value=\"ALink,MENU\">", pagesift::kHhctrlAssociativeLinks},
                      CommandCase{HH "<param name=Command value=Contents>", pagesift::kHhctrlContents},
                      CommandCase{HH "<param name=Command value=Index>", pagesift::kHhctrlIndex},
                      CommandCase{"<object classid=\" CLSID:52A2AAAE-085D-4187-97EA-8C30DB990436 \">"
                                  "<param name=Command value=\"Related Topics, MENU\">",
                                  pagesift::kHhctrlRelatedTopics},
                      CommandCase{HH "<param name=Command value=Splash>", pagesift::kHhctrlOtherCommand},
                      CommandCase{HH "</object><param name=Command value=\"Related Topics\">",
                                  pagesift::kHhctrlOtherCommand},
                      CommandCase{"<object classid=\"clsid:1e2a7bd0-dab9-11d0-b93a-00c04fc99f9e\">"
                                  "<param name=Command value=\"Related Topics\">",
                                  pagesift::kHhctrlNone},
                      CommandCase{"<object type=\"text/sitemap\"><param name=Command value=\"Related Topics\">",
                                  pagesift::kHhctrlNone},
                      CommandCase{"<p>", pagesift::kHhctrlNone}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.object, HH); });
#undef HH

TEST(BuildTags, TopicLevelTagsComeFromTheMetaElement) {
  CByteString text;
  EXPECT_EQ(Analysed("<head><meta name=\"BuildTags\" content=\" Print, Web \"></head>")->GetTopicBuildTags(text), 1);
  EXPECT_EQ(text.View(), "Print, Web");
  EXPECT_EQ(Analysed("<head><meta name=keywords content=Print></head>")->GetTopicBuildTags(text), 0);
  EXPECT_TRUE(text.IsEmpty());
  auto document = Analysed("<p>x</p>");
  EXPECT_EQ(document->HasInlineBuildTags(document->GetTagItem(document->GetTokenList()->GetHeadPosition())), 0);
  EXPECT_EQ(document->HasInlineBuildTags(nullptr), 0);
  EXPECT_EQ(document->GetInlineBuildTags(nullptr, text), 0);
}

// Each candidate's tags, asked in document order (as read with the tag),
// in reverse (read from the tag again), twice in a row and after an edit:
// always the attribute's first value, decoded.
TEST(BuildTags, CandidateTagsAreTheFirstValueInAnyOrder) {
  auto document = Analysed(
      "<body>\n  <p data-buildtags=\"Print\">a</p><div DATA-BuildTags='Web;Beta' class=x>b</div>"
      "<span class=y data-buildtags=Print,Web>c</span><br data-buildtags>"
      "<td data-buildtags=\"A&amp;B\" data-buildtags=\"C\">e</td><li\n data-buildtags = \"x y\" >d</li></body>");
  const std::vector<std::string> expected = {"Print", "Web;Beta", "Print,Web", "", "A&B", "x y"};
  ASSERT_EQ(document->GetCandidateCount(), expected.size());
  const auto tagsOf = [&document](size_t index) {
    CByteString text("stale");
    EXPECT_EQ(document->GetInlineBuildTags(document->GetTagItem(document->GetCandidatePosition(index)), text), 1);
    return std::string(text.View());
  };
  for (size_t i = expected.size(); i-- > 0;) EXPECT_EQ(tagsOf(i), expected[i]) << "backwards, " << i;
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(tagsOf(i), expected[i]) << "in order, " << i;
  EXPECT_EQ(tagsOf(2), expected[2]) << "again";
  document->GetTagItem(document->GetCandidatePosition(1))->SetAttribute("data-buildtags", "Edited");
  document->Analyse();  // reads the source again: the edit is gone
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(tagsOf(i), expected[i]) << "analysed again, " << i;
  document->GetTagItem(document->GetCandidatePosition(1))->SetAttribute("data-buildtags", "Edited");
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(tagsOf(i), i == 1 ? "Edited" : expected[i]) << "edited, " << i;
  // The first tag of a document carries the whitespace before it.
  document = Analysed("\n  <p data-buildtags=\"Lead\">x</p>");
  ASSERT_EQ(document->GetCandidateCount(), 1u);
  EXPECT_EQ(tagsOf(0), "Lead");
}

TEST(BuildTags, TheStartPositionIsTheBody) {
  auto document = Analysed("<html><head><title>t</title></head>\n<BODY class=x>\n<p>a</p></body></html>");
  ASSERT_NE(document->GetStartPosition(), nullptr);
  EXPECT_EQ(document->GetTagItem(document->GetStartPosition())->GetTagName(), "BODY");
  EXPECT_EQ(Analysed("<p>a</p>")->GetStartPosition(), nullptr);
}

// Comments, doctypes and the like have no name, wherever they stand.
TEST(BuildTags, MarkupHasNoName) {
  auto document = Analysed("text <!-- c --> <!DOCTYPE html>\n<?pi?><p>x</p>");
  for (HtmlPosition at = document->GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = document->GetTagItem(at);
    if (tag != nullptr && tag->IsMarkupTag()) {
      EXPECT_EQ(tag->GetTagName(), "") << tag->GetTagText();
    }
  }
}

struct DeleteCase {
  const char* html;
  bool anchor;  // DeleteAnchor unwraps the first candidate; else DeleteEntity removes it
  const char* saved;
};

class Deletes : public ::testing::TestWithParam<DeleteCase> {};

// An element goes with its content; a link leaves its content and spaces.
TEST_P(Deletes, TheFirstCandidate) {
  auto document = Analysed(GetParam().html);
  const HtmlPosition first = document->GetCandidatePosition(0);
  ASSERT_EQ(GetParam().anchor ? document->DeleteAnchor(first) : document->DeleteEntity(first), 1);
  EXPECT_EQ(Saved(*document), GetParam().saved);
}

std::string CaseName(const ::testing::TestParamInfo<DeleteCase>& info) {
  return bte::testing::InputName(info.index, info.param.html, "data-buildtags=x");
}

INSTANTIATE_TEST_SUITE_P(
    Elements, Deletes,
    ::testing::Values(DeleteCase{"<div>\n  <table data-buildtags=x>\n<tr><td>a</td></tr>\n</table>\n</div>", false,
                                 "<div>\n  </div>"},
                      DeleteCase{"<p data-buildtags=x>a<p>b", false, "<p>b"},
                      DeleteCase{"a <img data-buildtags=x> b", false, "a  b"},
                      DeleteCase{"<ul><li data-buildtags=x>a\n<li>b</ul>", false, "<ul><li>b</ul>"},
                      // What stands outside the cells HTML moves out of the table.
                      DeleteCase{"<table data-buildtags=x><caption>c</caption><tr>Note <b>n</b>\n<td>a<td>b"
                                 "<table><tr>x<td>y</table></table>!",
                                 false, "Note <b>n</b>\n!"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Links, Deletes,
    ::testing::Values(DeleteCase{"see <a data-buildtags=x href=a.htm>this</a>.", true, "see this."},
                      DeleteCase{"<b>x</b> <a data-buildtags=x href=a>y</a> <b>z</b>", true, "<b>x</b> y <b>z</b>"},
                      DeleteCase{"<br>\n  <a data-buildtags=x href=a>more</a>.", true, "<br>\n  more."},
                      DeleteCase{"<a data-buildtags=x href=a><div>block</div></a>", true, "<div>block</div>"},
                      DeleteCase{"<a data-buildtags=x href=a>one<a href=b>two</a>", true, "one<a href=b>two</a>"}),
    CaseName);

TEST(Deletes, RefuseANonAnchorOrNull) {
  auto document = Analysed("<p data-buildtags=x>a</p>");
  EXPECT_EQ(document->DeleteAnchor(document->GetCandidatePosition(0)), 0);
  EXPECT_EQ(document->DeleteAnchor(nullptr), 0);
  EXPECT_EQ(document->DeleteEntity(nullptr), 0);
  EXPECT_EQ(Saved(*document), "<p data-buildtags=x>a</p>");
}

TEST(Analyse, ReadsTheFileOrFails) {
  CHtmlFileEx missing("/nonexistent/topic.htm");
  EXPECT_EQ(missing.Analyse(), 0);
  BTE_REQUIRE_CORPUS();
  auto topic = bte::testing::CorpusFiles(true).front();
  CHtmlFileEx file(topic.string().c_str());
  ASSERT_EQ(file.Analyse(), 1);
  EXPECT_EQ(Saved(file), ReadFile(topic));
}

}  // namespace
