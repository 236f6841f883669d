// The main job: build one target's output folder from a help project, as a
// host does, through the module's public interfaces. Shared by the tool, the
// tests and the benchmarks.
#ifndef BTE_PROJECTBUILD_PROJECT_BUILD_H
#define BTE_PROJECTBUILD_PROJECT_BUILD_H

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>

#include "projectbuild/build_report.h"

namespace bte::projectbuild {

struct BuildRequest {
  std::filesystem::path source;
  std::filesystem::path output;
  std::string target;  // for the report only
  std::string expression;
  bool keepTags = false;  // keep the build-tag markup in output topics
  // Delete the files an earlier build wrote in OUT (its manifest says so)
  // that this one does not write, unless changed since.
  bool clean = false;
  // Everything decided and reported (with --clean, what would be deleted);
  // nothing written or deleted.
  bool dryRun = false;
  // Write a review copy instead: nothing removed, what a build removes
  // marked; only into a folder that holds no build.
  bool review = false;
  // Also list excerpts of the passages removed (for a report page; a review
  // copy always lists them).
  bool excerpts = false;
  unsigned jobs = 0;  // files processed at once; 0: one per processor
  std::FILE* progress = nullptr;  // a progress line goes here while it is a terminal
  const std::atomic<bool>* stop = nullptr;  // raised: files in progress finish, no more start
};

// Refuses (with the reason) a request the build must not run: a missing
// source folder, a source or output folder (or a folder above the output)
// that is a file, or an output folder that is the source or lies inside it.
bool CheckBuildFolders(const BuildRequest& request, std::string& error);

BuildReport BuildProject(const BuildRequest& request);

// Readies the process that runs builds (a program of its own, not a host):
// memory one file's job frees is kept for the next, and each build takes
// the files its links lead to as it first reads them
// (TakeLinkedFilesAsFirstRead).
void PrepareProcessForBuilds();

// A flag that Ctrl-C and termination requests raise from the first call on,
// for BuildRequest::stop.
const std::atomic<bool>& InterruptFlag();

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_PROJECT_BUILD_H
