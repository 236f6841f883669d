// The file system as the HTML library needs it: reading a topic, telling
// regular files and folders apart, and listing a folder (for resolving link
// names that differ only in letter case).
#ifndef BTE_PLATFORM_FILE_SYSTEM_H
#define BTE_PLATFORM_FILE_SYSTEM_H

#include <string>
#include <vector>

namespace bte::platform {

// False when the file cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// The entry names of a folder (without "." and ".."); empty when unreadable.
std::vector<std::string> ListDirectory(const std::string& folder);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_FILE_SYSTEM_H
