// The terminal's modal loop: keys become user actions on the headless
// controls. Tab walks the controls that take input, Space acts on the
// focused one (a list's Space is a double click), Enter presses the focused
// button or else the default one, Alt+letter is a control's mnemonic, F1
// asks for help and Esc cancels.
#include "cli/terminal_dialog.h"

#include <curses.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/terminal_layout.h"

namespace bte::cli {
namespace {

using editor::ControlKind;
using namespace editor::control;

constexpr int kEscape = 27;
constexpr int kAltTimeoutMilliseconds = 40;

bool IsEnterKey(int key) { return key == '\n' || key == '\r' || key == KEY_ENTER; }
bool IsBackspaceKey(int key) { return key == KEY_BACKSPACE || key == 127 || key == 8; }

ControlKind KindOf(uint32_t id) { return editor::FindControlTemplate(id)->kind; }

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kDefaultButton ||
         kind == ControlKind::kImageButton;
}

bool HasEntries(ControlKind kind) {
  return kind == ControlKind::kListBox || kind == ControlKind::kDropDownList;
}

// The letter after a single '&', lower case; 0 when there is none.
int MnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1] | 0x20;
    ++i;
  }
  return 0;
}

// The terminal the dialog draws on: the controlling terminal, so that the
// result on standard output can be redirected.
struct Terminal {
  FILE* input = nullptr;
  FILE* output = nullptr;
  SCREEN* screen = nullptr;

  bool Open() {
    input = std::fopen("/dev/tty", "r");
    output = std::fopen("/dev/tty", "w");
    if (input == nullptr || output == nullptr) return false;
    screen = newterm(nullptr, output, input);
    if (screen == nullptr) return false;
    set_term(screen);
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(kAltTimeoutMilliseconds);
    return true;
  }

  ~Terminal() {
    if (screen != nullptr) {
      endwin();
      delscreen(screen);
    }
    if (input != nullptr) std::fclose(input);
    if (output != nullptr) std::fclose(output);
  }
};

// A framed box in the middle of the screen with the given lines.
void DrawBox(const std::string& title, const std::vector<std::string>& lines) {
  size_t width = title.size() + 4;
  for (const std::string& line : lines) width = std::max(width, line.size() + 4);
  const int height = static_cast<int>(lines.size()) + 2;
  const int top = std::max(0, (LINES - height) / 2);
  const int left = std::max(0, (COLS - static_cast<int>(width)) / 2);
  WINDOW* box = newwin(height, static_cast<int>(width), top, left);
  wborder(box, '|', '|', '-', '-', '+', '+', '+', '+');
  mvwaddstr(box, 0, 2, (" " + title + " ").c_str());
  for (size_t i = 0; i < lines.size(); ++i)
    mvwaddstr(box, static_cast<int>(i) + 1, 2, lines[i].c_str());
  curs_set(0);
  wrefresh(box);
  delwin(box);
}

std::vector<std::string> Wrap(const std::string& text, size_t width) {
  std::vector<std::string> lines;
  std::string rest = text;
  while (rest.size() > width) {
    size_t cut = rest.rfind(' ', width);
    if (cut == std::string::npos || cut == 0) cut = width;
    lines.push_back(rest.substr(0, cut));
    rest = rest.substr(cut == width ? cut : cut + 1);
  }
  lines.push_back(rest);
  return lines;
}

}  // namespace

int TerminalDialogRunner::RunModal(editor::ModalDialog& dialog, HWND) {
  Terminal terminal;
  opened_ = terminal.Open();
  if (!opened_) return -1;
  editor::HeadlessControls controls(dialog.Template());
  controls_ = &controls;
  controls.SetEvents(&dialog);
  controls.SetMessageBoxAnswerer(
      [this](const editor::MessageBoxRecord& box) { return AnswerMessageBox(box); });
  dialog.Start(controls);
  while (!controls.Ended()) {
    Draw();
    HandleKey(getch());
  }
  dialog.Detach();
  controls_ = nullptr;
  return controls.EndResult();
}

int TerminalDialogRunner::WaitForKey() {
  int key;
  do {
    key = getch();
  } while (key == KEY_RESIZE || key == ERR);
  return key;
}

int TerminalDialogRunner::AnswerMessageBox(const editor::MessageBoxRecord& box) {
  Draw();
  std::vector<std::string> lines = Wrap("(x) " + box.text, 60);
  lines.push_back("");
  lines.push_back("[ OK ]");
  DrawBox(box.caption, lines);
  int key;
  do {
    key = WaitForKey();
  } while (!IsEnterKey(key) && key != ' ' && key != kEscape);
  return editor::kIdOk;
}

