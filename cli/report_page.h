// `build --report FILE.html`: one self-contained page (no network, no
// scripts) with what each target's build did: counts, a bar chart of what
// was removed per file, the topics left out with their tags, the passages,
// links and entries removed, and the stale and failed files. Where the run
// wrote a review copy, file names open it.
#ifndef BTE_CLI_REPORT_PAGE_H
#define BTE_CLI_REPORT_PAGE_H

#include <filesystem>
#include <string>
#include <vector>

#include "projectbuild/build_report.h"

namespace bte::cli {

struct ReportedTarget {
  const projectbuild::BuildReport* report;
  std::filesystem::path output;  // the target's output folder
};

// The page; links to review copies are relative to pageFolder.
std::string FormatReportPage(const std::vector<ReportedTarget>& targets,
                             const std::filesystem::path& pageFolder);

// The inline SVG bar chart: per file, the elements, links and annotations
// removed, the files with most first.
std::string RemovalChart(const projectbuild::BuildReport& report);

// Text made safe for HTML (and valid UTF-8).
std::string HtmlEscaped(std::string_view text);

}  // namespace bte::cli

#endif  // BTE_CLI_REPORT_PAGE_H
