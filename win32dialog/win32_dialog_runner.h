// The modal runner on Windows: shows a dialog from the template in a
// module's resources, with the given owner window, and relays its window
// messages to the dialog's logic. The module installs one when it loads.
#ifndef BTE_WIN32DIALOG_WIN32_DIALOG_RUNNER_H
#define BTE_WIN32DIALOG_WIN32_DIALOG_RUNNER_H

#include <windows.h>

#include "editor/dialog_controls.h"

namespace bte::win32dialog {

class Win32DialogRunner : public editor::DialogRunner {
 public:
  // resources: the module whose resources hold the dialog templates.
  explicit Win32DialogRunner(HINSTANCE resources) : resources_(resources) {}
  // The dialog's end result, or -1 when Windows cannot show it (no such
  // template, a parent that is no window).
  int RunModal(editor::ModalDialog& dialog, HWND parent) override;

 private:
  HINSTANCE resources_;
};

}  // namespace bte::win32dialog

#endif  // BTE_WIN32DIALOG_WIN32_DIALOG_RUNNER_H
