// Cutting documents at the markers, recognising build-tag annotations and
// deciding which segments go.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "rtf_documents.h"
#include "rtffilter/segments.h"

namespace bte::rtf {
namespace {

using test::Annotation;
using test::RangeEnd;
using test::RangeStart;
using test::Tagged;

// A split and marked document, each segment as "text|flags|range numbers"
// (flags m: marker, x: excluded), markup texts shortened to S (range
// start), E (range end) and A (annotation), joined by " / ".
std::string Describe(const std::string& rtf, const char* expression) {
  IBuildTagExprParser* parser = nullptr;
  if (expression != nullptr) CreateBuildTagExprParserInstance(&parser, expression);
  SegmentList list;
  std::string described;
  if (SplitIntoSegments(rtf.c_str(), static_cast<uint32_t>(rtf.size()), list).ok()) {
    MarkExcludedSegments(parser, list);
    for (const RTFSegment& segment : list.segments) {
      const std::string text(segment.text, segment.length);
      std::string ranges;
      for (BuildTagRange* range : list.RangesOf(segment))
        ranges += (ranges.empty() ? "" : ";") + std::to_string(range->Id());
      described += (described.empty() ? "" : " / ") +
                   (text.rfind("{\\*\\atrfstart", 0) == 0 ? "S"
                    : text.rfind("{\\*\\atrfend", 0) == 0 ? "E"
                    : text.rfind("{\\*\\atnid", 0) == 0   ? "A"
                                                           : text) +
                   "|" + (segment.isMarker ? "m" : "") + (segment.excluded ? "x" : "") + "|" +
                   ranges;
    }
  }
  if (parser != nullptr) parser->Release();
  return described;
}

struct SegmentCase {
  const char* name;
  std::string rtf;
  const char* expression;  // null: no parser
  const char* segments;
};

class SegmentsTest : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentsTest, SplitsAndMarks) {
  EXPECT_EQ(Describe(GetParam().rtf, GetParam().expression), GetParam().segments);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, SegmentsTest,
    ::testing::Values(
        SegmentCase{"NoMarkers", "{\\rtf1 plain}", "Print", "{\\rtf1 plain}||"},
        SegmentCase{"UsualOrder", "a " + Tagged(3, "tagged", "Print") + " b", "NOT Print",
                    "a || / S|m|3 / tagged|x|3 / E|m|3 / A|m| /  b||"},
        SegmentCase{"ForeignAuthor", RangeStart(3) + "t" + RangeEnd(3) + Annotation(3, "P", "Jo"),
                    "NOT P", "S||3 / t||3 / E||3 / A||"},
        SegmentCase{"NestedTagSetsJoin",
                    RangeStart(1) + "outer" + Tagged(2, "inner", "B") + "tail" + RangeEnd(1) +
                        Annotation(1, "A"),
                    "A AND NOT B",
                    "S|m|1 / outer||1 / S|m|1;2 / inner|x|1;2 / E|m|1;2 / A|m|1 / tail||1 / "
                    "E|m|1 / A|m|"},
        SegmentCase{"OverlappingRangesFollowTheirNumbers",
                    RangeStart(1) + "a" + RangeStart(2) + "b" + RangeEnd(1) + "c" + RangeEnd(2) +
                        Annotation(1, "A") + Annotation(2, "B"),
                    "NOT B",
                    "S|m|1 / a||1 / S|m|1;2 / b|x|1;2 / E|m|1;2 / c|x|2 / E|m|2 / A|m| / A|m|"},
        SegmentCase{"EndMarkerAfterItsAnnotationStays",
                    RangeStart(4) + "a" + Annotation(4, "A") + RangeEnd(4), "A",
                    "S|m|4 / a||4 / A|m|4 / E||4"},
        SegmentCase{"AnnotationWithoutReferenceTagsNothing",
                    "a{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build "
                    "Tags}{\\*\\annotation X}b",
                    "NOT X", "a|| / A|m| / b||"},
        SegmentCase{"EmptyTagTextExcludesNothing", Tagged(1, "b", ""), nullptr,
                    "S|m|1 / b||1 / E|m|1 / A|m|"}),
    [](const auto& info) { return std::string(info.param.name); });

// Numbers in large power-of-two steps all find their ranges.
TEST(SegmentsByNumberTest, AnnotationsFindTheirRangesByAnyNumber) {
  std::string rtf;
  std::string expected;
  for (int k = 1; k <= 300; ++k) {
    const std::string number = std::to_string(k * 65536);
    rtf += Tagged(k * 65536, "t" + std::to_string(k), k % 3 ? "A" : "B");
    expected += std::string(k == 1 ? "" : " / ") + "S|m|" + number + " / t" + std::to_string(k) +
                (k % 3 ? "||" : "|x|") + number + " / E|m|" + number + " / A|m|";
  }
  EXPECT_EQ(Describe(rtf, "NOT B"), expected);
}

// Groups with a control word, then plain bytes: length bytes of text that
// puts a brace and a backslash at many places before what follows.
std::string Filler(size_t length) {
  std::string text;
  while (text.size() + 4 <= length) text += "{\\b}";
  return text + std::string(length - text.size(), 'x');
}

// The search for markers takes sixteen bytes at a time where it can, and
// the last bytes one by one: a marker, the end of the data after \binN (a
// marker in it is none) and a list text group are found wherever they
// start, up to the last bytes of the document.
TEST(SegmentsAtEveryOffsetTest, MarkupIsFoundWhereverItStarts) {
  const std::string data = Tagged(1, "t", "B");
  const std::string binary = "\\bin" + std::to_string(data.size()) + " " + data;
  for (size_t offset = 0; offset <= 40; ++offset) {
    const std::string before = Filler(offset);
    const std::string lead = offset == 0 ? "" : before + "|| / ";
    EXPECT_EQ(Describe(before + Tagged(1, "t", "B"), "NOT B"),
              lead + "S|m|1 / t|x|1 / E|m|1 / A|m|")
        << offset;
    // A range without annotation, its end marker the last bytes.
    EXPECT_EQ(Describe(before + RangeStart(1) + "t" + RangeEnd(1), "NOT B"),
              lead + "S||1 / t||1 / E||1")
        << offset;
    EXPECT_EQ(Describe(before + binary + Tagged(2, "u", "B"), "NOT B"),
              before + binary + "|| / S|m|2 / u|x|2 / E|m|2 / A|m|")
        << offset;
    for (const std::string group : {"{\\pntext}", "{\\*\\listtextkvt}", "{\\pn}"}) {
      const std::string rtf = before + group;
      SegmentList list;
      ASSERT_TRUE(SplitIntoSegments(rtf.c_str(), static_cast<uint32_t>(rtf.size()), list).ok());
      EXPECT_EQ(list.hasListTextGroup, group != "{\\pn}") << offset << " " << group;
    }
  }
}

TEST(BinaryDataSegmentsTest, OnlyTheWordBinStartsIt) {
  const std::string marked = Tagged(1, "t", "B");
  const std::string found = "S|m|1 / t|x|1 / E|m|1 / A|m|";
  // An escaped backslash: "bin5" is text.
  EXPECT_EQ(Describe("\\\\bin5 " + marked, "NOT B"), "\\\\bin5 || / " + found);
  // An escaped backslash, then the word.
  EXPECT_EQ(Describe("\\\\\\bin5 12345" + marked, "NOT B"),
            "\\\\\\bin5 12345|| / " + found);
  // Words that only begin alike, or carry no data.
  for (const std::string word : {"\\binfsxn5 ", "\\bin0 ", "\\bin-3 ", "\\bin "})
    EXPECT_EQ(Describe(word + marked, "NOT B"), word + "|| / " + found) << word;
  // Data running past the end hides all that follows.
  EXPECT_EQ(Describe("\\bin999 " + marked, "NOT B"), "\\bin999 " + marked + "||");
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

}  // namespace
}  // namespace bte::rtf
