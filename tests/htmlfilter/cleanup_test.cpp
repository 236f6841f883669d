// The clean-up passes after removal, through the filter object: tables,
// popups and placeholders, and the reading of related-topic item values.
// Every row removes one tagged element ("<i data-buildtags=...>") so that
// the passes run at all.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

// Removed by every row's expression "Print".
#define GONE "<i data-buildtags=\"Web\">x</i>"

struct CleanupCase {
  const char* name;
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
    {"TableOfEmptiedCellsIsDeleted",
     "<table><tr><td data-buildtags=\"Web\">A</td><td>" GONE "</td></tr></table><p>B</p>",
     "<p>B</p>"},
    // What stands outside the cells browsers show before the table: it stays.
    {"LooseTextOfDeletedTableStays",
     "<table>\n<tr>Note<td>" GONE "</td></tr>\n</table><p>B</p>", "Note<p>B</p>"},
    {"LooseElementsOfDeletedTableKeepTheirSpaces",
     "<table><b>a</b> <u>b</u>\n<tr><td>" GONE "</td></tr></table>", "<b>a</b> <u>b</u>\n"},
    {"CaptionAndScriptGoWithTheTable",
     "<table><caption>C</caption><script>s()</script><tr><td>" GONE "</td></tr></table>X", "X"},
    {"TableWithTextKeepsShapeAndFillsEmptyCells",
     "<table><tr><td data-buildtags=\"Web\"><b>A</b> a</td><td>B</td></tr></table>",
     "<table><tr><td data-buildtags=\"Web\" discard=\"yes\">" FILLER "</td><td>B</td></tr>"
     "</table>"},
    {"ImageCountsAsCellContent",
     "<table><tr><td>" GONE "<img src=\"a.png\"></td></tr></table>",
     "<table><tr><td><img src=\"a.png\"></td></tr></table>"},
    {"ObjectCountsAsCellContent",
     "<table><tr><td>" GONE "<object></object></td></tr></table>",
     "<table><tr><td><object></object></td></tr></table>"},
    {"NestedEmptyCellIsFilledButNotCounted",
     "<table><tr><td>A<table><tr><td>" GONE "</td></tr></table></td></tr></table>",
     "<table><tr><td>A<table><tr><td>" FILLER "</td></tr></table></td></tr></table>"},
    {"NestedTableRowCountsAsOuterContent",
     "<table><tr><td><table><tr><td>" GONE "</td></tr></table></td></tr></table>",
     "<table><tr><td><table><tr><td>" FILLER "</td></tr></table></td></tr></table>"},
    {"HeaderCellsNeitherCountNorFill",
     "<table><tr><th></th><td>" GONE "</td></tr></table>X", "X"},
    {"TableLeftWithoutRowsStays",
     "<p>before</p><table><tr data-buildtags=\"Web\"><td>A</td></tr></table><p>after</p>",
     "<p>before</p><table></table><p>after</p>"},
    {"EmptyTableWithoutDataCellsStays",
     "<table><tr><th>H</th></tr></table>" GONE, "<table><tr><th>H</th></tr></table>"},
    // Popups
    {"UnusedPopupTextIsDeleted",
     "<p>A</p><div class=\"x-popup-text\" id=\"p1\">Def</div>" GONE, "<p>A</p>"},
    {"UsedPopupTextStays",
     "<p>" POPUP_LINK("a1", "p1") "term</a></p><div class=\"x-popup-text\" id=\"p1\">Def</div>" GONE,
     "<p>" POPUP_LINK("a1", "p1") "term</a></p><div class=\"x-popup-text\" id=\"p1\">Def</div>"},
    {"EmptyPopupTextGoesWithItsLinks",
     "<p>" POPUP_LINK("a1", "p1") "term</a></p>"
     "<div class=\"x-popup-text\" id=\"p1\"><span data-buildtags=\"Web\">Def</span></div>",
     "<p>term</p>"},
    {"PopupIdComparisonIsCaseSensitive",
     "<p>" POPUP_LINK("a1", "P1") "t</a></p><div class=\"x-popup-text\" id=\"p1\">D</div>" GONE,
     "<p>" POPUP_LINK("a1", "P1") "t</a></p>"},
    {"OrphanChainIsFollowedToTheEnd",
     "<div class=\"x-popup-text\" id=\"p2\">" POPUP_LINK("a2", "p1") "see</a></div>"
     "<div class=\"x-popup-text\" id=\"p1\">Def</div><p>" GONE "B</p>",
     "<p>B</p>"},
    {"PopupTextLinkingOnlyToItselfStays",
     "<div class=\"x-popup-text\" id=\"p1\">" POPUP_LINK("a1", "p1") "me</a></div>" GONE,
     "<div class=\"x-popup-text\" id=\"p1\">" POPUP_LINK("a1", "p1") "me</a></div>"},
    {"PopupTextWithoutIdIsNoPopup",
     "<div class=\"x-popup-text\">D</div>" GONE, "<div class=\"x-popup-text\">D</div>"},
    // Placeholders
    {"EmptyHeaderPlaceholderLosesOnlyItsOwnTags",
     "<div placeholder id=\"Header\"><span></span>" GONE "</div><p>A</p>",
     "<span></span><p>A</p>"},
    {"FooterWithTextStays",
     "<div placeholder id=\"footer\">F" GONE "</div>",
     "<div placeholder id=\"footer\">F</div>"},
    {"HeaderWithOnlyAnImageStays",
     "<div placeholder id=\"header\"><b><img src=\"a.png\"></b>" GONE "</div>",
     "<div placeholder id=\"header\"><b><img src=\"a.png\"></b></div>"},
    {"OtherPlaceholderStays",
     "<div placeholder id=\"sidebar\">" GONE "</div>", "<div placeholder id=\"sidebar\"></div>"},
};

