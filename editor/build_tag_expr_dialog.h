// The modal dialog in which the user defines one expression, in Basic mode
// (moving tags between an available and an exclude list: NOT t1 AND NOT t2
// ...) or Advanced mode (a free edit box with buttons that insert tags and
// keywords by word-order rules). It reaches its controls only through
// DialogControls and is run by the installed DialogRunner, so it depends on
// no windowing system.
#ifndef BTE_EDITOR_BUILD_TAG_EXPR_DIALOG_H
#define BTE_EDITOR_BUILD_TAG_EXPR_DIALOG_H

#include <string>
#include <string_view>
#include <vector>

#include "buildtagexpr.h"
#include "editor/dialog_controls.h"
#include "editor/word_check.h"

namespace bte::editor {

class BuildTagExprDialog : public ModalDialog {
 public:
  explicit BuildTagExprDialog(HWND parent) : parent_(parent) {}

  // The starting expression (symbols between blanks become words) and the
  // known tags (operator keywords among them are dropped).
  void SetInput(std::string_view expression, const std::vector<std::string>& tags);
  // Borrowed; receives help requests.
  void SetHost(IBuildTagExprEditorHost* host) { host_ = host; }
  // kIdOk, kIdCancel, or -1 when no dialog runner is installed.
  int DoModal();
  // After kIdOk: the expression in words, each followed by one blank.
  void GetResult(std::string& out) const { out = result_; }

  bool IsBasicForm(std::string_view text) const { return HasBasicForm(text, vocabulary_); }
  // Moves the tags that result excludes from the available to the exclude
  // list; meant for texts of the Basic form.
  void ExpressionToLists();
  // NOT e1 AND NOT e2 ... over the exclude list.
  std::string ListsToExpression() const;
  // Inserts a tag or keyword into the edit box when the rules allow it.
  void InsertWord(std::string_view word);
  bool advanced() const { return advanced_; }

  // ModalDialog
  const DialogTemplate& Template() const override { return ExpressionDialogTemplate(); }
  void Start(DialogControls& controls) override;
  void Detach() override { controls_ = nullptr; }
  void OnCommand(uint32_t controlId, Notification notification) override;
  bool OnHelpRequest() override;

 private:
  // Basic mode (dialog_basic.cpp).
  void OnBasicCommand(uint32_t controlId, Notification notification);
  void RefreshBasicButtons(uint32_t changedList);
  void MoveSelectedEntry(uint32_t from, uint32_t to);
  void MoveAllEntries(uint32_t from, uint32_t to);
  void FillAvailableList();

  // Advanced mode (dialog_advanced.cpp).
  void OnAdvancedCommand(uint32_t controlId, Notification notification);
  void OnInsertButton(std::string_view word);
  void RefreshAdvancedButtons();
  bool WouldAccept(std::string_view word) const;
  void OnClear();

  // Both modes.
  void LayOut();
  void OnModeToggle();
  void OnOk();
  void CloseAdvanced();
  void ShowMessage(uint32_t messageId, const std::vector<std::string>& args);
  MessageSink Messages();

  HWND parent_;
  WordVocabulary vocabulary_{{}};
  std::string comboText_;
  std::string editText_;
  std::string previousTag_;
  std::string result_;
  bool hasTags_ = true;
  bool advanced_ = false;
  IBuildTagExprEditorHost* host_ = nullptr;
  std::string caption_{LoadResourceString(text::kMessageCaption)};
  DialogControls* controls_ = nullptr;
};

}  // namespace bte::editor

#endif  // BTE_EDITOR_BUILD_TAG_EXPR_DIALOG_H
