// The build tags a help project uses: per tag, how often and in which files,
// and, against a project file, tags no stored expression mentions and
// expressions naming tags no file uses.
#ifndef BTE_PROJECTBUILD_TAG_SCAN_H
#define BTE_PROJECTBUILD_TAG_SCAN_H

#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace bte::projectbuild {

struct TagUse {
  std::string spelling;  // as first seen
  size_t count = 0;
  std::set<std::string> files;  // relative to the source folder, "/"-separated
};

struct ExpressionWithUnusedTags {
  std::string expression;
  std::vector<std::string> tags;  // folded to lower case
};

struct TagScan {
  // By tag folded to lower case: tags compare without regard to letter case,
  // as tag sets do.
  std::map<std::string, TagUse> tags;
  // Only with a project file:
  std::vector<std::string> tagsInNoExpression;  // spellings
  std::vector<ExpressionWithUnusedTags> expressionsWithUnusedTags;  // by expression text
};

// Topic-level and inline tags of every topic, the build-tag annotations of
// every RTF document; projectFile may be empty.
TagScan ScanTags(const std::filesystem::path& source, const std::string& projectFile);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TAG_SCAN_H
