// The filter object's contract: which parser it uses and when it releases
// it, what an empty expression or a missing result does, and that text is
// re-serialised only when removal changed something.
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"
#include "ole_text.h"

namespace bte::test {
namespace {

// A host parser that counts its references and answers like a real one.
class CountingParser : public IBuildTagExprParser {
 public:
  explicit CountingParser(const char* expression) : inner_(MakeParser(expression)) {}
  HRESULT BTE_CALL QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG BTE_CALL AddRef() override { return ++references; }
  ULONG BTE_CALL Release() override { return --references; }
  HRESULT BTE_CALL IsIncluded(const char* tagSet) override {
    ++questions;
    return inner_->IsIncluded(tagSet);
  }
  HRESULT BTE_CALL EnableCache(int32_t enable) override { return inner_->EnableCache(enable); }
  HRESULT BTE_CALL IsEmpty() override { return inner_->IsEmpty(); }
  HRESULT BTE_CALL IsValid() override { return inner_->IsValid(); }
  HRESULT BTE_CALL CompareNormalizedText(const char* t, int32_t n) override {
    return inner_->CompareNormalizedText(t, n);
  }
  HRESULT BTE_CALL UsesTag(const char* tag) override { return inner_->UsesTag(tag); }

  ULONG references = 1;
  int questions = 0;

 private:
  ComPtr<IBuildTagExprParser> inner_;
};

const char kTagged[] = "<p data-buildtags=\"Web\">W</p><p>K</p>";

TEST(FilterParser, BorrowedParserIsNeverReleased) {
  CountingParser host("Print");
  {
    auto filter = MakeFilter();
    EXPECT_EQ(filter->SetParser(&host), S_OK);
    EXPECT_EQ(FilterTextOf(*filter, kTagged, false), "<p>K</p>");
    EXPECT_GT(host.questions, 0);
  }
  EXPECT_EQ(host.references, 1u);
}

// Replaced own parsers must not leak (the ASan build checks leaks), and the
// newest expression is the one applied.
TEST(FilterParser, LastSetterDecides) {
  CountingParser host("Web");
  auto filter = MakeFilter();
  for (int i = 0; i < 100; ++i) filter->SetExpression(i % 2 ? "Print" : "Web");
  EXPECT_EQ(FilterTextOf(*filter, kTagged, false), "<p>K</p>");
  filter->SetParser(&host);
  EXPECT_EQ(FilterTextOf(*filter, kTagged, false), kTagged);
  filter->SetExpression("Print");
  EXPECT_EQ(FilterTextOf(*filter, kTagged, false), "<p>K</p>");
  filter->SetExpression(nullptr);  // keeps the current parser
  EXPECT_EQ(FilterTextOf(*filter, kTagged, false), "<p>K</p>");
  EXPECT_EQ(host.references, 1u);
}

// Both forms leave the caller's text or document alone and report success.
TEST(FilterText, NoParserOrEmptyExpressionLeavesResultUntouched) {
  for (const char* expression : {static_cast<const char*>(nullptr), "", "   "}) {
    auto filter = MakeFilter();
    if (expression != nullptr) filter->SetExpression(expression);
    HRESULT status = E_FAIL;
    EXPECT_EQ(FilterTextOf(*filter, kTagged, false, &status), "<untouched>");
    EXPECT_EQ(status, S_OK);
    EXPECT_EQ(FilterTextOf(*filter, kTagged, true, &status), "<untouched>");
    EXPECT_EQ(status, S_OK);
    const auto document = Analysed(kTagged);
    EXPECT_EQ(filter->FilterDocumentWithLinks(*document), S_OK);
    EXPECT_EQ(Saved(*document), kTagged);
  }
}

TEST(FilterText, NullResultIsRefused) {
  auto filter = MakeFilter("Print");
  EXPECT_EQ(filter->FilterText(Ole(u"<p>a</p>").c_str(), nullptr), S_FALSE);
  EXPECT_EQ(filter->FilterTextWithLinks(Ole(u"<p>a</p>").c_str(), nullptr), S_FALSE);
}

// Without removal the caller's own text comes back, even where saving would
// have written it differently (here: an unpaired surrogate that has no
// multibyte form).
TEST(FilterText, NothingRemovedReturnsInputUnchanged) {
  auto filter = MakeFilter("Web");
  const auto input = Ole(u"<p data-buildtags=\"Web\">caf\u00e9 \xD800</p>");
  BSTR result = nullptr;
  EXPECT_EQ(filter->FilterText(input.c_str(), &result), S_OK);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(OleOf(result, SysStringLen(result)), input);
  SysFreeString(result);
}

TEST(FilterText, RemovalConvertsBothWays) {
  BTE_REQUIRE_UTF8_CODE_PAGE();
  auto filter = MakeFilter("Print");
  const auto input = Ole(u"<p data-buildtags=\"Web\">x</p><p>\u00e9\u4e2d\U0001F600</p>");
  BSTR result = nullptr;
  EXPECT_EQ(filter->FilterText(input.c_str(), &result), S_OK);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(OleOf(result, SysStringLen(result)), Ole(u"<p>\u00e9\u4e2d\U0001F600</p>"));
  SysFreeString(result);
}

// A parser that throws stands in for a library failure inside a run.
class ThrowingParser : public CountingParser {
 public:
  ThrowingParser() : CountingParser("Print") {}
  HRESULT BTE_CALL IsIncluded(const char*) override { throw std::runtime_error("library failure"); }
};

// A topic linking to another, once plainly and once through a popup call;
// the linked topic lists its tags as authors do, with a comma and a blank.
class FilterLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(folder_.path() / "web.htm",
              "<html><head><meta name=\"buildtags\" content=\"Print, Web\"></head>W</html>");
    topicPath_ = (folder_.path() / "topic.htm").string();
    WriteFile(topicPath_, kUntaggedTopic);
  }

