// Paths for the Win32 wide-character file functions: the process code page
// path converted, and made absolute with the "\\?\" prefix when it is too
// long for the plain form, so that deep project folders work as short ones.
#ifndef BTE_PLATFORM_WIDE_PATH_WIN32_H
#define BTE_PLATFORM_WIDE_PATH_WIN32_H

#include <windows.h>

#include <string>

#include "platform/wide_string.h"

namespace bte::platform {

inline std::wstring WidePath(const std::string& path) {
  std::wstring wide = MultiByteToWide(path);
  if (wide.size() < MAX_PATH - 12 || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  full.resize(GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr));
  // GetFullPathNameW has already turned every "/" into "\", which the
  // prefixed form requires.
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace bte::platform

#endif  // BTE_PLATFORM_WIDE_PATH_WIN32_H
