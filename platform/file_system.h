// The file system as the HTML library needs it for resolving links: telling
// regular files and folders apart, and listing a folder (for link names that
// differ only in letter case). Topics are read with file_io.h.
#ifndef BTE_PLATFORM_FILE_SYSTEM_H
#define BTE_PLATFORM_FILE_SYSTEM_H

#include <string>
#include <vector>

namespace bte::platform {

bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// The entry names of a folder (without "." and ".."); empty when unreadable.
std::vector<std::string> ListDirectory(const std::string& folder);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_FILE_SYSTEM_H
