// Real help projects, copied to a temporary folder and given build tags:
// topics filtered with expressions that exclude topics they link to, and
// one filtered topic as a browser renders it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "expr/text.h"
#include "filter_support.h"
#include "tests/support/corpus.h"
#include "tests/support/text_search.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

// The text tokens of a document, in order, without white space (where
// spaces travel with markup is the library's business).
std::string TextOf(const CHtmlFileEx& document) {
  std::string text;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at != nullptr;
       at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTokenItem* token = CHtmlTokenList::GetAt(at);
    if (token->IsTagToken() || token->IsDiscardedToken()) continue;
    for (char c : static_cast<const CHtmlTextItem*>(token)->GetText())
      if (!IsWhiteSpace(c)) text += c;
  }
  return text;
}

// The files the kept links of a document lead to.
std::set<std::string> LinkedFiles(const CHtmlFileEx& document) {
  std::set<std::string> files;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at != nullptr;
       at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr || tag->IsDiscardedToken() || tag->GetTagId() != pagesift::kTagAnchor)
      continue;
    const char* href = tag->GetAttributeValue("href");
    if (href == nullptr || CHtmlPack::GetAnchorHrefType(href) != pagesift::kHrefFile) continue;
    const CByteString path = document.GetFilePathName(href);
    if (!path.IsEmpty()) files.insert(fs::weakly_canonical(path.GetContent()).string());
  }
  return files;
}

std::vector<fs::path> TopicsOf(const fs::path& folder) {
  std::vector<fs::path> topics;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && (extension == ".htm" || extension == ".html"))
      topics.push_back(entry.path());
  }
  std::sort(topics.begin(), topics.end());
  return topics;
}

class CorpusProject : public ::testing::TestWithParam<const char*> {
 protected:
  fs::path CopyProject(const std::string& name) {
    const fs::path target = folder_.path() / name;
    fs::copy(CorpusDir() / "html" / name, target, fs::copy_options::recursive);
    return target;
  }

  TempFolder folder_;
};

