// Scripted user sessions against the expression dialog through the headless
// control layer: actions a user takes, a compact dump of what the dialog
// shows, and a host that records help requests.
#ifndef BTE_TESTS_EDITOR_SESSION_H
#define BTE_TESTS_EDITOR_SESSION_H

#include <string>
#include <vector>

#include "buildtagexpr.h"
#include "editor/headless_controls.h"

namespace bte::editor::testing {

struct Action {
  enum Kind { kClick, kChoose, kDoubleClick, kTypeAtEnd, kReplaceText, kSelect, kHelp } kind;
  uint32_t id = 0;
  std::string text;
  TextRange range;
  bool expectTaken = true;  // false: the control must refuse it
};

Action Click(uint32_t id);
Action Choose(uint32_t id, std::string entry);
Action DoubleClick(uint32_t id, std::string entry);
// Moves the caret to the end of the edit box and types.
Action TypeAtEnd(std::string text);
// Selects all of the edit box and types over it.
Action ReplaceText(std::string text);
Action SelectText(size_t start, size_t end);
Action PressF1();
Action Refused(Action action);

// Performs one action; false when the control's answer differs from
// expectTaken.
bool Perform(HeadlessControls& controls, const Action& action);

// What the user sees, in one line. Basic mode:
//   basic avail[Beta,*Web] excl[Print] +> -< +>> -<<
// ('*' marks the selection; +/- enabled or disabled move buttons).
// Advanced mode:
//   advanced edit[NOT x] tag[x] -AND -OR -NOT -Tag +Clear +Mode
std::string Dump(const HeadlessControls& controls);

// A host that hands out a fixed parent window and counts help requests.
class RecordingHost : public IBuildTagExprEditorHost {
 public:
  HRESULT BTE_CALL QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG BTE_CALL AddRef() override { return 1; }
  ULONG BTE_CALL Release() override { return 1; }
  HRESULT BTE_CALL GetParentWindow(HWND* window) override;
  HRESULT BTE_CALL ShowHelp(uint32_t helpContext) override;

  HWND parent = reinterpret_cast<HWND>(0x5150);
  std::vector<uint32_t> helpRequests;
};

// One Edit call of an editor object from the host's side.
struct SessionResult {
  HRESULT editResult = E_FAIL;
  std::string expression;             // GetExpression after Edit, as UTF-8
  std::vector<std::string> dumps;     // Dump after the start and each action
  std::vector<std::string> messages;  // texts of the message boxes shown
  std::vector<std::string> failures;  // actions the controls answered wrongly
};

SessionResult RunSession(const std::vector<std::string>& tags, const std::string& expression,
                         const std::vector<Action>& actions, RecordingHost* host = nullptr);

std::string ExpressionOf(IBuildTagExprEditor* editor);

}  // namespace bte::editor::testing

#endif  // BTE_TESTS_EDITOR_SESSION_H
