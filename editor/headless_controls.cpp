// Controls as plain state. Dialog units become pixels with the base units of
// an 8-point "MS Sans Serif" (6 by 13 pixels); the window adds a 3-pixel
// frame and a 19-pixel caption around the client area.
#include "editor/headless_controls.h"

#include <algorithm>

#include "expr/text.h"

namespace bte::editor {
namespace {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr int kFrame = 3;
constexpr int kCaption = 19;
constexpr int kWindowOrigin = 100;

int PixelsX(int dialogUnits) { return dialogUnits * kBaseUnitX / 4; }
int PixelsY(int dialogUnits) { return dialogUnits * kBaseUnitY / 8; }

// The order sorted lists keep: ASCII letter case ignored.
bool SortsBefore(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  });
}

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kDefaultButton ||
         kind == ControlKind::kImageButton;
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kGroupBox;
}

}  // namespace

HeadlessControls::HeadlessControls(const DialogTemplate& dialog) : dialog_(dialog) {
  for (size_t i = 0; i < dialog.controlCount; ++i) {
    const ControlTemplate& row = dialog.controls[i];
    Control& control = controls_[row.id];
    control.row = &row;
    control.text = row.text;
    control.enabled = (row.styles & kInitiallyDisabled) == 0;
  }
  dialogRect_ = {kWindowOrigin, kWindowOrigin, kWindowOrigin + 2 * kFrame + PixelsX(dialog.width),
                 kWindowOrigin + kCaption + 2 * kFrame + PixelsY(dialog.height)};
}

