// What the writers leave of a document: markers gone, excluded text gone,
// formatting kept, and no empty paragraph left behind by a removal.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rtf_documents.h"
#include "rtffilter/output_writers.h"
#include "rtffilter/segments.h"
#include "rtffilter/structure_items.h"

namespace bte::rtf {
namespace {

using test::Annotation;
using test::Document;
using test::Filter;
using test::RangeEnd;
using test::RangeStart;
using test::Tagged;

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
  EXPECT_EQ(NeedsStructureRebuild(c.text.data(), static_cast<uint32_t>(c.text.size())), c.needed);
}

INSTANTIATE_TEST_SUITE_P(Documents, NeedsStructureRebuildTest,
                         ::testing::Values(RebuildCase{"\\cell\\row", true},
                                           RebuildCase{"\\row", true},
                                           RebuildCase{"a\\\\row b", false},
                                           RebuildCase{"a\\\\row \\row", true},
                                           RebuildCase{"{\\*\\listtextkvt 1}", true},
                                           RebuildCase{"{\\*\\pntextkvt a}", true},
                                           RebuildCase{"{\\listtext 1}\\par", false},
                                           RebuildCase{"", false}));

// Records the item stream as "kind excluded text depth,level,override".
class RecordingSink : public RtfItemSink {
 public:
  void AddItem(const RtfItem& item, const ParagraphListState& state) override {
    items.push_back(std::to_string(item.kind) + (item.excluded ? " x " : " - ") +
                    std::string(item.text, item.length) + " " +
                    std::to_string(state.tableDepth) + "," + std::to_string(state.listLevel) +
                    "," + std::to_string(state.listOverride));
  }
  std::vector<std::string> items;
};

std::vector<std::string> ItemsOf(const std::string& rtf, const char* expression) {
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, expression);
  RTFFilterPass pass(rtf.c_str(), static_cast<uint32_t>(rtf.size()), parser);
  RecordingSink sink;
  if (SplitIntoSegments(pass) && MarkExcludedSegments(pass)) GenerateStructureItems(pass, sink);
  parser->Release();
  return sink.items;
}

TEST(StructureItemsTest, StreamCarriesKindsExclusionAndState) {
  const std::string rtf = "{\\rtf1 " + RangeStart(1) + "A\r\nB" + RangeEnd(1) +
                          Annotation(1, "X") +
                          "\\pard\\intbl\\itap2\\ls3 C\\cell\\row{\\*\\listtextkvt 1.}"
                          "{\\*\\pntextkvt a}{\\*\\nesttableprops\\trowd}\\trowd\\nestcell"
                          "\\nestrow\\sect\\tab{\\fonttbl x}\\par\\\r\n}";
  const std::vector<std::string> expected = {
      "1 x " + RangeStart(1) + " 1,0,0",
      "1 x A 1,0,0",
      "1 x B 1,0,0",
      "1 x " + RangeEnd(1) + " 1,0,0",
      "1 x " + Annotation(1, "X") + " 1,0,0",
      "11 - \\intbl 1,0,0",
      "1 - C 2,0,3",
      "4 - \\cell 2,0,3",
      "3 - \\row 2,0,3",
      "8 - {\\*\\listtextkvt 1.} 2,0,3",
      "9 - {\\*\\pntextkvt a} 2,0,3",
      "5 - {\\*\\nesttableprops\\trowd} 2,0,3",
      "10 - \\trowd 2,0,3",
      "6 - \\nestcell 2,0,3",
      "5 - \\nestrow 2,0,3",
      "7 - \\sect 2,0,3",
      "1 - \\tab 2,0,3",
      "2 - \\par 2,0,3",
      "2 - \\\r 2,0,3",
  };
  EXPECT_EQ(ItemsOf(rtf, "NOT X"), expected);
}

TEST(StructureItemsTest, TablesGoToTheRebuilder) {
  // A row whose only cell lost its content goes with its marks; a kept
  // one stays a row.
  const std::string table =
      Document("\\trowd\\intbl " + Tagged(1, "Tagged cell", "X") + "\\cell\\row After\\par ");
  const auto excluded = Filter(table, "NOT X");
  ASSERT_TRUE(excluded.has_value());
  EXPECT_EQ(excluded->find("Tagged cell"), std::string::npos) << *excluded;
  EXPECT_EQ(excluded->find("\\row"), std::string::npos) << *excluded;
  EXPECT_NE(excluded->find("After"), std::string::npos) << *excluded;
  const auto kept = Filter(table, "X");
  ASSERT_TRUE(kept.has_value());
  EXPECT_NE(kept->find("Tagged cell\\cell\\row"), std::string::npos) << *kept;
  EXPECT_EQ(kept->find("atrfstart"), std::string::npos) << *kept;
}

}  // namespace
}  // namespace bte::rtf
