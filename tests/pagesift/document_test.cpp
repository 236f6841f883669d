// Document operations on real topics: build tag candidates, the HTML Help
// related-topics control, and deleting elements and links.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/pagesift/html_test_support.h"

namespace {

using bte::testing::Analysed;
using bte::testing::Saved;

// Real topics with a related-topics control inserted after <body>: its items
// link to the other topics of the same folder.
std::string WithRelatedTopics(std::string html, const std::string& classId, const std::string& command,
                              const std::vector<std::string>& files) {
  std::string control = "\n<OBJECT id=hhctrl type=\"application/x-oleobject\"\n  classid=\"" + classId +
                        "\">\n  <PARAM name=\"Command\" value=\"" + command + "\">\n";
  for (size_t i = 0; i < files.size(); ++i) {
    control += "  <PARAM name=\"Item" + std::to_string(i + 1) + "\" value=\"Title &amp; more;" + files[i] + "\">\n";
  }
  control += "</OBJECT>\n";
  size_t body = html.find("<body");
  if (body == std::string::npos) body = html.find("<BODY");
  size_t insertAt = body == std::string::npos ? 0 : html.find('>', body) + 1;
  return html.insert(insertAt, control);
}

// The related-topics controls of a document, by position.
std::vector<HtmlPosition> RelatedTopicsControls(const CHtmlPack& document) {
  std::vector<HtmlPosition> controls;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    if (document.GetHhctrlCommandType(at) == pagesift::kHhctrlRelatedTopics) controls.push_back(at);
  }
  return controls;
}

// Real topics hold no such control of their own: the one inserted is found,
// and its items lead to existing files.
TEST(RelatedTopics, AreRecognisedInRealTopicsAndTheirItemsResolve) {
  BTE_REQUIRE_CORPUS();
  auto topics = bte::testing::CorpusFiles(true);
  size_t checked = 0;
  for (size_t i = 0; i + 2 < topics.size(); ++i) {
    if (topics[i].parent_path() != topics[i + 2].parent_path()) continue;
    SCOPED_TRACE(topics[i].string());
    std::vector<std::string> files = {topics[i + 1].filename().string(), topics[i + 2].filename().string()};
    std::string html = WithRelatedTopics(bte::testing::ReadBytes(topics[i]),
                                         i % 2 ? "clsid:ADB880A6-D8FF-11CF-9377-00AA003B7A11"
                                               : "CLSID:52a2aaae-085d-4187-97ea-8c30db990436",
                                         "Related Topics, MENU", files);
    auto document = Analysed(html, topics[i].string().c_str());
    std::vector<HtmlPosition> controls = RelatedTopicsControls(*document);
    ASSERT_EQ(controls.size(), 1u);
    // The params follow the object directly, one per line.
    HtmlPosition item = CHtmlTokenList::GetNext(CHtmlTokenList::GetNext(controls[0]));
    const char* value = document->GetTagItem(item)->GetAttributeValue("value");
    ASSERT_NE(value, nullptr);
    std::string file = std::string(value).substr(std::string(value).rfind(';') + 1);
    EXPECT_EQ(CHtmlPack::IsExistingFile(document->GetFilePathName(file.c_str()).GetContent()), 1);
    EXPECT_EQ(Saved(*document), html);
    ++checked;
  }
  EXPECT_GT(checked, 50u);
}

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
  const char* html;  // the first candidate is deleted
  const char* saved;
};

class DeleteEntity : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteEntity, RemovesTheElementWithItsContent) {
  auto document = Analysed(GetParam().html);
  ASSERT_EQ(document->DeleteEntity(document->GetCandidatePosition(0)), 1);
  EXPECT_EQ(Saved(*document), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DeleteEntity,
    ::testing::Values(DeleteCase{"<div>\n  <table data-buildtags=x>\n<tr><td>a</td></tr>\n</table>\n</div>",
                                 "<div>\n  </div>"},
                      DeleteCase{"<p data-buildtags=x>a<p>b", "<p>b"},
                      DeleteCase{"a <img data-buildtags=x> b", "a  b"},
                      DeleteCase{"<ul><li data-buildtags=x>a\n<li>b</ul>", "<ul><li>b</ul>"}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.html, "data-buildtags=x"); });

struct AnchorCase {
  const char* html;  // the first candidate is unwrapped
  const char* saved;
};

class DeleteAnchor : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(DeleteAnchor, KeepsTheContentAndTheSpaces) {
  auto document = Analysed(GetParam().html);
  ASSERT_EQ(document->DeleteAnchor(document->GetCandidatePosition(0)), 1);
  EXPECT_EQ(Saved(*document), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Links, DeleteAnchor,
    ::testing::Values(AnchorCase{"see <a data-buildtags=x href=a.htm>this</a>.", "see this."},
                      AnchorCase{"<b>x</b> <a data-buildtags=x href=a>y</a> <b>z</b>", "<b>x</b> y <b>z</b>"},
                      AnchorCase{"<br>\n  <a data-buildtags=x href=a>more</a>.", "<br>\n  more."},
                      AnchorCase{"<a data-buildtags=x href=a><div>block</div></a>", "<div>block</div>"},
                      AnchorCase{"<a data-buildtags=x href=a>one<a href=b>two</a>", "one<a href=b>two</a>"}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.html, "data-buildtags=x"); });

TEST(DeleteAnchor, RefusesWhatIsNoAnchor) {
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
  EXPECT_EQ(Saved(file), bte::testing::ReadBytes(topic));
}

}  // namespace
