// Output files appear whole or not at all: content goes to a temporary file
// beside the destination, which is renamed over it once complete.
#ifndef BTE_PROJECTBUILD_OUTPUT_FILE_H
#define BTE_PROJECTBUILD_OUTPUT_FILE_H

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_io.h"

namespace bte::projectbuild {

// Whether path names a temporary file of a replacement: the build removes
// such leftovers of an earlier, killed run.
bool IsTemporaryOutputName(const std::filesystem::path& path);

// Writes bytes to destination atomically. On failure returns false with the
// reason in error, and destination is as it was.
bool WriteFileAtomically(const std::filesystem::path& destination, std::string_view bytes,
                         std::string& error);

// The same, making destination's folder (and those above it) where one is
// missing.
bool WriteFileMakingFolders(const std::filesystem::path& destination, std::string_view bytes,
                            std::string& error);

// The same with the content written in pieces, so that it is never held
// whole: write hands each piece to put, which answers false once writing
// failed.
using PieceWriter = platform::PieceWriter;
using ContentWriter = platform::ContentWriter;
bool WriteFileAtomicallyInPieces(const std::filesystem::path& destination,
                                 const ContentWriter& write, std::string& error);

// Whether destination already holds exactly bytes, as a file of its own
// that writing would replace (see platform::HoldsExactly).
bool HoldsExactly(const std::filesystem::path& destination, std::string_view bytes);

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error);
// The same without a copy of a large file: it is mapped (see FileView).
using FileView = platform::FileView;
bool OpenFileView(const std::filesystem::path& path, FileView& view, std::string& error);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_OUTPUT_FILE_H
