// Where an element whose end tag may be omitted ends, as the library finds it.
// (A p, li, tr or dd running past the tag that closes it is the gumbo
// agreement test's to find, on its generated documents.)
#include <string>

#include <gtest/gtest.h>

#include "tests/pagesift/html_test_support.h"

namespace {

using bte::testing::Analysed;

// The element's source from its start tag through its last token, without
// the whitespace that travels with that token.
std::string ExtentOfFirstCandidate(const CHtmlPack& document, const std::string& html) {
  HtmlPosition start = document.GetCandidatePosition(0);
  HtmlPosition last = document.FindElementEnd(start);
  const CHtmlTagItem* lastTag = document.GetTagItem(last);
  std::string_view lastText = lastTag ? lastTag->GetTagText() : last->GetSourceText();
  size_t begin = bte::testing::OffsetOf(document, document.GetTagItem(start)->GetTagText().data());
  size_t end = bte::testing::OffsetOf(document, lastText.data()) + lastText.size();
  return html.substr(begin, end - begin);
}

struct ExtentCase {
  const char* html;    // the element of interest carries data-buildtags
  const char* extent;  // its source up to its last token
  bool endTag;         // closed by its own end tag
};

class Extents : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(Extents, FollowHtmlContainment) {
  auto document = Analysed(GetParam().html);
  ASSERT_EQ(document->GetCandidateCount(), 1u);
  EXPECT_EQ(ExtentOfFirstCandidate(*document, GetParam().html), GetParam().extent);
  HtmlPosition end = document->FindEndTagPosition(document->GetCandidatePosition(0));
  EXPECT_EQ(end != nullptr, GetParam().endTag);
}

#define T " data-buildtags=x"
INSTANTIATE_TEST_SUITE_P(
    Documents, Extents,
    ::testing::Values(
        ExtentCase{"<p" T ">a<b>c</b><br>d</p>e", "<p" T ">a<b>c</b><br>d</p>", true},
        ExtentCase{"<div><p" T ">a</div>b", "<p" T ">a", false},
        ExtentCase{"<li" T ">a<ul><li>b</li></ul></li><li>c", "<li" T ">a<ul><li>b</li></ul></li>", true},
        ExtentCase{"<li" T ">a<ul><li>b<li>c</ul>d<li>e", "<li" T ">a<ul><li>b<li>c</ul>d", false},
        ExtentCase{"<tr><td" T ">a<td>b", "<td" T ">a", false},
        ExtentCase{"<td" T "><p>a</p><tr>", "<td" T "><p>a</p>", false},
        ExtentCase{"<td" T ">a</tr>", "<td" T ">a", false},
        ExtentCase{"<th" T ">a<td>b", "<th" T ">a", false},
        ExtentCase{"<tbody" T "><tr><td>a<tfoot>", "<tbody" T "><tr><td>a", false},
        ExtentCase{"<table" T "><tr><td>a<table><tr><td>b</table>c</table>d",
                   "<table" T "><tr><td>a<table><tr><td>b</table>c</table>", true},
        // A table's start tag outside its cells closes it.
        ExtentCase{"<table" T "><tr><td>a</td></tr><table>b</table>", "<table" T "><tr><td>a</td></tr>", false},
        ExtentCase{"<table" T "><caption>a<table>b</table>c</caption></table>d",
                   "<table" T "><caption>a<table>b</table>c</caption></table>", true},
        ExtentCase{"<dl><dt" T ">a<dd>b</dl>", "<dt" T ">a", false},
        ExtentCase{"<dd" T ">b<dd>c", "<dd" T ">b", false},
        ExtentCase{"<dd" T "><dl><dt>x<dd>y</dl>z<dt>", "<dd" T "><dl><dt>x<dd>y</dl>z", false},
        ExtentCase{"<select><option" T ">a<option>b</select>", "<option" T ">a", false},
        ExtentCase{"<option" T ">a</select>", "<option" T ">a", false},
        ExtentCase{"<div" T "><div>a</div>b</div>c", "<div" T "><div>a</div>b</div>", true},
        ExtentCase{"<div" T "><p>a</b>c</div>", "<div" T "><p>a</b>c</div>", true},
        ExtentCase{"<div" T "><p>a<div>b</div></p>c</div>", "<div" T "><p>a<div>b</div></p>c</div>", true},
        ExtentCase{"<span" T ">a</b>c</span>", "<span" T ">a", false},
        // HTML keeps these open around what they cannot hold.
        ExtentCase{"<span" T "><p>a</p>b</span>c", "<span" T "><p>a</p>b</span>", true},
        ExtentCase{"<ul" T "><p>a</p><li>b</ul>c", "<ul" T "><p>a</p><li>b</ul>", true},
        ExtentCase{"<li" T ">a<b>b<li>c", "<li" T ">a<b>b", false},
        ExtentCase{"<a" T " href=1>a<a href=2>b", "<a" T " href=1>a", false},
        ExtentCase{"<h1" T ">a<h2>b", "<h1" T ">a", false},
        ExtentCase{"<h1" T ">a<p>b<h2>c", "<h1" T ">a<p>b", false},
        ExtentCase{"<h1" T ">a<pre>b<h2>c</h2>d</pre>e</h1>f", "<h1" T ">a<pre>b<h2>c</h2>d</pre>e</h1>", true},
        ExtentCase{"<li" T ">a<pre>b<li>c</pre>d</li>e", "<li" T ">a<pre>b<li>c</pre>d</li>", true},
        ExtentCase{"<li" T ">a<div>b<li>c", "<li" T ">a<div>b", false},
        ExtentCase{"<h1" T ">a<b>b</b></h1>", "<h1" T ">a<b>b</b></h1>", true},
        // A heading's end tag closes a heading of any level.
        ExtentCase{"<h3" T ">a</h2>b", "<h3" T ">a</h2>", true},
        ExtentCase{"<div" T "><h2>a</h3>b</div>c", "<div" T "><h2>a</h3>b</div>", true},
        // A formatting element's end tag leaves the blocks opened in it open.
        ExtentCase{"<div" T "><b><div>a</b>b</div>c</div>d", "<div" T "><b><div>a</b>b</div>c</div>", true},
        ExtentCase{"<object" T "><param name=a><param name=b></object>x",
                   "<object" T "><param name=a><param name=b></object>", true},
        ExtentCase{"<p" T ">a<!-- c -->b<p>", "<p" T ">a<!-- c -->b", false},
        ExtentCase{"<p" T ">a<script>s</script>b<p>", "<p" T ">a<script>s</script>b", false},
        ExtentCase{"<img" T ">text<b>", "<img" T ">", true},
        // An end tag that a block or cell between hides is dropped, as browsers do.
        ExtentCase{"<custom" T ">a<p>b</custom>c", "<custom" T ">a<p>b</custom>c", false},
        ExtentCase{"<div" T "><table><tr><td>a</div>b</td></tr></table>c</div>d",
                   "<div" T "><table><tr><td>a</div>b</td></tr></table>c</div>", true},
        ExtentCase{"<custom" T "/>a", "<custom" T "/>", true},
        ExtentCase{"<p" T ">runs to the end", "<p" T ">runs to the end", false}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.html, T); });
