// The host's list text through the rebuilder: list texts of removed entries
// go, and later entries take over the lead texts (numbers) before them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hidden_ranges.h"
#include "rtffilter/structure/list_number_text.h"

namespace bte::rtf::testing {
namespace {

// A list paragraph: two lead items (number and tab), the list text group and
// the entry's own text.
std::string Entry(const std::string& number, const std::string& text, int level = 0,
                  int list = 1) {
  return "{\\pard\\ls" + std::to_string(list) + "\\ilvl" + std::to_string(level) + " {" +
         number + "}{\\tab}{\\*\\listtextkvt}" + text + "\\par}";
}

// What stays of a removed entry: its formatting and braces.
std::string Remnant(int level = 0, int list = 1) {
  return "{\\pard\\ls" + std::to_string(list) + "\\ilvl" + std::to_string(level) + " {}{}}";
}

// Every choice of removed entries among five: the entries that stay number
// on from 1.
TEST(FlatListRenumbering, EntriesTakeOverNumbersOfRemovedOnes) {
  for (int removed = 0; removed < 32; ++removed) {
    std::string input, expected;
    int shown = 0;
    for (int n = 1; n <= 5; ++n) {
      const std::string text = "Item " + std::to_string(n);
      const std::string entry = Entry(std::to_string(n) + ".", text);
      const bool gone = (removed >> (n - 1) & 1) != 0;
      input += gone ? "<<" + entry + ">>" : entry;
      expected += gone ? Remnant() : Entry(std::to_string(++shown) + ".", text);
    }
    // A closing paragraph files the last range's end marker.
    EXPECT_EQ(Rebuild(ExpandMarks(input + "End\\par ")), expected + "End\\par ")
        << "removed entries, as bits: " << removed;
  }
}

// Each case's text, with "<<" and ">>" around excluded ranges, and what the
// rebuilder writes for it.
struct RenumberingCase {
  const char* name;
  std::string input;
  std::string expected;
};

class ListRenumbering : public ::testing::TestWithParam<RenumberingCase> {};

TEST_P(ListRenumbering, WritesExpectedText) {
  EXPECT_EQ(Rebuild(ExpandMarks(GetParam().input)), GetParam().expected);
}

// Nine to eleven: numbers of other lengths move down.
std::string NineToEleven(bool rebuilt) {
  std::string text = rebuilt ? Remnant() : Entry("9.", "<<Nine>>");
  for (int n = 10; n < 13; ++n) text += Entry(std::to_string(rebuilt ? n - 1 : n) + ".", "X");
  return text;
}

const std::string kSecondParent = Entry("2.", "Two") + Entry("a.", "A2", 1) + Entry("b.", "B2", 1);

INSTANTIATE_TEST_SUITE_P(
    Lists, ListRenumbering,
    ::testing::Values(
        RenumberingCase{"EntryWhoseTextAloneIsExcludedGoesWithItsListText",
                        Entry("1.", "One") + Entry("2.", "<<Two>>") + Entry("3.", "Three"),
                        Entry("1.", "One") + Remnant() + Entry("2.", "Three")},
        RenumberingCase{"ParentWithSurvivingSubEntriesKeepsListTextAndMark",
                        Entry("1.", "<<Parent>>") + Entry("a.", "Child", 1),
                        Entry("1.", "") + Entry("a.", "Child", 1)},
        RenumberingCase{"ParentGoesWithItsRemovedSubEntries",
                        Entry("1.", "<<Parent>>") + Entry("a.", "<<Child>>", 1) + Entry("2.", "Next"),
                        Remnant() + Remnant(1) + Entry("1.", "Next")},
        // Sub-lists restart under each parent: removing an entry under the
        // first parent leaves the numbers under the second alone.
        RenumberingCase{"SubListsOfDifferentParentsAreSeparate",
                        Entry("1.", "One") + Entry("a.", "<<A1>>", 1) + Entry("b.", "B1", 1) + kSecondParent,
                        Entry("1.", "One") + Remnant(1) + Entry("a.", "B1", 1) + kSecondParent},
        RenumberingCase{"ListsAreNumberedSeparately",
                        Entry("1.", "<<A>>", 0, 1) + Entry("i.", "X", 0, 2) + Entry("2.", "B", 0, 1) +
                            Entry("ii.", "Y", 0, 2),
                        Remnant(0, 1) + Entry("i.", "X", 0, 2) + Entry("1.", "B", 0, 1) +
                            Entry("ii.", "Y", 0, 2)},
        RenumberingCase{"ListTextWithoutTwoLeadItemsIsNotFollowed",
                        "{\\pard\\ls1 {\\*\\listtextkvt}<<Item>>\\par}",
                        "{\\pard\\ls1 {\\*\\listtextkvt}\\par}"},
        // Number and tab written back to back are one item, so the list text
        // has only one item before it and is not followed.
        RenumberingCase{"AdjacentLeadTextsMergeAndAreNotFollowed",
                        "{\\pard\\ls1 1.\\tab{\\*\\listtextkvt}<<A>>\\par}" + Entry("2.", "B"),
                        "{\\pard\\ls1 1.\\tab{\\*\\listtextkvt}\\par}" + Entry("2.", "B")},
        // Only groups of their own are lead texts: other text before a list
        // text is content, and content of a removed entry must not show in a
        // kept one.
        RenumberingCase{"TextOutsideGroupsIsNoLeadText",
                        "{\\pard\\ls1 <<Secret {\\tab}{\\*\\listtextkvt}A\\par}>>" + Entry("2.", "B"),
                        "{\\pard\\ls1 {}}" + Entry("2.", "B")},
        // Not even when it reads as a number.
        RenumberingCase{"NumberOutsideGroupsIsNoLeadText",
                        "{\\pard\\ls1 <<7. {\\tab}{\\*\\listtextkvt}A\\par}>>" + Entry("2.", "B"),
                        "{\\pard\\ls1 {}}" + Entry("2.", "B")},
        // Numbers move down; other text in a removed entry's lead group is
        // content the target excludes.
        RenumberingCase{"LeadTextThatIsNoNumberStaysOut",
                        "<<" + Entry("Secret 1.", "A") + ">>" + Entry("2.", "B") + Entry("3.", "C"),
                        Remnant() + Entry("2.", "B") + Entry("2.", "C")},
        // Copied, it would end at the zero byte, after a backslash that
        // escapes its group's brace.
        RenumberingCase{"LeadTextWithZeroByteStaysOut",
                        "<<" + Entry(std::string("\\\0", 2), "A") + ">>" + Entry("2.", "B"),
                        Remnant() + Entry("2.", "B")},
        RenumberingCase{"NumbersOfOtherLengthsMoveDown", NineToEleven(false), NineToEleven(true)},
        RenumberingCase{"ListsInTableCellsAreRenumbered",
                        "\\trowd\\cellx1" + Entry("1.", "<<A>>") + Entry("2.", "B") + "\\pard\\intbl\\cell\\row ",
                        "\\trowd\\cellx1" + Remnant() + Entry("1.", "B") + "\\pard\\intbl\\cell\\row "}),
    [](const auto& info) { return std::string(info.param.name); });

// What may move from one entry to another: numbers of every kind and
// bullets, never words, however they are written.
TEST(ListNumberText, NumbersMoveWordsDoNot) {
  const std::pair<std::string, bool> cases[] = {
      {"1.", true}, {"{\\pntext\\f0 12.\\tab}", true}, {"iv)", true}, {"MCMXCIX.", true},
      {"a.", true}, {"bb.", true}, {"\\'b7", true}, {"\\u8226?", true}, {"2.\\tab", true},
      {"Secret", false}, {"civil", false}, {"vix", false}, {"\\'53\\'45", false},
      {"\\'e9", false}, {"\\u1049?", false}, {"{\\*\\bkmkstart x}1.", true},
      {"{\\*\\bkmkstart Name}1.", false}};
  for (const auto& [text, moves] : cases) {
    const ItemSpan span{text.data(), static_cast<uint32_t>(text.size())};
    EXPECT_EQ(ReadsAsListNumber(span), moves) << text;
  }
}

}  // namespace
}  // namespace bte::rtf::testing
