// The file system as the HTML library and the link checks need it: telling
// regular files and folders apart, listing a folder (for link names that
// differ only in letter case), and the stamp that tells a file or folder
// unchanged since it was last read. Topics are read with file_io.h.
#ifndef BTE_PLATFORM_FILE_SYSTEM_H
#define BTE_PLATFORM_FILE_SYSTEM_H

#include <cstdint>
#include <string>
#include <vector>

namespace bte::platform {

// What a cache compares to know that a file or folder is as it was: kind,
// size and modification time (nanoseconds since 1970; a folder's changes
// whenever an entry is added, removed or renamed).
struct FileStamp {
  bool exists = false;
  bool isDirectory = false;
  uint64_t size = 0;
  int64_t modified = 0;

  bool operator==(const FileStamp& other) const {
    return exists == other.exists && isDirectory == other.isDirectory && size == other.size &&
           modified == other.modified;
  }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// The stamp of a regular file or folder; exists is false for anything else
// (nothing there, a device, a pipe).
FileStamp StampOf(const std::string& path);
// Now, on the clock of FileStamp::modified.
int64_t FileClockNow();

bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// The entry names of a folder (without "." and ".."); empty when unreadable.
std::vector<std::string> ListDirectory(const std::string& folder);
// Whether c separates a path's folders: '/' everywhere, also '\\' on Windows,
// where hosts give paths such as C:\Help\topic.htm.
bool IsPathSeparator(char c);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_FILE_SYSTEM_H