#undef T

// Whether an open paragraph holds a table, as browsers read the document:
// in quirks mode it does. The mode is the doctype's, as HTML lists them,
// decided at the first token that is no whitespace or comment.
struct ModeCase {
  const char* before;  // what comes before the paragraph
  bool quirks;
};

class DocumentMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(DocumentMode, DecidesWhetherAParagraphHoldsATable) {
  const std::string html = std::string(GetParam().before) + "<p data-buildtags=x>a<table><tr><td>b</table>c<p>d";
  auto document = Analysed(html);
  ASSERT_EQ(document->GetCandidateCount(), 1u);
  EXPECT_EQ(ExtentOfFirstCandidate(*document, html),
            GetParam().quirks ? "<p data-buildtags=x>a<table><tr><td>b</table>c" : "<p data-buildtags=x>a");
}

INSTANTIATE_TEST_SUITE_P(
    Doctypes, DocumentMode,
    ::testing::Values(
        ModeCase{"", true}, ModeCase{"<!DOCTYPE html>", false}, ModeCase{"\n \t<!doctype HTML>", false},
        ModeCase{"\xEF\xBB\xBF<!DOCTYPE html>", false}, ModeCase{"\xEF\xBB\xBF", true},
        ModeCase{"<!-- first --><!DOCTYPE html>", false}, ModeCase{"<?xml version=\"1.0\"?><!DOCTYPE html>", false},
        ModeCase{"text<!DOCTYPE html>", true}, ModeCase{"<html><!DOCTYPE html>", true},
        ModeCase{"<!DOCTYPE>", true}, ModeCase{"<!DOCTYPE svg>", true}, ModeCase{"<!DOCTYPEhtml>", false},
        ModeCase{"<!DOCTYPE html SYSTEM \"about:legacy-compat\">", false},
        ModeCase{"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">", true},
        ModeCase{"<!doctype html public '-//w3c//dtd html 3.2 final//en'>", true},
        ModeCase{"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">", true},
        ModeCase{"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">", true},
        ModeCase{"<!DOCTYPE HTML PUBLIC \"HTML\">", true},
        ModeCase{"<!DOCTYPE HTML PUBLIC \"HTML 4\">", false},
        ModeCase{"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">", true},
        ModeCase{"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\">", true},
        ModeCase{"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                 "\"http://www.w3.org/TR/html4/loose.dtd\">", false},
        ModeCase{"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">", false},
        ModeCase{"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                 "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">", false},
        // Malformed: identifiers not quoted, cut off or missing; words after
        // the system identifier are only ignored.
        ModeCase{"<!DOCTYPE html PUBLIC>", true}, ModeCase{"<!DOCTYPE html PUBLIC -//W3C//DTD HTML 4.01//EN>", true},
        ModeCase{"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN>", true},
        ModeCase{"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\" junk>", true},
        ModeCase{"<!DOCTYPE html STRICT>", true}, ModeCase{"<!DOCTYPE html SYSTEM \"x\" junk>", false}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Extents, SkipDiscardedTokens) {
  auto document = Analysed("<div data-buildtags=x><div>a</div></div>b");
  HtmlPosition start = document->GetCandidatePosition(0);
  HtmlPosition innerEnd = CHtmlTokenList::GetNext(CHtmlTokenList::GetNext(CHtmlTokenList::GetNext(start)));
  innerEnd->DiscardToken();  // the inner </div>: the outer one now closes the inner
  EXPECT_EQ(document->FindEndTagPosition(start), nullptr);
}

TEST(Extents, TenThousandDeepNestingNeedsNoRecursion) {
  std::string html = "<section data-buildtags=x>";
  for (int i = 0; i < 10000; ++i) html += "<div><blockquote>";
  for (int i = 0; i < 10000; ++i) html += "</blockquote></div>";
  html += "</section>tail";
  auto document = Analysed(html);
  HtmlPosition end = document->FindEndTagPosition(document->GetCandidatePosition(0));
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end, CHtmlTokenList::GetPrev(document->GetTokenList()->GetTailPosition()));
  EXPECT_EQ(document->DeleteEntity(document->GetCandidatePosition(0)), 1);
  EXPECT_EQ(bte::testing::Saved(*document), "tail");
}

}  // namespace