void TerminalDialogRunner::ShowHelpScreen() {
  if (controls_ == nullptr) return;
  Draw();
  DrawBox("Help: " + std::string(controls_->dialog().caption),
          {"Basic: move tags between 'Available tags' and 'Exclude from output'.",
           "  Up/Down chooses a tag, Space moves it; the [>] [<] [>>] [<<]",
           "  buttons move the chosen tag or all tags.",
           "Advanced: type the expression or insert words with the buttons;",
           "  Up/Down on the tag chooser picks a tag, Space inserts it.", "",
           "Tab/Shift+Tab  next/previous control   Space  act on the control",
           "Alt+letter     underlined letter       Enter  OK (or the focused button)",
           "F1             this help               Esc    cancel", "", "Press any key."});
  WaitForKey();
}

void TerminalDialogRunner::MoveFocus(int step) {
  const editor::DialogTemplate& dialog = controls_->dialog();
  const int count = static_cast<int>(dialog.controlCount);
  int at = 0;
  for (int i = 0; i < count; ++i)
    if (dialog.controls[i].id == controls_->FocusedControl()) at = i;
  for (int tried = 1; tried <= count; ++tried) {
    const int next = ((at + step * tried) % count + count) % count;
    if (controls_->FocusControl(dialog.controls[next].id)) return;
  }
}

// A button's mnemonic presses it; a label's focuses the control after it.
void TerminalDialogRunner::HandleAltKey(int key) {
  const editor::DialogTemplate& dialog = controls_->dialog();
  for (size_t i = 0; i < dialog.controlCount; ++i) {
    const uint32_t id = dialog.controls[i].id;
    if (MnemonicOf(controls_->Text(id)) != (key | 0x20) || !controls_->CanTakeInput(id)) continue;
    if (IsButton(dialog.controls[i].kind)) {
      controls_->Click(id);
    } else if (i + 1 < dialog.controlCount) {
      controls_->FocusControl(dialog.controls[i + 1].id);
    }
    return;
  }
}

void TerminalDialogRunner::HandleEditKey(int key) {
  const uint32_t edit = kExpressionEdit;
  const editor::TextRange selection = controls_->EditSelection(edit);
  const size_t length = controls_->Text(edit).size();
  const size_t caret = selection.end;
  switch (key) {
    case KEY_LEFT:
      controls_->SelectText(edit, {caret > 0 ? caret - 1 : 0, caret > 0 ? caret - 1 : 0});
      return;
    case KEY_RIGHT: controls_->SelectText(edit, {caret + 1, caret + 1}); return;
    case KEY_SLEFT:
      controls_->SelectText(edit, {selection.start > 0 ? selection.start - 1 : 0, selection.end});
      return;
    case KEY_SRIGHT: controls_->SelectText(edit, {selection.start, selection.end + 1}); return;
    case KEY_HOME: controls_->SelectText(edit, {0, 0}); return;
    case KEY_END: controls_->SelectText(edit, {length, length}); return;
    case KEY_DC:
      if (selection.empty()) controls_->SelectText(edit, {caret, caret + 1});
      controls_->TypeText(edit, "");
      return;
    default: break;
  }
  if (IsBackspaceKey(key)) {
    if (selection.empty() && caret > 0) controls_->SelectText(edit, {caret - 1, caret});
    controls_->TypeText(edit, "");
  } else if (key >= ' ' && key < 256 && key != 127) {
    controls_->TypeText(edit, std::string(1, static_cast<char>(key)));
  }
}

void TerminalDialogRunner::HandleKey(int key) {
  const uint32_t focused = controls_->FocusedControl();
  const ControlKind kind = focused != 0 ? KindOf(focused) : ControlKind::kLabel;
  if (key == kEscape) {
    nodelay(stdscr, TRUE);
    const int next = getch();
    nodelay(stdscr, FALSE);
    if (next == ERR)
      controls_->PressEscape();
    else
      HandleAltKey(next);
  } else if (key == KEY_F(1)) {
    controls_->PressHelp();
  } else if (key == '\t') {
    MoveFocus(1);
  } else if (key == KEY_BTAB) {
    MoveFocus(-1);
  } else if (IsButton(kind) && (IsEnterKey(key) || key == ' ')) {
    controls_->Click(focused);
  } else if (IsEnterKey(key)) {
    controls_->PressEnter();
  } else if (HasEntries(kind) && (key == KEY_UP || key == KEY_DOWN)) {
    const int selected = controls_->Selection(focused);
    controls_->ChooseEntryAt(focused, selected < 0 ? 0 : selected + (key == KEY_UP ? -1 : 1));
  } else if (HasEntries(kind) && key == ' ') {
    const int selected = controls_->Selection(focused);
    if (selected >= 0)
      controls_->DoubleClickEntry(focused, controls_->EntryText(focused, selected));
  } else if (kind == ControlKind::kEditBox) {
    HandleEditKey(key);
  }
}

}  // namespace bte::cli
