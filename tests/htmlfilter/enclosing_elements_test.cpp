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

}  // namespace
}  // namespace bte::test
