// How `build` prints its report: a summary for people, or JSON.
#ifndef BTE_CLI_BUILD_PRINTING_H
#define BTE_CLI_BUILD_PRINTING_H

#include <string>
#include <vector>

#include "projectbuild/build_report.h"

namespace bte::cli {

// One human-readable summary, with every failure named; unless quiet, also
// every topic left out and every link and entry removed.
std::string FormatSummary(const projectbuild::BuildReport& report, bool quiet);
// The same as a JSON document.
std::string FormatJson(const projectbuild::BuildReport& report);
// Several targets' reports as one JSON array.
std::string FormatJson(const std::vector<projectbuild::BuildReport>& reports);

}  // namespace bte::cli

#endif  // BTE_CLI_BUILD_PRINTING_H
