// Paragraphs, cells, rows and sections through the rebuilder: what goes and
// what stays when content is excluded. "<<" and ">>" mark an excluded range.
// (Rows keeping their cell counts and emptied rows going are checked on
// generated documents too, guarantees_test.cpp; here the bytes left.)
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hidden_ranges.h"
#include "rtffilter/structure/rtf_document_tree.h"

namespace bte::rtf::testing {
namespace {

struct Case {
  const char* name;
  const char* input;     // with "<<" ">>" range marks
  const char* expected;  // output; markers never appear in it
};

std::string RebuildMarked(const char* marked) { return Rebuild(ExpandMarks(marked)); }

class StructureOutput : public ::testing::TestWithParam<Case> {};

TEST_P(StructureOutput, WritesExpectedText) {
  EXPECT_EQ(RebuildMarked(GetParam().input), GetParam().expected);
}

const Case kParagraphCases[] = {
    {"WhollyExcludedParagraphGoes", "A\\par <<B\\par >>C\\par ", "A\\par C\\par "},
    {"EmptiedParagraphLosesItsMark", "A\\par <<B>>\\par C\\par ", "A\\par C\\par "},
    {"FormattingOfEmptiedParagraphStays", "A\\par {\\b <<B>>}\\par C\\par ",
     "A\\par {\\b }C\\par "},
    {"PartlyExcludedParagraphKeepsMark", "A <<B>> C\\par ", "A  C\\par "},
    {"EmptyInputParagraphStays", "A\\par \\par B\\par ", "A\\par \\par B\\par "},
    // The mark of a paragraph that keeps content stays, even from inside a range.
    {"ExcludedMarkOfKeptParagraphStays", "A<<\\par >>B\\par ", "A\\par B\\par "},
    {"BodyParagraphsAtDepthZero", "\\itap0 A\\par <<B>>\\par C\\par ",
     "\\itap0 A\\par C\\par "},
    {"SymbolsAndSpecialWordsAreContent", "<<\\'e9\\tab >>\\par A\\par ", "A\\par "},
    {"BackslashNewlineIsAParagraphMark", "A\\\n<<B>>\\\nC\\par ", "A\\\nC\\par "},
};
INSTANTIATE_TEST_SUITE_P(Paragraphs, StructureOutput, ::testing::ValuesIn(kParagraphCases),
                         [](const auto& info) { return std::string(info.param.name); });

#define ROW_START "\\trowd\\cellx1\\cellx2"
const Case kRowCases[] = {
    {"RowOfRemovedCellsGoesWhole",
     ROW_START "\\pard\\intbl <<A>>\\cell\\pard\\intbl <<B>>\\cell\\row After\\par ",
     "\\pard\\pard After\\par "},
    {"RowPropertiesAfterTheCellsGoWithTheRow",
     "\\pard\\intbl <<A>>\\cell{\\trowd\\cellx1\\row}B\\par ", "\\pard{}B\\par "},
    {"EarlierInTableWordsOfARemovedCellGoToo",
     ROW_START "\\pard\\intbl <<A>>\\par \\pard\\intbl <<B>>\\cell\\row ", "\\pard\\pard"},
    {"CellParagraphsLoseTheirMarksInAKeptRow",
     ROW_START "\\pard\\intbl A\\par <<B>>\\par C\\cell\\row ",
     ROW_START "\\pard\\intbl A\\par C\\cell\\row "},
    {"RowEndInsideAParagraphIsInputText", "\\pard\\intbl A\\row <<B>>\\cell ",
     "\\pard\\intbl A\\row \\cell "},
};
INSTANTIATE_TEST_SUITE_P(Rows, StructureOutput, ::testing::ValuesIn(kRowCases),
                         [](const auto& info) { return std::string(info.param.name); });

const Case kNestedCases[] = {
    {"EmptiedNestedRowGoesOuterRowStays",
     "\\pard\\intbl Outer\\par \\pard\\intbl\\itap2 <<X>>\\nestcell{\\*\\nesttableprops"
     "\\trowd\\cellx1\\nestrow}{\\nonesttables\\par}\\pard\\intbl Tail\\cell\\row ",
     "\\pard\\intbl Outer\\par \\pard{\\nonesttables\\par}\\pard\\intbl Tail\\cell\\row "},
    {"ExcludedTextBeforeANestedTableInTheSameCellGoes",
     "\\pard\\intbl <<Gone>>\\par \\pard\\intbl\\itap2 Inner\\nestcell{\\*\\nesttableprops"
     "\\trowd\\cellx1\\nestrow}\\pard\\intbl Tail\\cell\\row ",
     "\\pard\\intbl \\pard\\intbl\\itap2 Inner\\nestcell{\\*\\nesttableprops\\trowd\\cellx1"
     "\\nestrow}\\pard\\intbl Tail\\cell\\row "},
    {"OuterRowGoesWhenNestedAndOwnContentGo",
     "\\pard\\intbl\\itap2 <<X>>\\nestcell{\\*\\nesttableprops\\nestrow}\\pard\\intbl <<Y>>"
     "\\cell\\row Z\\par ",
     "\\pard\\pard Z\\par "},
};
INSTANTIATE_TEST_SUITE_P(NestedTables, StructureOutput, ::testing::ValuesIn(kNestedCases),
                         [](const auto& info) { return std::string(info.param.name); });

const Case kSectionCases[] = {
    {"SectionMarkStaysWhenItsContentGoes", "<<A>>\\par \\sect B\\par ", "\\sect B\\par "},
    // A paragraph without its mark is filed all the same, at the end of its
    // section or of the document, so its excluded text goes.
    {"LastParagraphWithoutMarkLosesExcludedText", "A\\par <<B>>", "A\\par "},
    {"ParagraphBeforeSectionMarkLosesExcludedText", "A<<B>>\\sect C", "A\\sect C"},
    {"SectionWithoutBlocksFails", "A\\par \\sect\\sect B\\par ", "<failed>"},
    {"NoItemsFails", "{\\rtf1}", "<failed>"},
};
INSTANTIATE_TEST_SUITE_P(Sections, StructureOutput, ::testing::ValuesIn(kSectionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfDocumentTreeTest, NullItemAndEmptyInputAreRefused) {
  const char text[] = "A\\par ";
  RtfDocumentTree tree(text, 0);
  EXPECT_EQ(tree.AddItem(nullptr, ParagraphListState()), 0);
  char out[8];
  OutputSink sink(out, 0);
  EXPECT_EQ(tree.Write(sink), 0);
  EXPECT_EQ(sink.written(), 0u);
}

// An item given a text of its own (its length counts, not its end) is
// written with it, unless the output would then outgrow the input.
TEST(RtfDocumentTreeTest, ItemsWithTheirOwnTextAreWrittenWithItIfItFits) {
  const std::string text = "Old\\par ";
  const struct {
    const char* own;
    uint32_t length;
    const char* written;  // null: the write fails
  } cases[] = {{"New", 2, "Ne\\par "}, {"A much longer text", 18, nullptr}};
  for (const auto& c : cases) {
    RtfDocumentTree tree(text.data(), static_cast<uint32_t>(text.size()));
    auto* item = new RtfItem(text.data(), 3, 0, ItemContent);
    item->CopyTextFrom(RtfItem(c.own, c.length, 0, ItemContent));
    tree.AddItem(item, ParagraphListState());
    tree.AddItem(new RtfItem(text.data() + 3, 5, 0, ItemParagraph), ParagraphListState());
    std::vector<char> out(text.size() + 64, '#');
    OutputSink sink(out.data(), text.size());
    EXPECT_EQ(tree.Write(sink) != 0, c.written != nullptr) << c.own;
    EXPECT_LE(sink.written(), text.size());
    EXPECT_EQ(out[text.size()], '#');
    if (c.written != nullptr) {
      EXPECT_EQ(std::string(out.data(), sink.written()), c.written);
    }
  }
}

// Text handed over back to back across the edge of an excluded range, with
// no marker between, keeps its own fate on either side of the edge.
TEST(RtfDocumentTreeTest, AdjoiningTextKeepsItsOwnFate) {
  for (const std::string input : {"GoneKept\\par ", "KeptGone\\par "}) {
    const bool goneFirst = input[0] == 'G';
    RtfDocumentTree tree(input.data(), static_cast<uint32_t>(input.size()));
    tree.AddBorrowedItem(RtfItem(input.data(), 4, goneFirst, ItemContent), ParagraphListState());
    tree.AddBorrowedItem(RtfItem(input.data() + 4, 4, !goneFirst, ItemContent),
                         ParagraphListState());
    tree.AddBorrowedItem(RtfItem(input.data() + 8, 5, 0, ItemParagraph), ParagraphListState());
    std::string out(input.size(), '\0');
    OutputSink sink(out.data(), out.size());
    ASSERT_NE(tree.Write(sink), 0) << input;
    EXPECT_EQ(out.substr(0, sink.written()), "Kept\\par ") << input;
  }
}

}  // namespace
}  // namespace bte::rtf::testing
