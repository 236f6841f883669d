// Building one file of a help project for one expression. Every call makes
// its own filter objects, so calls may run on several threads at once.
#ifndef BTE_CLI_PROJECT_BUILD_FILE_JOBS_H
#define BTE_CLI_PROJECT_BUILD_FILE_JOBS_H

#include <filesystem>
#include <string>

#include "cli/project_build/build_report.h"
#include "cli/project_build/source_tree.h"

namespace bte::cli {

struct BuildPaths {
  std::filesystem::path source;  // canonical
  std::filesystem::path output;
};

FileResult BuildOneFile(const BuildPaths& paths, const SourceFile& file,
                        const std::string& expression);

}  // namespace bte::cli

#endif  // BTE_CLI_PROJECT_BUILD_FILE_JOBS_H
