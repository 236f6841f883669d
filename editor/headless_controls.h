// A control layer without a window system: every control of a template as
// plain state that tests, scripts and the terminal front end act on as a
// user would (click, choose, type, double-click, F1, answer message boxes)
// and read back. User actions obey the platform's rules: a disabled control
// or one outside the dialog's visible area takes no input, and nothing
// takes input once the dialog has ended.
#ifndef BTE_EDITOR_HEADLESS_CONTROLS_H
#define BTE_EDITOR_HEADLESS_CONTROLS_H

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/dialog_controls.h"

namespace bte::editor {

struct MessageBoxRecord {
  std::string text;
  std::string caption;
  uint32_t style = 0;
};

class HeadlessControls : public DialogControls {
 public:
  // The dialog's window starts at screen position (100, 100); dialog units
  // are converted with the base units of an 8-point system font.
  explicit HeadlessControls(const DialogTemplate& dialog);

  // Where user actions are reported (the running dialog).
  void SetEvents(DialogEvents* events) { events_ = events; }
  // Decides the answer of each message box; without one, every box is
  // answered with OK.
  using MessageBoxAnswerer = std::function<int(const MessageBoxRecord&)>;
  void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) { answerer_ = std::move(answerer); }

  // User actions. Each answers false when the control cannot take it.
  bool Click(uint32_t id);
  bool ChooseEntry(uint32_t id, std::string_view entry);  // exact text
  bool ChooseEntryAt(uint32_t id, int index);
  bool DoubleClickEntry(uint32_t id, std::string_view entry);
  // Types into an edit box at its caret, replacing the selection.
  bool TypeText(uint32_t id, std::string_view text);
  bool SelectText(uint32_t id, TextRange selection);
  bool FocusControl(uint32_t id);
  // F1: the dialog's answer whether it handled the request.
  bool PressHelp();
  // Enter and Esc outside a button: the default button's command and the
  // cancel command, with the focus left where it is.
  bool PressEnter();
  bool PressEscape();

  // Read-back.
  const DialogTemplate& dialog() const { return dialog_; }
  bool IsEnabled(uint32_t id) const;
  // Whether any of the control lies inside the dialog's visible area.
  bool IsVisible(uint32_t id) const;
  bool CanTakeInput(uint32_t id) const;
  std::vector<std::string> Entries(uint32_t id) const;
  uint32_t FocusedControl() const { return focus_; }
  std::string Tooltip(uint32_t id) const;
  // The host UI library's picture on an image button (0: none).
  int StockImage(uint32_t id) const;
  bool TooltipsActive() const { return tooltipsActive_; }
  const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
  bool Ended() const { return ended_; }
  int EndResult() const { return endResult_; }

  // DialogControls
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
  TextRange EditSelection(uint32_t id) const override;
  void SetEditSelection(uint32_t id, TextRange selection) override;
  void ScrollCaretIntoView(uint32_t) override {}
  void Enable(uint32_t id, bool enabled) override;
  void Focus(uint32_t id) override;
  PixelRect DialogRect() const override { return dialogRect_; }
  PixelRect ControlRect(uint32_t id) const override;
  void MoveDialog(const PixelRect& rect) override { dialogRect_ = rect; }
  int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) override;
  void AddTooltip(uint32_t id, std::string_view text) override;
  void ActivateTooltips(int) override { tooltipsActive_ = true; }
  void SetStockImage(uint32_t id, int image, uint32_t flags) override;
  void MakeStockHelpButton(uint32_t) override {}
  void EndDialog(int result) override;

 private:
  struct Control {
    const ControlTemplate* row = nullptr;
    std::string text;
    bool enabled = true;
    std::vector<std::string> entries;
    int selection = -1;
    TextRange editSelection;
    std::string tooltip;
    int stockImage = 0;
  };

  Control* Find(uint32_t id);
  const Control* Find(uint32_t id) const;
  bool HasEntries(const Control& control) const;
  void Notify(uint32_t id, Notification notification);

  const DialogTemplate& dialog_;
  std::map<uint32_t, Control> controls_;
  PixelRect dialogRect_;
  uint32_t focus_ = 0;
  DialogEvents* events_ = nullptr;
  MessageBoxAnswerer answerer_;
  std::vector<MessageBoxRecord> messageBoxes_;
  bool tooltipsActive_ = false;
  bool ended_ = false;
  int endResult_ = 0;
};

// Runs dialogs over HeadlessControls with a scripted user: the script gets
// the started dialog's controls and acts on them. A script that leaves the
// dialog open closes it as the window's close box does (kIdCancel).
class HeadlessDialogRunner : public DialogRunner {
 public:
  using Script = std::function<void(HeadlessControls& controls)>;
  explicit HeadlessDialogRunner(Script script) : script_(std::move(script)) {}

  int RunModal(ModalDialog& dialog, HWND parent) override;
  int runs() const { return runs_; }
  HWND lastParent() const { return lastParent_; }

 private:
  Script script_;
  int runs_ = 0;
  HWND lastParent_ = nullptr;
};

}  // namespace bte::editor

#endif  // BTE_EDITOR_HEADLESS_CONTROLS_H
