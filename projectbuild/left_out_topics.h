// The topics a target left out, looked up the way help project files name
// them: relative to the naming file's folder, with "\" or "/", in any letter
// case, %XX-escaped, with a "#fragment" or "?query".
#ifndef BTE_PROJECTBUILD_LEFT_OUT_TOPICS_H
#define BTE_PROJECTBUILD_LEFT_OUT_TOPICS_H

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bte::projectbuild {

class LeftOutTopics {
 public:
  // relative: below the source folder.
  void Add(const std::filesystem::path& relative);
  bool empty() const { return topics_.empty(); }

  // The left-out topic (below the source folder) that reference, written
  // in a file of folder (below the source folder), leads to; null when it
  // leads to none, outside the source folder or to another scheme.
  const std::filesystem::path* Find(std::string_view reference,
                                    const std::filesystem::path& folder) const;

 private:
  std::unordered_map<std::string, std::filesystem::path> topics_;  // by folded path
};

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_LEFT_OUT_TOPICS_H
