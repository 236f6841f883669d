// What the writers leave of a document: markers gone, excluded text gone,
// formatting kept, and no empty paragraph left behind by a removal.
#include <string>

#include <gtest/gtest.h>

#include "rtf_documents.h"
#include "rtffilter/output_writers.h"
#include "rtffilter/segments.h"
#include "tests/support/case_name.h"

namespace bte::rtf {
namespace {

using test::Annotation;
using test::Document;
using test::Filter;
using test::RangeEnd;
using test::RangeStart;
using test::Tagged;
using test::WithRanges;

struct RemovalCase {
  std::string name;
  std::string body;
  const char* expression;
  std::string expected;
};

class RemoveExcludedTest : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(RemoveExcludedTest, WritesTheFilteredBody) {
  const RemovalCase& c = GetParam();
  EXPECT_EQ(Filter(Document(c.body), c.expression), Document(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Paragraphs, RemoveExcludedTest,
    ::testing::Values(
        RemovalCase{"NothingExcludedDropsOnlyMarkup",
                    "A " + Tagged(1, "B", "Beta") + " C\\par ", "Beta", "A B C\\par "},
        RemovalCase{"WholeParagraphLeavesNoEmptyParagraph",
                    "First.\\par " + Tagged(1, "Second.\\par ", "Beta") + "Third.\\par ",
                    "NOT Beta", "First.\\par Third.\\par "},
        RemovalCase{"RangeEndingInsideAParagraphKeepsItsMark",
                    "A.\\par " + Tagged(1, "B ", "Beta") + "C.\\par ", "NOT Beta",
                    "A.\\par C.\\par "},
        RemovalCase{"InsideAParagraphFormattingStays",
                    "Kept {\\b " + Tagged(1, "{\\i gone} ", "Beta") + "} more.\\par ",
                    "NOT Beta", "Kept {\\b {\\i }} more.\\par "},
        RemovalCase{"ExcludedTailClosesAKeptParagraph",
                    "Kept " + Tagged(1, "gone\\par ", "Beta") + "Next\\par ", "NOT Beta",
                    "Kept \\par Next\\par "},
        RemovalCase{"PictureParagraphAfterRemovalLosesItsMark",
                    "A\\par " + Tagged(1, "B\\par ", "Beta") + "{\\pict 0a0b}\\par C\\par ",
                    "NOT Beta", "A\\par {\\pict 0a0b}C\\par "},
        RemovalCase{"LineBreaksOfRemovedTextStay",
                    "A\\par " + Tagged(1, "B\r\nC\\tab D\\\r\n", "Beta") + "E\\par ",
                    "NOT Beta", "A\\par \r\n\nE\\par "},
        RemovalCase{"UnitGroupsGoWhole",
                    "A " + Tagged(1, "{\\field{\\*\\fldinst X}{\\fldrslt Y}}", "Beta") + "\\par ",
                    "NOT Beta", "A \\par "},
        RemovalCase{"OrdinaryCommentStays",
                    "A " + RangeStart(2) + "B" + RangeEnd(2) + Annotation(2, "Beta", "Ann") +
                        "\\par ",
                    "NOT Beta",
                    "A " + RangeStart(2) + "B" + RangeEnd(2) + Annotation(2, "Beta", "Ann") +
                        "\\par "},
        RemovalCase{"NoParserRemovesAllTagged", "A " + Tagged(1, "B", "Beta") + "\\par ",
                    nullptr, "A \\par "}),
    [](const auto& info) { return info.param.name; });

struct RebuildCase {
  std::string text;
  bool needed;
};

class NeedsStructureRebuildTest : public ::testing::TestWithParam<RebuildCase> {};

TEST_P(NeedsStructureRebuildTest, LooksForRowsAndListText) {
  const RebuildCase& c = GetParam();
  const auto length = static_cast<uint32_t>(c.text.size());
  SegmentList segments;
  ASSERT_TRUE(SplitIntoSegments(c.text.data(), length, segments).ok());
  EXPECT_EQ(NeedsStructureRebuild(segments, c.text.data(), length), c.needed);
}

INSTANTIATE_TEST_SUITE_P(Documents, NeedsStructureRebuildTest,
                         ::testing::Values(RebuildCase{"\\cell\\row", true},
                                           RebuildCase{"\\row", true},
                                           RebuildCase{"a\\\\row b", false},
                                           RebuildCase{"a\\\\row \\row", true},
                                           RebuildCase{"{\\*\\listtextkvt 1}", true},
                                           RebuildCase{"{\\*\\pntextkvt a}", true},
                                           RebuildCase{"{\\listtext 1}\\par", true},
                                           RebuildCase{"{\\pntext 1}\\par", true},
                                           RebuildCase{"{\\*\\pn\\pnlvlbody}\\par", false},
                                           RebuildCase{"{\\*\\listtext 1}", false},
                                           RebuildCase{"{\\pntxta .}{\\pntex", false},
                                           RebuildCase{"{\\b x}{\\*\\pntextkvt", true},
                                           RebuildCase{"", false}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.text); });

// Where a writer leaves input out, what follows must not run on from a
// control word written before the gap, or a reader takes it for part of
// the word and loses it. "[x]" stands for an excluded range around x, "<x>"
// for a kept one; each case runs through all three writers' documents.
struct GapCase {
  const char* name;
  const char* body;
  const char* expected;
};

class DelimiterAtGapsTest : public ::testing::TestWithParam<GapCase> {};

TEST_P(DelimiterAtGapsTest, KeepsTheTextAfterAGapApartFromTheWordBefore) {
  const GapCase& c = GetParam();
  const std::string body = WithRanges(c.body);
  EXPECT_EQ(Filter(Document(body), "NOT Gone"), Document(c.expected)) << "simple";
  // A table anywhere sends the document through the structure rebuilder.
  const std::string table = "\\trowd\\cellx1\\pard\\intbl T\\cell\\row ";
  EXPECT_EQ(Filter(Document(table + body), "NOT Gone"), Document(table + c.expected))
      << "structure";
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DelimiterAtGapsTest,
    ::testing::Values(
        GapCase{"LetterAfterWord", "A\\b[Gone]Text\\par ", "A\\b Text\\par "},
        GapCase{"DigitAfterParameter", "\\fs20[Gone]3 items\\par ", "\\fs20 3 items\\par "},
        GapCase{"MinusAfterWord", "\\i[Gone]-5\\par ", "\\i -5\\par "},
        GapCase{"KeptRangeAfterWord", "A\\b<Text>\\par ", "A\\b Text\\par "},
        GapCase{"AlreadyDelimited", "A\\b [Gone]Text\\par ", "A\\b Text\\par "},
        GapCase{"TextBeforeGap", "Text[Gone]More\\par ", "TextMore\\par "},
        GapCase{"EscapedBackslash", "A\\\\b[Gone]x\\par ", "A\\\\bx\\par "},
        GapCase{"HexEscape", "\\'e9[Gone]x\\par ", "\\'e9x\\par "},
        GapCase{"SymbolAfterGap", "\\b[Gone]\\~x\\par ", "\\b\\~x\\par "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bte::rtf
