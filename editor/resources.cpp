// The dialog template and string table rows, and the text helpers on them.
#include "editor/resources.h"

#include <algorithm>
#include <iterator>

namespace bte::editor {
namespace {

using namespace control;

constexpr uint32_t kSortedNotify = kSorted | kNotify;

// Tab order: every label stands before the control its mnemonic focuses.
constexpr ControlTemplate kControls[] = {
    {kBasicGroup, ControlKind::kGroupBox, "Basic", {5, 3, 215, 121}, kStyleNone, 0},
    {kAvailableLabel, ControlKind::kLabel, "&Available tags:", {15, 15, 85, 8}, kStyleNone, 0},
    {kAvailableList, ControlKind::kListBox, "", {15, 25, 85, 80}, kSortedNotify, 0},
    {kExclude, ControlKind::kImageButton, "", {105, 25, 16, 16}, kInitiallyDisabled, 17},
    {kInclude, ControlKind::kImageButton, "", {105, 45, 16, 16}, kInitiallyDisabled, 16},
    {kExcludeAll, ControlKind::kImageButton, "", {105, 65, 16, 16}, kInitiallyDisabled, 19},
    {kIncludeAll, ControlKind::kImageButton, "", {105, 85, 16, 16}, kInitiallyDisabled, 18},
    {kExcludedLabel, ControlKind::kLabel, "E&xclude from output:", {125, 15, 85, 8}, kStyleNone, 0},
    {kExcludedList, ControlKind::kListBox, "", {125, 25, 85, 80}, kSortedNotify, 0},
    {kNote,
     ControlKind::kLabel,
     "Note: Untagged text is always included in the generated output.",
     {9, 111, 207, 12},
     kStyleNone,
     0},
    {kModeToggle, ControlKind::kButton, "Advanc&ed >>", {231, 110, 51, 14}, kStyleNone, 0},
    {kAdvancedGroup, ControlKind::kGroupBox, "Advanced", {5, 130, 215, 140}, kStyleNone, 0},
    {kExpressionLabel,
     ControlKind::kLabel,
     "Conditional B&uild Tag Expression:",
     {15, 141, 180, 9},
     kStyleNone,
     0},
    {kExpressionEdit, ControlKind::kEditBox, "", {15, 154, 197, 67}, kMultiLine | kWantReturn, 0},
    {kAddTag, ControlKind::kButton, "A&dd Tag", {15, 225, 41, 14}, kStyleNone, 0},
    {kAnd, ControlKind::kButton, "&AND", {68, 225, 28, 14}, kStyleNone, 0},
    {kOr, ControlKind::kButton, "&OR", {98, 225, 28, 14}, kStyleNone, 0},
    {kNot, ControlKind::kButton, "&NOT", {128, 225, 28, 14}, kStyleNone, 0},
    {kClear, ControlKind::kButton, "&Clear", {171, 225, 41, 14}, kStyleNone, 0},
    {kTagChooserLabel,
     ControlKind::kLabel,
     "Available Conditional &Build Tags:",
     {15, 243, 180, 9},
     kStyleNone,
     0},
    {kTagChooser, ControlKind::kDropDownList, "", {15, 253, 197, 104}, kSorted, 0},
    {kOk, ControlKind::kDefaultButton, "OK", {230, 8, 51, 14}, kStyleNone, 0},
    {kCancel, ControlKind::kButton, "Cancel", {230, 26, 51, 14}, kStyleNone, 0},
    {kHelp, ControlKind::kButton, "Help", {230, 45, 51, 14}, kStyleNone, 0},
};

constexpr DialogTemplate kDialog = {kDialogId,
                                    "Define Conditional Build Tag Expression",
                                    287,
                                    275,
                                    "MS Sans Serif",
                                    8,
                                    kControls,
                                    std::size(kControls)};

// Rows of the resource script per control kind: the statement, whether it
// carries a text, and the styles every control of that kind has.
struct ScriptStatement {
  const char* keyword;
  bool hasText;
  const char* baseStyles;
};

ScriptStatement StatementFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::kGroupBox: return {"GROUPBOX", true, ""};
    case ControlKind::kLabel: return {"LTEXT", true, ""};
    case ControlKind::kListBox: return {"LISTBOX", false, "WS_VSCROLL | WS_TABSTOP"};
    case ControlKind::kImageButton: return {"CONTROL", true, "BS_OWNERDRAW | WS_TABSTOP"};
    case ControlKind::kButton: return {"PUSHBUTTON", true, ""};
    case ControlKind::kDefaultButton: return {"DEFPUSHBUTTON", true, ""};
    case ControlKind::kEditBox: return {"EDITTEXT", false, "ES_AUTOVSCROLL | WS_VSCROLL"};
    case ControlKind::kDropDownList:
      return {"COMBOBOX", false, "CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP"};
  }
  return {"CONTROL", true, ""};
}

