#include "platform/file_attributes.h"

#include "platform/wide_path_win32.h"

namespace bte::platform {

uint32_t ReadFileAttributes(const char* path) {
  if (path == nullptr) return kInvalidFileAttributes;
  return GetFileAttributesW(WidePath(path).c_str());
}

bool ChangeFileAttributes(const char* path, uint32_t attributes) {
  if (path == nullptr) return false;
  return SetFileAttributesW(WidePath(path).c_str(), attributes) != 0;
}

}  // namespace bte::platform
