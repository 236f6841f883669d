// Runs the expression dialog in a text terminal (ncurses): the headless
// control layer holds the controls' state, this front end draws it on a
// fixed character grid and turns keys into the user actions a mouse and
// keyboard would take in the window version.
#ifndef BTE_CLI_TERMINAL_DIALOG_H
#define BTE_CLI_TERMINAL_DIALOG_H

#include <cstdint>

#include "editor/headless_controls.h"

namespace bte::cli {

class TerminalDialogRunner : public editor::DialogRunner {
 public:
  // -1 when the terminal cannot be opened.
  int RunModal(editor::ModalDialog& dialog, HWND parent) override;
  // Shows the key help over the running dialog until a key is pressed.
  void ShowHelpScreen();
  // Whether the last run could open the terminal.
  bool opened() const { return opened_; }

 private:
  void Draw();
  void HandleKey(int key);
  void HandleEditKey(int key);
  void HandleAltKey(int key);
  void MoveFocus(int step);
  int AnswerMessageBox(const editor::MessageBoxRecord& box);
  int WaitForKey();

  editor::HeadlessControls* controls_ = nullptr;
  bool opened_ = false;
};

}  // namespace bte::cli

#endif  // BTE_CLI_TERMINAL_DIALOG_H
