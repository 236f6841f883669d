#include "projectbuild/file_jobs.h"

#include <system_error>
#include <vector>

#include "buildtagexpr_host.h"
#include "projectbuild/beyond_interface.h"
#include "projectbuild/output_file.h"
#include "projectbuild/output_manifest.h"
#include "projectbuild/rtf_review.h"
#include "projectbuild/topic_job.h"
#include "projectbuild/topic_review.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;

bool ReadSource(const fs::path& from, std::string& bytes, FileResult& result, std::string& error) {
  if (!ReadWholeFile(from, bytes, error)) return false;
  result.bytesIn = bytes.size();
  return true;
}

FileResult CopyUnchanged(const fs::path& from, const fs::path& to, const TargetSettings& settings,
                         FileResult result) {
  std::string bytes, error;
  if (!ReadSource(from, bytes, result, error)) return Failed(result, error);
  if (!WriteOutput(to, bytes, settings, error)) return Failed(result, error);
  result.outcome = FileOutcome::kCopied;
  result.bytesOut = bytes.size();
  result.contentHash = ContentHash(bytes);
  return result;
}

namespace {

// One read, one filtering run: a refused document is reported with the
// filtering's own reason.
FileResult FilterRtf(const fs::path& from, const fs::path& to, const TargetSettings& settings,
                     FileResult result) {
  std::string bytes, error;
  if (!ReadSource(from, bytes, result, error)) return Failed(result, error);
  std::vector<RtfTaggedRange> ranges;
  if (!ListRtfTaggedRanges(bytes, ranges, error)) {
    ranges.clear();  // the filter itself decides whether the markup is usable
    error.clear();
  }
  host::ComPtr<IBuildTagExprParser> parser;
  CreateBuildTagExprParserInstance(parser.out(), settings.expression.c_str());
  parser->EnableCache(1);
  FilteredRtf filtered;
  if (!FilterRtfDocument(bytes, parser.get(), filtered, error)) return Failed(result, error);
  if (!WriteOutput(to, filtered.bytes, settings, error)) return Failed(result, error);
  result.bytesOut = filtered.bytes.size();
  result.contentHash = ContentHash(filtered.bytes);
  result.outcome = FileOutcome::kFiltered;
  result.annotationsRemoved = static_cast<uint32_t>(ranges.size());
  std::vector<RtfPiece> pieces;
  if (settings.excerpts && ListRtfPieces(bytes, parser.get(), pieces, error))
    WriteRtfReview(bytes, pieces, result.passagesRemoved);
  return result;
}

}  // namespace

bool WriteOutput(const fs::path& to, std::string_view bytes, const TargetSettings& settings,
                 std::string& error) {
  if (settings.dryRun) return true;
  // A rebuild mostly makes what the last one made. An output that already
  // holds it is left as it is: one read instead of a new file, and the old
  // one's inode not freed (an ext4 without a journal passes over every
  // inode freed in the last minutes for each new file), nor its bytes
  // written out again.
  if (settings.rebuild && HoldsExactly(to, bytes)) return true;
  return WriteFileMakingFolders(to, bytes, error);
}

FileResult BuildOneFile(const BuildPaths& paths, const SourceFile& file,
                        const TargetSettings& settings) {
  FileResult result;
  result.relative = file.relative;
  result.kind = file.kind;
  const fs::path from = paths.source / file.relative;
  const fs::path to = paths.output / file.relative;
  if (settings.review && file.kind == SourceKind::kRtf) return ReviewRtf(from, to, settings, result);
  if (settings.review && file.kind == SourceKind::kTopic)
    return ReviewTopic(from, to, paths.source, settings, result);
  switch (file.kind) {
    case SourceKind::kRtf: return FilterRtf(from, to, settings, result);
    case SourceKind::kTopic: return FilterTopic(from, to, paths.source, settings, result);
    // Files that name topics come here only when no topic was left out.
    case SourceKind::kContents:
    case SourceKind::kIndex:
    case SourceKind::kHelpProject:
    case SourceKind::kOther: return CopyUnchanged(from, to, settings, result);
  }
  return Failed(result, "unknown kind of file");
}

}  // namespace bte::projectbuild
