// What a build did, file by file and in total.
#ifndef BTE_PROJECTBUILD_BUILD_REPORT_H
#define BTE_PROJECTBUILD_BUILD_REPORT_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "projectbuild/source_tree.h"

namespace bte::projectbuild {

enum class FileOutcome { kFiltered, kCopied, kLeftOut, kFailed };

struct FileResult {
  std::filesystem::path relative;
  SourceKind kind = SourceKind::kOther;
  FileOutcome outcome = FileOutcome::kFailed;
  std::string reason;  // for kFailed (and why a topic was left out)
  uint64_t bytesIn = 0;  // read from the source (none when it could not be read)
  uint64_t bytesOut = 0;
  uint64_t contentHash = 0;  // of the bytes written, for the output folder's manifest
  uint32_t elementsRemoved = 0;     // HTML elements whose tags were excluded
  uint32_t annotationsRemoved = 0;  // RTF build-tag annotations taken out
  // Contents and index files: the entries removed (or unlinked) because
  // they led to left-out topics; help project files: the lines removed.
  std::vector<std::string> entriesRemoved;
  // Topics: the links and related-topic items removed because they led to
  // left-out topics (or to popups left empty).
  std::vector<std::string> linksRemoved;
  // Short excerpts of the passages removed (HTML elements, RTF ranges).
  std::vector<std::string> passagesRemoved;
};

// The result marked failed, with the reason.
inline FileResult Failed(FileResult result, std::string reason) {
  result.outcome = FileOutcome::kFailed;
  result.reason = std::move(reason);
  return result;
}

struct BuildTotals {
  uint32_t filtered = 0, copied = 0, leftOut = 0, failed = 0, skipped = 0;
  uint64_t elementsRemoved = 0, annotationsRemoved = 0, bytesIn = 0, bytesOut = 0;
  uint64_t contentsEntriesRemoved = 0, indexEntriesRemoved = 0, projectLinesRemoved = 0;
  uint64_t linksRemoved = 0;
};

struct BuildReport {
  std::string target;      // or empty when an expression was given
  std::string expression;
  bool expressionValid = true;  // false: a syntax fault makes the filters keep everything
  std::string expressionFault;  // then what is wrong and where
  std::vector<FileResult> files;
  std::vector<std::pair<std::filesystem::path, std::string>> skipped;
  std::vector<std::filesystem::path> staleOutputs;  // in OUT, not made by this build, kept
  // Those of them an earlier build wrote (--clean deletes them), and what
  // --clean deleted.
  std::vector<std::filesystem::path> staleFromEarlierBuild, deletedOutputs;
  std::vector<std::string> warnings;  // e.g. manifest lines not followed
  bool interrupted = false;
  bool dryRun = false;  // nothing was written; deletedOutputs would have been deleted
  bool review = false;  // a review copy: nothing removed, what a build removes marked
  double seconds = 0;

  BuildTotals Totals() const;
};

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_BUILD_REPORT_H
