// `edit`: the expression editor in the terminal. The tool plays the host:
// it feeds the editor object the tags and expression, runs Edit with the
// terminal front end installed, and prints the result on OK.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"
#include "cli/commands.h"
#include "cli/terminal_dialog.h"
#include "editor/resources.h"
#include "projectbuild/beyond_interface.h"

namespace bte::cli {
namespace {

// The host side of the editor: no parent window; help is the key summary.
class TerminalHost : public IBuildTagExprEditorHost {
 public:
  explicit TerminalHost(TerminalDialogRunner& runner) : runner_(runner) {}
  HRESULT BTE_CALL QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG BTE_CALL AddRef() override { return 1; }
  ULONG BTE_CALL Release() override { return 1; }
  HRESULT BTE_CALL GetParentWindow(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }
  HRESULT BTE_CALL ShowHelp(uint32_t helpContext) override {
    if (helpContext == editor::kDialogId) runner_.ShowHelpScreen();
    return S_OK;
  }

 private:
  TerminalDialogRunner& runner_;
};

std::string ExpressionOf(IBuildTagExprEditor* editor) {
  BSTR text = nullptr;
  editor->GetExpression(&text);
  std::string expression = projectbuild::MultiByteFromSystemString(text);
  SysFreeString(text);
  return expression;
}

int RunEdit(const std::vector<std::string>& tags, const std::string& expression) {
  TerminalDialogRunner runner;
  TerminalHost terminalHost(runner);
  editor::ScopedDialogRunner installed(runner);
  host::ComPtr<IBuildTagExprEditor> editor;
  if (CreateBuildTagExprEditorInstance(editor.out()) != S_OK) return kExitFailed;
  for (const std::string& tag : tags) editor->AddTag(tag.c_str());
  editor->SetExpression(expression.c_str());
  editor->SetHost(&terminalHost);
  const bool accepted = editor->Edit(0) == S_OK;
  if (accepted) std::cout << ExpressionOf(editor.get()) << '\n';
  if (!runner.opened()) {
    std::cerr << "buildtags: edit needs a terminal\n";
    return kExitUsage;
  }
  return accepted ? kExitOk : kExitFailed;
}

}  // namespace

void AddEditCommand(CLI::App& app, Outcome& outcome) {
  auto* command =
      app.add_subcommand("edit",
                         "Edit an expression in the terminal dialog; print it on OK (exit 0), "
                         "nothing on cancel (exit 1)");
  auto tags = std::make_shared<std::vector<std::string>>();
  auto expression = std::make_shared<std::string>();
  command->add_option("--tags", *tags, "the project's build tags, separated by commas")
      ->required()
      ->delimiter(',');
  command->add_option("-e,--expr,--expression", *expression, "the expression to start from");
  command->callback(
      [&outcome, tags, expression] { outcome.exitCode = RunEdit(*tags, *expression); });
}

}  // namespace bte::cli
