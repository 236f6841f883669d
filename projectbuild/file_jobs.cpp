#include "projectbuild/file_jobs.h"

#include <system_error>
#include <vector>

#include "buildtagexpr_host.h"
#include "projectbuild/beyond_interface.h"
#include "projectbuild/output_file.h"
#include "projectbuild/output_manifest.h"
#include "projectbuild/topic_job.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;
namespace {

FileResult CopyUnchanged(const fs::path& from, const fs::path& to, FileResult result) {
  std::string bytes, error;
  if (!ReadWholeFile(from, bytes, error)) return Failed(result, error);
  if (!WriteFileAtomically(to, bytes, error)) return Failed(result, error);
  result.outcome = FileOutcome::kCopied;
  result.bytesOut = bytes.size();
  result.contentHash = ContentHash(bytes);
  return result;
}

// One read, one filtering run: a refused document is reported with the
// filtering's own reason.
FileResult FilterRtf(const fs::path& from, const fs::path& to, const std::string& expression,
                     FileResult result) {
  std::string bytes, error;
  if (!ReadWholeFile(from, bytes, error)) return Failed(result, error);
  std::vector<RtfTaggedRange> ranges;
  if (!ListRtfTaggedRanges(bytes, ranges, error)) {
    ranges.clear();  // the filter itself decides whether the markup is usable
    error.clear();
  }
  host::ComPtr<IBuildTagExprParser> parser;
  CreateBuildTagExprParserInstance(parser.out(), expression.c_str());
  parser->EnableCache(1);
  std::string filtered;
  if (!FilterRtfDocument(bytes, parser.get(), filtered, error)) return Failed(result, error);
  if (!WriteFileAtomically(to, filtered, error)) return Failed(result, error);
  result.bytesOut = filtered.size();
  result.contentHash = ContentHash(filtered);
  result.outcome = FileOutcome::kFiltered;
  result.annotationsRemoved = static_cast<uint32_t>(ranges.size());
  return result;
}

}  // namespace

FileResult BuildOneFile(const BuildPaths& paths, const SourceFile& file,
                        const TargetSettings& settings) {
  FileResult result;
  result.relative = file.relative;
  result.kind = file.kind;
  result.bytesIn = file.size;
  const fs::path from = paths.source / file.relative;
  const fs::path to = paths.output / file.relative;
  std::error_code error;
  fs::create_directories(to.parent_path(), error);
  if (error) return Failed(result, "cannot create folder: " + error.message());
  switch (file.kind) {
    case SourceKind::kRtf: return FilterRtf(from, to, settings.expression, result);
    case SourceKind::kTopic: return FilterTopic(from, to, paths.source, settings, result);
    // Files that name topics come here only when no topic was left out.
    case SourceKind::kContents:
    case SourceKind::kIndex:
    case SourceKind::kHelpProject:
    case SourceKind::kOther: return CopyUnchanged(from, to, result);
  }
  return Failed(result, "unknown kind of file");
}

}  // namespace bte::projectbuild