std::string StyleList(const ControlTemplate& row) {
  std::string styles = StatementFor(row.kind).baseStyles;
  auto add = [&styles](const char* style) {
    if (!styles.empty()) styles += " | ";
    styles += style;
  };
  const bool isCombo = row.kind == ControlKind::kDropDownList;
  if (row.styles & kSorted) add(isCombo ? "CBS_SORT" : "LBS_SORT");
  if (row.styles & kNotify) add("LBS_NOTIFY");
  if (row.styles & kMultiLine) add("ES_MULTILINE");
  if (row.styles & kWantReturn) add("ES_WANTRETURN");
  if (row.styles & kInitiallyDisabled) add("WS_DISABLED");
  return styles;
}

// A resource-script string literal: quotes are doubled.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string IdName(uint32_t id) {
  if (id == kOk) return "IDOK";
  if (id == kCancel) return "IDCANCEL";
  return std::to_string(id);
}

void WriteControl(std::ostream& out, const ControlTemplate& row) {
  const ScriptStatement statement = StatementFor(row.kind);
  out << "    " << statement.keyword << ' ';
  if (statement.hasText) out << Quoted(row.text) << ',';
  out << IdName(row.id) << ',';
  if (row.kind == ControlKind::kImageButton) out << "\"Button\",";
  const std::string styles = StyleList(row);
  const DialogUnitRect& r = row.rect;
  if (row.kind == ControlKind::kImageButton) out << styles << ',';
  out << r.x << ',' << r.y << ',' << r.width << ',' << r.height;
  if (row.kind != ControlKind::kImageButton && !styles.empty()) out << ',' << styles;
  out << '\n';
}

}  // namespace

const DialogTemplate& ExpressionDialogTemplate() { return kDialog; }

const ControlTemplate* FindControlTemplate(uint32_t id) {
  for (const ControlTemplate& row : kControls)
    if (row.id == id) return &row;
  return nullptr;
}

const std::vector<StringResource>& StringTable() {
  static const std::vector<StringResource> table = {
      {text::kNoExpression, "There is no Conditional Build Tag Expression."},
      {text::kInvalidString, "The string \"%s\" is invalid."},
      {text::kFirstOperatorNotNot, "The first operator is not ~ ( NOT )."},
      {text::kLastNotTag, "The last string is not a tag."},
      {text::kTagsNotSeparated, "The tag \"%s\" and \"%s\" should be seperated by operator."},
      {text::kNotMisused, "The ~ ( NOT ) operator misuse."},
      {text::kSecondTagMisplaced, "The second tag \"%s\" misplaced."},
      {text::kOperatorMisused, "The operator \"%s\" misused."},
      {text::kTipExclude, "Add to the list"},
      {text::kTipExcludeAll, "Add all to the list"},
      {text::kTipInclude, "Remove from the list"},
      {text::kTipIncludeAll, "Remove all from the list"},
      {text::kMessageCaption, "Conditional Build Tag Expression"},
  };
  return table;
}

std::string_view LoadResourceString(uint32_t id) {
  const auto& table = StringTable();
  auto found = std::find_if(table.begin(), table.end(),
                            [id](const StringResource& row) { return row.id == id; });
  return found == table.end() ? std::string_view() : std::string_view(found->text);
}

std::string FormatResourceString(uint32_t id, const std::vector<std::string>& args) {
  const std::string_view pattern = LoadResourceString(id);
  std::string formatted;
  size_t next = 0;
  for (size_t at = 0; at < pattern.size(); ++at) {
    if (pattern.compare(at, 2, "%s") == 0) {
      if (next < args.size()) formatted += args[next];
      ++next;
      ++at;
    } else {
      formatted += pattern[at];
    }
  }
  return formatted;
}

void WriteResourceScript(std::ostream& out) {
  const DialogTemplate& dialog = ExpressionDialogTemplate();
  out << "// Generated from editor/resources.cpp; do not edit.\n\n"
      << dialog.id << " DIALOGEX 0, 0, " << dialog.width << ", " << dialog.height << '\n'
      << "STYLE DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
      << "CAPTION " << Quoted(dialog.caption) << '\n'
      << "FONT " << dialog.fontPointSize << ", " << Quoted(dialog.fontName) << '\n'
      << "BEGIN\n";
  for (size_t i = 0; i < dialog.controlCount; ++i) WriteControl(out, dialog.controls[i]);
  out << "END\n\nSTRINGTABLE\nBEGIN\n";
  for (const StringResource& row : StringTable())
    out << "    " << row.id << ' ' << Quoted(row.text) << '\n';
  out << "END\n";
}

}  // namespace bte::editor
