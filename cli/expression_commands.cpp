// `check` and `eval`: the expression engine as the filters see it.
#include <iostream>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"
#include "cli/commands.h"
#include "projectbuild/beyond_interface.h"

namespace bte::cli {
namespace {

std::string JoinPostfix(const std::vector<std::string>& postfix) {
  std::string joined;
  for (const std::string& item : postfix) {
    if (!joined.empty()) joined += ' ';
    joined += item;
  }
  return joined;
}

// Valid means what the filters act on: the parser object accepts the text
// and its compiled form is usable.
int RunCheck(const std::string& expression) {
  const projectbuild::ExpressionForms forms = projectbuild::DescribeExpression(expression);
  std::cout << (forms.valid ? "valid" : "invalid") << '\n'
            << "normalized: " << forms.normalized << '\n';
  if (forms.valid) std::cout << "postfix: " << JoinPostfix(forms.postfix) << '\n';
  if (!forms.valid)
    std::cout << "note: an invalid expression keeps all content when applied\n";
  return forms.valid ? kExitOk : kExitFailed;
}

int RunEval(const std::string& expression, const std::vector<std::string>& tagSets) {
  host::ComPtr<IBuildTagExprParser> parser;
  if (CreateBuildTagExprParserInstance(parser.out(), expression.c_str()) != S_OK) {
    std::cerr << "buildtags: cannot create a parser\n";
    return kExitFailed;
  }
  for (const std::string& tagSet : tagSets) {
    const bool excluded = parser->IsIncluded(tagSet.c_str()) != S_OK;
    std::cout << (excluded ? "excluded" : "kept") << '\t' << tagSet << '\n';
  }
  return kExitOk;
}

}  // namespace

void AddCheckCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "check", "Check an expression; print its normalized and postfix forms");
  auto expression = std::make_shared<std::string>();
  command->add_option("EXPR", *expression, "build tag expression")->required();
  command->callback([expression, &outcome] { outcome.exitCode = RunCheck(*expression); });
}

void AddEvalCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "eval", "Decide for each tag set (tags separated by ';') whether content is kept");
  auto expression = std::make_shared<std::string>();
  auto tagSets = std::make_shared<std::vector<std::string>>();
  command->add_option("EXPR", *expression, "build tag expression")->required();
  command->add_option("TAGSET", *tagSets, "tag sets such as \"Print;Beta\"")->required();
  command->callback([expression, tagSets, &outcome] {
    outcome.exitCode = RunEval(*expression, *tagSets);
  });
}

}  // namespace bte::cli
