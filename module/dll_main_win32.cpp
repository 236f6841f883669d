// The module's entry point on Windows: it keeps the instance handle, asks
// for no per-thread notifications, which the module has no use for, and
// installs the runner that shows the editor dialog from the module's own
// resources.
#include "editor/dialog_controls.h"
#include "module/module_instance.h"
#include "win32dialog/win32_dialog_runner.h"

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
    static bte::win32dialog::Win32DialogRunner runner(instance);
    bte::editor::InstallDialogRunner(&runner);
  }
  return TRUE;
}
