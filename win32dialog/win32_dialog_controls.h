// The dialog's controls as real windows: DialogControls over the window
// handles of a dialog made from the module's template, with a tooltip
// control, message boxes, and the UI library stand-ins for the image and
// Help buttons. Windows only; the one place besides the runner where the
// editor meets the window system.
#ifndef BTE_WIN32DIALOG_WIN32_DIALOG_CONTROLS_H
#define BTE_WIN32DIALOG_WIN32_DIALOG_CONTROLS_H

#include <windows.h>

#include "editor/dialog_controls.h"

namespace bte::win32dialog {

// The messages of one kind of list (list box or drop-down list).
struct EntryMessages;

class Win32DialogControls : public editor::DialogControls {
 public:
  Win32DialogControls(HWND dialog, const editor::DialogTemplate& dialogTemplate)
      : dialog_(dialog), template_(dialogTemplate) {}

  // What a WM_COMMAND notification code of control id means to the
  // dialog; false for codes it has no use for.
  bool TranslateCommand(uint32_t id, uint32_t code, editor::Notification& notification) const;

  void ResetEntries(uint32_t id) override;
  int AddEntry(uint32_t id, std::string_view text) override;
  void DeleteEntry(uint32_t id, int index) override;
  int EntryCount(uint32_t id) const override;
  std::string EntryText(uint32_t id, int index) const override;
  int FindEntryExact(uint32_t id, std::string_view text) const override;
  int Selection(uint32_t id) const override;
  void Select(uint32_t id, int index) override;
  std::string Text(uint32_t id) const override;
  void SetText(uint32_t id, std::string_view text) override;
  editor::TextRange EditSelection(uint32_t id) const override;
  void SetEditSelection(uint32_t id, editor::TextRange selection) override;
  void ScrollCaretIntoView(uint32_t id) override;
  void Enable(uint32_t id, bool enabled) override;
  void Focus(uint32_t id) override;
  editor::PixelRect DialogRect() const override;
  editor::PixelRect ControlRect(uint32_t id) const override;
  void MoveDialog(const editor::PixelRect& rect) override;
  int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) override;
  void AddTooltip(uint32_t id, std::string_view text) override;
  void ActivateTooltips(int initialDelayMilliseconds) override;
  void SetStockImage(uint32_t id, int image, uint32_t flags) override;
  void MakeStockHelpButton(uint32_t id) override;
  void EndDialog(int result) override;

 private:
  // The control's window, or null when the template has no such control.
  HWND Item(uint32_t id) const;
  // List boxes and drop-down lists take different messages for the same
  // operations; null for other controls.
  const EntryMessages* EntryMessagesOf(uint32_t id) const;

  HWND dialog_;
  const editor::DialogTemplate& template_;
  HWND tooltips_ = nullptr;  // owned by the dialog, destroyed with it
};

}  // namespace bte::win32dialog

#endif  // BTE_WIN32DIALOG_WIN32_DIALOG_CONTROLS_H
