#include "platform/file_attributes.h"

#include <sys/stat.h>

namespace bte::platform {

uint32_t ReadFileAttributes(const char* path) {
  struct stat info;
  if (path == nullptr || stat(path, &info) != 0) return kInvalidFileAttributes;
  if (S_ISDIR(info.st_mode)) return kFileAttributeDirectory;
  return kFileAttributeArchive | ((info.st_mode & 0222) == 0 ? kFileAttributeReadOnly : 0);
}

bool ChangeFileAttributes(const char* path, uint32_t attributes) {
  struct stat info;
  if (path == nullptr || stat(path, &info) != 0) return false;
  const mode_t mode = (attributes & kFileAttributeReadOnly) != 0 ? (info.st_mode & ~mode_t{0222})
                                                                  : (info.st_mode | S_IWUSR);
  return chmod(path, mode & 07777) == 0;
}

}  // namespace bte::platform
