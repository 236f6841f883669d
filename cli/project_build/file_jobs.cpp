#include "cli/project_build/file_jobs.h"

#include <system_error>

#include <vector>

#include "buildtagexpr.h"
#include "cli/project_build/output_file.h"
#include "cli/project_build/topic_job.h"
#include "rtffilter/filter_document.h"

namespace bte::cli {
namespace fs = std::filesystem;
namespace {

FileResult CopyUnchanged(const fs::path& from, const fs::path& to, FileResult result) {
  std::string bytes, error;
  if (!ReadWholeFile(from, bytes, error)) return Failed(result, error);
  if (!WriteFileAtomically(to, bytes, error)) return Failed(result, error);
  result.outcome = FileOutcome::kCopied;
  result.bytesOut = bytes.size();
  return result;
}

// The filter object reads and writes the files itself, as in a host; the
// bytes are read here too, to count the annotations and explain failures.
FileResult FilterRtf(const fs::path& from, const fs::path& to, const std::string& expression,
                     FileResult result) {
  std::string bytes, error;
  if (!ReadWholeFile(from, bytes, error)) return Failed(result, error);
  const auto length = static_cast<uint32_t>(bytes.size());
  std::vector<rtf::AnnotatedRange> ranges;
  if (!rtf::ListBuildTagRanges(bytes.data(), length, ranges).ok())
    ranges.clear();  // the filter itself decides whether the markup is usable

  IRTFBuildTagExprFilter* filter = nullptr;
  CreateRTFBuildTagExprFilterInstance(&filter);
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, expression.c_str());
  parser->EnableCache(1);
  filter->SetParser(parser);
  const fs::path temporary = TemporaryPathFor(to);
  HRESULT status = E_FAIL;
  try {
    status = filter->FilterFile(from.c_str(), temporary.c_str());
  } catch (const BuildTagExprFileError& e) {
    error = e.what();
  }
  if (status != S_OK && error.empty()) {
    IFilterOutputBuffer* unused = nullptr;
    error = rtf::DescribeResult(rtf::FilterDocument(bytes.data(), length, parser, &unused));
    if (unused != nullptr) unused->Release();
  }
  filter->Release();
  parser->Release();
  std::error_code ignored;
  if (status != S_OK) {
    fs::remove(temporary, ignored);
    return Failed(result, error.empty() ? "the RTF filter could not process it" : error);
  }
  result.bytesOut = fs::file_size(temporary, ignored);
  if (!CommitTemporary(temporary, to, error)) return Failed(result, error);
  result.outcome = FileOutcome::kFiltered;
  result.annotationsRemoved = static_cast<uint32_t>(ranges.size());
  return result;
}

}  // namespace

FileResult BuildOneFile(const BuildPaths& paths, const SourceFile& file,
                        const std::string& expression) {
  FileResult result;
  result.relative = file.relative;
  result.bytesIn = file.size;
  const fs::path from = paths.source / file.relative;
  const fs::path to = paths.output / file.relative;
  std::error_code error;
  fs::create_directories(to.parent_path(), error);
  if (error) return Failed(result, "cannot create folder: " + error.message());
  switch (file.kind) {
    case SourceKind::kRtf: return FilterRtf(from, to, expression, result);
    case SourceKind::kTopic: return FilterTopic(from, to, paths.source, expression, result);
    case SourceKind::kOther: return CopyUnchanged(from, to, result);
  }
  return Failed(result, "unknown kind of file");
}

}  // namespace bte::cli
