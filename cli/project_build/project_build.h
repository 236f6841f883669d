// The main job: build one target's output folder from a help project.
#ifndef BTE_CLI_PROJECT_BUILD_PROJECT_BUILD_H
#define BTE_CLI_PROJECT_BUILD_PROJECT_BUILD_H

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/project_build/build_report.h"

namespace bte::cli {

struct BuildRequest {
  std::filesystem::path source;
  std::filesystem::path output;
  std::string target;  // for the report only
  std::string expression;
  unsigned jobs = 1;
  std::FILE* progress = nullptr;
  const std::atomic<bool>* stop = nullptr;
};

// Refuses (with the reason) a request the build must not run: a missing
// source folder, or an output folder that is the source or lies inside it.
bool CheckBuildFolders(const BuildRequest& request, std::string& error);

BuildReport BuildProject(const BuildRequest& request);

}  // namespace bte::cli

#endif  // BTE_CLI_PROJECT_BUILD_PROJECT_BUILD_H
