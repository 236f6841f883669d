#include "cli/report_page.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "cli/utf8_text.h"

namespace bte::cli {
namespace {

namespace fs = std::filesystem;
using projectbuild::BuildReport;
using projectbuild::BuildTotals;
using projectbuild::FileOutcome;
using projectbuild::FileResult;

constexpr const char* kStyle = R"(
body { font: 15px/1.45 sans-serif; color: #222; margin: 24px auto; max-width: 980px; padding: 0 16px; }
h1 { font-size: 26px; margin-bottom: 4px; }
h2 { border-bottom: 2px solid #c0392b; padding-bottom: 4px; margin-top: 36px; }
h3 { font-size: 16px; margin: 20px 0 6px; }
code { background: #f3f3f3; padding: 1px 4px; }
table.counts { border-collapse: collapse; margin: 8px 0 16px; }
table.counts td { border: 1px solid #ddd; padding: 3px 10px; }
table.counts td.count { text-align: right; font-weight: bold; }
.kind { background: #fff0c2; border-left: 4px solid #e6a100; padding: 6px 10px; }
.chart text { font: 12px sans-serif; fill: #333; }
li.passage { text-decoration: line-through; background: #fde3e1; }
details { margin: 4px 0; }
summary { cursor: pointer; }
.note { color: #666; }
)";

// The review copy's address from the page: its path, every byte that is
// not plainly safe percent-encoded.
std::string ReviewLink(const fs::path& output, const fs::path& relative, const fs::path& pageFolder) {
  const std::string path = (output / relative).lexically_proximate(pageFolder).generic_string();
  std::string link;
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '.' || c == '-' || c == '_' || c == '~') {
      link += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      link += escaped;
    }
  }
  return link;
}

class PageWriter {
 public:
  PageWriter(const ReportedTarget& target, const fs::path& pageFolder)
      : report_(*target.report), output_(target.output), pageFolder_(pageFolder) {}

  void Write(std::ostream& out) {
    out << "<section>\n<h2>" << (report_.target.empty() ? "Expression" : "Target " + HtmlEscaped(report_.target))
        << " <code>" << HtmlEscaped(report_.expression) << "</code></h2>\n";
    if (!report_.expressionValid)
      out << "<p class=\"kind\">The expression has a fault (" << HtmlEscaped(report_.expressionFault)
          << "); everything was kept.</p>\n";
    if (report_.review)
      out << "<p class=\"kind\">A review copy: nothing was removed; the counts are what a build "
             "removes. File names open the review copy.</p>\n";
    if (report_.dryRun) out << "<p class=\"kind\">A dry run: nothing was written.</p>\n";
    if (report_.interrupted) out << "<p class=\"kind\">Interrupted: files not started are missing.</p>\n";
    Counts(out);
    out << "<h3>Removed, file by file</h3>\n" << RemovalChart(report_);
    LeftOut(out);
    PerFile(out);
    HelpFiles(out);
    Paths(out, "Stale files (in the output folder, not written by this build)", report_.staleOutputs);
    Paths(out, report_.dryRun ? "Would be deleted" : "Deleted", report_.deletedOutputs);
    Failed(out);
    out << "</section>\n";
  }

 private:
  std::string FileName(const fs::path& relative) const {
    const std::string name = "<code>" + HtmlEscaped(relative.generic_string()) + "</code>";
    if (!report_.review) return name;
    return "<a href=\"" + ReviewLink(output_, relative, pageFolder_) + "\">" + name + "</a>";
  }

  void Counts(std::ostream& out) const {
    const BuildTotals t = report_.Totals();
    const std::pair<const char*, uint64_t> rows[] = {
        {"filesFiltered", t.filtered}, {"filesCopied", t.copied}, {"topicsLeftOut", t.leftOut},
        {"filesFailed", t.failed}, {"elementsRemoved", t.elementsRemoved},
        {"linksRemoved", t.linksRemoved}, {"annotationsRemoved", t.annotationsRemoved},
        {"contentsEntriesRemoved", t.contentsEntriesRemoved},
        {"indexEntriesRemoved", t.indexEntriesRemoved},
        {"projectLinesRemoved", t.projectLinesRemoved}};
    const char* labels[] = {"files filtered", "files copied", "topics left out", "files failed",
                            "elements removed", "links removed", "RTF annotations removed",
                            "contents entries removed", "index entries removed",
                            "project file lines removed"};
    out << "<table class=\"counts\">\n";
    for (size_t i = 0; i < std::size(rows); ++i)
      out << "<tr><td>" << labels[i] << "</td><td class=\"count\" data-key=\"" << rows[i].first
          << "\">" << rows[i].second << "</td></tr>\n";
    out << "<tr><td>stale files</td><td class=\"count\" data-key=\"stale\">"
        << report_.staleOutputs.size() << "</td></tr>\n</table>\n";
  }

  void LeftOut(std::ostream& out) const {
    std::ostringstream items;
    for (const FileResult& file : report_.files)
      if (file.outcome == FileOutcome::kLeftOut)
        items << "<li>" << FileName(file.relative) << ": " << HtmlEscaped(file.reason) << "</li>\n";
    if (!items.str().empty()) out << "<h3>Topics left out</h3>\n<ul>\n" << items.str() << "</ul>\n";
  }

  void PerFile(std::ostream& out) const {
    for (const FileResult& file : report_.files) {
      if (file.passagesRemoved.empty() && file.linksRemoved.empty()) continue;
      out << "<details open><summary>" << FileName(file.relative) << ": "
          << file.passagesRemoved.size() << " passages, " << file.linksRemoved.size()
          << " links</summary>\n<ul>\n";
      for (const std::string& passage : file.passagesRemoved)
        out << "<li class=\"passage\">" << HtmlEscaped(passage) << "</li>\n";
      for (const std::string& link : file.linksRemoved)
        out << "<li>link " << HtmlEscaped(link) << "</li>\n";
      out << "</ul></details>\n";
    }
  }

  void HelpFiles(std::ostream& out) const {
    std::ostringstream items;
    for (const FileResult& file : report_.files)
      for (const std::string& entry : file.entriesRemoved)
        items << "<li>" << FileName(file.relative) << ": " << HtmlEscaped(entry) << "</li>\n";
    if (!items.str().empty())
      out << "<h3>Contents, index and project file entries removed</h3>\n<ul>\n" << items.str()
          << "</ul>\n";
  }

  void Paths(std::ostream& out, const char* title, const std::vector<fs::path>& paths) const {
    if (paths.empty()) return;
    out << "<h3>" << title << "</h3>\n<ul>\n";
    for (const fs::path& path : paths)
      out << "<li><code>" << HtmlEscaped(path.generic_string()) << "</code></li>\n";
    out << "</ul>\n";
  }

  void Failed(std::ostream& out) const {
    std::ostringstream items;
    for (const FileResult& file : report_.files)
      if (file.outcome == FileOutcome::kFailed)
        items << "<li><code>" << HtmlEscaped(file.relative.generic_string())
              << "</code>: " << HtmlEscaped(file.reason) << "</li>\n";
    if (!items.str().empty()) out << "<h3>Failed files</h3>\n<ul>\n" << items.str() << "</ul>\n";
  }

  const BuildReport& report_;
  const fs::path& output_;
  const fs::path& pageFolder_;
};

}  // namespace

std::string HtmlEscaped(std::string_view text) {
  std::string escaped;
  for (char c : Utf8Text(text)) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string FormatReportPage(const std::vector<ReportedTarget>& targets,
                             const fs::path& pageFolder) {
  std::ostringstream out;
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>Build report</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n"
         "<h1>Build report</h1>\n<p class=\"note\">" << targets.size()
      << (targets.size() == 1 ? " target" : " targets") << ".</p>\n";
  for (const ReportedTarget& target : targets) PageWriter(target, pageFolder).Write(out);
  out << "</body>\n</html>\n";
  return out.str();
}

}  // namespace bte::cli
