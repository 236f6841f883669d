#include "platform/scratch_folder.h"

#include <windows.h>

#include <string>

#include "platform/wide_path_win32.h"

namespace bte::platform {

ScratchFolder::ScratchFolder() {
  char base[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof base, base);
  if (length == 0 || length > MAX_PATH) {
    result_ = {FileStatus::kFailed, static_cast<int>(GetLastError())};
    return;
  }
  // A name nobody else holds: the process id, then a counter until a new
  // folder is made (creation fails on an existing one).
  const std::string stem = std::string(base) + "buildtags-" + std::to_string(GetCurrentProcessId());
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate = stem + "-" + std::to_string(attempt);
    if (CreateDirectoryW(WidePath(candidate).c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  result_ = {FileStatus::kFailed, static_cast<int>(GetLastError())};
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  // Only plain files are ever made here.
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW(WidePath(path_ + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name != L"." && name != L"..")
        DeleteFileW((WidePath(path_) + L"\\" + name).c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(WidePath(path_).c_str());
}

}  // namespace bte::platform
