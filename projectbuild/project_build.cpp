#include "projectbuild/project_build.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "pagesift/pagesift.h"
#include "platform/allocator_tuning.h"
#include "platform/terminal.h"
#include "platform/worker_threads.h"
#include "projectbuild/beyond_interface.h"
#include "projectbuild/file_jobs.h"
#include "projectbuild/help_file_job.h"
#include "projectbuild/left_out_topics.h"
#include "projectbuild/output_file.h"
#include "projectbuild/output_manifest.h"
#include "projectbuild/parallel_runner.h"
#include "projectbuild/review_folder.h"
#include "projectbuild/source_tree.h"
#include "projectbuild/topic_filter.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;
namespace {

bool IsWithin(const fs::path& inner, const fs::path& outer) {
  const auto [outerEnd, innerAt] =
      std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return outerEnd == outer.end();
}

// What the output folder holds as the build begins.
struct OutputSweep {
  std::vector<fs::path> stale;  // files this build does not write, sorted
  std::vector<char> holdsSource;  // per source file: its output is there
};

// Leftovers of a killed run are removed; every other file that this build
// does not write is reported, never deleted: it may be the author's.
OutputSweep SweepOutputFolder(const fs::path& output, const SourceTree& tree, bool dryRun) {
  OutputSweep sweep;
  sweep.holdsSource.assign(tree.files.size(), 0);
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(output, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    if (it->path() == output / kManifestName || it->path() == output / kReviewMarkerName) continue;
    if (IsTemporaryOutputName(it->path())) {
      if (!dryRun) fs::remove(it->path(), error);
      continue;
    }
    const fs::path relative = it->path().lexically_relative(output);
    const size_t file = FindFile(tree, relative);
    if (file == tree.files.size())
      sweep.stale.push_back(relative);
    else
      sweep.holdsSource[file] = 1;
  }
  std::sort(sweep.stale.begin(), sweep.stale.end());
  return sweep;
}

// Contents, index and project files, once every topic has been decided.
void BuildHelpFiles(const BuildPaths& paths, const SourceTree& tree, const TargetSettings& settings,
                    std::vector<FileResult>& files, std::vector<char>& ran) {
  LeftOutTopics leftOut;
  for (size_t i = 0; i < files.size(); ++i)
    if (ran[i] && files[i].outcome == FileOutcome::kLeftOut) leftOut.Add(files[i].relative);
  for (size_t i = 0; i < files.size(); ++i) {
    if (!NamesTopics(tree.files[i].kind)) continue;
    files[i] = settings.review ? ReviewHelpFile(paths, tree.files[i], leftOut, settings)
                               : BuildHelpFile(paths, tree.files[i], leftOut, settings);
    ran[i] = 1;
  }
}

// Stale files an earlier build wrote, unchanged since, are deleted with
// --clean (never after an interrupted build, whose list is incomplete). The
// new manifest holds what this build wrote and every earlier output still
// there unchanged (stale, failed this time or not reached).
void SettleOutputFolder(const fs::path& output, const OutputManifest& previous, bool clean,
                        BuildReport& report) {
  const bool dryRun = report.dryRun;
  OutputManifest next;
  for (const FileResult& file : report.files)  // in the manifest's order: hinted at its end
    if (file.outcome == FileOutcome::kFiltered || file.outcome == FileOutcome::kCopied ||
        (report.review && file.outcome == FileOutcome::kLeftOut))
      next.emplace_hint(next.end(), file.relative, WrittenFile{file.bytesOut, file.contentHash});
  std::vector<fs::path> kept;
  for (const fs::path& stale : report.staleOutputs) {
    const auto earlier = previous.find(stale);
    const bool ours = earlier != previous.end() && Unchanged(output / stale, earlier->second);
    std::error_code error;
    if (ours && clean && !report.interrupted && (dryRun || fs::remove(output / stale, error))) {
      report.deletedOutputs.push_back(stale);
      continue;
    }
    kept.push_back(stale);
    if (ours) report.staleFromEarlierBuild.push_back(stale);
  }
  report.staleOutputs = std::move(kept);
  if (dryRun) return;
  for (const auto& [relative, written] : previous)
    if (!next.count(relative) && Unchanged(output / relative, written)) next[relative] = written;
  std::string error;
  if (!WriteManifest(output, next, error))
    report.warnings.push_back(std::string(kManifestName) + ": " + error);
}

// The size of the file, 0 when it cannot be told.
uint64_t SizeOnDisk(const fs::path& path) {
  std::error_code error;
  const uintmax_t size = fs::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

namespace {

// The nearest part of path that exists (path itself, or a folder above it).
fs::path ExistingPart(const fs::path& path) {
  std::error_code code;
  for (fs::path part = path; !part.empty(); part = part.parent_path()) {
    if (fs::exists(fs::symlink_status(part, code))) return part;
    if (part == part.parent_path()) break;
  }
  return {};
}

}  // namespace

bool CheckBuildFolders(const BuildRequest& request, std::string& error) {
  std::error_code code;
  if (!fs::exists(request.source, code)) {
    error = "source folder " + request.source.string() + " does not exist";
    return false;
  }
  if (!fs::is_directory(request.source, code)) {
    error = request.source.string() + " is a file, not a folder";
    return false;
  }
  // Checked once here: otherwise every file would fail on its own.
  const fs::path existing = ExistingPart(request.output);
  if (!existing.empty() && !fs::is_directory(existing, code)) {
    error = existing.string() + " is a file, not a folder";
    return false;
  }
  const fs::path source = fs::canonical(request.source, code);
  const fs::path output = fs::weakly_canonical(request.output, code);
  if (code || IsWithin(output, source)) {
    error = "output folder " + request.output.string() + " must not be the source folder or lie inside it";
    return false;
  }
  error = ReviewFolderConflict(request.output, request.review);
  if (!error.empty()) return false;
  return true;
}

BuildReport BuildProject(const BuildRequest& request) {
  const auto started = std::chrono::steady_clock::now();
  BuildReport report;
  report.target = request.target;
  report.expression = request.expression;
  report.dryRun = request.dryRun;
  report.review = request.review;
  // Files read by an earlier build may have changed since.
  CHtmlPack::NewSnapshotOfFiles();
  const ExpressionForms forms = DescribeExpression(request.expression);
  report.expressionValid = forms.valid;
  report.expressionFault = forms.fault;
  std::error_code error;
  const BuildPaths paths{fs::canonical(request.source, error), request.output};
  if (!request.dryRun) fs::create_directories(paths.output, error);
  std::string markerError;
  if (request.review && !request.dryRun &&
      !WriteReviewMarker(paths.output, request.target, markerError))
    report.warnings.push_back(std::string(kReviewMarkerName) + ": " + markerError);

  const OutputManifest previous = ReadManifest(paths.output, report.warnings);
  const SourceTree tree = ListSourceTree(paths.source);
  for (const SkippedFile& skipped : tree.skipped)
    report.skipped.emplace_back(skipped.relative, skipped.reason);
  OutputSweep sweep = SweepOutputFolder(paths.output, tree, request.dryRun);
  report.staleOutputs = std::move(sweep.stale);

  report.files.resize(tree.files.size());
  // One byte each: written by many threads.
  std::vector<char> ran(tree.files.size(), 0);
  std::FILE* progress =
      request.progress != nullptr && platform::IsTerminal(request.progress) ? request.progress
                                                                             : nullptr;
  // Only a progress line weighs the files by their size.
  std::vector<uint64_t> sizes(tree.files.size());
  if (progress != nullptr)
    for (size_t i = 0; i < sizes.size(); ++i)
      sizes[i] = SizeOnDisk(paths.source / tree.files[i].relative);
  const unsigned jobs = request.jobs != 0 ? request.jobs : platform::ProcessorCount();
  const RunOptions options{jobs, progress, request.stop};
  const TargetSettings settings{request.expression, request.keepTags, request.dryRun,
                                request.review, request.excerpts, !previous.empty()};
  report.interrupted = !RunInParallel(sizes, options, [&](size_t i) {
    if (NamesTopics(tree.files[i].kind)) return;
    report.files[i] = BuildOneFile(paths, tree.files[i], settings);
    ran[i] = 1;
  });
  if (!report.interrupted) BuildHelpFiles(paths, tree, settings, report.files, ran);
  // A topic left out now may still lie in OUT from an earlier build.
  for (size_t i = 0; i < ran.size(); ++i)
    if (ran[i] && !request.review && report.files[i].outcome == FileOutcome::kLeftOut &&
        sweep.holdsSource[i])
      report.staleOutputs.push_back(report.files[i].relative);
  if (report.interrupted) {
    std::vector<FileResult> finished;
    for (size_t i = 0; i < ran.size(); ++i)
      if (ran[i]) finished.push_back(std::move(report.files[i]));
    report.files = std::move(finished);
  }
  SettleOutputFolder(paths.output, previous, request.clean, report);
  report.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return report;
}

void PrepareProcessForBuilds() {
  platform::KeepFreedMemoryForReuse();
  TakeLinkedFilesAsFirstRead();
}

const std::atomic<bool>& InterruptFlag() { return platform::InstallInterruptFlag(); }

}  // namespace bte::projectbuild
