// Cutting documents at the markers, recognising build-tag annotations and
// deciding which segments go.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "rtf_documents.h"
#include "rtffilter/annotation_text.h"
#include "rtffilter/segments.h"

namespace bte::rtf {
namespace {

using test::Annotation;
using test::RangeEnd;
using test::RangeStart;
using test::Tagged;

// A split and marked document, with each segment described as
// "text|flags|range numbers", flags m (marker) and x (excluded).
class SegmentsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (parser_ != nullptr) parser_->Release();
  }

  std::vector<std::string> Describe(const std::string& rtf, const char* expression) {
    text_ = rtf;
    if (expression != nullptr) CreateBuildTagExprParserInstance(&parser_, expression);
    std::vector<std::string> described;
    if (!SplitIntoSegments(text_.c_str(), static_cast<uint32_t>(text_.size()), list_).ok())
      return {"failed"};
    MarkExcludedSegments(parser_, list_);
    for (const RTFSegment& segment : list_.segments) {
      std::string ranges;
      for (BuildTagRange* range : list_.RangesOf(segment))
        ranges += (ranges.empty() ? "" : ";") + std::to_string(range->Id());
      described.push_back(std::string(segment.text, segment.length) + "|" +
                          (segment.isMarker ? "m" : "") + (segment.excluded ? "x" : "") + "|" +
                          ranges);
    }
    return described;
  }

  std::string text_;
  IBuildTagExprParser* parser_ = nullptr;
  SegmentList list_;
};

TEST_F(SegmentsTest, DocumentWithoutMarkersIsOneSegment) {
  EXPECT_EQ(Describe("{\\rtf1 plain}", "Print"), (std::vector<std::string>{"{\\rtf1 plain}||"}));
}

TEST_F(SegmentsTest, UsualOrderFlagsMarkersAndAnnotation) {
  const auto described = Describe("a " + Tagged(3, "tagged", "Print") + " b", "NOT Print");
  const std::vector<std::string> expected = {
      "a ||",
      RangeStart(3) + "|m|3",
      "tagged|x|3",
      RangeEnd(3) + "|m|3",
      Annotation(3, "Print") + "|m|",
      " b||",
  };
  EXPECT_EQ(described, expected);
}

TEST_F(SegmentsTest, ForeignAuthorIsAnOrdinaryComment) {
  const std::string rtf = RangeStart(3) + "t" + RangeEnd(3) + Annotation(3, "Print", "Someone");
  const auto described = Describe(rtf, "NOT Print");
  ASSERT_EQ(described.size(), 4u);
  for (const std::string& segment : described) EXPECT_EQ(segment.find("|m"), std::string::npos);
  for (const std::string& segment : described) EXPECT_EQ(segment.find("x|"), std::string::npos);
}

TEST_F(SegmentsTest, NestedContentCarriesBothTagSets) {
  const std::string rtf = RangeStart(1) + "outer" + RangeStart(2) + "inner" + RangeEnd(2) +
                          Annotation(2, "B") + "tail" + RangeEnd(1) + Annotation(1, "A");
  const auto described = Describe(rtf, "A AND NOT B");
  EXPECT_EQ(described[1], "outer||1");
  EXPECT_EQ(described[3], "inner|x|1;2");
  EXPECT_EQ(described[6], "tail||1");
}

TEST_F(SegmentsTest, OverlappingRangesFollowTheirNumbers) {
  const std::string rtf = RangeStart(1) + "a" + RangeStart(2) + "b" + RangeEnd(1) + "c" +
                          RangeEnd(2) + Annotation(1, "A") + Annotation(2, "B");
  const auto described = Describe(rtf, "NOT B");
  EXPECT_EQ(described[1], "a||1");
  EXPECT_EQ(described[3], "b|x|1;2");
  EXPECT_EQ(described[5], "c|x|2");
}

TEST_F(SegmentsTest, EndMarkerAfterItsAnnotationStays) {
  const std::string rtf = RangeStart(4) + "a" + Annotation(4, "A") + RangeEnd(4);
  const auto described = Describe(rtf, "A");
  EXPECT_EQ(described.back(), RangeEnd(4) + "||4");
}

TEST_F(SegmentsTest, AnnotationWithoutReferenceTagsNothing) {
  const std::string rtf =
      "a{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}{\\*\\annotation X}b";
  const auto described = Describe(rtf, "NOT X");
  EXPECT_EQ(described, (std::vector<std::string>{
                           "a||",
                           rtf.substr(1, rtf.size() - 2) + "|m|",
                           "b||",
                       }));
}

// Numbers in large power-of-two steps all find their ranges.
TEST_F(SegmentsTest, AnnotationsFindTheirRangesByAnyNumber) {
  std::string rtf;
  for (int k = 1; k <= 300; ++k)
    rtf += Tagged(k * 65536, "t" + std::to_string(k), k % 3 ? "A" : "B");
  const auto described = Describe(rtf, "NOT B");
  for (int k = 1; k <= 300; ++k) {
    const std::string text = "t" + std::to_string(k);
    const auto at = std::find_if(described.begin(), described.end(), [&](const std::string& d) {
      return d.rfind(text + "|", 0) == 0;
    });
    ASSERT_NE(at, described.end()) << text;
    EXPECT_EQ(*at, text + (k % 3 ? "||" : "|x|") + std::to_string(k * 65536));
  }
}

TEST_F(SegmentsTest, WithoutParserEveryTaggedSegmentGoes) {
  const auto described = Describe("a" + Tagged(1, "b", "Anything"), nullptr);
  EXPECT_EQ(described[2], "b|x|1");
}

TEST_F(SegmentsTest, EmptyTagTextExcludesNothing) {
  const auto described = Describe(Tagged(1, "b", ""), nullptr);
  EXPECT_EQ(described[1], "b||1");
}

