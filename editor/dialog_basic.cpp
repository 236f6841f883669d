// Basic mode: the available and exclude lists, the four move buttons, and
// the conversions between the lists and an expression of the Basic form.
#include "editor/build_tag_expr_dialog.h"
#include "expr/text.h"

namespace bte::editor {
namespace {

uint32_t OtherList(uint32_t list) {
  return list == control::kAvailableList ? control::kExcludedList : control::kAvailableList;
}

}  // namespace

void BuildTagExprDialog::OnBasicCommand(uint32_t controlId, Notification notification) {
  using control::kAvailableList;
  using control::kExcludedList;
  const bool clicked = notification == Notification::kClicked;
  switch (controlId) {
    case kAvailableList:
    case kExcludedList:
      if (notification == Notification::kSelectionChanged) RefreshBasicButtons(controlId);
      if (notification == Notification::kDoubleClicked)
        MoveSelectedEntry(controlId, OtherList(controlId));
      return;
    case control::kExclude:
      if (clicked) MoveSelectedEntry(kAvailableList, kExcludedList);
      return;
    case control::kInclude:
      if (clicked) MoveSelectedEntry(kExcludedList, kAvailableList);
      return;
    case control::kExcludeAll:
      if (clicked) MoveAllEntries(kAvailableList, kExcludedList);
      return;
    case control::kIncludeAll:
      if (clicked) MoveAllEntries(kExcludedList, kAvailableList);
      return;
    default: return;
  }
}

// The buttons that act on changedList follow its selection; the other two
// are disabled.
void BuildTagExprDialog::RefreshBasicButtons(uint32_t changedList) {
  const bool fromAvailable = changedList == control::kAvailableList;
  const bool hasSelection = controls_->Selection(changedList) >= 0;
  controls_->Enable(control::kExclude, fromAvailable && hasSelection);
  controls_->Enable(control::kExcludeAll, fromAvailable && hasSelection);
  controls_->Enable(control::kInclude, !fromAvailable && hasSelection);
  controls_->Enable(control::kIncludeAll, !fromAvailable && hasSelection);
}

void BuildTagExprDialog::MoveSelectedEntry(uint32_t from, uint32_t to) {
  const int selected = controls_->Selection(from);
  if (selected < 0) return;
  controls_->AddEntry(to, controls_->EntryText(from, selected));
  controls_->DeleteEntry(from, selected);
  const int remaining = controls_->EntryCount(from);
  if (remaining == 0) {
    controls_->Select(to, 0);
    RefreshBasicButtons(to);
  } else {
    controls_->Select(from, selected < remaining ? selected : 0);
    RefreshBasicButtons(from);
  }
}

void BuildTagExprDialog::MoveAllEntries(uint32_t from, uint32_t to) {
  const int count = controls_->EntryCount(from);
  for (int i = 0; i < count; ++i) controls_->AddEntry(to, controls_->EntryText(from, i));
  controls_->ResetEntries(from);
  controls_->Select(to, 0);
  RefreshBasicButtons(to);
}

void BuildTagExprDialog::FillAvailableList() {
  controls_->ResetEntries(control::kAvailableList);
  for (const std::string& tag : vocabulary_.knownTags()) {
    const std::string_view trimmed = Trim(tag);
    if (trimmed.empty()) continue;
    controls_->AddEntry(control::kAvailableList, trimmed);
  }
}

// An empty text has the Basic form but nothing to move; splitting it would
// only complain about the empty string.
void BuildTagExprDialog::ExpressionToLists() {
  if (Trim(result_).empty()) return;
  std::vector<std::string> words;
  if (!SplitExpressionWords(result_, vocabulary_, words, Messages())) return;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!vocabulary_.IsKnownTag(word)) continue;
    if (WordVocabulary::IsKeyword(words[i - 1], "AND")) return;
    if (!WordVocabulary::IsKeyword(words[i - 1], "NOT")) continue;
    const int available = controls_->FindEntryExact(control::kAvailableList, word);
    if (available >= 0) controls_->DeleteEntry(control::kAvailableList, available);
    if (controls_->FindEntryExact(control::kExcludedList, word) < 0)
      controls_->AddEntry(control::kExcludedList, word);
  }
}

std::string BuildTagExprDialog::ListsToExpression() const {
  std::string expression;
  const int count = controls_->EntryCount(control::kExcludedList);
  for (int i = 0; i < count; ++i) {
    if (i > 0) expression += " AND ";
    expression += "NOT " + controls_->EntryText(control::kExcludedList, i);
  }
  return expression;
}

}  // namespace bte::editor
