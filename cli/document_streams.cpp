#include "cli/document_streams.h"

#include <iostream>
#include <iterator>

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

bool WriteDocument(const std::string& path, std::string_view bytes) {
  std::string error;
  bool written;
  if (path == "-") {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    written = static_cast<bool>(std::cout.flush());
  } else {
    written = projectbuild::WriteFileAtomically(path, bytes, error);
  }
  if (!written) std::cerr << "buildtags: cannot write " << path << '\n';
  return written;
}

}  // namespace bte::cli
