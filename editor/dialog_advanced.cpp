// Advanced mode: the expression edit box, the buttons that insert tags and
// keywords, and keeping those buttons enabled exactly when they would act.
#include "editor/build_tag_expr_dialog.h"

namespace bte::editor {
namespace {

struct KeywordButton {
  uint32_t controlId;
  const char* keyword;
};
constexpr KeywordButton kKeywordButtons[] = {
    {control::kAnd, "AND"},
    {control::kOr, "OR"},
    {control::kNot, "NOT"},
};

}  // namespace

void BuildTagExprDialog::OnAdvancedCommand(uint32_t controlId, Notification notification) {
  const bool clicked = notification == Notification::kClicked;
  for (const KeywordButton& button : kKeywordButtons)
    if (controlId == button.controlId && clicked) return OnInsertButton(button.keyword);
  switch (controlId) {
    case control::kAddTag:
      if (clicked) OnInsertButton(controls_->Text(control::kTagChooser));
      return;
    case control::kTagChooser:
      if (notification == Notification::kDoubleClicked)
        InsertWord(controls_->Text(control::kTagChooser));
      // Add Tag depends on the chosen tag as much as on the text.
      if (notification == Notification::kSelectionChanged) RefreshAdvancedButtons();
      return;
    case control::kExpressionEdit:
      if (notification == Notification::kTextChanged) RefreshAdvancedButtons();
      return;
    case control::kClear:
      if (clicked) OnClear();
      return;
    default: return;
  }
}

void BuildTagExprDialog::InsertWord(std::string_view word) {
  editText_ = controls_->Text(control::kExpressionEdit);
  const Insertion insertion =
      DecideInsertion(editText_, controls_->EditSelection(control::kExpressionEdit), word,
                      previousTag_, vocabulary_);
  if (!insertion.accepted) return;
  previousTag_ = insertion.previousTag;
  editText_ = insertion.text;
  controls_->SetText(control::kExpressionEdit, editText_);
  RefreshAdvancedButtons();
}

void BuildTagExprDialog::OnInsertButton(std::string_view word) {
  InsertWord(word);
  const size_t end = controls_->Text(control::kExpressionEdit).size();
  controls_->SetEditSelection(control::kExpressionEdit, {end, end});
  controls_->ScrollCaretIntoView(control::kExpressionEdit);
  controls_->Focus(control::kExpressionEdit);
}

bool BuildTagExprDialog::WouldAccept(std::string_view word) const {
  return DecideInsertion(editText_, controls_->EditSelection(control::kExpressionEdit), word,
                         previousTag_, vocabulary_)
      .accepted;
}

void BuildTagExprDialog::RefreshAdvancedButtons() {
  editText_ = controls_->Text(control::kExpressionEdit);
  comboText_ = controls_->Text(control::kTagChooser);
  controls_->Enable(control::kClear, !editText_.empty());
  for (const KeywordButton& button : kKeywordButtons)
    controls_->Enable(button.controlId, WouldAccept(button.keyword));
  controls_->Enable(control::kAddTag, !comboText_.empty() && WouldAccept(comboText_));
  if (advanced_) controls_->Enable(control::kModeToggle, IsBasicForm(editText_));
}

void BuildTagExprDialog::OnClear() {
  editText_.clear();
  previousTag_.clear();
  result_.clear();
  controls_->SetText(control::kExpressionEdit, editText_);
  RefreshAdvancedButtons();
  controls_->Focus(control::kExpressionEdit);
}

}  // namespace bte::editor
