// What a build did, file by file and in total, for one target.
#ifndef BTE_PROJECTBUILD_BUILD_REPORT_H
#define BTE_PROJECTBUILD_BUILD_REPORT_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bte::projectbuild {

enum class FileOutcome { kFiltered, kCopied, kLeftOut, kFailed };

// An excluded element of a topic: its tags and the start of its text.
struct RemovedPassage {
  std::string tags;
  std::string excerpt;
};

struct FileResult {
  std::filesystem::path relative;
  FileOutcome outcome = FileOutcome::kFailed;
  std::string reason;     // for kFailed (and why a topic was left out)
  std::string topicTags;  // kLeftOut: the topic-level tags that excluded it
  uint64_t bytesIn = 0;
  uint64_t bytesOut = 0;
  uint64_t contentHash = 0;  // of what was written (ContentHash), for the manifest
  bool written = false;      // this build wrote the output file
  uint32_t elementsRemoved = 0;     // HTML elements whose tags were excluded
  uint32_t annotationsRemoved = 0;  // RTF build-tag annotations taken out
  std::vector<std::string> linksRemoved;         // targets of links unwrapped
  std::vector<std::string> relatedItemsRemoved;  // values ("title;file") of items removed
  std::vector<RemovedPassage> passages;          // only when details were asked for
  // Contents and index files: the names of the entries removed (or that
  // lost their link); project files: the lines removed.
  std::vector<std::string> entriesRemoved;
};

// The result marked failed, with the reason.
inline FileResult Failed(FileResult result, std::string reason) {
  result.outcome = FileOutcome::kFailed;
  result.reason = std::move(reason);
  result.written = false;
  return result;
}

struct BuildTotals {
  uint32_t filtered = 0, copied = 0, leftOut = 0, failed = 0, skipped = 0;
  uint64_t elementsRemoved = 0, annotationsRemoved = 0, bytesIn = 0, bytesOut = 0;
  uint64_t linksRemoved = 0, relatedItemsRemoved = 0;
  uint64_t contentsEntriesRemoved = 0, indexEntriesRemoved = 0, projectLinesRemoved = 0;
};

// A file in OUT that this build did not write, and whether an earlier build
// of this tool did (the folder's manifest says so).
enum class StaleOrigin {
  kUnknown,       // not written by this tool: the author's, or older than the manifest
  kEarlierBuild,  // written by an earlier build and unchanged since; --clean deletes it
  kChangedSince,  // written by an earlier build, changed since: kept
};

struct StaleOutput {
  std::filesystem::path relative;
  StaleOrigin origin = StaleOrigin::kUnknown;
};

struct BuildReport {
  std::string target;      // or empty when an expression was given
  std::string expression;
  std::filesystem::path output;
  bool expressionValid = true;
  std::string expressionFault;  // when not valid: what is wrong
  std::vector<FileResult> files;
  std::vector<std::pair<std::filesystem::path, std::string>> skipped;
  std::vector<StaleOutput> staleOutputs;              // in OUT, not made by this build, kept
  std::vector<std::filesystem::path> deletedOutputs;  // --clean (dry run: would be deleted)
  std::vector<std::string> warnings;  // e.g. manifest lines not followed
  bool interrupted = false;
  bool dryRun = false;
  bool review = false;
  double seconds = 0;

  BuildTotals Totals() const;
};

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_BUILD_REPORT_H