class CleanupPass : public ::testing::TestWithParam<CleanupCase> {};

TEST_P(CleanupPass, LeavesExpectedDocument) {
  auto filter = MakeFilter("Print");
  EXPECT_EQ(FilterTextOf(*filter, GetParam().html, false), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, CleanupPass, ::testing::ValuesIn(kCleanupCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The popup pass as first written: every cycle walks the whole document
// again. The pass itself walks once and looks again only at what it found.
int ReferencePopupCycle(CHtmlFileEx& document, HtmlFilterPass& pass) {
  struct Found {
    HtmlPosition start, end;
    std::string name;
  };
  std::vector<Found> texts, links;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr || tag->IsDiscardedToken()) continue;
    const HtmlPosition end = document.FindEndTagPosition(at);
    const char* cls = tag->GetAttributeValue("class");
    if (tag->GetTagId() == pagesift::kTagBlockContainer && cls && std::strcmp(cls, "x-popup-text") == 0 &&
        tag->HasAttribute("id") && end) {
      texts.push_back({at, end, tag->GetAttributeValue("id")});
    } else if (tag->GetTagId() == pagesift::kTagAnchor && tag->HasAttribute("x-use-popup") &&
               tag->HasAttribute("x-popup-type") && cls && tag->HasAttribute("id") && end) {
      links.push_back({at, end, std::string(tag->GetAttributeValue("x-use-popup")).substr(1)});
    }
  }
  int deleted = 0;
  for (const Found& text : texts) {
    bool linked = false;
    for (const Found& link : links) linked |= link.name == text.name;
    if (pass.RangeHasContent(text.start, text.end)) {
      if (!linked) deleted |= document.DeleteEntity(text.start);
      continue;
    }
    for (const Found& link : links)
      if (link.name == text.name) deleted |= document.DeleteAnchor(link.start);
    deleted |= document.DeleteEntity(text.start);
  }
  return deleted;
}

// Popup texts and links to them, nested in each other, emptied or not by
// removal, in random documents.
std::string RandomPopupDocument(std::mt19937& random) {
  static const char* const kPieces[] = {
      "<div class=\"x-popup-text\" id=\"p0\">", "<div class=\"x-popup-text\" id=\"p1\">",
      "<div class=\"x-popup-text\" id=\"p2\">", "</div>", "</div>", "<div>", "</a>", "</a>",
      POPUP_LINK("a0", "p0"), POPUP_LINK("a1", "p1"), POPUP_LINK("a2", "p2"), "<p>", "</p>", "text ",
      "<span data-buildtags=\"Web\">", "</span>", GONE, "<img src=\"i.png\">"};
  std::string html = GONE;
  const size_t count = random() % 24;
  for (size_t i = 0; i < count; ++i) html += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
  return html;
}

TEST(PopupPass, OneWalkMatchesWalkingEveryCycle) {
  const auto parser = MakeParser("Print");
  std::mt19937 random(2026);
  for (int i = 0; i < 3000; ++i) {
    const std::string html = RandomPopupDocument(random);
    const auto ours = Analysed(html);
    HtmlFilterPass pass(ours.get(), parser.get());
    pass.Run(kModeRemoveOrphanPopups);
    const auto reference = Analysed(html);
    HtmlFilterPass removal(reference.get(), parser.get());
    removal.Run(0);
    while (ReferencePopupCycle(*reference, removal)) {
    }
    ASSERT_EQ(Saved(*ours), Saved(*reference)) << html;
  }
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
      {"&Mu;", "&Mu;"},  // decodes to two bytes: still a reference
  };
  for (const ItemValueCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(HtmlFilterPass::RelatedTopicFile(c.value), c.file);
  }
  EXPECT_EQ(HtmlFilterPass::RelatedTopicFile(nullptr), "");
}

}  // namespace
}  // namespace bte::test
