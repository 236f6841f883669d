// Removal of excluded elements, through the filter object: where a removed
// element ends when HTML leaves end tags out, nesting of the same kind, end
// tags of enclosing elements, table cells, and how tag lists are read however
// the author wrote them.
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

struct RemovalCase {
  const char* name;
  const char* html;
  const char* expression;
  const char* expected;
};

void PrintTo(const RemovalCase& c, std::ostream* os) { *os << c.name; }

const RemovalCase kRemovalCases[] = {
    {"KeepsIncludedElement", "<p data-buildtags=\"Print\">A</p><p>B</p>", "Print",
     "<p data-buildtags=\"Print\">A</p><p>B</p>"},
    {"RemovesExcludedElement", "<p data-buildtags=\"Print\">A</p><p>B</p>", "Web", "<p>B</p>"},
    {"OmittedEndTagEndsAtNextParagraph", "<div><p data-buildtags=\"Web\">A<p>B</div>", "Print",
     "<div><p>B</div>"},
    {"NestedSameKindEndsAtOwnEndTag",
     "<div data-buildtags=\"Web\">A<div>B</div>C</div><div>D</div>", "Print", "<div>D</div>"},
    // A nested list or table closes before its enclosing item or cell does.
    {"NestedListGoesWithTheList",
     "<ul data-buildtags=\"Web\"><li>A<ul><li>B</li></ul></li><li>C</li></ul><p>D</p>", "Print",
     "<p>D</p>"},
    {"NestedTableGoesWithTheTable",
     "<table data-buildtags=\"Web\"><tr><td><table><tr><td>A</td></tr></table></td><td>B</td></tr>"
     "</table>E",
     "Print", "E"},
    // What an element cannot hold goes with it where HTML keeps it open.
    {"WrappedBlocksGoWithTheInlineElement",
     "<div><span data-buildtags=\"Web\"><p>A</p>B</span></div><p>C</p>", "Print",
     "<div></div><p>C</p>"},
    {"MisplacedParagraphKeepsTheListOpen",
     "<div data-buildtags=\"Web\"><ol><li>A</li><p>B</p><li>C</li></ol>D</div><p>E</p>", "Print",
     "<p>E</p>"},
    {"EnclosingEndTagStopsAndStays", "<div><span data-buildtags=\"Web\">A<b>B</div>C", "Print",
     "<div></div>C"},
    {"StrayParagraphEndTagGoesWithBlock",
     "<div data-buildtags=\"Web\"><p>A<div>B</div></p>C</div>E", "Print", "E"},
    {"StrayInlineEndTagGoesWithBlock", "<div data-buildtags=\"Web\"><p>A</b>B</p></div>E",
     "Print", "E"},
    // HTML ignores an end tag that reaches no open element: what follows it
    // still belongs to the removed element.
    {"EndTagOfNothingOpenGoesWithElement", "<p data-buildtags=\"Web\">A</div>B</p>C", "Print", "C"},
    // Content after the end tag of the body or the document goes back into
    // the elements still open; only whitespace and comments after it end them.
    {"BodyEndTagBeforeContentGoesWithElement",
     "<div data-buildtags=\"Web\">A</body>B</div>C</body></html>", "Print", "C</body></html>"},
    {"DocumentEndTagBeforeContentGoesWithElement", "<p data-buildtags=\"Web\">A</html><p>B",
     "Print", "<p>B"},
    {"DocumentEndTagClosesNothingAround",
     "<html><body><dl><dt>A</html><dd data-buildtags=\"Web\">B</dl>C</body></html>", "Print",
     "<html><body><dl><dt>A</html></dl>C</body></html>"},
    {"BodyEndTagAtDocumentEndStays",
     "<div data-buildtags=\"Web\">A</body>\n<!-- end -->\n</html>\n", "Print",
     "</body>\n<!-- end -->\n</html>\n"},
    {"WrongCellEndTagGoesWithTable",
     "<table data-buildtags=\"Web\"><tr><td>A</th></tr><tr><td>B</td></tr></table>C", "Print", "C"},
    {"EndTagPastCellGoesWithElement",
     "<div><table><tr><td>A<p data-buildtags=\"Web\">B</div>C</td></tr></table></div>D", "Print",
     "<div><table><tr><td>A</td></tr></table></div>D"},
    {"OwnEndTagInsideCellGoesWithElement",
     "<div data-buildtags=\"Web\"><table><tr><td>A</div>B</td></tr></table>C</div>D", "Print", "D"},
    {"SpanEndTagInsideBlockGoesWithSpan",
     "<span data-buildtags=\"Web\">A<div>B</span>C</div>D</span>E", "Print", "E"},
    {"ParagraphEndedByRemovedBlockStaysEnded", "<p>A<div data-buildtags=\"Web\">B</p>C</div>D",
     "Print", "<p>AD"},
    {"SpanEndTagInsideListKeepsTheList",
     "<ul><li data-buildtags=\"Web\">A<span>B<ul><li>C</span><li>D</ul>E<li>F</ul>", "Print",
     "<ul><li>F</ul>"},
    {"OuterRowEndTagGoesWithInnerTable",
     "<table><tr><td><table data-buildtags=\"Web\"><td>A</tr>B</table>C</td></tr></table>", "Print",
     "<table><tr><td>C</td></tr></table>"},
    {"TemplateEndTagClosesOverOpenCells",
     "<table data-buildtags=\"Web\"><template><tr><td>A</template></table>B", "Print", "B"},
    // A heading's end tag closes a heading of any level.
    {"OtherLevelEndTagEndsRemovedHeading", "<h3 data-buildtags=\"Web\">A</h2><p>B</p>", "Print",
     "<p>B</p>"},
    {"OtherLevelEndTagEndsHeadingAround",
     "<h2>A<span data-buildtags=\"Web\">B</h3>C</span>D", "Print", "<h2>A</h3>C</span>D"},
    // A start tag closes an open list item, term or definition of its kind
    // only past phrasing elements, divisions and paragraphs, and a heading
    // only when nothing but a paragraph is open inside it.
    {"ItemStartInsidePreformattedStaysInItem",
     "<ul><li data-buildtags=\"Web\">A<pre>B<li>C</pre>D</li><li>E</ul>F", "Print", "<ul><li>E</ul>F"},
    {"TermStartInsideHeadingStaysInDefinition",
     "<dl><dd data-buildtags=\"Web\">A<h2>B<dt>C</h2>D</dd>E</dl>F", "Print", "<dl>E</dl>F"},
    {"HeadingStartInsideBlockStaysInHeading",
     "<h3 data-buildtags=\"Web\">A<pre>B<h3>C</h3>D</pre>E</h3>F", "Print", "F"},
    {"HeadingStartPastParagraphEndsHeading", "<h3 data-buildtags=\"Web\">A<p>B<h2>C</h2>D", "Print",
     "<h2>C</h2>D"},
    {"ItemStartPastDivisionEndsItem", "<ul><li data-buildtags=\"Web\">A<div>B<li>C</ul>D", "Print",
     "<ul><li>C</ul>D"},
    // A start tag that ends an element around the removed one ends it too.
    {"BlockStartEndsParagraphAroundRemovedSpan",
     "<p>A<span data-buildtags=\"Web\">B<div>C</div>D</span>E", "Print", "<p>A<div>C</div>D</span>E"},
    {"ItemStartEndsItemAroundRemovedSpan", "<ul><li>A<span data-buildtags=\"Web\">B<li>C</ul>D",
     "Print", "<ul><li>A<li>C</ul>D"},
    {"HeadingStartKeepsHeadingAroundRemovedSpan",
     "<h2>A<span data-buildtags=\"Web\">B<h3>C</h3>D</span>E", "Print", "<h2>AE"},
    // Without a doctype, or under an old one, browsers keep a paragraph open
    // around a table (quirks mode); under a current one the table ends it.
    {"QuirksParagraphHoldsTable", "<p data-buildtags=\"Web\">A<table><tr><td>B</table>C<p>D", "Print",
     "<p>D"},
    {"OldDoctypeParagraphHoldsTable",
     "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\"><p data-buildtags=\"Web\">A<table><tr>"
     "<td>B</table>C<p>D",
     "Print", "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\"><p>D"},
    {"StandardParagraphEndsAtTable",
     "<!DOCTYPE html><p data-buildtags=\"Web\">A<table><tr><td>B</table>C<p>D", "Print",
     "<!DOCTYPE html><table><tr><td>B</table>C<p>D"},
    {"QuirksParagraphKeepsRemovedSpanOpenAroundTable",
     "<p>A<span data-buildtags=\"Web\">B<table><tr><td>C</table>D</span>E", "Print", "<p>AE"},
    {"StandardTableEndsParagraphAroundRemovedSpan",
     "<!DOCTYPE html><p>A<span data-buildtags=\"Web\">B<table><tr><td>C</table>D</span>E", "Print",
     "<!DOCTYPE html><p>A<table><tr><td>C</table>D</span>E"},
    // HTML ignores a table's part where no table is open: it ends nothing,
    // and no end tag stops at it.
    {"StrayCellKeepsParagraphOpen", "<p data-buildtags=\"Web\">A<td>B</p>C", "Print", "C"},
    {"CellAfterTableInParagraphIsStray",
     "<p data-buildtags=\"Web\">A<table><tr><td>B</table>C<td>D</p>E", "Print", "E"},
    {"StrayCellLetsItemEndTagThrough", "<ul><li data-buildtags=\"Web\">A<td>B</li><li>C</ul>", "Print",
     "<ul><li>C</ul>"},
    {"StrayCellBeforeRemovalClosesNothingAround",
     "<div><td>A<p data-buildtags=\"Web\">B</td>C</div>D", "Print", "<div><td>A</div>D"},
    // A table's start tag outside a cell closes the table it stands in.
    {"TableStartTagClosesTableAroundFollowingRemoval",
     "<table><table data-buildtags=\"Web\"></table><label data-buildtags=\"Web\"></table>A", "Print", "<table>"},
    {"TableStartTagEndsRemovedElementOutsideCells",
     "<table><label data-buildtags=\"Web\">x<table>y</table>z</table>w", "Print",
     "<table><table>y</table>z</table>w"},
    {"TableStartTagClosesTableInsideRemovedElement",
     "<div data-buildtags=\"Web\"><table>a<table>b</table>c</div>d", "Print", "d"},
    {"TableStartTagEndsRemovedRow", "<table><tr data-buildtags=\"Web\"><td>a</td><table>y</table>z", "Print",
     "<table><table>y</table>z"},
    // Whatever else is open in the table: HTML sets it before the table.
    {"TableStartTagClosesTableAcrossMisplacedItem",
     "<table><dt><table data-buildtags=\"Web\"></table><label data-buildtags=\"Web\"><dd>A", "Print",
     "<table><dt>"},
    {"TableStartTagEndsRemovedMisplacedBlock", "<table><div data-buildtags=\"Web\">x<table>y</table>z</div>w",
     "Print", "<table><table>y</table>z</div>w"},
    {"TableStartTagClosesInnerTableInCell",
     "<table><tr><td><table><label data-buildtags=\"Web\">x<table>y</table>z</table>w</td></tr></table>v", "Print",
     "<table><tr><td><table><table>y</table>z</table>w</td></tr></table>v"},
    {"TableInCaptionIsNested",
     "<table><caption><span data-buildtags=\"Web\">x<table>y</table>z</span></caption></table>w", "Print",
     "<table><caption></caption></table>w"},
    // An excluded stray part goes as an element; its end tag, which HTML
    // ignores too, leaves what is open inside it open, to go with it.
    {"StrayRowEndTagLeavesTaggedElementInsideOpen",
     "<tr data-buildtags=\"Web\"><font data-buildtags=\"Web\">A</tr>B", "Print", ""},
    {"StrayRowGoesUntilWhatOpenedInsideCloses", "<tr data-buildtags=\"Web\"><font>A</tr>B</font>C", "Print",
     "C"},
    {"StrayRowWithNothingOpenEndsAtItsEndTag", "<tr data-buildtags=\"Web\">A</tr>B", "Print", "B"},
    {"CellInsideTableAroundStillEndsParagraph",
     "<table><tr><td><p data-buildtags=\"Web\">A<td>B</table>", "Print", "<table><tr><td><td>B</table>"},
    // In a cell, a table's part closes the cell and all that is open in it.
    {"CellStartClosesRemovedDivision", "<table><tr><td>A<div data-buildtags=\"Web\">B<td>C</table>", "Print",
     "<table><tr><td>A<td>C</table>"},
    {"RowStartClosesRemovedList", "<table><tr><td>A<ul data-buildtags=\"Web\"><li>B<tr><td>C</table>",
     "Print", "<table><tr><td>A<tr><td>C</table>"},
    {"CellStartInNestedTableStaysInside",
     "<table><tr><td>A<div data-buildtags=\"Web\">B<table><tr><td>C<td>D</table>E<td>F</table>G", "Print",
     "<table><tr><td>A<td>F</table>G"},
    {"CellStartInTemplateStaysInside",
     "<table><tr><td>A<div data-buildtags=\"Web\"><template><td>B</template>C</div>D</table>", "Print",
     "<table><tr><td>AD</table>"},
    // A formatting element's end tag leaves the blocks opened inside it
    // open: a kept one keeps its start tag, an excluded one is removed on
    // to its own end.
    {"ExcludedBlockOutlivesFormattingEndTag",
     "<font data-buildtags=\"Web\"><div data-buildtags=\"Web\">A</font>B</div>C", "Print", "C"},
    {"ExcludedInnerBlockOutlivesFormattingEndTag",
     "<b data-buildtags=\"Web\"><div>A<p data-buildtags=\"Web\">B</b>C</p>D</div>E", "Print", "<div>D</div>E"},
    {"BlocksInsideOutlivingBlockStayOpen",
     "<b data-buildtags=\"Web\"><div data-buildtags=\"Web\">A<div>B</b>C</div>D</div>E", "Print", "E"},
    {"OutermostExcludedBlockGoesOn",
     "<b data-buildtags=\"Web\"><div data-buildtags=\"Web\">A<div data-buildtags=\"Web\">B</b>C</div>D</div>E",
     "Print", "E"},
    {"BlockInsideClosesWithItemEndTag",
     "<ul><li data-buildtags=\"Web\"><div data-buildtags=\"Web\">A</li>B</div>C</ul>", "Print",
     "<ul>B</div>C</ul>"},
    {"ItemOutlivesFormattingEndTag",
     "<i data-buildtags=\"Web\"><ul><li data-buildtags=\"Web\">A</i>B<li>C</ul>D", "Print",
     "<ul><li>C</ul>D"},
    {"FormattingEndTagInsideRemovalKeepsBlocksOpen",
     "<div data-buildtags=\"Web\"><b><div>A</b>B</div>C</div>D", "Print", "D"},
    {"FormattingEndTagBeforeRemovalKeepsItemAround",
     "<ul><b><li>A</b><span data-buildtags=\"Web\">B</li>C</span>D</ul>E", "Print",
     "<ul><b><li>A</b></li>C</span>D</ul>E"},
    // A formatting element closed by something else stays active in HTML:
    // the next end tag of its kind closes it and nothing older, up to the
    // end of the cell it stands in. Around an inline element, HTML reopens
    // it as a copy, which that end tag closes with the element.
    {"EndTagClosesInnerActiveFormattingNotOuter",
     "<i>O<span data-buildtags=\"Web\">A<div><i>B</div></i>C</span>D</i>E", "Print", "<i>OD</i>E"},
    {"RemovedFormattingOutlivesInnerOnesEndTag", "<b data-buildtags=\"Web\">A<p><b>B</p></b>C</b>D", "Print",
     "D"},
    {"ActiveFormattingBeforeRemovedBlockTakesEndTag",
     "<i>O<p><i>A</p><div data-buildtags=\"Web\">B</i>C</div>D</i>E", "Print", "<i>O<p><i>A</p></i>D</i>E"},
    {"EndTagOfActiveFormattingLeavesOuterOpenAround",
     "<i>O<p><i>A</p></i><span data-buildtags=\"Web\">B</i>C</span>D</i>E", "Print",
     "<i>O<p><i>A</p></i></i>C</span>D</i>E"},
    {"ActiveFormattingEndsWithItsCell",
     "<b data-buildtags=\"Web\">A<table><tr><td><p><b>B</p>C</td></tr></table></b>D", "Print", "D"},
    {"ActiveFormattingReopenedAroundInlineElement",
     "<div><b>O<p><b>A</p><span data-buildtags=\"Web\">B</b>C</span>D</b>E</div>", "Print",
     "<div><b>O<p><b>A</p></b>C</span>D</b>E</div>"},
    // At text, HTML opens active formatting elements again as copies over
    // the current element: over a removed heading, the next heading's start
    // tag then goes inside it rather than ending it.
    {"HeadingGoesInsideRemovedHeadingUnderReopenedFormatting",
     "<p><em>A</p><h2 data-buildtags=\"Web\">B<h2>C</h2>D", "Print", "<p><em>A</p>"},
    {"WhitespaceReopensFormattingOverRemovedHeading",
     "<p><em>A</p><h2 data-buildtags=\"Web\"> <h2>C</h2>D", "Print", "<p><em>A</p>"},
    {"FormattingClosedInsideRemovedHeadingReopens",
     "<h2 data-buildtags=\"Web\">B<span><i>x</span>y<h2>C</h2>D", "Print", ""},
    {"ParagraphInsideRemovedHeadingClosesAboveCopies",
     "<p><em>A</p><h2 data-buildtags=\"Web\">B<p>q<h2>C</h2>D", "Print", "<p><em>A</p>"},
    {"HeadingEndsRemovedHeadingBeforeAnyText",
     "<p><em>A</p><h2 data-buildtags=\"Web\"><h2>C</h2>D", "Print", "<p><em>A</p><h2>C</h2>D"},
    {"HeadingEndsRemovedHeadingOnceCopyClosed",
     "<p><em>A</p><h2 data-buildtags=\"Web\">B</em><h2>C</h2>D", "Print", "<p><em>A</p></em><h2>C</h2>D"},
    {"HeadingEndsRemovedHeadingWithoutTextSinceFormattingClosed",
     "<h2 data-buildtags=\"Web\">B<span><i>x</span><h2>C</h2>D", "Print", "<h2>C</h2>D"},
    {"FormattingReopenedBeforeRemovedHeadingStaysOutside",
     "<p><em>A</p> <h2 data-buildtags=\"Web\">B<h2>C</h2>D", "Print", "<p><em>A</p> <h2>C</h2>D"},
    {"CellKeepsFormattingOutsideFromReopening",
     "<p><em>A</p><table><tr><td><h2 data-buildtags=\"Web\">B<h2>C</h2>D</td></tr></table>E", "Print",
     "<p><em>A</p><table><tr><td><h2>C</h2>D</td></tr></table>E"},
    // A link's start tag closes an open link first, as the link's end tag
    // would: blocks opened inside the link stay open.
    {"LinkStartTagClosesLinkInsideLeavingBlocksOpen",
     "<dl><dt data-buildtags=\"Web\">x<a>y<dl>z<a>C</a>D<dd>E</dl>F", "Print", "<dl>"},
    {"LinkStartTagEndsRemovedLinkLeavingBlocksOpen",
     "<a data-buildtags=\"Web\">x<div>y<a>C</a>D</div>E", "Print", "<div><a>C</a>D</div>E"},
    {"LinkStartTagEndsRemovedLinkAcrossInlineElements",
     "<a data-buildtags=\"Web\">x<span>y<a>C</a>D</span>E", "Print", "<a>C</a>D</span>E"},
    {"LinkStartTagClosesLinkAroundInlineElement", "<a>x<span data-buildtags=\"Web\">y<a>C</a>D</span>E",
     "Print", "<a>x<a>C</a>D</span>E"},
    {"LinkStartTagLeavesRemovedBlockOpen", "<a>x<div data-buildtags=\"Web\">y<a>C</a>D</div>E", "Print",
     "<a>xE"},
    {"LinkStartTagBeforeRemovalClosesWhatLinkHeld",
     "<a>x<span>y<a>z<b data-buildtags=\"Web\">w</span>v</b>u", "Print", "<a>x<span>y<a>zu"},
    {"LinkStartTagInCellLeavesRemovedLinkOpen",
     "<a data-buildtags=\"Web\">x<table><tr><td><a>C</a></td></tr></table>D</a>E", "Print", "E"},
    // Where it closes a formatting element around a removed block, it stays.
    {"FormattingEndTagInsideRemovedBlockStays", "<b>A<div data-buildtags=\"Web\">B</b>C</div>D", "Print",
     "<b>A</b>D"},
    {"FormattingEndTagOfNothingGoesWithBlock", "<div data-buildtags=\"Web\">B</b>C</div>D", "Print", "D"},
    {"FormattingEndTagInsideCellGoesWithTable",
     "<b>A<table data-buildtags=\"Web\"><tr><td>B</b>C</td></tr></table>D", "Print", "<b>AD"},
    {"BlockClosedInsideFormattingElementGoes", "<b data-buildtags=\"Web\"><div>A</div>B</b>C", "Print",
     "C"},
    {"KeptBlockOutlivesFormattingEndTag", "<font data-buildtags=\"Web\"><div>A</font>B</div>C", "Print",
     "<div>B</div>C"},
    {"InlineElementsInsideCloseWithFormattingEndTag",
     "<b data-buildtags=\"Web\"><p>A<span data-buildtags=\"Web\">B</b>C</span>D</p>E", "Print",
     "<p>C</span>D</p>E"},
    {"InlineElementInsideParagraph", "<p>A <b data-buildtags=\"Web\">B</b> C</p>", "Print",
     "<p>A  C</p>"},
    {"ListItemWithoutEndTag",
     "<ul><li>A<li data-buildtags=\"Web\">B<ul><li>C</ul><li>D</ul>", "Print",
     "<ul><li>A<li>D</ul>"},
    {"ElementInsideRemovedOneIsNotRevisited",
     "<div data-buildtags=\"Web\"><p data-buildtags=\"Print\">A</p></div><p>B</p>", "Print",
     "<p>B</p>"},
    {"RegionRunsToEndOfDocument", "<div><p data-buildtags=\"Web\">A<b>B", "Print", "<div>"},
    {"RemovedTableRowKeepsTable",
     "<table><tr data-buildtags=\"Web\"><td>A</td></tr><tr><td>B</td></tr></table>", "Print",
     "<table><tr><td>B</td></tr></table>"},
    // An excluded cell keeps its tags, marked. (Without its end tag, the
    // repair's content check walks on into the next cell and finds B.)
    {"ExcludedCellWithoutEndTagEndsAtNextCell",
     "<table><tr><td data-buildtags=\"Web\">A<td>B</table>", "Print",
     "<table><tr><td data-buildtags=\"Web\" discard=\"yes\"><td>B</table>"},
    // Tag lists as authors write them.
    {"CommaSeparatedTagsAreOneSet", "<p data-buildtags=\"Web,Beta\">A</p><p>B</p>", "Web & ~Beta",
     "<p>B</p>"},
    {"SemicolonSeparatedTags", "<p data-buildtags=\"Web; Beta\">A</p><p>B</p>", "Web & ~Beta",
     "<p>B</p>"},
    {"TagSetBrokenOverCrLf", "<p data-buildtags=\"Print;\r\nWeb\">A</p><p>B</p>", "NOT Web",
     "<p>B</p>"},
    {"CrLfBeforeTheSeparator", "<p data-buildtags=\"Web\r\n;Print\">A</p><p>B</p>", "NOT Web",
     "<p>B</p>"},
    {"AttributeNameInCapitals", "<p DATA-BUILDTAGS=\"Print\">A</p><p>B</p>", "NOT Print",
     "<p>B</p>"},
    {"EmptyTagListIsUntagged", "<p data-buildtags=\"\">A</p>", "Web",
     "<p data-buildtags=\"\">A</p>"},
    {"CommentClosedByDashDashBangEndsThere",
     "<!-- a --!><p data-buildtags=\"Print\">A</p><p>B</p>", "NOT Print",
     "<!-- a --!><p>B</p>"},
};

