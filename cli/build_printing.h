// How `build` prints its report: a summary for people, or JSON.
#ifndef BTE_CLI_BUILD_PRINTING_H
#define BTE_CLI_BUILD_PRINTING_H

#include <string>

#include "projectbuild/build_report.h"

namespace bte::cli {

// One human-readable summary, with every failure named.
std::string FormatSummary(const projectbuild::BuildReport& report);
// The same as a JSON document.
std::string FormatJson(const projectbuild::BuildReport& report);

}  // namespace bte::cli

#endif  // BTE_CLI_BUILD_PRINTING_H
