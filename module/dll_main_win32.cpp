// The module's entry point on Windows: it keeps the instance handle and
// asks for no per-thread notifications, which the module has no use for.
#include "module/module_instance.h"

namespace {
HINSTANCE moduleInstance = nullptr;
}  // namespace

namespace bte {
HINSTANCE ModuleInstance() { return moduleInstance; }
}  // namespace bte

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    moduleInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