class ElementRemoval : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(ElementRemoval, LeavesExpectedDocument) {
  EXPECT_EQ(FilterTextOf(*MakeFilter(GetParam().expression), GetParam().html, false),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ElementRemoval, ::testing::ValuesIn(kRemovalCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Content placed where its container does not normally hold it is marked
// as the removal scan meets it: text-level content straight in a table, an
// image in preformatted text. Proper table parts are not marked.
TEST(ElementRemoval, MarksMisplacedContent) {
  auto filter = MakeFilter("Print");
  const auto document = Analysed(
      "<table data-buildtags=\"Web\"><p>x</p><tr><td>y</td></tr></table>"
      "<pre data-buildtags=\"Web\"><img src=\"a\"><b>z</b></pre>");
  ASSERT_EQ(filter->FilterDocument(*document), S_OK);
  std::string marked;
  for (HtmlPosition at = document->GetTokenList()->GetHeadPosition(); at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag != nullptr && !tag->IsEndTag() && (tag->GetTokenFlag() & pagesift::kTokenFlagMisplaced))
      marked += std::string(tag->GetTagName()) + " ";
  }
  EXPECT_EQ(marked, "p img ");
}

// Nesting deeper than any call stack would take: the scan keeps its own
// stack of open inline elements, and the nesting counter handles the
// same-kind levels.
TEST(ElementRemoval, DeepNestingNeedsNoRecursion) {
  constexpr int kDepth = 100000;
  std::string html = "<div data-buildtags=\"Web\">";
  for (int i = 0; i < kDepth; ++i) html += "<div>";
  for (int i = 0; i < kDepth; ++i) html += "<span>";
  html += "deep";
  for (int i = 0; i < kDepth; ++i) html += "</span>";
  for (int i = 0; i < kDepth; ++i) html += "</div>";
  html += "</div><p>after</p>";
  EXPECT_EQ(FilterTextOf(*MakeFilter("Print"), html, false), "<p>after</p>");
}

}  // namespace
}  // namespace bte::test
