// The terminal dialog of `buildtags edit` draws with curses, which the
// Windows build does not have: there the dialog never opens, and the
// command ends as it does without a terminal, after saying why.
#include <cstdio>

#include "cli/terminal_dialog.h"

namespace bte::cli {

int TerminalDialogRunner::RunModal(editor::ModalDialog&, HWND) {
  std::fputs("buildtags: the Windows build has no terminal dialog\n", stderr);
  opened_ = false;
  return -1;
}

void TerminalDialogRunner::ShowHelpScreen() {}

}  // namespace bte::cli
