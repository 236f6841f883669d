// The help project file (.hhp), an INI-like text: its [FILES] lines and
// [ALIAS] entries that name left-out topics go, every other byte stays (line
// ends and 8-bit text included). A default topic ([OPTIONS], or a window of
// [WINDOWS]) that was left out cannot be mended: the file fails.
#ifndef BTE_PROJECTBUILD_PROJECT_FILE_PRUNING_H
#define BTE_PROJECTBUILD_PROJECT_FILE_PRUNING_H

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "projectbuild/left_out_topics.h"

namespace bte::projectbuild {

struct PrunedProjectFile {
  std::string bytes;
  std::vector<std::string> removed;  // the lines removed, without their line ends
  std::string error;                 // a left-out default topic, named
};

// folder: the file's folder below the source folder.
PrunedProjectFile PruneProjectFile(std::string_view bytes, const std::filesystem::path& folder,
                                   const LeftOutTopics& leftOut);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_PROJECT_FILE_PRUNING_H
