// The host's list text through the rebuilder: list texts of removed entries
// go, and later entries take over the lead texts (numbers) before them.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hidden_ranges.h"

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

struct Renumbering {
  std::set<int> removed;        // 1-based entries whose content is excluded
  std::vector<int> shown;       // number each entry shows afterwards, 0 when gone
};

class FlatListRenumbering : public ::testing::TestWithParam<Renumbering> {};

TEST_P(FlatListRenumbering, EntriesTakeOverNumbersOfRemovedOnes) {
  std::string input, expected;
  for (int n = 1; n <= 5; ++n) {
    const std::string entry = Entry(std::to_string(n) + ".", "Item " + std::to_string(n));
    input += GetParam().removed.count(n) ? "<<" + entry + ">>" : entry;
    const int shown = GetParam().shown[n - 1];
    expected += shown ? Entry(std::to_string(shown) + ".", "Item " + std::to_string(n)) : Remnant();
  }
  // A closing paragraph files the last range's end marker.
  EXPECT_EQ(Rebuild(ExpandMarks(input + "End\\par ")), expected + "End\\par ");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlatListRenumbering,
    ::testing::Values(Renumbering{{}, {1, 2, 3, 4, 5}}, Renumbering{{2}, {1, 0, 2, 3, 4}},
                      Renumbering{{2, 4}, {1, 0, 2, 0, 3}}, Renumbering{{1}, {0, 1, 2, 3, 4}},
                      Renumbering{{5}, {1, 2, 3, 4, 0}}, Renumbering{{1, 2, 3}, {0, 0, 0, 1, 2}},
                      Renumbering{{1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}}),
    [](const auto& info) {
      std::string name = info.param.removed.empty() ? "NoneRemoved" : "Removed";
      for (int entry : info.param.removed) name += std::to_string(entry);
      return name;
    });

TEST(ListRenumbering, EntryWhoseTextAloneIsExcludedGoesWithItsListText) {
  const std::string input = Entry("1.", "One") + Entry("2.", "<<Two>>") + Entry("3.", "Three");
  EXPECT_EQ(Rebuild(ExpandMarks(input)), Entry("1.", "One") + Remnant() + Entry("2.", "Three"));
}

TEST(ListRenumbering, ParentWithSurvivingSubEntriesKeepsListTextAndMark) {
  const std::string input = Entry("1.", "<<Parent>>") + Entry("a.", "Child", 1);
  EXPECT_EQ(Rebuild(ExpandMarks(input)), Entry("1.", "") + Entry("a.", "Child", 1));
}

TEST(ListRenumbering, ParentGoesWithItsRemovedSubEntries) {
  const std::string input = Entry("1.", "<<Parent>>") + Entry("a.", "<<Child>>", 1) +
                            Entry("2.", "Next");
  EXPECT_EQ(Rebuild(ExpandMarks(input)), Remnant() + Remnant(1) + Entry("1.", "Next"));
}

// Sub-lists restart under each parent: removing an entry under the first
// parent leaves the numbers under the second alone.
TEST(ListRenumbering, SubListsOfDifferentParentsAreSeparate) {
  const std::string second = Entry("2.", "Two") + Entry("a.", "A2", 1) + Entry("b.", "B2", 1);
  const std::string input =
      Entry("1.", "One") + Entry("a.", "<<A1>>", 1) + Entry("b.", "B1", 1) + second;
  EXPECT_EQ(Rebuild(ExpandMarks(input)),
            Entry("1.", "One") + Remnant(1) + Entry("a.", "B1", 1) + second);
}

TEST(ListRenumbering, ListsAreNumberedSeparately) {
  const std::string input = Entry("1.", "<<A>>", 0, 1) + Entry("i.", "X", 0, 2) +
                            Entry("2.", "B", 0, 1) + Entry("ii.", "Y", 0, 2);
  EXPECT_EQ(Rebuild(ExpandMarks(input)), Remnant(0, 1) + Entry("i.", "X", 0, 2) +
                                             Entry("1.", "B", 0, 1) + Entry("ii.", "Y", 0, 2));
}

TEST(ListRenumbering, ListTextWithoutTwoLeadItemsIsNotFollowed) {
  const std::string input = "{\\pard\\ls1 {\\*\\listtextkvt}<<Item>>\\par}";
  EXPECT_EQ(Rebuild(ExpandMarks(input)), "{\\pard\\ls1 {\\*\\listtextkvt}\\par}");
}

// Number and tab written back to back are one item, so the list text has
// only one item before it and is not followed.
TEST(ListRenumbering, AdjacentLeadTextsMergeAndAreNotFollowed) {
  const std::string input = "{\\pard\\ls1 1.\\tab{\\*\\listtextkvt}<<A>>\\par}" +
                            Entry("2.", "B");
  EXPECT_EQ(Rebuild(ExpandMarks(input)),
            "{\\pard\\ls1 1.\\tab{\\*\\listtextkvt}\\par}" + Entry("2.", "B"));
}

// Only groups of their own are lead texts: other text before a list text is
// content, and content of a removed entry must not show in a kept one.
TEST(ListRenumbering, TextOutsideGroupsIsNoLeadText) {
  const std::string input = "{\\pard\\ls1 <<Secret {\\tab}{\\*\\listtextkvt}A\\par}>>" +
                            Entry("2.", "B");
  EXPECT_EQ(Rebuild(ExpandMarks(input)), "{\\pard\\ls1 {}}" + Entry("2.", "B"));
}

TEST(ListRenumbering, NumbersOfOtherLengthsMoveDown) {
  std::string input = Entry("9.", "<<Nine>>");
  std::string expected = Remnant();
  for (int n = 10; n < 13; ++n) {
    input += Entry(std::to_string(n) + ".", "X");
    expected += Entry(std::to_string(n - 1) + ".", "X");
  }
  EXPECT_EQ(Rebuild(ExpandMarks(input)), expected);
}

TEST(ListRenumbering, ListsInTableCellsAreRenumbered) {
  const std::string input = "\\trowd\\cellx1" + Entry("1.", "<<A>>") + Entry("2.", "B") +
                            "\\pard\\intbl\\cell\\row ";
  EXPECT_EQ(Rebuild(ExpandMarks(input)),
            "\\trowd\\cellx1" + Remnant() + Entry("1.", "B") + "\\pard\\intbl\\cell\\row ");
}

}  // namespace
}  // namespace bte::rtf::testing
