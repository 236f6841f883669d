#include "platform/file_system.h"

#include "platform/wide_path_win32.h"

namespace bte::platform {
namespace {

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()); }

}  // namespace

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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

}  // namespace bte::platform
