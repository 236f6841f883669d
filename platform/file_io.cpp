#include "platform/file_io.h"

#include "platform/replacement_steps.h"

namespace bte::platform {

FileResult ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                 const ReplaceOptions& options) {
  return ReplaceFileAtomically(path, bytes, options, SystemReplacementSteps());
}

FileResult ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                 const ReplaceOptions& options, ReplacementSteps& steps) {
  return ReplaceFileAtomicallyInPieces(
      path,
      [bytes](const PieceWriter& put) {
        put(bytes);
        return true;
      },
      options, steps);
}

FileResult ReplaceFileAtomicallyInPieces(const std::string& path, const ContentWriter& write,
                                         const ReplaceOptions& options) {
  return ReplaceFileAtomicallyInPieces(path, write, options, SystemReplacementSteps());
}

FileResult ReplaceFileAtomicallyInPieces(const std::string& path, const ContentWriter& write,
                                         const ReplaceOptions& options, ReplacementSteps& steps) {
  const std::string target = options.followLinks ? steps.ResolveLinks(path) : path;
  ReplacementSteps::Temporary temporary;
  FileResult result = steps.CreateTemporary(target, temporary);
  if (!result.ok()) return result;
  const bool made = write([&](std::string_view piece) {
    if (result.ok()) result = steps.Write(temporary, piece);
    return result.ok();
  });
  if (!made && result.ok()) result = {FileStatus::kAbandoned, 0};
  // The data must be on the disk before the rename can be: otherwise a
  // crash may leave the new name on a file that was never written.
  if (result.ok() && options.flushToDisk) result = steps.Flush(temporary);
  const FileResult closed = steps.Close(temporary);
  if (result.ok()) result = closed;
  if (result.ok()) result = steps.MoveOver(temporary, target);
  if (!result.ok()) {
    steps.Discard(temporary);
    return result;
  }
  if (options.flushToDisk) steps.FlushFolder(target);
  return result;
}

FileView::~FileView() { Release(); }

void FileView::Release() {
  if (mapped_) Unmap();
  mapped_ = false;
  data_ = "";
  size_ = 0;
  read_.clear();
}

void FileView::ShowMapped(const void* data, size_t size) {
  data_ = static_cast<const char*>(data);
  size_ = size;
  mapped_ = true;
}

FileResult FileView::ShowRead(const FileResult& reading) {
  if (!reading.ok()) {
    read_.clear();
    return reading;
  }
  data_ = read_.data();
  size_ = read_.size();
  return reading;
}

bool IsTemporaryName(std::string_view fileName) {
  return fileName.substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix;
}

}  // namespace bte::platform
