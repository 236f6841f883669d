#include "projectbuild/help_file_job.h"

#include "projectbuild/output_file.h"
#include "projectbuild/output_manifest.h"
#include "projectbuild/project_file_pruning.h"
#include "projectbuild/sitemap_pruning.h"

namespace bte::projectbuild {

FileResult BuildHelpFile(const BuildPaths& paths, const SourceFile& file,
                         const LeftOutTopics& leftOut, const TargetSettings& settings) {
  FileResult result;
  result.relative = file.relative;
  result.kind = file.kind;
  std::string bytes, error;
  if (!ReadSource(paths.source / file.relative, bytes, result, error)) return Failed(result, error);
  const std::filesystem::path folder = file.relative.parent_path();
  std::string written;
  if (file.kind == SourceKind::kHelpProject) {
    PrunedProjectFile pruned = PruneProjectFile(bytes, folder, leftOut);
    if (!pruned.error.empty()) return Failed(result, pruned.error);
    written = std::move(pruned.bytes);
    result.entriesRemoved = std::move(pruned.removed);
  } else {
    PrunedSitemap pruned = PruneSitemap(bytes, folder, leftOut);
    written = std::move(pruned.bytes);
    result.entriesRemoved = std::move(pruned.removed);
  }
  if (!WriteOutput(paths.output / file.relative, written, settings, error))
    return Failed(result, error);
  result.outcome = result.entriesRemoved.empty() ? FileOutcome::kCopied : FileOutcome::kFiltered;
  result.bytesOut = written.size();
  result.contentHash = ContentHash(written);
  return result;
}

FileResult ReviewHelpFile(const BuildPaths& paths, const SourceFile& file,
                          const LeftOutTopics& leftOut, const TargetSettings& settings) {
  TargetSettings decideOnly = settings;
  decideOnly.dryRun = true;
  const FileResult build = BuildHelpFile(paths, file, leftOut, decideOnly);
  FileResult result;
  result.relative = file.relative;
  result.kind = file.kind;
  result = CopyUnchanged(paths.source / file.relative, paths.output / file.relative, settings,
                         result);
  result.entriesRemoved = build.entriesRemoved;
  if (build.outcome == FileOutcome::kFailed)
    result.entriesRemoved.push_back("(a build fails here: " + build.reason + ")");
  return result;
}

}  // namespace bte::projectbuild
