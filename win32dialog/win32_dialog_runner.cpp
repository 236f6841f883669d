// The modal run: DialogBoxParam over the module's template, with the
// dialog's logic behind the dialog procedure.
#include "win32dialog/win32_dialog_runner.h"

#include <commctrl.h>

#include <memory>

#include "win32dialog/win32_dialog_controls.h"

namespace bte::win32dialog {
namespace {

struct Session {
  editor::ModalDialog& dialog;
  std::unique_ptr<Win32DialogControls> controls;
};

INT_PTR StartSession(HWND window, LPARAM lParam) {
  Session& session = *reinterpret_cast<Session*>(lParam);
  // Stored first: starting the dialog already sends notifications.
  SetWindowLongPtrA(window, DWLP_USER, lParam);
  session.controls =
      std::make_unique<Win32DialogControls>(window, session.dialog.Template());
  session.dialog.Start(*session.controls);
  return FALSE;  // the dialog has placed the focus itself
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return StartSession(window, lParam);
  auto* session = reinterpret_cast<Session*>(GetWindowLongPtrA(window, DWLP_USER));
  if (session == nullptr || session->controls == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      editor::Notification notification;
      const uint32_t id = LOWORD(wParam);
      if (!session->controls->TranslateCommand(id, HIWORD(wParam), notification)) return FALSE;
      session->dialog.OnCommand(id, notification);
      return TRUE;
    }
    case WM_HELP: return session->dialog.OnHelpRequest() ? TRUE : FALSE;
    default: return FALSE;
  }
}

// Tooltips need the common controls' window classes; the first run
// registers them, outside DllMain, where loading them is not allowed.
void RegisterCommonControls() {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
  registered = InitCommonControlsEx(&classes) != FALSE;
}

}  // namespace

int Win32DialogRunner::RunModal(editor::ModalDialog& dialog, HWND parent) {
  RegisterCommonControls();
  Session session{dialog, nullptr};
  const INT_PTR result =
      DialogBoxParamA(resources_, MAKEINTRESOURCEA(dialog.Template().id), parent,
                      DialogProcedure, reinterpret_cast<LPARAM>(&session));
  dialog.Detach();
  return int(result);
}

}  // namespace bte::win32dialog
