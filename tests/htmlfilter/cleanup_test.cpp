// The clean-up passes after removal: tables, popups and placeholders, and
// the reading of related-topic item values. Every row removes one tagged
// element ("<i data-buildtags=...>") so that the passes run at all.
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

// Removed by every row's expression "Print".
#define GONE "<i data-buildtags=\"Web\">x</i>"

struct CleanupCase {
  const char* name;
  uint32_t mode;
  const char* html;
  const char* expected;
};

void PrintTo(const CleanupCase& c, std::ostream* os) { *os << c.name; }

#define FILLER "<p>&nbsp;</p>"
#define POPUP_LINK(id, target) \
  "<a href=\"javascript:void(0)\" x-use-popup=\"#" target "\" x-popup-type=\"text\" " \
  "class=\"popup\" id=\"" id "\">"

const CleanupCase kCleanupCases[] = {
    // Tables
    {"TableOfEmptiedCellsIsDeleted", kModeRepairTables,
     "<table><tr><td data-buildtags=\"Web\">A</td><td>" GONE "</td></tr></table><p>B</p>",
     "<p>B</p>"},
    {"TableWithTextKeepsShapeAndFillsEmptyCells", kModeRepairTables,
     "<table><tr><td data-buildtags=\"Web\">A</td><td>B</td></tr></table>",
     "<table><tr><td data-buildtags=\"Web\" discard=\"yes\">" FILLER "</td><td>B</td></tr>"
     "</table>"},
    {"ImageCountsAsCellContent", kModeRepairTables,
     "<table><tr><td>" GONE "<img src=\"a.png\"></td></tr></table>",
     "<table><tr><td><img src=\"a.png\"></td></tr></table>"},
    {"ObjectCountsAsCellContent", kModeRepairTables,
     "<table><tr><td>" GONE "<object></object></td></tr></table>",
     "<table><tr><td><object></object></td></tr></table>"},
    {"NestedEmptyCellIsFilledButNotCounted", kModeRepairTables,
     "<table><tr><td>A<table><tr><td>" GONE "</td></tr></table></td></tr></table>",
     "<table><tr><td>A<table><tr><td>" FILLER "</td></tr></table></td></tr></table>"},
    {"NestedTableRowCountsAsOuterContent", kModeRepairTables,
     "<table><tr><td><table><tr><td>" GONE "</td></tr></table></td></tr></table>",
     "<table><tr><td><table><tr><td>" FILLER "</td></tr></table></td></tr></table>"},
    {"HeaderCellsNeitherCountNorFill", kModeRepairTables,
     "<table><tr><th></th><td>" GONE "</td></tr></table>X", "X"},
    {"EmptyTableWithoutDataCellsStays", kModeRepairTables,
     "<table><tr><th>H</th></tr></table>" GONE, "<table><tr><th>H</th></tr></table>"},
    // Popups
    {"UnusedPopupTextIsDeleted", kModeRemoveOrphanPopups,
     "<p>A</p><div class=\"x-popup-text\" id=\"p1\">Def</div>" GONE, "<p>A</p>"},
    {"UsedPopupTextStays", kModeRemoveOrphanPopups,
     "<p>" POPUP_LINK("a1", "p1") "term</a></p><div class=\"x-popup-text\" id=\"p1\">Def</div>" GONE,
     "<p>" POPUP_LINK("a1", "p1") "term</a></p><div class=\"x-popup-text\" id=\"p1\">Def</div>"},
    {"EmptyPopupTextGoesWithItsLinks", kModeRemoveOrphanPopups,
     "<p>" POPUP_LINK("a1", "p1") "term</a></p>"
     "<div class=\"x-popup-text\" id=\"p1\"><span data-buildtags=\"Web\">Def</span></div>",
     "<p>term</p>"},
    {"PopupIdComparisonIsCaseSensitive", kModeRemoveOrphanPopups,
     "<p>" POPUP_LINK("a1", "P1") "t</a></p><div class=\"x-popup-text\" id=\"p1\">D</div>" GONE,
     "<p>" POPUP_LINK("a1", "P1") "t</a></p>"},
    {"OrphanChainIsFollowedToTheEnd", kModeRemoveOrphanPopups,
     "<div class=\"x-popup-text\" id=\"p2\">" POPUP_LINK("a2", "p1") "see</a></div>"
     "<div class=\"x-popup-text\" id=\"p1\">Def</div><p>" GONE "B</p>",
     "<p>B</p>"},
    {"PopupTextLinkingOnlyToItselfStays", kModeRemoveOrphanPopups,
     "<div class=\"x-popup-text\" id=\"p1\">" POPUP_LINK("a1", "p1") "me</a></div>" GONE,
     "<div class=\"x-popup-text\" id=\"p1\">" POPUP_LINK("a1", "p1") "me</a></div>"},
    {"PopupTextWithoutIdIsNoPopup", kModeRemoveOrphanPopups,
     "<div class=\"x-popup-text\">D</div>" GONE, "<div class=\"x-popup-text\">D</div>"},
    // Placeholders
    {"EmptyHeaderPlaceholderLosesOnlyItsOwnTags", kModeRemoveEmptyPlaceholders,
     "<div placeholder id=\"Header\"><span></span>" GONE "</div><p>A</p>",
     "<span></span><p>A</p>"},
    {"FooterWithTextStays", kModeRemoveEmptyPlaceholders,
     "<div placeholder id=\"footer\">F" GONE "</div>",
     "<div placeholder id=\"footer\">F</div>"},
    {"OtherPlaceholderStays", kModeRemoveEmptyPlaceholders,
     "<div placeholder id=\"sidebar\">" GONE "</div>", "<div placeholder id=\"sidebar\"></div>"},
};