HeadlessControls::Control* HeadlessControls::Find(uint32_t id) {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

const HeadlessControls::Control* HeadlessControls::Find(uint32_t id) const {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

bool HeadlessControls::HasEntries(const Control& control) const {
  return control.row->kind == ControlKind::kListBox ||
         control.row->kind == ControlKind::kDropDownList;
}

void HeadlessControls::Notify(uint32_t id, Notification notification) {
  if (events_ != nullptr) events_->OnCommand(id, notification);
}

// --- User actions ---

bool HeadlessControls::Click(uint32_t id) {
  if (!CanTakeInput(id) || !IsButton(Find(id)->row->kind)) return false;
  focus_ = id;
  Notify(id, Notification::kClicked);
  return true;
}

bool HeadlessControls::ChooseEntryAt(uint32_t id, int index) {
  Control* control = Find(id);
  if (!CanTakeInput(id) || !HasEntries(*control)) return false;
  if (index < 0 || index >= static_cast<int>(control->entries.size())) return false;
  control->selection = index;
  focus_ = id;
  Notify(id, Notification::kSelectionChanged);
  return true;
}

bool HeadlessControls::ChooseEntry(uint32_t id, std::string_view entry) {
  const Control* control = Find(id);
  if (control == nullptr) return false;
  auto found = std::find(control->entries.begin(), control->entries.end(), entry);
  return ChooseEntryAt(id, static_cast<int>(found - control->entries.begin()));
}

bool HeadlessControls::DoubleClickEntry(uint32_t id, std::string_view entry) {
  if (!ChooseEntry(id, entry)) return false;
  Notify(id, Notification::kDoubleClicked);
  return true;
}

bool HeadlessControls::TypeText(uint32_t id, std::string_view text) {
  Control* control = Find(id);
  if (!CanTakeInput(id) || control->row->kind != ControlKind::kEditBox) return false;
  focus_ = id;
  const TextRange selection = control->editSelection;
  if (selection.empty() && text.empty()) return true;
  control->text.replace(selection.start, selection.end - selection.start, text);
  const size_t caret = selection.start + text.size();
  control->editSelection = {caret, caret};
  Notify(id, Notification::kTextChanged);
  return true;
}

bool HeadlessControls::SelectText(uint32_t id, TextRange selection) {
  const Control* control = Find(id);
  if (!CanTakeInput(id) || control->row->kind != ControlKind::kEditBox) return false;
  focus_ = id;
  SetEditSelection(id, selection);
  return true;
}

bool HeadlessControls::FocusControl(uint32_t id) {
  if (!CanTakeInput(id) || !TakesFocus(Find(id)->row->kind)) return false;
  focus_ = id;
  return true;
}

bool HeadlessControls::PressHelp() {
  return !ended_ && events_ != nullptr && events_->OnHelpRequest();
}

bool HeadlessControls::PressEnter() {
  for (size_t i = 0; i < dialog_.controlCount; ++i) {
    const ControlTemplate& row = dialog_.controls[i];
    if (row.kind != ControlKind::kDefaultButton) continue;
    if (!CanTakeInput(row.id)) return false;
    Notify(row.id, Notification::kClicked);
    return true;
  }
  return false;
}

bool HeadlessControls::PressEscape() {
  if (ended_) return false;
  Notify(kIdCancel, Notification::kClicked);
  return true;
}

// --- Read-back ---

bool HeadlessControls::IsEnabled(uint32_t id) const {
  const Control* control = Find(id);
  return control != nullptr && control->enabled;
}

bool HeadlessControls::IsVisible(uint32_t id) const {
  if (Find(id) == nullptr) return false;
  const PixelRect rect = ControlRect(id);
  return rect.top < dialogRect_.bottom - kFrame;
}

bool HeadlessControls::CanTakeInput(uint32_t id) const {
  return !ended_ && IsEnabled(id) && IsVisible(id);
}

std::vector<std::string> HeadlessControls::Entries(uint32_t id) const {
  const Control* control = Find(id);
  return control == nullptr ? std::vector<std::string>() : control->entries;
}

std::string HeadlessControls::Tooltip(uint32_t id) const {
  const Control* control = Find(id);
  return control == nullptr ? std::string() : control->tooltip;
}

// --- DialogControls ---

void HeadlessControls::ResetEntries(uint32_t id) {
  if (Control* control = Find(id)) {
    control->entries.clear();
    control->selection = -1;
  }
}

int HeadlessControls::AddEntry(uint32_t id, std::string_view text) {
  Control* control = Find(id);
  if (control == nullptr || !HasEntries(*control)) return -1;
  auto& entries = control->entries;
  auto at = entries.end();
  if (control->row->styles & kSorted)
    at = std::upper_bound(
        entries.begin(), entries.end(), text,
        [](std::string_view a, const std::string& b) { return SortsBefore(a, b); });
  const int index = static_cast<int>(at - entries.begin());
  entries.emplace(at, text);
  if (control->selection >= index) ++control->selection;
  return index;
}

void HeadlessControls::DeleteEntry(uint32_t id, int index) {
  Control* control = Find(id);
  if (control == nullptr || index < 0 || index >= static_cast<int>(control->entries.size())) return;
  control->entries.erase(control->entries.begin() + index);
  if (control->selection == index)
    control->selection = -1;
  else if (control->selection > index)
    --control->selection;
}

int HeadlessControls::EntryCount(uint32_t id) const {
  const Control* control = Find(id);
  return control == nullptr ? 0 : static_cast<int>(control->entries.size());
}

std::string HeadlessControls::EntryText(uint32_t id, int index) const {
  const Control* control = Find(id);
  if (control == nullptr || index < 0 || index >= static_cast<int>(control->entries.size()))
    return "";
  return control->entries[index];
}

int HeadlessControls::FindEntryExact(uint32_t id, std::string_view text) const {
  const Control* control = Find(id);
  if (control == nullptr) return -1;
  for (size_t i = 0; i < control->entries.size(); ++i)
    if (EqualsIgnoringAsciiCase(control->entries[i], text)) return static_cast<int>(i);
  return -1;
}

int HeadlessControls::Selection(uint32_t id) const {
  const Control* control = Find(id);
  return control == nullptr ? -1 : control->selection;
}

void HeadlessControls::Select(uint32_t id, int index) {
  Control* control = Find(id);
  if (control == nullptr) return;
  const bool inRange = index >= 0 && index < static_cast<int>(control->entries.size());
  control->selection = inRange ? index : -1;
}

std::string HeadlessControls::Text(uint32_t id) const {
  const Control* control = Find(id);
  if (control == nullptr) return "";
  if (control->row->kind == ControlKind::kDropDownList)
    return control->selection < 0 ? "" : control->entries[control->selection];
  return control->text;
}

void HeadlessControls::SetText(uint32_t id, std::string_view text) {
  Control* control = Find(id);
  if (control == nullptr || control->row->kind == ControlKind::kDropDownList) return;
  control->text = text;
  if (control->row->kind != ControlKind::kEditBox) return;
  control->editSelection = {};
  Notify(id, Notification::kTextChanged);
}

TextRange HeadlessControls::EditSelection(uint32_t id) const {
  const Control* control = Find(id);
  return control == nullptr ? TextRange() : control->editSelection;
}

void HeadlessControls::SetEditSelection(uint32_t id, TextRange selection) {
  Control* control = Find(id);
  if (control == nullptr) return;
  const size_t end = std::min(std::max(selection.start, selection.end), control->text.size());
  const size_t start = std::min(std::min(selection.start, selection.end), end);
  control->editSelection = {start, end};
}

void HeadlessControls::Enable(uint32_t id, bool enabled) {
  if (Control* control = Find(id)) control->enabled = enabled;
}

void HeadlessControls::Focus(uint32_t id) {
  if (Find(id) != nullptr) focus_ = id;
}

PixelRect HeadlessControls::ControlRect(uint32_t id) const {
  const Control* control = Find(id);
  if (control == nullptr) return {};
  const DialogUnitRect& units = control->row->rect;
  const int left = dialogRect_.left + kFrame + PixelsX(units.x);
  const int top = dialogRect_.top + kFrame + kCaption + PixelsY(units.y);
  return {left, top, left + PixelsX(units.width), top + PixelsY(units.height)};
}

int HeadlessControls::ShowMessageBox(std::string_view text, std::string_view caption,
                                     uint32_t style) {
  messageBoxes_.push_back({std::string(text), std::string(caption), style});
  return answerer_ ? answerer_(messageBoxes_.back()) : kIdOk;
}

void HeadlessControls::AddTooltip(uint32_t id, std::string_view text) {
  if (Control* control = Find(id)) control->tooltip = text;
}

void HeadlessControls::SetStockImage(uint32_t id, int image, uint32_t) {
  if (Control* control = Find(id)) control->stockImage = image;
}

int HeadlessControls::StockImage(uint32_t id) const {
  const Control* control = Find(id);
  return control == nullptr ? 0 : control->stockImage;
}

void HeadlessControls::EndDialog(int result) {
  ended_ = true;
  endResult_ = result;
}

int HeadlessDialogRunner::RunModal(ModalDialog& dialog, HWND parent) {
  ++runs_;
  lastParent_ = parent;
  HeadlessControls controls(dialog.Template());
  controls.SetEvents(&dialog);
  dialog.Start(controls);
  if (script_ && !controls.Ended()) script_(controls);
  dialog.Detach();
  return controls.Ended() ? controls.EndResult() : kIdCancel;
}

}  // namespace bte::editor
