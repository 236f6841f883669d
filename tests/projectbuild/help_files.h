// What the project-build tests share: the sample help project and the
// reading and writing of whole files, folders made as needed.
#ifndef BTE_TESTS_PROJECTBUILD_HELP_FILES_H
#define BTE_TESTS_PROJECTBUILD_HELP_FILES_H

#include <filesystem>
#include <string>

#include "temp_folder.h"
#include "text_search.h"

namespace bte::test {

inline const std::filesystem::path kSample =
    std::filesystem::path(BTE_SOURCE_DIR) / "samples" / "help";

inline std::string Read(const std::filesystem::path& path) {
  return ReadBytes(path.string()).value_or("<missing>");
}

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  WriteBytes(path.string(), bytes);
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace bte::test

#endif  // BTE_TESTS_PROJECTBUILD_HELP_FILES_H
