// The module's own instance handle on Windows, which Windows hands to
// DllMain when it loads the module: what the editor's dialog and string
// resources are loaded from.
#ifndef BTE_MODULE_MODULE_INSTANCE_H
#define BTE_MODULE_MODULE_INSTANCE_H

#include <windows.h>

namespace bte {

// Null until the module is loaded.
HINSTANCE ModuleInstance();

}  // namespace bte

#endif  // BTE_MODULE_MODULE_INSTANCE_H