// Every topic of a project, with the topics most linked to excluded: the
// kept links lead only to kept topics, and no text is lost (a removed link
// keeps its text).
TEST_P(CorpusProject, LinksToExcludedTopicsLoseOnlyTheirLink) {
  BTE_REQUIRE_CORPUS();
  const fs::path project = CopyProject(GetParam());
  const std::vector<fs::path> topics = TopicsOf(project);
  ASSERT_FALSE(topics.empty());

  std::map<std::string, int> incoming;
  for (const fs::path& topic : topics) {
    CHtmlFileEx document(topic.string().c_str());
    ASSERT_NE(document.Analyse(), 0);
    for (const std::string& file : LinkedFiles(document)) ++incoming[file];
  }
  std::vector<std::pair<int, std::string>> ranked;
  for (const auto& [file, count] : incoming) ranked.emplace_back(-count, file);
  std::sort(ranked.begin(), ranked.end());
  std::set<std::string> excluded;
  for (size_t i = 0; i < ranked.size() && i < 3; ++i) {
    excluded.insert(ranked[i].second);
    AddTopicBuildTags(ranked[i].second, "Beta,Internal");
  }

  auto filter = MakeFilter("~Beta");
  int removedLinks = 0;
  for (const fs::path& topic : topics) {
    SCOPED_TRACE(topic.string());
    CHtmlFileEx document(topic.string().c_str());
    ASSERT_NE(document.Analyse(), 0);
    const std::string textBefore = TextOf(document);
    const size_t linksBefore = LinkedFiles(document).size();
    ASSERT_EQ(filter->FilterDocumentWithLinks(document), S_OK);

    const auto reread = Analysed(Saved(document), topic.string());
    for (const std::string& file : LinkedFiles(*reread)) {
      EXPECT_EQ(excluded.count(file), 0u);
    }
    EXPECT_EQ(TextOf(*reread), textBefore);
    removedLinks += static_cast<int>(linksBefore - LinkedFiles(*reread).size());
  }
  if (!excluded.empty()) {
    EXPECT_GT(removedLinks, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Projects, CorpusProject,
                         ::testing::Values("codesnip-help", "scummex-help", "windirstat-help"),
                         [](const auto& info) { return bte::testing::InputName(info.index, info.param); });

// Messy real-world HTML with every third paragraph, list item, cell and
// span tagged: what survives holds no excluded element (cells stay, marked),
// and everything kept was in the input.
TEST(MessyTopics, NoExcludedElementSurvives) {
  BTE_REQUIRE_CORPUS();
  const fs::path folder = CorpusDir() / "html" / "messy";
  auto filter = MakeFilter("Print");
  size_t removedText = 0;
  for (const fs::path& topic : TopicsOf(folder)) {
    SCOPED_TRACE(topic.filename().string());
    std::string html = ReadFile(topic);
    std::string lower = html;
    for (char& c : lower) c = AsciiLower(c);
    std::vector<size_t> tagAt;
    for (const char* open : {"<p", "<li", "<td", "<span", "<div", "<table"}) {
      for (size_t at = lower.find(open); at != std::string::npos; at = lower.find(open, at + 1)) {
        const size_t end = at + std::strlen(open);
        if (end < lower.size() && (lower[end] == ' ' || lower[end] == '>')) tagAt.push_back(end);
      }
    }
    std::sort(tagAt.begin(), tagAt.end());
    for (size_t i = tagAt.size(); i-- > 0;)
      if (i % 3 == 0) html.insert(tagAt[i], " data-buildtags=\"Web\"");
    HRESULT status = E_FAIL;
    const std::string out = FilterTextOf(*filter, html, true, &status);
    EXPECT_EQ(status, S_OK);
    const auto reread = Analysed(out);
    for (HtmlPosition at = reread->GetTokenList()->GetHeadPosition(); at != nullptr;
         at = CHtmlTokenList::GetNext(at)) {
      const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
      if (tag == nullptr || !tag->HasAttribute("data-buildtags")) continue;
      EXPECT_EQ(tag->GetTagId(), pagesift::kTagTableCell) << tag->GetTagText();
      EXPECT_TRUE(tag->HasAttribute("discard")) << tag->GetTagText();
    }
    // Removal only drops text, so the kept text (fillers aside) is a
    // subsequence of the input's.
    std::string kept = TextOf(*reread);
    for (size_t at = kept.find("&nbsp;"); at != std::string::npos; at = kept.find("&nbsp;"))
      kept.erase(at, 6);
    const std::string all = TextOf(*Analysed(html));
    size_t matched = 0;
    for (size_t i = 0; i < all.size() && matched < kept.size(); ++i)
      if (all[i] == kept[matched]) ++matched;
    EXPECT_EQ(matched, kept.size());
    removedText += all.size() - kept.size();
  }
  EXPECT_GT(removedText, 1000u);
}

// One topic with everything the filter repairs: an excluded table cell, a
// popup whose only link was excluded, a related-topics control and links to
// topics that the expression leaves out.
class MenuTopic : public ::testing::Test {
 protected:
  void SetUp() override {
    BTE_REQUIRE_CORPUS();
    fs::copy(CorpusDir() / "html" / "codesnip-help", folder_.path(),
             fs::copy_options::recursive);
    html_ = folder_.path() / "HTML";
    topic_ = html_ / "menu_file.htm";
    AddTopicBuildTags(html_ / "dlg_print.htm", "Web");
    AddTopicBuildTags(html_ / "dlg_savesnippet.htm", "Web;Beta");
    AddTopicBuildTags(html_ / "main_menu.htm", "Print");
    Edit(topic_, "<td class=\"desc\">\n          Closes the program.",
         "<td class=\"desc\" data-buildtags=\"Web\">\n          Closes the program.");
    Edit(topic_, "Return to the <a",
         "<span data-buildtags=\"Web\">Also see " + PopupLink() + "tips</a>. </span>"
         "Return to the <a");
    Edit(topic_, "</body>",
         "<div class=\"x-popup-text\" id=\"tips\">Tips for saving</div>\n"
         "<object id=\"related\" type=\"application/x-oleobject\" "
         "classid=\"clsid:adb880a6-d8ff-11cf-9377-00aa003b7a11\">\n"
         "<param name=\"Command\" value=\"Related Topics\">\n"
         "<param name=\"Item1\" value=\"Main menu;main_menu.htm\">\n"
         "<param name=\"Item2\" value=\"Printing;dlg_print.htm\">\n"
         "<param name=\"Item3\" value=\"Save &amp; print;dlg_savesnippet.htm\">\n"
         "<param name=\"Item4\" value=\"Detail pane;detail_pane.htm\">\n"
         "</object>\n</body>");
  }

  static std::string PopupLink() {
    return "<a href=\"javascript:void(0)\" x-use-popup=\"#tips\" x-popup-type=\"text\" "
           "class=\"popup\" id=\"tipslink\">";
  }

  std::string Filtered(const char* expression) {
    auto filter = MakeFilter();
    filter->SetExpression(expression);
    CHtmlFileEx document(topic_.string().c_str());
    EXPECT_NE(document.Analyse(), 0);
    EXPECT_EQ(filter->FilterDocumentWithLinks(document), S_OK);
    return Saved(document);
  }

  TempFolder folder_;
  fs::path html_;
  fs::path topic_;
};

TEST_F(MenuTopic, PrintOutputDropsWebContentAndLinksToWebTopics) {
  const std::string before = ReadFile(topic_);
  const std::string out = Filtered("Print");
  EXPECT_EQ(Count(out, "href=\"dlg_print.htm\""), 0u);
  EXPECT_EQ(Count(out, "href=\"dlg_savesnippet.htm\""), 0u);
  EXPECT_EQ(Count(out, "Save Annotated Source"), Count(before, "Save Annotated Source"));
  EXPECT_EQ(Count(out, "href=\"detail_pane.htm\""), 2u);
  EXPECT_EQ(Count(out, "href=\"main_menu.htm\""), 1u);
  // The excluded cell keeps its place, filled so that the row keeps its shape.
  EXPECT_EQ(Count(out, "Closes the program."), 0u);
  EXPECT_EQ(Count(out, "<td"), Count(before, "<td"));
  EXPECT_EQ(Count(out, "<p>&nbsp;</p>"), 1u);
  // The popup lost its only link.
  EXPECT_EQ(Count(out, "Tips for saving"), 0u);
  EXPECT_EQ(Count(out, "tipslink"), 0u);
  // Items 2 and 3 lead to excluded topics; item 4 moves up to 2.
  EXPECT_EQ(Count(out, "name=\"Item1\" value=\"Main menu;main_menu.htm\""), 1u);
  EXPECT_EQ(Count(out, "dlg_print.htm\">"), 0u);
  EXPECT_EQ(Count(out, "Save &amp; print"), 0u);
  EXPECT_EQ(Count(out, "name=\"item2\" value=\"Detail pane;detail_pane.htm\""), 1u);
}

#ifndef _WIN32
// Runs after layout; innerText leaves out what is not rendered.
const char kProbe[] =
    "<script>window.addEventListener('load', function () {"
    " var rows = document.querySelectorAll('table.menu tr'); var shape = [];"
    " for (var i = 0; i < rows.length; ++i) shape.push(rows[i].cells.length);"
    " var text = document.body.innerText.replace(/\\s+/g, ' ');"
    " var pre = document.createElement('pre'); pre.id = 'probe';"
    " pre.textContent = '@shape ' + shape.join(',') + ' @text ' + text + ' @end';"
    " document.body.appendChild(pre); });</script>";

bool HaveChromium() { return std::system("command -v chromium >/dev/null 2>&1") == 0; }

std::string DumpDom(const fs::path& page, const fs::path& profile) {
  const std::string command =
      "timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic "
      "--no-first-run --disable-background-networking --disable-component-update "
      "--disable-sync --user-data-dir='" + profile.string() + "' --dump-dom 'file://" +
      page.string() + "' 2>/dev/null";
  std::string dom;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return dom;
  char buffer[8192];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) dom.append(buffer, n);
  pclose(pipe);
  return dom;
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  const size_t start = text.find(open);
  if (start == std::string::npos) return {};
  const size_t end = text.find(close, start + open.size());
  return text.substr(start + open.size(), end == std::string::npos ? end : end - start - open.size());
}

// The Print output as an author sees it: headless Chromium loads it and a
// probe script reports the rendered text and the menu table's shape.
TEST_F(MenuTopic, PrintOutputRendersAsFiltered) {
  if (!HaveChromium()) GTEST_SKIP() << "chromium is not installed; rendering is not checked";
  std::string filtered = Filtered("Print");
  const size_t body = filtered.rfind("</body>");
  ASSERT_NE(body, std::string::npos);
  filtered.insert(body, kProbe);
  const fs::path page = html_ / "filtered.htm";
  WriteFile(page, filtered);

  const std::string dom = DumpDom(page, folder_.path() / "profile");
  const std::string probe = Between(dom, "<pre id=\"probe\">", "</pre>");
  ASSERT_FALSE(probe.empty()) << "no probe output; the page did not render:\n" << dom;
  const std::string text = Between(probe, "@text ", " @end");
  EXPECT_EQ(Between(probe, "@shape ", " @text"), "3,3,3,3,3,3,3") << probe;
  for (const char* shown : {"File Menu", "Save Annotated Source", "The Print dialogue box",
                            "Return to the main menu."})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << " in " << text;
  for (const char* gone : {"Closes the program", "Also see", "Tips for saving"})
    EXPECT_EQ(text.find(gone), std::string::npos) << gone << " in " << text;
  EXPECT_EQ(dom.find("href=\"dlg_print.htm\""), std::string::npos);
  EXPECT_NE(dom.find("href=\"detail_pane.htm\""), std::string::npos);
}
#endif

}  // namespace
}  // namespace bte::test
