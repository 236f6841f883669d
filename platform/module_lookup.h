// Finding a library that the host has already loaded into the process, and
// an entry point in it. The lookup never loads anything itself.
#ifndef BTE_PLATFORM_MODULE_LOOKUP_H
#define BTE_PLATFORM_MODULE_LOOKUP_H

#include <string>
#include <string_view>

namespace bte::platform {

using ModuleHandle = void*;

// The platform's file name for a library known by its Windows name:
// "PublishProfiles.dll" is "libPublishProfiles.so" on POSIX systems.
std::string PlatformLibraryName(std::string_view windowsName);

// The handle of the library when it is loaded, else null.
ModuleHandle FindLoadedModule(std::string_view windowsName);

// The address of an exported function, else null.
void* FindEntryPoint(ModuleHandle module, const char* name);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_MODULE_LOOKUP_H
