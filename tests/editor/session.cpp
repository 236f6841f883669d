#include "tests/editor/session.h"

#include "platform/wide_string.h"

namespace bte::editor::testing {
namespace {

std::string Entries(const HeadlessControls& controls, uint32_t id) {
  std::string listed;
  const int selected = controls.Selection(id);
  for (int i = 0; i < controls.EntryCount(id); ++i) {
    if (i > 0) listed += ',';
    if (i == selected) listed += '*';
    listed += controls.EntryText(id, i);
  }
  return "[" + listed + "]";
}

std::string Flag(const HeadlessControls& controls, uint32_t id, const char* name) {
  return std::string(" ") + (controls.IsEnabled(id) ? "+" : "-") + name;
}

std::string Describe(const Action& action) {
  static const char* const kNames[] = {"click",  "choose", "double-click", "type", "replace by",
                                       "select", "F1"};
  return std::string(kNames[action.kind]) + " " + std::to_string(action.id) + " '" + action.text +
         "'";
}

}  // namespace

Action Click(uint32_t id) { return {Action::kClick, id, "", {}, true}; }
Action Choose(uint32_t id, std::string entry) { return {Action::kChoose, id, entry, {}, true}; }
Action DoubleClick(uint32_t id, std::string entry) {
  return {Action::kDoubleClick, id, entry, {}, true};
}
Action TypeAtEnd(std::string text) {
  return {Action::kTypeAtEnd, control::kExpressionEdit, text, {}, true};
}
Action ReplaceText(std::string text) {
  return {Action::kReplaceText, control::kExpressionEdit, text, {}, true};
}
Action SelectText(size_t start, size_t end) {
  return {Action::kSelect, control::kExpressionEdit, "", {start, end}, true};
}
Action PressF1() { return {Action::kHelp, 0, "", {}, true}; }
Action Refused(Action action) {
  action.expectTaken = false;
  return action;
}

bool Perform(HeadlessControls& controls, const Action& action) {
  const size_t length = controls.Text(action.id).size();
  bool taken = false;
  switch (action.kind) {
    case Action::kClick: taken = controls.Click(action.id); break;
    case Action::kChoose: taken = controls.ChooseEntry(action.id, action.text); break;
    case Action::kDoubleClick: taken = controls.DoubleClickEntry(action.id, action.text); break;
    case Action::kTypeAtEnd:
      taken = controls.SelectText(action.id, {length, length}) &&
              controls.TypeText(action.id, action.text);
      break;
    case Action::kReplaceText:
      taken =
          controls.SelectText(action.id, {0, length}) && controls.TypeText(action.id, action.text);
      break;
    case Action::kSelect: taken = controls.SelectText(action.id, action.range); break;
    case Action::kHelp: taken = controls.PressHelp(); break;
  }
  return taken == action.expectTaken;
}

std::string Dump(const HeadlessControls& controls) {
  using namespace control;
  if (controls.Text(kModeToggle) == FindControlTemplate(kModeToggle)->text) {
    return "basic avail" + Entries(controls, kAvailableList) + " excl" +
           Entries(controls, kExcludedList) + Flag(controls, kExclude, ">") +
           Flag(controls, kInclude, "<") + Flag(controls, kExcludeAll, ">>") +
           Flag(controls, kIncludeAll, "<<");
  }
  return "advanced edit[" + controls.Text(kExpressionEdit) + "] tag[" + controls.Text(kTagChooser) +
         "]" + Flag(controls, kAnd, "AND") + Flag(controls, kOr, "OR") +
         Flag(controls, kNot, "NOT") + Flag(controls, kAddTag, "Tag") +
         Flag(controls, kClear, "Clear") + Flag(controls, kModeToggle, "Mode");
}

HRESULT BTE_CALL RecordingHost::GetParentWindow(HWND* window) {
  *window = parent;
  return S_OK;
}

HRESULT BTE_CALL RecordingHost::ShowHelp(uint32_t helpContext) {
  helpRequests.push_back(helpContext);
  return S_OK;
}

std::string ExpressionOf(IBuildTagExprEditor* editor) {
  BSTR text = nullptr;
  if (editor->GetExpression(&text) != S_OK) return "<GetExpression failed>";
  const std::string expression =
      platform::WideToMultiByte(platform::WideStringView(text, SysStringLen(text)));
  SysFreeString(text);
  return expression;
}

SessionResult RunSession(const std::vector<std::string>& tags, const std::string& expression,
                         const std::vector<Action>& actions, RecordingHost* host) {
  SessionResult session;
  HeadlessDialogRunner runner([&](HeadlessControls& controls) {
    session.dumps.push_back(Dump(controls));
    for (const Action& action : actions) {
      if (!Perform(controls, action)) session.failures.push_back(Describe(action));
      if (controls.Ended()) break;
      session.dumps.push_back(Dump(controls));
    }
    for (const MessageBoxRecord& box : controls.MessageBoxes())
      session.messages.push_back(box.text);
  });
  ScopedDialogRunner installed(runner);

  IBuildTagExprEditor* editor = nullptr;
  CreateBuildTagExprEditorInstance(&editor);
  for (const std::string& tag : tags) editor->AddTag(tag.c_str());
  editor->SetExpression(expression.c_str());
  editor->SetHost(host);
  session.editResult = editor->Edit(0);
  session.expression = ExpressionOf(editor);
  editor->Release();
  return session;
}

}  // namespace bte::editor::testing
