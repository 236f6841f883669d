// `check` and `eval`: the expression engine as the filters see it.
#include <iostream>
#include <string>
#include <vector>

#include "buildtagexpr.h"
#include "cli/commands.h"
#include "expr/expression_tree.h"
#include "expr/syntax.h"

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
  const BuildTagExprTree tree(expression);
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, expression.c_str());
  const bool accepted = parser != nullptr && parser->IsValid() == S_OK;
  if (parser != nullptr) parser->Release();
  const bool valid = accepted && tree.valid();
  std::cout << (valid ? "valid" : "invalid") << '\n'
            << "normalized: " << tree.normalized() << '\n';
  if (valid) std::cout << "postfix: " << JoinPostfix(tree.postfix()) << '\n';
  if (!valid)
    std::cout << "note: an invalid expression keeps all content when applied\n";
  return valid ? kExitOk : kExitFailed;
}

int RunEval(const std::string& expression, const std::vector<std::string>& tagSets) {
  IBuildTagExprParser* parser = nullptr;
  if (CreateBuildTagExprParserInstance(&parser, expression.c_str()) != S_OK) {
    std::cerr << "buildtags: cannot create a parser\n";
    return kExitFailed;
  }
  for (const std::string& tagSet : tagSets) {
    const bool excluded = parser->IsIncluded(tagSet.c_str()) != S_OK;
    std::cout << (excluded ? "excluded" : "kept") << '\t' << tagSet << '\n';
  }
  parser->Release();
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