class CleanupPass : public ::testing::TestWithParam<CleanupCase> {};

TEST_P(CleanupPass, LeavesExpectedDocument) {
  const CleanupCase& c = GetParam();
  EXPECT_EQ(RunPass(c.html, "Print", c.mode), c.expected) << c.html;
}

INSTANTIATE_TEST_SUITE_P(Rows, CleanupPass, ::testing::ValuesIn(kCleanupCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CleanupOrder, PassesRunOnlyAfterRemoval) {
  const std::string html =
      "<table><tr><td></td></tr></table><div class=\"x-popup-text\" id=\"p\">D</div>"
      "<div placeholder id=\"header\"></div>";
  EXPECT_EQ(RunPass(html, "Print", kModeFilterWithLinks), html);
}

TEST(CleanupOrder, ThousandExcludedRowsLeaveNoTable) {
  std::string html = "<p>before</p><table>";
  for (int i = 0; i < 1000; ++i)
    html += "<tr data-buildtags=\"Web\"><td>row " + std::to_string(i) + "</td></tr>";
  html += "</table><p>after</p>";
  // The rows go; the table keeps no data cell, so nothing counts it empty.
  EXPECT_EQ(RunPass(html, "Print", kModeFilter), "<p>before</p><table></table><p>after</p>");
}

TEST(CleanupOrder, ThousandExcludedCellsDeleteTheTable) {
  std::string html = "<p>before</p><table>";
  for (int i = 0; i < 1000; ++i)
    html += "<tr><td data-buildtags=\"Web\">cell " + std::to_string(i) + "</td></tr>";
  html += "</table><p>after</p>";
  EXPECT_EQ(RunPass(html, "Print", kModeFilter), "<p>before</p><p>after</p>");
}

TEST(CleanupRange, ContentIsTextOrImageBetweenBothEnds) {
  const auto parser = MakeParser("Print");
  const auto document = Analysed("<div><b></b><img src=\"x\"></div>");
  HtmlFilterPass pass(document.get(), parser.get());
  const HtmlPosition first = document->GetTokenList()->GetHeadPosition();
  const HtmlPosition last = document->GetTokenList()->GetTailPosition();
  EXPECT_EQ(pass.RangeHasContent(first, last), 1);
  EXPECT_EQ(pass.RangeHasContent(first, CHtmlTokenList::GetNext(CHtmlTokenList::GetNext(first))),
            0);
  EXPECT_EQ(pass.RangeHasContent(nullptr, last), 1);
}

struct ItemValueCase {
  const char* value;
  const char* file;
};

TEST(RelatedTopicFile, FileIsAfterLastSemicolonThatEndsNoReference) {
  const ItemValueCase cases[] = {
      {"Intro;intro.htm", "intro.htm"},
      {"intro.htm", "intro.htm"},
      {"Tom &amp; Jerry;cartoon.htm", "cartoon.htm"},
      {"A;B;c.htm", "c.htm"},
      {"&lt;tags&gt;;tags.htm", "tags.htm"},
      {"Title;", ""},
      {"only &amp;", "only &amp;"},
      {"&amp;", "&amp;"},
      {"Fish &chips;menu.htm", "menu.htm"},
      {"&bogus;x.htm", "x.htm"},
  };
  for (const ItemValueCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(HtmlFilterPass::RelatedTopicFile(c.value), c.file);
  }
  EXPECT_EQ(HtmlFilterPass::RelatedTopicFile(nullptr), "");
}

}  // namespace
}  // namespace bte::test
