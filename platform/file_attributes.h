// The platform's file attributes, as the expression store uses them on a
// project file.
#ifndef BTE_PLATFORM_FILE_ATTRIBUTES_H
#define BTE_PLATFORM_FILE_ATTRIBUTES_H

#include <cstdint>

namespace bte::platform {

constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFF;
constexpr uint32_t kFileAttributeReadOnly = 0x01;
constexpr uint32_t kFileAttributeDirectory = 0x10;
constexpr uint32_t kFileAttributeArchive = 0x20;
constexpr uint32_t kFileAttributeNormal = 0x80;

// kInvalidFileAttributes for a missing path; a file is read-only when no one
// may write it.
uint32_t ReadFileAttributes(const char* path);
// Read-only takes every write permission away; any other value gives the
// owner write permission back. False for a missing path.
bool ChangeFileAttributes(const char* path, uint32_t attributes);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_FILE_ATTRIBUTES_H
