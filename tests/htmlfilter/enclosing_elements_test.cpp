// The elements open around a point, as the removal asks for them: a
// follower reused across questions, asked in any order, answers as a fresh
// one asked once.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "filter_support.h"
#include "htmlfilter/enclosing_elements.h"

namespace bte::test {
namespace {

// What the answer tells of each element kind: where its innermost one lies.
std::vector<int> Answer(const OpenElementStack& open, const std::vector<uint32_t>& ids) {
  std::vector<int> answer{open.Size()};
  for (uint32_t id : ids) answer.push_back(open.FindById(id));
  return answer;
}

TEST(EnclosingElements, AnswerAsAFreshFollowerInAnyOrder) {
  const auto document = Analysed(
      "<html><body><div><p>a<ul><li>b<li>c<table><tr><td>d<span>e</div>f</td><td>g</table>"
      "</ul><p>h<b>i<div>j</b>k</div></body></html>");
  std::vector<HtmlPosition> positions;
  std::vector<uint32_t> ids;
  for (HtmlPosition at = document->GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    positions.push_back(at);
    if (const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at))
      ids.push_back(tag->GetTagId() & ~pagesift::kEndTagBit);
  }
  std::mt19937 random(7);
  EnclosingElements reused;
  reused.Restart(positions.front());
  for (int question = 0; question < 200; ++question) {
    const HtmlPosition at = positions[random() % positions.size()];
    EnclosingElements fresh;
    fresh.Restart(positions.front());
    ASSERT_EQ(Answer(reused.Before(at), ids), Answer(fresh.Before(at), ids)) << "question " << question;
  }
}

// HTML opens a formatting element that something else closed again, as a
// copy, at text (whitespace included) or at a phrasing element's start tag;
// the follower must have the copy open, or the removal would take a heading
// after it for one under a copy.
struct ReopeningCase {
  const char* name;
  const char* html;  // asked just before its <h6>
  bool emOpen;
};

void PrintTo(const ReopeningCase& c, std::ostream* os) { *os << c.name; }

const ReopeningCase kReopeningCases[] = {
    {"TextReopens", "<p><em>A</p>x<h6>", true},
    {"WhitespaceReopens", "<p><em>A</p> <h6>", true},
    {"PhrasingStartTagReopens", "<p><em>A</p><span><h6>", true},
    {"TextAfterVoidElementReopens", "<p><em>A</p><hr>x<h6>", true},
    {"NothingBetweenLeavesItClosed", "<p><em>A</p><h6>", false},
    {"BlockStartTagLeavesItClosed", "<p><em>A</p><div><h6>", false},
    {"RawTextLeavesItClosed", "<p><em>A</p><script>x</script><h6>", false},
    {"TableWhitespaceLeavesItClosed", "<p><em>A</p><table> <tr><h6>", false},
    {"CellBoundsIt", "<p><em>A</p><table><tr><td>x<h6>", false},
    {"CopyClosesAtItsEndTag", "<p><em>A</p>x</em><h6>", false},
};

class FormattingReopening : public ::testing::TestWithParam<ReopeningCase> {};

TEST_P(FormattingReopening, CopyIsOpenWhereHtmlHasIt) {
  const auto document = Analysed(std::string("<html><body>") + GetParam().html + "</body></html>");
  HtmlPosition probe = nullptr;
  for (HtmlPosition at = document->GetTokenList()->GetHeadPosition(); at && !probe; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag && tag->GetTagName() == "h6") probe = at;
  }
  ASSERT_NE(probe, nullptr);
  EnclosingElements follower;
  follower.Restart(document->GetTokenList()->GetHeadPosition());
  EXPECT_EQ(follower.Before(probe).FindById(0x20080 /* em */) >= 0, GetParam().emOpen);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormattingReopening, ::testing::ValuesIn(kReopeningCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bte::test
