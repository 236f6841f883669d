#include "projectbuild/output_file.h"

#include <system_error>

#include "platform/file_io.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;

bool IsTemporaryOutputName(const fs::path& path) {
  return platform::IsTemporaryName(path.filename().string());
}

namespace {

// Outputs can be made again, so they are not flushed to the disk; a link in
// the output folder is replaced, never written through.
platform::FileResult Replace(const fs::path& destination, const platform::ContentWriter& write) {
  return platform::ReplaceFileAtomicallyInPieces(destination.string(), write,
                                                 {/*followLinks=*/false, /*flushToDisk=*/false});
}

bool Report(const platform::FileResult& written, std::string& error) {
  if (!written.ok()) error = "cannot write: " + platform::Describe(written);
  return written.ok();
}

platform::ContentWriter Whole(std::string_view bytes) {
  return [bytes](const platform::PieceWriter& put) {
    put(bytes);
    return true;
  };
}

}  // namespace

bool WriteFileAtomically(const fs::path& destination, std::string_view bytes, std::string& error) {
  return Report(Replace(destination, Whole(bytes)), error);
}

// The folder is made only after a first attempt found it missing: most
// outputs go into a folder an earlier one was written to.
bool WriteFileMakingFolders(const fs::path& destination, std::string_view bytes,
                            std::string& error) {
  platform::FileResult written = Replace(destination, Whole(bytes));
  if (written.status == platform::FileStatus::kMissing) {
    std::error_code code;
    fs::create_directories(destination.parent_path(), code);
    if (code) {
      error = "cannot create folder: " + code.message();
      return false;
    }
    written = Replace(destination, Whole(bytes));
  }
  return Report(written, error);
}

bool WriteFileAtomicallyInPieces(const fs::path& destination, const platform::ContentWriter& write,
                                 std::string& error) {
  return Report(Replace(destination, write), error);
}

bool HoldsExactly(const fs::path& destination, std::string_view bytes) {
  return platform::HoldsExactly(destination.string(), bytes);
}

namespace {

bool ReportRead(const platform::FileResult& result, std::string& error) {
  if (result.ok()) return true;
  const bool opened = result.status == platform::FileStatus::kNotAFile;
  error = (opened ? "cannot read: " : "cannot open: ") + platform::Describe(result);
  return false;
}

}  // namespace

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& error) {
  platform::FileContents file = platform::ReadWholeFile(path.string());
  if (!ReportRead(file, error)) return false;
  bytes = std::move(file.bytes);
  return true;
}

bool OpenFileView(const fs::path& path, FileView& view, std::string& error) {
  return ReportRead(platform::OpenFileView(path.string(), view), error);
}

}  // namespace bte::projectbuild
