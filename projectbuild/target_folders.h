// Where each target goes when one build makes several: a folder of OUT
// named after the target, made safe for every file system.
#ifndef BTE_PROJECTBUILD_TARGET_FOLDERS_H
#define BTE_PROJECTBUILD_TARGET_FOLDERS_H

#include <string>
#include <vector>

namespace bte::projectbuild {

// One folder name per target, in order: characters other than letters,
// digits, "-", "_" and inner blanks and dots become "_" (so "/" and ".."
// never lead out of OUT), device names of Windows get a "_", and names
// that would meet in a file system that ignores case get "-2", "-3"...
std::vector<std::string> TargetFolderNames(const std::vector<std::string>& targets);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TARGET_FOLDERS_H
