// Shapes that real documents give build-tag ranges, each filtered through
// the public interface: a table whose last paragraph has no mark, rows
// selected whole, list items with the number text that word processors
// write for readers, the paragraph after a table. "[x]" is an excluded
// range around x, "<x>" a kept one (see WithRanges).
#include <string>

#include <gtest/gtest.h>

#include "rtf_documents.h"

namespace bte::test {
namespace {

struct ShapeCase {
  const char* name;
  const char* input;     // a whole document, with range notation
  const char* expected;  // the filtered document under "NOT Gone"
};

class RealShapesTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(RealShapesTest, FiltersToExpectedDocument) {
  const ShapeCase& c = GetParam();
  EXPECT_EQ(Filter(WithRanges(c.input), "NOT Gone"), c.expected);
}

#define WORD_ROW(cells) "\\trowd\\trgaph108\\cellx1000\\cellx2000\\pard\\intbl " cells
#define LIST_ITEM(n, text) "\\pard\\ls1\\ilvl0 {\\listtext " #n ".\\tab}" text

const ShapeCase kTableCases[] = {
    {"LastParagraphWithoutMarkAfterTable",
     "{\\rtf1\\ansi\n\\trowd \\cellx2880\n\\pard\\intbl A\\cell \\row\n\\pard\n[After table.]}\n",
     "{\\rtf1\\ansi\n\\trowd \\cellx2880\n\\pard\\intbl A\\cell \\row\n\\pard\n}\n"},
    {"KeptRangeOverLastCellOfWordRow",
     "{\\rtf1\\ansi Intro [Gone]\\par \\trowd\\cellx2000\\pard\\intbl{<c\\cell >}\\pard\\intbl"
     "{\\trowd\\cellx2000\\row }\\pard\\itap0{\\par }\\pard End\\par}",
     "{\\rtf1\\ansi Intro \\par \\trowd\\cellx2000\\pard\\intbl{c\\cell }\\pard\\intbl"
     "{\\trowd\\cellx2000\\row }\\pard\\itap0{\\par }\\pard End\\par}"},
    {"KeptRangeOverLastCellsKeepsTheMarkBetweenTables",
     "{\\rtf1\\ansi\\pard [Gone] Intro\\par \\trowd\\cellx2000\\cellx4000\\pard\\intbl "
     "<c\\cell d\\cell >\\row \\pard\\par\\trowd\\cellx2000\\pard\\intbl e\\cell\\row \\pard End\\par}",
     "{\\rtf1\\ansi\\pard  Intro\\par \\trowd\\cellx2000\\cellx4000\\pard\\intbl "
     "c\\cell d\\cell \\row \\pard\\par\\trowd\\cellx2000\\pard\\intbl e\\cell\\row \\pard End\\par}"},
    {"LastRowSelectedWholeGoesWithItsDefinition",
     "{\\rtf1 " WORD_ROW("a\\cell b\\cell \\row ") WORD_ROW("[c\\cell d\\cell ]\\row ")
     "\\pard\\itap0 End\\par}",
     "{\\rtf1 " WORD_ROW("a\\cell b\\cell \\row ") "\\pard\\pard\\itap0 End\\par}"},
    {"FirstRowSelectedWholeLeavesNoEmptyRow",
     "{\\rtf1 " WORD_ROW("[a\\cell b\\cell ]\\row ") WORD_ROW("c\\cell d\\cell \\row ")
     "\\pard\\itap0 End\\par}",
     "{\\rtf1 \\pard" WORD_ROW("c\\cell d\\cell \\row ") "\\pard\\itap0 End\\par}"},
    {"EmptyParagraphAfterTableKeepsItsMark",
     "{\\rtf1 " WORD_ROW("a\\cell <b>\\cell \\row ") "\\pard\\itap0 \\par Next\\par "
     "\\pard\\itap0 [Gone]\\par}",
     "{\\rtf1 " WORD_ROW("a\\cell b\\cell \\row ") "\\pard\\itap0 \\par Next\\par "
     "\\pard\\itap0 }"},
};
INSTANTIATE_TEST_SUITE_P(Tables, RealShapesTest, ::testing::ValuesIn(kTableCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Numbers running on after a removed item (or one removed with its number
// text) in Word's lists and their lettered sub-lists are checked on generated
// documents (guarantees_test.cpp) and corpus lists; here the shapes those
// leave open.
const ShapeCase kListCases[] = {
    {"ItemExcludedWithItsMarkLeavesNoEmptyItem",
     "{\\rtf1 " LIST_ITEM(1, "one\\par ") LIST_ITEM(2, "[two\\par ]") "\\pard End\\par}",
     "{\\rtf1 " LIST_ITEM(1, "one\\par ") "\\pard\\ls1\\ilvl0 \\pard End\\par}"},
    // A plain paragraph ends a WordPad list: the next one numbers anew.
    {"WordPadNumbersMoveUpWithinOneList",
     "{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}one\\par{\\pntext\\f0 2.\\tab}[two\\par ]"
     "{\\pntext\\f0 3.\\tab}three\\par\\pard Gap\\par{\\pntext\\f0 1.\\tab}x\\par"
     "{\\pntext\\f0 2.\\tab}y\\par}",
     "{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}one\\par{\\pntext\\f0 2.\\tab}three\\par"
     "\\pard Gap\\par{\\pntext\\f0 1.\\tab}x\\par{\\pntext\\f0 2.\\tab}y\\par}"},
    // Number texts back to back are one item, and the number text is that
    // item, not the excluded text after it.
    {"NumberTextsBackToBackMoveTogether",
     "{\\rtf1{\\pntext 1.\\tab}one\\par{\\pntext 2.}{\\pntext\\tab}[42\\par]{\\pntext 3.\\tab}three\\par}",
     "{\\rtf1{\\pntext 1.\\tab}one\\par{\\pntext 2.}{\\pntext\\tab}three\\par}"},
    // Only a number moves to a later item: other text of a removed item's
    // number text is content the target excludes.
    {"NumberTextThatIsNoNumberStaysOut",
     "{\\rtf1{\\pntext 1.\\tab}one\\par[{\\pntext Secret 2.\\tab}two\\par]"
     "{\\pntext 3.\\tab}three\\par}",
     "{\\rtf1{\\pntext 1.\\tab}one\\par{\\pntext 3.\\tab}three\\par}"},
};
INSTANTIATE_TEST_SUITE_P(Lists, RealShapesTest, ::testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Two adjacent excluded ranges, the second holding the mark of a paragraph
// that began with kept text: that mark and the empty paragraph after it stay,
// on the simple path and through the rebuilder.
const ShapeCase kParagraphCases[] = {
    {"AdjacentRangesKeepTheNextEmptyParagraph", "{\\rtf1 A [X][\\par ]\\par B\\par}",
     "{\\rtf1 A \\par \\par B\\par}"},
    {"AdjacentRangesKeepTheNextEmptyParagraphAfterTable",
     "{\\rtf1 \\trowd\\cellx1\\pard\\intbl T\\cell\\row\\pard A [X][\\par ]\\par B\\par}",
     "{\\rtf1 \\trowd\\cellx1\\pard\\intbl T\\cell\\row\\pard A \\par \\par B\\par}"},
};
INSTANTIATE_TEST_SUITE_P(Paragraphs, RealShapesTest, ::testing::ValuesIn(kParagraphCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A number text moves whole, a zero byte in it included: cut there, it would
// lose its closing brace.
TEST(RealShapesTest, NumberTextWithZeroByteMovesWhole) {
  using namespace std::string_literals;
  const std::string two = "{\\pntext 2.\0\\tab}"s;
  const std::string rtf = "{\\rtf1{\\pntext 1.\\tab}one\\par" + two + WithRanges("[two\\par]") +
                          "{\\pntext 3.\\tab}three\\par}";
  EXPECT_EQ(Filter(rtf, "NOT Gone"), "{\\rtf1{\\pntext 1.\\tab}one\\par" + two + "three\\par}");
}

}  // namespace
}  // namespace bte::test
