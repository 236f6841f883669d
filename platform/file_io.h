// Whole-file reading and atomic whole-file replacement: the one way the
// module, the HTML library, the layout-settings stand-in and the tool read
// and write files.
#ifndef BTE_PLATFORM_FILE_IO_H
#define BTE_PLATFORM_FILE_IO_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace bte::platform {

enum class FileStatus {
  kOk,
  kMissing,    // nothing at the path, or a folder on the way is missing
  kNotAFile,   // a folder, a device or a pipe
  kTooLarge,   // larger than the reader's limit
  kReadOnly,   // a replacement was refused: no one may write the file
  kAbandoned,  // a replacement's writer could not make the content
  kFailed,     // the system refused; systemError says why
};

struct FileResult {
  FileStatus status = FileStatus::kOk;
  // The platform's error number (errno on POSIX).
  int systemError = 0;

  bool ok() const { return status == FileStatus::kOk; }
};

struct FileContents : FileResult {
  std::string bytes;
};

// Reads a regular file whole, up to sizeLimit bytes. A pipe or device given
// as the path is refused at once, never waited on.
FileContents ReadWholeFile(const std::string& path, uint64_t sizeLimit = UINT64_MAX);

// A regular file's bytes, for reading only. A large file is mapped rather
// than read: its pages come from the system's file cache, with no copy and
// no fresh memory for the system to clear (a tenth of filtering a 32 MB
// RTF document). Smaller files are read whole, which costs less than
// mapping them. Nothing follows the bytes: no terminating zero.
// On POSIX systems, another program that truncates a mapped file while it
// is being read ends the reader (SIGBUS); Windows refuses such truncation.
class FileView {
 public:
  FileView() = default;
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;
  ~FileView();

  std::string_view bytes() const { return {data_, size_}; }

 private:
  friend FileResult OpenFileView(const std::string& path, FileView& view, uint64_t sizeLimit);
  void Release();
  void Unmap();  // the system's part of Release
  // Shows a mapping's bytes, or (when reading them succeeded) read_.
  void ShowMapped(const void* data, size_t size);
  FileResult ShowRead(const FileResult& reading);

  const char* data_ = "";
  size_t size_ = 0;
  bool mapped_ = false;
  std::string read_;  // the bytes of a file read rather than mapped
};

// Opens path for view (which must be empty), refusing what ReadWholeFile
// refuses.
FileResult OpenFileView(const std::string& path, FileView& view,
                        uint64_t sizeLimit = UINT64_MAX);
// Files of at least this size are mapped.
constexpr uint64_t kSmallestMappedFile = uint64_t{1} << 20;

struct ReplaceOptions {
  // A symbolic link at the path is followed and the file it names replaced
  // (as a write through the link would); otherwise the link itself is
  // replaced by a file.
  bool followLinks = true;
  // The new file reaches the disk before it takes the old one's place, and
  // the rename before the call returns. Without it the replacement is still
  // atomic for readers, but a power failure may lose it.
  bool flushToDisk = true;
};

// For a file that can be made again, such as a filter's output: flushing
// it would cost more than making it, and on a journalling file system a
// flush waits for everything else written so far.
inline constexpr ReplaceOptions kRegenerableFile{/*followLinks=*/true, /*flushToDisk=*/false};

class ReplacementSteps;

// Writes bytes to a new file beside path and renames it over path, so that
// path always holds its old content or the new, never a part. An existing
// file keeps its permissions (and its owner where the process may keep
// it); a new one gets the default permissions. A read-only file, a folder
// or a device is never replaced, and a failure leaves no temporary file.
// steps are the system's own unless a test watches them.
FileResult ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                 const ReplaceOptions& options = {});
FileResult ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                 const ReplaceOptions& options, ReplacementSteps& steps);

// A replacement whose content is written in pieces, so that a large file
// need not be held whole: write hands each piece to put, which answers false
// once writing failed (and ignores every later piece); the failure is the
// result, and nothing is replaced. write answers false when it could not
// make the content after all: then the result is kAbandoned, and nothing is
// replaced either.
using PieceWriter = std::function<bool(std::string_view piece)>;
using ContentWriter = std::function<bool(const PieceWriter& put)>;
FileResult ReplaceFileAtomicallyInPieces(const std::string& path, const ContentWriter& write,
                                         const ReplaceOptions& options = {});
FileResult ReplaceFileAtomicallyInPieces(const std::string& path, const ContentWriter& write,
                                         const ReplaceOptions& options, ReplacementSteps& steps);

// kOk when ReplaceFileAtomically would replace the file at path (following
// links), with the status it would refuse with otherwise.
FileResult CheckReplaceable(const std::string& path);

// Whether path names a file that already holds exactly bytes and that a
// replacement would be allowed to replace, and that is no link and has no
// second name: a writer about to put the same bytes there may leave it.
bool HoldsExactly(const std::string& path, std::string_view bytes);

// The name a replacement gives its temporary file beside target, and
// whether a file name is one of those (left behind by a killed process).
std::string TemporaryNameFor(const std::string& target);
bool IsTemporaryName(std::string_view fileName);

// The system's own text for the error, for people.
std::string Describe(const FileResult& result);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_FILE_IO_H
