// DialogControls over real windows: entries, texts, selections, enabling,
// focus and geometry through the standard controls' messages.
#include "win32dialog/win32_dialog_controls.h"

#include <commctrl.h>

#include "uicontrols/ui_controls.h"

namespace bte::win32dialog {

using editor::ControlKind;
using editor::Notification;

struct EntryMessages {
  UINT reset, add, remove, count, textLength, text, getSelection, setSelection;
};

namespace {

constexpr EntryMessages kListBoxMessages = {
    LB_RESETCONTENT, LB_ADDSTRING, LB_DELETESTRING, LB_GETCOUNT,
    LB_GETTEXTLEN,   LB_GETTEXT,   LB_GETCURSEL,    LB_SETCURSEL};
constexpr EntryMessages kComboBoxMessages = {
    CB_RESETCONTENT,  CB_ADDSTRING,  CB_DELETESTRING, CB_GETCOUNT,
    CB_GETLBTEXTLEN,  CB_GETLBTEXT,  CB_GETCURSEL,    CB_SETCURSEL};

// WM_COMMAND notification codes per control kind. Enter and Esc arrive as
// clicks of OK and Cancel.
struct CommandCode {
  ControlKind kind;
  uint32_t code;
  Notification notification;
};
constexpr CommandCode kCommandCodes[] = {
    {ControlKind::kButton, BN_CLICKED, Notification::kClicked},
    {ControlKind::kDefaultButton, BN_CLICKED, Notification::kClicked},
    {ControlKind::kImageButton, BN_CLICKED, Notification::kClicked},
    {ControlKind::kListBox, LBN_SELCHANGE, Notification::kSelectionChanged},
    {ControlKind::kListBox, LBN_DBLCLK, Notification::kDoubleClicked},
    {ControlKind::kDropDownList, CBN_SELCHANGE, Notification::kSelectionChanged},
    {ControlKind::kDropDownList, CBN_DBLCLK, Notification::kDoubleClicked},
    {ControlKind::kEditBox, EN_CHANGE, Notification::kTextChanged},
};

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

editor::PixelRect PixelRectOf(HWND window) {
  RECT rect{};
  if (window != nullptr) GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

HWND Win32DialogControls::Item(uint32_t id) const {
  return editor::FindControlTemplate(id) == nullptr ? nullptr : GetDlgItem(dialog_, int(id));
}

const EntryMessages* Win32DialogControls::EntryMessagesOf(uint32_t id) const {
  const editor::ControlTemplate* row = editor::FindControlTemplate(id);
  if (row == nullptr || Item(id) == nullptr) return nullptr;
  if (row->kind == ControlKind::kListBox) return &kListBoxMessages;
  if (row->kind == ControlKind::kDropDownList) return &kComboBoxMessages;
  return nullptr;
}

bool Win32DialogControls::TranslateCommand(uint32_t id, uint32_t code,
                                           Notification& notification) const {
  const editor::ControlTemplate* row = editor::FindControlTemplate(id);
  if (row == nullptr) return false;
  for (const CommandCode& entry : kCommandCodes) {
    if (entry.kind != row->kind || entry.code != code) continue;
    notification = entry.notification;
    return true;
  }
  return false;
}

void Win32DialogControls::ResetEntries(uint32_t id) {
  if (const EntryMessages* m = EntryMessagesOf(id)) SendMessageA(Item(id), m->reset, 0, 0);
}

int Win32DialogControls::AddEntry(uint32_t id, std::string_view text) {
  const EntryMessages* m = EntryMessagesOf(id);
  if (m == nullptr) return -1;
  const std::string entry(text);
  const LRESULT index = SendMessageA(Item(id), m->add, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  return index < 0 ? -1 : int(index);
}

void Win32DialogControls::DeleteEntry(uint32_t id, int index) {
  if (const EntryMessages* m = EntryMessagesOf(id)) SendMessageA(Item(id), m->remove, index, 0);
}

int Win32DialogControls::EntryCount(uint32_t id) const {
  const EntryMessages* m = EntryMessagesOf(id);
  return m == nullptr ? 0 : int(SendMessageA(Item(id), m->count, 0, 0));
}

std::string Win32DialogControls::EntryText(uint32_t id, int index) const {
  const EntryMessages* m = EntryMessagesOf(id);
  if (m == nullptr) return std::string();
  const LRESULT length = SendMessageA(Item(id), m->textLength, index, 0);
  if (length <= 0) return std::string();
  std::string text(size_t(length) + 1, '\0');
  const LRESULT got = SendMessageA(Item(id), m->text, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got < 0 ? 0 : size_t(got));
  return text;
}

int Win32DialogControls::FindEntryExact(uint32_t id, std::string_view text) const {
  const int count = EntryCount(id);
  for (int index = 0; index < count; ++index)
    if (EqualIgnoringAsciiCase(EntryText(id, index), text)) return index;
  return -1;
}

int Win32DialogControls::Selection(uint32_t id) const {
  const EntryMessages* m = EntryMessagesOf(id);
  if (m == nullptr) return -1;
  const LRESULT index = SendMessageA(Item(id), m->getSelection, 0, 0);
  return index < 0 ? -1 : int(index);
}

void Win32DialogControls::Select(uint32_t id, int index) {
  if (const EntryMessages* m = EntryMessagesOf(id)) {
    const bool inRange = index >= 0 && index < EntryCount(id);
    SendMessageA(Item(id), m->setSelection, inRange ? WPARAM(index) : WPARAM(-1), 0);
  }
}

std::string Win32DialogControls::Text(uint32_t id) const {
  HWND item = Item(id);
  if (item == nullptr) return std::string();
  const int length = GetWindowTextLengthA(item);
  if (length <= 0) return std::string();
  std::string text(size_t(length) + 1, '\0');
  text.resize(size_t(GetWindowTextA(item, &text[0], length + 1)));
  return text;
}

void Win32DialogControls::SetText(uint32_t id, std::string_view text) {
  if (HWND item = Item(id)) SetWindowTextA(item, std::string(text).c_str());
}

editor::TextRange Win32DialogControls::EditSelection(uint32_t id) const {
  DWORD start = 0, end = 0;
  if (HWND item = Item(id))
    SendMessageA(item, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void Win32DialogControls::SetEditSelection(uint32_t id, editor::TextRange selection) {
  if (HWND item = Item(id)) SendMessageA(item, EM_SETSEL, selection.start, selection.end);
}

void Win32DialogControls::ScrollCaretIntoView(uint32_t id) {
  if (HWND item = Item(id)) SendMessageA(item, EM_SCROLLCARET, 0, 0);
}

void Win32DialogControls::Enable(uint32_t id, bool enabled) {
  if (HWND item = Item(id)) EnableWindow(item, enabled ? TRUE : FALSE);
}

void Win32DialogControls::Focus(uint32_t id) {
  // Not through the dialog manager, which would select all of an edit
  // box's text: the caret must stay where the dialog put it.
  if (HWND item = Item(id)) SetFocus(item);
}

editor::PixelRect Win32DialogControls::DialogRect() const { return PixelRectOf(dialog_); }

editor::PixelRect Win32DialogControls::ControlRect(uint32_t id) const { return PixelRectOf(Item(id)); }

void Win32DialogControls::MoveDialog(const editor::PixelRect& rect) {
  MoveWindow(dialog_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  // Controls the new size cuts off are hidden, so that neither Tab nor a
  // mnemonic reaches what the user cannot see.
  RECT client;
  GetClientRect(dialog_, &client);
  POINT bottom{0, client.bottom};
  ClientToScreen(dialog_, &bottom);
  for (size_t i = 0; i < template_.controlCount; ++i) {
    HWND item = Item(template_.controls[i].id);
    if (item == nullptr) continue;
    RECT control;
    GetWindowRect(item, &control);
    ShowWindow(item, control.top < bottom.y ? SW_SHOWNA : SW_HIDE);
  }
}

int Win32DialogControls::ShowMessageBox(std::string_view text, std::string_view caption,
                                        uint32_t style) {
  return MessageBoxA(dialog_, std::string(text).c_str(), std::string(caption).c_str(), style);
}

void Win32DialogControls::AddTooltip(uint32_t id, std::string_view text) {
  HWND item = Item(id);
  if (item == nullptr) return;
  if (tooltips_ == nullptr)
    tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                dialog_, nullptr, nullptr, nullptr);
  std::string copy(text);  // the tooltip control keeps a copy of its own
  TOOLINFOA tool{};
  // The size every version of the common controls understands.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  // The control relays the tool's mouse messages to itself.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog_;
  tool.uId = reinterpret_cast<UINT_PTR>(item);
  tool.lpszText = &copy[0];
  SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32DialogControls::ActivateTooltips(int initialDelayMilliseconds) {
  if (tooltips_ == nullptr) return;
  SendMessageA(tooltips_, TTM_ACTIVATE, TRUE, 0);
  SendMessageA(tooltips_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(initialDelayMilliseconds, 0));
}

void Win32DialogControls::SetStockImage(uint32_t id, int image, uint32_t flags) {
  if (HWND item = Item(id)) uicontrols::SetStockImage(item, image, flags);
}

void Win32DialogControls::MakeStockHelpButton(uint32_t id) {
  uicontrols::MakeStockButton(dialog_, int(id), 0, 0);
}

void Win32DialogControls::EndDialog(int result) { ::EndDialog(dialog_, result); }

}  // namespace bte::win32dialog
