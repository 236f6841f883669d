// The tokenizer: token shapes (whitespace between tags included), lossless
// saving and attribute rewriting.
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/pagesift/html_test_support.h"

namespace {

using bte::testing::Analysed;
using bte::testing::Saved;

// One word per token: a tag's lower-case name ("/" before end tags, "~" for
// a zero-byte end tag), "#" for markup, text in single quotes.
std::string Describe(const CHtmlPack& document) {
  std::string out;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    if (!out.empty()) out += ' ';
    const CHtmlTagItem* tag = document.GetTagItem(at);
    if (!tag) {
      out += "'" + std::string(at->GetSourceText()) + "'";
    } else if (tag->IsMarkupTag()) {
      out += "#";
    } else {
      out += tag->IsEndTag() ? (tag->GetTagText().empty() ? "~" : "/") : "";  // ~ has no name
      for (char c : tag->GetTagName()) out += static_cast<char>(::tolower(c));
    }
  }
  return out;
}

struct ShapeCase {
  const char* html;
  const char* tokens;
};

class TokenShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(TokenShapes, SplitAsHtmlDoesAndSaveBackUnchanged) {
  auto document = Analysed(GetParam().html);
  EXPECT_EQ(Describe(*document), GetParam().tokens);
  EXPECT_EQ(Saved(*document), GetParam().html);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, TokenShapes,
    ::testing::Values(
        ShapeCase{"<p>a</p>", "p 'a' /p"},
        ShapeCase{"<P CLASS=x>a</P >", "p 'a' /p"},
        ShapeCase{"<p>\n  <b>x</b>\n</p>\n", "p b 'x' /b /p"},
        ShapeCase{"  \n<p> a </p>", "p ' a ' /p"},
        ShapeCase{"a < b && c<", "'a < b && c<'"},
        ShapeCase{"x<3 y</ z", "'x<3 y' #"},
        ShapeCase{"<a href='x>y' title=\"q'\">t</a>", "a 't' /a"},
        ShapeCase{"<a href=x>y</a>", "a 'y' /a"},
        ShapeCase{"<input disabled checked=checked>", "input"},
        ShapeCase{"<img data-buildtags=Print>after", "img ~ 'after'"},
        ShapeCase{"<img src=a>after", "img 'after'"},
        ShapeCase{"<custom data-buildtags=A/>x", "custom ~ 'x'"},
        ShapeCase{"<p title=\"unclosed>text", "'<p title=\"unclosed>text'"},
        ShapeCase{"text<p", "'text<p'"},
        ShapeCase{"<!-- a <p> b -->t", "# 't'"},
        ShapeCase{"<!---->x<!-->y<!--->z", "# 'x' # 'y' # 'z'"},
        ShapeCase{"<!-- never closed <p>", "#"},
        ShapeCase{"<!DOCTYPE html><?xml version?><![CDATA[ <p> ]]>", "# # #"},
        ShapeCase{"</>x</ p>", "# 'x' #"},
        ShapeCase{"<script>if (a<b) s='</p>';</script>", "script 'if (a<b) s='</p>';' /script"},
        ShapeCase{"<style>p>b{}</STYLE >", "style 'p>b{}' /style"},
        ShapeCase{"<title>A <b> title</title>", "title 'A <b> title' /title"},
        ShapeCase{"<textarea></textarea>", "textarea /textarea"},
        ShapeCase{"<script>never closed <p>", "script 'never closed <p>'"},
        ShapeCase{"<script>x</script", "script 'x</script'"},
        ShapeCase{"<plaintext><p>x</plaintext>", "plaintext '<p>x</plaintext>'"},
        ShapeCase{"<br/><br />", "br br"}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.html); });

TEST(TokenShapes, KeepsNulAndEightBitBytes) {
  const std::string html("<p a=\"\0\">\xe9\0\xff</p>\0", 17);
  auto document = Analysed(html);
  EXPECT_EQ(Saved(*document), html);
  EXPECT_EQ(document->GetTokenList()->GetCount(), 4u);
}

