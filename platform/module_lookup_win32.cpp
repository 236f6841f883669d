#include "platform/module_lookup.h"

#include <windows.h>

namespace bte::platform {

std::string PlatformLibraryName(std::string_view windowsName) { return std::string(windowsName); }

ModuleHandle FindLoadedModule(std::string_view windowsName) {
  // Answers from the modules already in the process and adds no reference:
  // the host that loaded the library keeps it for as long as it runs.
  return GetModuleHandleA(PlatformLibraryName(windowsName).c_str());
}

void* FindEntryPoint(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

}  // namespace bte::platform
