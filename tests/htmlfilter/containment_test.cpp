// The containment rules have two users: the HTML library, which finds where
// an element ends, and the filter's removal scan. Walked over every pair of
// element kinds (an excluded element, then one start tag), both must place
// the tag on the same side of the element's end. An end tag that closes
// nothing the filter keeps inside the removed element, as HTML ignores it.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "filter_support.h"

namespace bte::test {
namespace {

// Element names the library knows, and one it does not.
std::vector<std::string> ElementKinds() {
  std::vector<std::string> kinds;
  for (size_t i = 0; CHtmlTagItem::GetKnownTagName(i) != nullptr; ++i)
    kinds.emplace_back(CHtmlTagItem::GetKnownTagName(i));
  kinds.emplace_back("custom-element");
  return kinds;
}

// What may follow an opened element: start tags of every kind, a
// self-closed unknown element and markup. Each carries the word "probe".
std::vector<std::string> FollowingTags(const std::vector<std::string>& kinds) {
  std::vector<std::string> tags;
  for (const std::string& kind : kinds) tags.push_back("<" + kind + " class=probe>");
  tags.insert(tags.end(), {"<custom-probe/>", "<!--probe-->", "<!doctype probe>", "<?probe?>"});
  return tags;
}

HtmlPosition FindProbe(const CHtmlFileEx& document) {
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at != nullptr; at = CHtmlTokenList::GetNext(at))
    if (at->GetSourceText().find("probe") != std::string_view::npos) return at;
  return nullptr;
}

// The library: the probe lies between the element's start and its last token.
bool LibraryHolds(const std::string& html) {
  const auto document = Analysed(html);
  const HtmlPosition start = document->GetCandidatePosition(0);
  const HtmlPosition last = document->FindElementEnd(start);
  const HtmlPosition probe = FindProbe(*document);
  for (HtmlPosition at = start; at != nullptr && probe != nullptr; at = CHtmlTokenList::GetNext(at)) {
    if (at == probe) return true;
    if (at == last) break;
  }
  return false;
}

// The filter: removing the element discards the probe.
bool FilterRemoves(const std::string& html, IBuildTagExprParser* parser) {
  const auto document = Analysed(html);
  HtmlFilterPass(document.get(), parser).RemoveExcludedElements();
  const HtmlPosition probe = FindProbe(*document);
  return probe != nullptr && probe->IsDiscardedToken();
}

const char* const kTableParts[] = {"caption", "col", "colgroup", "tbody", "td", "tfoot", "th", "thead", "tr"};

bool IsTablePart(const std::string& kind) {
  return std::find(std::begin(kTableParts), std::end(kTableParts), kind) != std::end(kTableParts);
}

// The element name of a following tag ("<td class=probe>": td).
std::string NameOf(const std::string& tag) { return tag.substr(1, tag.find_first_of(" />") - 1); }

TEST(ContainmentUsers, AgreeOnEveryPairOfElementKinds) {
  const auto parser = MakeParser("NOT Gone");
  const std::vector<std::string> kinds = ElementKinds();
  size_t held = 0;
  size_t ended = 0;
  for (const std::string& container : kinds) {
    for (const std::string& tag : FollowingTags(kinds)) {
      const std::string html = "<" + container + " data-buildtags=Gone>" + tag;
      const bool holds = LibraryHolds(html);
      ++(holds ? held : ended);
      const std::string inCell = "<table><tr><td>" + html;
      if (!IsTablePart(NameOf(tag)) || container == "table") {
        ASSERT_EQ(FilterRemoves(html, parser.get()), holds) << html;
      } else if (IsTablePart(container)) {
        ASSERT_EQ(FilterRemoves(inCell, parser.get()), holds) << inCell;
      } else {
        // HTML ignores a table's part outside any table, as it does a
        // comment, and in a cell closes the cell with all that is open in
        // it, as the cell's end tag does. The filter sees what is open
        // around the element and does the same; the library does not.
        const std::string start = "<" + container + " data-buildtags=Gone>";
        ASSERT_EQ(FilterRemoves(html, parser.get()), FilterRemoves(start + "<!--probe-->", parser.get()))
            << html;
        // (The document's own elements are no elements inside a cell.)
        if (container == "html" || container == "head" || container == "body") continue;
        ASSERT_EQ(FilterRemoves(inCell, parser.get()),
                  FilterRemoves("<table><tr><td>" + start + "</td><!--probe-->", parser.get()))
            << inCell;
      }
    }
  }
  EXPECT_GT(held, 10000u);
  EXPECT_GT(ended, 3000u);
}

// Nothing is open around the element, so only the document's own end tags
// end it.
TEST(ContainmentUsers, EndTagOfNothingOpenStaysInsideRemovedElement) {
  const auto parser = MakeParser("NOT Gone");
  const std::vector<std::string> kinds = ElementKinds();
  for (const std::string& container : kinds) {
    // A void element ends at once.
    if (CHtmlTagItem(("<" + container + ">").c_str()).IsVoidTag()) continue;
    for (const std::string& kind : kinds) {
      if (kind == container) continue;
      const std::string html = "<" + container + " data-buildtags=Gone></" + kind + " probe>";
      // In a raw-text element (script, title) the end tag is text.
      const bool documentEnd = (kind == "body" || kind == "html") &&
                               CHtmlTokenList::GetTagItem(FindProbe(*Analysed(html))) != nullptr;
      ASSERT_EQ(FilterRemoves(html, parser.get()), !documentEnd) << html;
    }
  }
}

}  // namespace
}  // namespace bte::test
