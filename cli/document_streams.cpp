#include "cli/document_streams.h"

#include <iostream>
#include <iterator>
#include <string_view>

#include "projectbuild/output_file.h"

namespace bte::cli {

bool ReadDocument(const std::string& path, std::string& bytes) {
  std::string error;
  const bool read = path == "-"
      ? (bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()),
         !std::cin.bad())
      : projectbuild::ReadWholeFile(path, bytes, error);
  if (!read) std::cerr << "buildtags: cannot read " << path << '\n';
  return read;
}

bool ReadDocument(const std::string& path, DocumentView& document) {
  std::string error;
  if (path == "-") {
    if (!ReadDocument(path, document.piped)) return false;
    document.bytes = document.piped;
    return true;
  }
  if (!projectbuild::OpenFileView(path, document.file, error)) {
    std::cerr << "buildtags: cannot read " << path << '\n';
    return false;
  }
  document.bytes = document.file.bytes();
  return true;
}

bool WriteDocument(const std::string& path, std::string_view bytes) {
  return WriteDocumentInPieces(path, [bytes](const projectbuild::PieceWriter& put) {
    put(bytes);
    return true;
  });
}

bool WriteDocumentInPieces(const std::string& path, const projectbuild::ContentWriter& write) {
  std::string error;
  bool made = true;  // a writer that gave up has said why itself
  bool written;
  if (path == "-") {
    made = write([](std::string_view piece) {
      return static_cast<bool>(std::cout.write(piece.data(), static_cast<std::streamsize>(piece.size())));
    });
    written = made && static_cast<bool>(std::cout.flush());
  } else {
    const projectbuild::ContentWriter noted = [&](const projectbuild::PieceWriter& put) {
      return made = write(put);
    };
    written = projectbuild::WriteFileAtomicallyInPieces(path, noted, error);
  }
  if (!written && made) std::cerr << "buildtags: cannot write " << path << '\n';
  return written;
}

}  // namespace bte::cli
