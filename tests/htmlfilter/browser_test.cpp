// A filtered topic as an author sees it: headless Chromium loads the result
// and a probe script reports the rendered text and the table's shape.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "filter_support.h"
#include "tests/support/corpus.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

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

TEST(BrowserRendering, FilteredTopicShowsWhatTheExpressionAsksFor) {
  if (!HaveChromium()) GTEST_SKIP() << "chromium is not installed; rendering is not checked";
  BTE_REQUIRE_CORPUS();
  TempFolder folder;
  fs::copy(CorpusDir() / "html" / "codesnip-help", folder.path() / "project",
           fs::copy_options::recursive);
  const fs::path html = folder.path() / "project" / "HTML";
  AddTopicBuildTags(html / "dlg_print.htm", "Web");
  const fs::path topic = html / "menu_file.htm";
  Edit(topic, "<td class=\"desc\">\n          Closes the program.",
       "<td class=\"desc\" data-buildtags=\"Web\">\n          Closes the program.");
  Edit(topic, "<p>\n      Return to",
       "<p data-buildtags=\"Web\">Only on the web.</p><div class=\"x-popup-text\" id=\"t\">"
       "Tip text</div><p>\n      Return to");

  auto filter = MakeFilter("Print");
  CHtmlFileEx document(topic.string().c_str());
  ASSERT_NE(document.Analyse(), 0);
  ASSERT_EQ(filter->FilterDocumentWithLinks(document), S_OK);
  std::string filtered = Saved(document);
  const size_t body = filtered.rfind("</body>");
  ASSERT_NE(body, std::string::npos);
  filtered.insert(body, kProbe);
  const fs::path page = html / "filtered.htm";
  WriteFile(page, filtered);

  const std::string dom = DumpDom(page, folder.path() / "profile");
  const std::string probe = Between(dom, "<pre id=\"probe\">", "</pre>");
  ASSERT_FALSE(probe.empty()) << "no probe output; the page did not render:\n" << dom;
  const std::string text = Between(probe, "@text ", " @end");
  EXPECT_EQ(Between(probe, "@shape ", " @text"), "3,3,3,3,3,3,3") << probe;
  for (const char* shown : {"File Menu", "Save Annotated Source", "The Print dialogue box",
                            "Return to the main menu."})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << " in " << text;
  for (const char* gone : {"Closes the program", "Only on the web", "Tip text"})
    EXPECT_EQ(text.find(gone), std::string::npos) << gone << " in " << text;
  EXPECT_EQ(dom.find("href=\"dlg_print.htm\""), std::string::npos);
  EXPECT_NE(dom.find("href=\"detail_pane.htm\""), std::string::npos);
}

}  // namespace
}  // namespace bte::test