struct AttributeCase {
  const char* tag;
  const char* name;
  const char* value;  // null: absent
};

class Attributes : public ::testing::TestWithParam<AttributeCase> {};

// Every way of asking gives the same answer, whether the tag is read from
// its bytes, from its parts once another attribute changed, or made alone.
TEST_P(Attributes, ReadAsWritten) {
  auto document = Analysed(GetParam().tag);
  CHtmlTagItem* inList = document->GetTagItem(document->GetTokenList()->GetHeadPosition());
  auto edited = Analysed(GetParam().tag);
  CHtmlTagItem* changed = edited->GetTagItem(edited->GetTokenList()->GetHeadPosition());
  ASSERT_TRUE(inList != nullptr && changed != nullptr);
  changed->SetAttribute("zz-other", "1");
  const CHtmlTagItem loose(GetParam().tag);
  const CHtmlTagItem* const ways[] = {inList, changed, &loose};
  for (const CHtmlTagItem* tag : ways) {
    const char* value = tag->GetAttributeValue(GetParam().name);
    CByteString copy("before", -1);
    const int found = tag->GetAttributeValue(GetParam().name, copy);
    EXPECT_EQ(tag->HasAttribute(GetParam().name), found);
    if (!GetParam().value) {
      EXPECT_EQ(value, nullptr);
      EXPECT_EQ(found, 0);
      EXPECT_EQ(copy.View(), "before");
    } else {
      ASSERT_NE(value, nullptr);
      EXPECT_STREQ(value, GetParam().value);
      EXPECT_EQ(found, 1);
      EXPECT_EQ(copy.View(), GetParam().value);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tags, Attributes,
    ::testing::Values(AttributeCase{"<a href=\"x.htm\">", "href", "x.htm"},
                      AttributeCase{"<a HREF='x y.htm'>", "href", "x y.htm"},
                      AttributeCase{"<a href=x.htm>", "HREF", "x.htm"},
                      AttributeCase{"<a href = x.htm >", "href", "x.htm"},
                      AttributeCase{"<input disabled>", "disabled", ""},
                      AttributeCase{"<input disabled/>", "disabled", ""},
                      AttributeCase{"<a title=\"&lt;&amp;&gt;\">", "title", "<&>"},
                      AttributeCase{"<a href=\"q?a=1&copy=2\">", "href", "q?a=1&copy=2"},
                      AttributeCase{"<a id=1 id=2>", "id", "1"},
                      AttributeCase{"<a href=x.htm>", "title", nullptr},
                      AttributeCase{"</a href=x>", "href", nullptr},
                      AttributeCase{"<!-- href=x -->", "href", nullptr},
                      AttributeCase{"<p a=1/b=2>", "a", "1/b=2"}),
    [](const auto& info) {
      return bte::testing::InputName(info.index, std::string(info.param.tag) + " " + info.param.name);
    });

TEST(SetAttribute, RewritesOnlyThatTagKeepingItsOtherBytes) {
  auto document = Analysed("<td  class='c' ALIGN=left>\n<p>x</p>\n<td x>");
  CHtmlTagItem* cell = document->GetTagItem(document->GetTokenList()->GetHeadPosition());
  cell->SetAttribute("discard", "yes");
  cell->SetAttribute("align", "a\"&b");
  EXPECT_EQ(Saved(*document), "<td  class='c' align=\"a&quot;&amp;b\" discard=\"yes\">\n<p>x</p>\n<td x>");
  EXPECT_STREQ(cell->GetAttributeValue("discard"), "yes");
}

TEST(SetAttribute, AddsBeforeASelfClosingSlash) {
  auto document = Analysed("<param name=\"item2\" value=\"t;f.htm\" />");
  CHtmlTagItem* param = document->GetTagItem(document->GetTokenList()->GetHeadPosition());
  param->SetAttribute("name", "item1");
  param->SetAttribute("new", "");
  EXPECT_EQ(Saved(*document), "<param name=\"item1\" value=\"t;f.htm\" new=\"\" />");
}

TEST(NewTokens, ParseTheirTextAndAreWrittenAsGiven) {
  auto document = Analysed("<td></td>");
  CHtmlTokenList* tokens = document->GetTokenList();
  HtmlPosition cell = tokens->GetHeadPosition();
  HtmlPosition p = tokens->InsertAfter(cell, new CHtmlTagItem("<p>"));
  HtmlPosition text = tokens->InsertAfter(p, new CHtmlTextItem("&nbsp;"));
  tokens->InsertAfter(text, new CHtmlTagItem("</p>"));
  EXPECT_EQ(Saved(*document), "<td><p>&nbsp;</p></td>");
  EXPECT_EQ(tokens->GetTagItem(p)->GetTagId(), pagesift::kTagParagraph);
  EXPECT_EQ(tokens->GetTagItem(CHtmlTokenList::GetNext(text))->GetTagId(), pagesift::kTagParagraph | pagesift::kEndTagBit);
  EXPECT_EQ(text->IsTagToken(), 0);
  CHtmlTagItem notATag("plain");
  EXPECT_EQ(notATag.IsUnknownTag(), 1);
}

// Insertions anywhere, checked against a vector of the token texts: the
// document spans several storage blocks, so insertions land before and
// after block ends, at the head and the tail, and next to earlier ones.
TEST(TokenList, InsertionsKeepBothDirectionsInOrder) {
  std::string html;
  for (int i = 0; i < 3000; ++i) html += "<b>" + std::to_string(i) + "</b>";
  auto document = Analysed(html);
  CHtmlTokenList* tokens = document->GetTokenList();
  std::vector<HtmlPosition> positions;
  std::vector<std::string> model;
  for (HtmlPosition at = tokens->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    positions.push_back(at);
    model.emplace_back(at->GetSourceText());
  }
  std::mt19937 random(7);
  for (int i = 0; i < 400; ++i) {
    const size_t index = random() % positions.size();
    const std::string text = "n" + std::to_string(i);
    const bool before = random() % 2 == 0;
    HtmlPosition added = before ? tokens->InsertBefore(positions[index], new CHtmlTextItem(text.c_str()))
                                : tokens->InsertAfter(positions[index], new CHtmlTextItem(text.c_str()));
    const size_t at = index + (before ? 0 : 1);
    positions.insert(positions.begin() + static_cast<long>(at), added);
    model.insert(model.begin() + static_cast<long>(at), text);
  }
  ASSERT_EQ(tokens->GetCount(), model.size());
  size_t forwards = 0;
  for (HtmlPosition at = tokens->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at), ++forwards) {
    ASSERT_EQ(at, positions[forwards]);
  }
  size_t backwards = model.size();
  for (HtmlPosition at = tokens->GetTailPosition(); at; at = CHtmlTokenList::GetPrev(at)) {
    ASSERT_EQ(at, positions[--backwards]);
  }
  EXPECT_EQ(forwards, model.size());
  EXPECT_EQ(backwards, 0u);
  std::string expected;
  for (const std::string& text : model) expected += text;
  EXPECT_EQ(Saved(*document), expected);
  EXPECT_EQ(CHtmlTokenList::GetNext(nullptr), nullptr);
  tokens->RemoveAll();
  EXPECT_EQ(tokens->GetHeadPosition(), nullptr);
  EXPECT_EQ(Saved(*document), "");
}

// A document large enough for the largest storage slabs: both walks pass
// every block boundary, and an insertion at the very end still links up.
TEST(TokenList, LargeDocumentsWalkBothWays) {
  std::string html;
  for (int i = 0; i < 200000; ++i) html += "<i>" + std::to_string(i % 10) + "</i>";
  auto document = Analysed(html);
  CHtmlTokenList* tokens = document->GetTokenList();
  ASSERT_EQ(tokens->GetCount(), 600000u);
  size_t forwards = 0, backwards = 0;
  for (HtmlPosition at = tokens->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) ++forwards;
  for (HtmlPosition at = tokens->GetTailPosition(); at; at = CHtmlTokenList::GetPrev(at)) ++backwards;
  EXPECT_EQ(forwards, 600000u);
  EXPECT_EQ(backwards, 600000u);
  tokens->InsertBefore(tokens->GetTailPosition(), new CHtmlTextItem("!"));
  EXPECT_EQ(Saved(*document), html.substr(0, html.size() - 4) + "!</i>");
}

// Saving in pieces gives what Save gives, whatever was discarded, edited
// or inserted, and stops at the first piece refused.
TEST(Save, InPiecesGivesTheSameText) {
  std::string html;
  for (int i = 0; i < 20000; ++i) html += "<p class=c" + std::to_string(i % 7) + ">w " + std::to_string(i) + "\n";
  auto document = Analysed(html);
  CHtmlTokenList* tokens = document->GetTokenList();
  std::mt19937 random(11);
  for (HtmlPosition at = tokens->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    const auto roll = random() % 50;
    if (roll == 0) at->DiscardToken();
    if (roll == 1 && at->IsTagToken()) static_cast<CHtmlTagItem*>(at)->SetAttribute("class", "x");
    if (roll == 2) at = tokens->InsertAfter(at, new CHtmlTagItem("<br>"));
  }
  std::string pieces;
  size_t count = 0;
  EXPECT_EQ(document->SaveInPieces([&](std::string_view piece) { pieces += piece; ++count; return true; },
                                   pagesift::kSaveHtml), 1);
  EXPECT_EQ(pieces, Saved(*document));
  EXPECT_GT(count, 2u);
  size_t offered = 0;
  EXPECT_EQ(document->SaveInPieces([&](std::string_view) { return ++offered < 2; }, pagesift::kSaveHtml), 0);
  EXPECT_EQ(offered, 2u);
}

TEST(Save, LeavesOutDiscardedTokensUnlessAskedNotTo) {
  const std::string html = "<p>a</p><p>b</p>";
  auto document = Analysed(html);
  CHtmlTokenList::GetNext(document->GetTokenList()->GetHeadPosition())->DiscardToken();
  EXPECT_EQ(Saved(*document), "<p></p><p>b</p>");
  CByteString all;
  document->Save(all, pagesift::kSaveWithDiscarded);
  EXPECT_EQ(all.View(), html);
}

TEST(Corpus, EveryFileAndEveryPrefixSavesBackUnchanged) {
  BTE_REQUIRE_CORPUS();
  for (const auto& path : bte::testing::CorpusFiles(false)) {
    SCOPED_TRACE(path.string());
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(Saved(*Analysed(bytes, path.string().c_str())), bytes);
    // Cuts land inside tags, quotes, comments and references.
    for (size_t cut = 1; cut < bytes.size(); cut += bytes.size() / 23 + 1) {
      const std::string prefix = bytes.substr(0, cut);
      ASSERT_EQ(Saved(*Analysed(prefix)), prefix) << "cut at " << cut;
    }
  }
}

// Documents made of markup fragments, broken pieces and odd bytes.
std::string RandomDocument(std::mt19937& random) {
  static const char* const kPieces[] = {
      "<p>", "</p>", "<td data-buildtags=\"A,B\">", "<!--", "-->", "<script>", "</script>", "<",
      "&", "&amp;", "\"", "'", "=", ">", "/>", "<a href='", "\n  ", "text", "<![CDATA[", "]]>",
      "<?", "<!DOCTYPE x>", "</", "<title>", "</title", "<img data-buildtags=x>", "\xff", "\x80"};
  std::string html;
  size_t count = random() % 40;
  for (size_t i = 0; i < count; ++i) {
    if (random() % 10 == 0) {
      html += static_cast<char>(random() % 256);
    } else {
      html += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
    }
  }
  return html;
}

TEST(Generated, BrokenDocumentsSaveBackUnchanged) {
  std::mt19937 random(20261205);
  for (int i = 0; i < 5000; ++i) {
    const std::string html = RandomDocument(random);
    auto document = Analysed(html);
    ASSERT_EQ(Saved(*document), html);
    for (HtmlPosition at = document->GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
      ASSERT_FALSE(at->GetSourceText().empty() && !document->GetTagItem(at)) << html;
    }
  }
}

}  // namespace
