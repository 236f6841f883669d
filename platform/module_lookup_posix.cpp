#include "platform/module_lookup.h"

#include <dlfcn.h>

namespace bte::platform {

std::string PlatformLibraryName(std::string_view windowsName) {
  std::string_view stem = windowsName;
  constexpr std::string_view kSuffix = ".dll";
  if (stem.size() > kSuffix.size() && stem.substr(stem.size() - kSuffix.size()) == kSuffix)
    stem.remove_suffix(kSuffix.size());
  return "lib" + std::string(stem) + ".so";
}

ModuleHandle FindLoadedModule(std::string_view windowsName) {
  // RTLD_NOLOAD answers from the libraries already in the process. The
  // reference it adds is never given back: a found module stays in use for
  // the life of the process.
  return dlopen(PlatformLibraryName(windowsName).c_str(), RTLD_NOLOAD | RTLD_NOW);
}

void* FindEntryPoint(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return dlsym(module, name);
}

}  // namespace bte::platform
