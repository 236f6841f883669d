#include "projectbuild/output_file.h"

#include <system_error>

#include "platform/file_io.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;

bool IsTemporaryOutputName(const fs::path& path) {
  return platform::IsTemporaryName(path.filename().string());
}

// Outputs can be made again, so they are not flushed to the disk; a link in
// the output folder is replaced, never written through.
bool WriteFileAtomically(const fs::path& destination, std::string_view bytes, std::string& error) {
  return WriteFileAtomicallyInPieces(
      destination, [bytes](const platform::PieceWriter& put) { put(bytes); }, error);
}

bool WriteFileAtomicallyInPieces(const fs::path& destination, const platform::ContentWriter& write,
                                 std::string& error) {
  const platform::FileResult written = platform::ReplaceFileAtomicallyInPieces(
      destination.string(), write, {/*followLinks=*/false, /*flushToDisk=*/false});
  if (!written.ok()) error = "cannot write: " + platform::Describe(written);
  return written.ok();
}

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& error) {
  platform::FileContents file = platform::ReadWholeFile(path.string());
  if (!file.ok()) {
    const bool opened = file.status == platform::FileStatus::kNotAFile;
    error = (opened ? "cannot read: " : "cannot open: ") + platform::Describe(file);
    return false;
  }
  bytes = std::move(file.bytes);
  return true;
}

}  // namespace bte::projectbuild
