#include "platform/file_system.h"

#include "platform/wide_path_win32.h"

namespace bte::platform {
namespace {

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()); }

// FILETIME counts 100 ns from 1601; FileStamp counts ns from 1970.
int64_t Nanoseconds(const FILETIME& time) {
  const uint64_t ticks = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return (static_cast<int64_t>(ticks) - 116444736000000000LL) * 100;
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileStamp StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FileStamp stamp;
  if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return stamp;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return stamp;
  stamp.exists = true;
  stamp.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.modified = Nanoseconds(data.ftLastWriteTime);
  return stamp;
}

int64_t FileClockNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return Nanoseconds(now);
}

std::vector<std::string> ListDirectory(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry{};
  const HANDLE search =
      FindFirstFileW(WidePath((folder.empty() ? std::string(".") : folder) + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(WideToMultiByte(name));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return names;
}

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace bte::platform