  static constexpr const char* kUntaggedTopic =
      "<html><body><p>See <a href=\"web.htm\">web</a> or "
      "<a href=\"javascript:ShowPopup('web.htm#top')\">pop</a>.</p></body></html>";
  TempFolder folder_;
  std::string topicPath_;
};

TEST_F(FilterLinks, DocumentFormRemovesLinkWithoutOtherRemoval) {
  auto filter = MakeFilter("NOT Print");
  const auto document = Analysed(kUntaggedTopic, topicPath_);
  EXPECT_EQ(filter->FilterDocument(*document), S_OK);
  EXPECT_EQ(Saved(*document), kUntaggedTopic);
  EXPECT_EQ(filter->FilterDocumentWithLinks(*document), S_OK);
  EXPECT_EQ(Saved(*document), "<html><body><p>See web or pop.</p></body></html>");
}

// The link check swallows a failure of its own: removal had finished, so
// the run still counts as done, and the link stays.
TEST_F(FilterLinks, FailingLinkCheckKeepsLinkAndRunSucceeds) {
  ThrowingParser host;
  auto filter = MakeFilter();
  filter->SetParser(&host);
  const auto document = Analysed(kUntaggedTopic, topicPath_);
  EXPECT_EQ(filter->FilterDocumentWithLinks(*document), S_OK);
  EXPECT_EQ(Saved(*document), kUntaggedTopic);
}

TEST(FilterFailure, ExceptionInsideRunIsReportedAsFailure) {
  ThrowingParser host;
  auto filter = MakeFilter();
  filter->SetParser(&host);
  HRESULT status = S_OK;
  EXPECT_EQ(FilterTextOf(*filter, kTagged, false, &status), kTagged);
  EXPECT_EQ(status, S_FALSE);
  const auto document = Analysed(kTagged);
  EXPECT_EQ(filter->FilterDocument(*document), S_FALSE);
}

}  // namespace
}  // namespace bte::test