struct MalformedCase {
  std::string name;
  std::string rtf;
  std::string description;
};

class MalformedMarkupTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedMarkupTest, SplitFailsWithReasonAndOffset) {
  const MalformedCase& c = GetParam();
  SegmentList list;
  const FilterResult result =
      SplitIntoSegments(c.rtf.c_str(), static_cast<uint32_t>(c.rtf.size()), list);
  EXPECT_EQ(result.code, FilterCode::kBrokenMarkup);
  EXPECT_EQ(DescribeResult(result), c.description);
}

const std::string kIdAndAuthor = "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}";

INSTANTIATE_TEST_SUITE_P(
    Markup, MalformedMarkupTest,
    ::testing::Values(
        MalformedCase{"EndWithoutRange", "a" + RangeEnd(7),
                      "range end 7 names no open range (at byte 1)"},
        MalformedCase{"EndOfClosedRange", RangeStart(7) + RangeEnd(7) + RangeEnd(7),
                      "range end 7 names no open range (at byte 30)"},
        MalformedCase{"UnclosedStart", "{\\*\\atrfstart 1",
                      "range start has no closing brace (at byte 0)"},
        MalformedCase{"UnclosedEnd", RangeStart(1) + "{\\*\\atrfend 1",
                      "range end has no closing brace (at byte 16)"},
        MalformedCase{"IdWithoutAnnotation", "x{\\*\\atnid Scrivlet} text",
                      "annotation has no annotation group (at byte 1)"},
        MalformedCase{"UnclosedAnnotation", "{\\*\\atnid x}{\\*\\annotation{\\*\\atnref 1} t",
                      "annotation group has no closing brace (at byte 12)"},
        MalformedCase{"ReferenceToNoRange", Annotation(5, "A"),
                      "annotation 5 names no range (at byte 0)"},
        MalformedCase{"MarkerInsideAnnotation",
                      kIdAndAuthor + RangeStart(2) + "{\\*\\annotation x}" + RangeEnd(2),
                      "the build-tag markup overlaps itself (a marker inside an annotation or "
                      "another marker) (at byte 56)"},
        MalformedCase{"MarkerInsideMarker", "{\\*\\atrfstart 1 " + RangeEnd(1) + "}",
                      "the build-tag markup overlaps itself (a marker inside an annotation or "
                      "another marker) (at byte 16)"}),
    [](const auto& info) { return info.param.name; });

TEST(FilterResultTest, EveryReasonHasItsOwnMessage) {
  std::set<std::string> messages;
  for (int reason = 1; reason < static_cast<int>(FailureReason::kReasonCount); ++reason) {
    const FilterResult result = Failure(static_cast<FailureReason>(reason), 0, 0);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(messages.insert(DescribeResult(result)).second) << DescribeResult(result);
  }
  EXPECT_EQ(DescribeResult(FilterResult()), "");
}

struct AnnotationCase {
  std::string name;
  std::string rtf;
  bool isBuildTag;
  std::string tagText;
};

class IsBuildTagAnnotationTest : public ::testing::TestWithParam<AnnotationCase> {};

TEST_P(IsBuildTagAnnotationTest, ChecksIdentityAndReadsTags) {
  const AnnotationCase& c = GetParam();
  std::string tags;
  EXPECT_EQ(IsBuildTagAnnotation(c.rtf.data(), static_cast<uint32_t>(c.rtf.size()), tags),
            c.isBuildTag);
  EXPECT_EQ(tags, c.tagText);
}

INSTANTIATE_TEST_SUITE_P(
    Annotations, IsBuildTagAnnotationTest,
    ::testing::Values(
        AnnotationCase{"Host", Annotation(1, "Print;Web"), true, "Print;Web"},
        AnnotationCase{"OtherAuthor", Annotation(1, "Print", "Conditional build tags"), false,
                       "Print"},
        AnnotationCase{"OtherId", Annotation(1, "Print", "Conditional Build Tags", "scrivlet"),
                       false, "Print"},
        AnnotationCase{"Escapes", Annotation(1, "Pr\\'e9nt;\\'4\\'zzB\\'00"), true,
                       "Pr\xe9nt;\x04'zz" "B"},
        AnnotationCase{"LineBreaksAndGroups",
                       "{\\*\\atnid Scriv\r\nlet}{\\*\\atnauthor {\\b Conditional} Build "
                       "Tags}{\\*\\annotation{\\*\\atnref 2}{\\field{\\*\\fldinst x}}\\pard "
                       "{\\b Pri\r\nnt};\\{Web\\}}",
                       true, "Print;Web"},
        AnnotationCase{"LaterGroupWins",
                       Annotation(1, "A") + "{\\*\\annotation B}", true, "B"},
        AnnotationCase{"Empty", "", false, ""}),
    [](const auto& info) { return info.param.name; });

TEST(CollectTextTest, GroupTextDropsControlsAndLineBreaks) {
  const std::string text = "\\b Con\r\nditional{\\i  Build}\\'41 Tags";
  std::string result;
  EXPECT_TRUE(CollectGroupText(text.data(), static_cast<uint32_t>(text.size()), result));
  EXPECT_EQ(result, "Conditional Build41 Tags");
  EXPECT_FALSE(CollectGroupText(text.data(), 0, result));
  EXPECT_FALSE(CollectAnnotationText(text.data(), 0, result));
}

TEST(CollectTextTest, EscapeAtTheEndReadsNothingBeyond) {
  const std::string text = "ab\\'4";
  std::string result;
  EXPECT_TRUE(CollectAnnotationText(text.data(), static_cast<uint32_t>(text.size()), result));
  EXPECT_EQ(result, "ab4");
}

}  // namespace
}  // namespace bte::rtf
