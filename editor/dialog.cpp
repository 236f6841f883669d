// The dialog as a whole: input, start, layout per mode, the mode toggle, OK,
// help and messages.
#include "editor/build_tag_expr_dialog.h"
#include "expr/text.h"

namespace bte::editor {
namespace {

// Enabled in Basic mode, disabled in Advanced mode.
constexpr uint32_t kBasicControls[] = {
    control::kBasicGroup,    control::kAvailableLabel, control::kExcludedLabel,
    control::kAvailableList, control::kExcludedList,   control::kExclude,
    control::kInclude,       control::kExcludeAll,     control::kIncludeAll,
};

struct Tooltip {
  uint32_t controlId;
  uint32_t textId;
};
constexpr Tooltip kTooltips[] = {
    {control::kExclude, text::kTipExclude},
    {control::kExcludeAll, text::kTipExcludeAll},
    {control::kInclude, text::kTipInclude},
    {control::kIncludeAll, text::kTipIncludeAll},
};

constexpr int kTooltipDelayMilliseconds = 18;
// Space left below the last visible group box.
constexpr int kDialogBottomMargin = 8;

}  // namespace

void BuildTagExprDialog::SetInput(std::string_view expression,
                                  const std::vector<std::string>& tags) {
  if (!expression.empty()) result_ = SymbolsToWords(TrimRight(" " + std::string(expression)));
  if (tags.empty()) hasTags_ = false;
  for (const std::string& tag : tags)
    if (!WordVocabulary::IsOperatorKeyword(tag)) vocabulary_.AddKnownTag(tag);
}

int BuildTagExprDialog::DoModal() {
  DialogRunner* runner = CurrentDialogRunner();
  return runner == nullptr ? -1 : runner->RunModal(*this, parent_);
}

void BuildTagExprDialog::Start(DialogControls& controls) {
  controls_ = &controls;
  const DialogTemplate& dialog = Template();
  for (size_t i = 0; i < dialog.controlCount; ++i)
    if (dialog.controls[i].stockImage != 0)
      controls.SetStockImage(dialog.controls[i].id, dialog.controls[i].stockImage,
                             kStockImageFlags);
  controls.MakeStockHelpButton(control::kHelp);

  controls.ResetEntries(control::kTagChooser);
  for (const std::string& tag : vocabulary_.knownTags())
    if (!Trim(tag).empty()) controls.AddEntry(control::kTagChooser, Trim(tag));
  controls.ResetEntries(control::kExcludedList);
  FillAvailableList();
  if (!vocabulary_.knownTags().empty()) controls.Select(control::kTagChooser, 0);

  if (Trim(result_).empty()) {
    result_.clear();
    advanced_ = false;
  } else if (IsBasicForm(Trim(result_))) {
    ExpressionToLists();
    advanced_ = false;
  } else {
    advanced_ = true;
  }
  LayOut();
  result_.clear();
  previousTag_.clear();

  for (const Tooltip& tip : kTooltips)
    controls.AddTooltip(tip.controlId, LoadResourceString(tip.textId));
  controls.ActivateTooltips(kTooltipDelayMilliseconds);
}

void BuildTagExprDialog::OnCommand(uint32_t controlId, Notification notification) {
  if (controls_ == nullptr) return;
  const bool clicked = notification == Notification::kClicked;
  switch (controlId) {
    case control::kOk:
      if (clicked) OnOk();
      return;
    case control::kCancel:
      if (clicked) controls_->EndDialog(kIdCancel);
      return;
    case control::kHelp:
      if (clicked) OnHelpRequest();
      return;
    case control::kModeToggle:
      if (clicked) OnModeToggle();
      return;
    default: OnBasicCommand(controlId, notification); OnAdvancedCommand(controlId, notification);
  }
}

bool BuildTagExprDialog::OnHelpRequest() {
  if (host_ != nullptr) host_->ShowHelp(kDialogId);
  return true;
}

void BuildTagExprDialog::LayOut() {
  PixelRect dialog = controls_->DialogRect();
  const uint32_t lastGroup = advanced_ ? control::kAdvancedGroup : control::kBasicGroup;
  dialog.bottom = controls_->ControlRect(lastGroup).bottom + kDialogBottomMargin;
  controls_->MoveDialog(dialog);

  controls_->SetText(control::kModeToggle, advanced_
                                               ? kToggleTextAdvancedMode
                                               : FindControlTemplate(control::kModeToggle)->text);
  for (uint32_t id : kBasicControls) controls_->Enable(id, !advanced_);

  if (advanced_) {
    controls_->SetText(control::kExpressionEdit, result_);
    controls_->Focus(control::kExpressionEdit);
    RefreshAdvancedButtons();
  } else {
    controls_->Focus(control::kAvailableList);
    RefreshBasicButtons(control::kAvailableList);
  }
}

void BuildTagExprDialog::OnModeToggle() {
  if (advanced_) {
    result_ = controls_->Text(control::kExpressionEdit);
    controls_->ResetEntries(control::kExcludedList);
    FillAvailableList();
    ExpressionToLists();
  } else {
    result_ = ListsToExpression();
  }
  advanced_ = !advanced_;
  LayOut();
}

void BuildTagExprDialog::OnOk() {
  if (advanced_) return CloseAdvanced();
  result_ = ListsToExpression();
  controls_->EndDialog(kIdOk);
}

void BuildTagExprDialog::CloseAdvanced() {
  editText_ = controls_->Text(control::kExpressionEdit);
  comboText_ = controls_->Text(control::kTagChooser);
  result_.clear();
  if (hasTags_ && !editText_.empty()) {
    std::vector<std::string> words;
    if (!SplitExpressionWords(editText_, vocabulary_, words, Messages())) return;
    if (!CheckBasicWordOrder(words, vocabulary_, Messages())) return;
    for (const std::string& word : words) result_ += word + " ";
  }
  controls_->EndDialog(kIdOk);
}

void BuildTagExprDialog::ShowMessage(uint32_t messageId, const std::vector<std::string>& args) {
  controls_->ShowMessageBox(FormatResourceString(messageId, args), caption_,
                            kMessageBoxOk | kMessageBoxIconError);
}

MessageSink BuildTagExprDialog::Messages() {
  return [this](uint32_t messageId, const std::vector<std::string>& args) {
    ShowMessage(messageId, args);
  };
}

}  // namespace bte::editor
