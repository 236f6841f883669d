// The narrow control layer between the dialog's logic and a toolkit. It
// mirrors what the platform's controls do: sorted lists insert in order,
// programmatic changes of a list's selection notify nobody, setting an edit
// box's text reports a text change, and disabled or hidden controls take no
// user input. The toolkit reports user actions back through DialogEvents.
#ifndef BTE_EDITOR_DIALOG_CONTROLS_H
#define BTE_EDITOR_DIALOG_CONTROLS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "buildtagexpr.h"
#include "editor/insertion_rules.h"
#include "editor/resources.h"

namespace bte::editor {

// Results of a modal run and of a message box.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Message box style bits.
constexpr uint32_t kMessageBoxOk = 0x0;
constexpr uint32_t kMessageBoxIconError = 0x10;

enum class Notification {
  kClicked,           // a button
  kSelectionChanged,  // a list or drop-down list, by the user
  kDoubleClicked,     // an entry of a list or drop-down list
  kTextChanged,       // an edit box, by the user or by SetText
};

// Screen rectangle in pixels.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int height() const { return bottom - top; }
};

// Implemented by a dialog: what the toolkit reports.
class DialogEvents {
 public:
  virtual ~DialogEvents() = default;
  virtual void OnCommand(uint32_t controlId, Notification notification) = 0;
  // The platform's help request (F1); true when handled.
  virtual bool OnHelpRequest() = 0;
};

// Implemented by a toolkit for one running dialog. Ids are control ids of
// the dialog's template; an id the template lacks is ignored.
class DialogControls {
 public:
  virtual ~DialogControls() = default;

  // Entries of list boxes and drop-down lists. Indexes start at 0; -1 is
  // "none". AddEntry answers the index the entry got.
  virtual void ResetEntries(uint32_t id) = 0;
  virtual int AddEntry(uint32_t id, std::string_view text) = 0;
  virtual void DeleteEntry(uint32_t id, int index) = 0;
  virtual int EntryCount(uint32_t id) const = 0;
  virtual std::string EntryText(uint32_t id, int index) const = 0;
  // The first entry equal to text without regard to ASCII case, or -1.
  virtual int FindEntryExact(uint32_t id, std::string_view text) const = 0;
  virtual int Selection(uint32_t id) const = 0;
  // An index out of range clears the selection. Notifies nobody.
  virtual void Select(uint32_t id, int index) = 0;

  // Window text; a drop-down list's text is its chosen entry.
  virtual std::string Text(uint32_t id) const = 0;
  virtual void SetText(uint32_t id, std::string_view text) = 0;

  // Edit boxes: selection (the caret stands at its end).
  virtual TextRange EditSelection(uint32_t id) const = 0;
  virtual void SetEditSelection(uint32_t id, TextRange selection) = 0;
  virtual void ScrollCaretIntoView(uint32_t id) = 0;

  virtual void Enable(uint32_t id, bool enabled) = 0;
  virtual void Focus(uint32_t id) = 0;

  // Screen rectangles of the dialog window and of one control.
  virtual PixelRect DialogRect() const = 0;
  virtual PixelRect ControlRect(uint32_t id) const = 0;
  // Moves and resizes the dialog window and redraws it.
  virtual void MoveDialog(const PixelRect& rect) = 0;

  // A modal message box; answers the id of the button that closed it.
  virtual int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) = 0;

  virtual void AddTooltip(uint32_t id, std::string_view text) = 0;
  virtual void ActivateTooltips(int initialDelayMilliseconds) = 0;

  // The host UI library's stock pictures and help button.
  virtual void SetStockImage(uint32_t id, int image, uint32_t flags) = 0;
  virtual void MakeStockHelpButton(uint32_t id) = 0;

  // Ends the modal run with result.
  virtual void EndDialog(int result) = 0;
};

// A dialog that a runner can run modally.
class ModalDialog : public DialogEvents {
 public:
  virtual const DialogTemplate& Template() const = 0;
  // Binds the dialog to its controls and initializes them; the controls
  // outlive the run, and Detach ends the binding.
  virtual void Start(DialogControls& controls) = 0;
  virtual void Detach() = 0;
};

// Runs a dialog modally: creates its controls, starts it, lets the user work
// until EndDialog, and answers the end result (kIdOk, kIdCancel, or -1 when
// the dialog cannot be shown).
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  virtual int RunModal(ModalDialog& dialog, HWND parent) = 0;
};

// The process-wide runner modal dialogs use; null shows no dialog. Set by a
// front end (a window system, the terminal, a test) before dialogs run.
DialogRunner* CurrentDialogRunner();
// Answers the previous runner.
DialogRunner* InstallDialogRunner(DialogRunner* runner);

// Installs a runner for one scope and restores the previous one.
class ScopedDialogRunner {
 public:
  explicit ScopedDialogRunner(DialogRunner& runner) : previous_(InstallDialogRunner(&runner)) {}
  ~ScopedDialogRunner() { InstallDialogRunner(previous_); }
  ScopedDialogRunner(const ScopedDialogRunner&) = delete;
  ScopedDialogRunner& operator=(const ScopedDialogRunner&) = delete;

 private:
  DialogRunner* previous_;
};

}  // namespace bte::editor

#endif  // BTE_EDITOR_DIALOG_CONTROLS_H
