// `check` and `eval`: the expression engine as the filters see it.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"
#include "cli/commands.h"
#include "cli/expression_warning.h"
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

// The expression on one line with carets under the operator at fault; a
// UTF-8 character takes one column.
std::string PointAt(const std::string& expression, size_t at, size_t length) {
  std::string line = "  ", marks = "  ";
  for (size_t i = 0; i < expression.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(expression[i]);
    line += c < 0x20 ? ' ' : expression[i];
    if ((c & 0xC0) == 0x80) continue;
    if (i < at + length) marks += i >= at ? '^' : ' ';
  }
  return line + '\n' + marks + '\n';
}

// Valid means what the filters act on: the parser object accepts the text
// and its compiled form is usable.
int RunCheck(const std::string& expression) {
  const projectbuild::ExpressionForms forms = projectbuild::DescribeExpression(expression);
  std::cout << (forms.valid ? "valid" : "invalid") << '\n'
            << "normalized: " << forms.normalized << '\n';
  if (forms.valid) {
    std::cout << "postfix: " << JoinPostfix(forms.postfix) << '\n';
    return kExitOk;
  }
  std::cout << "reason: " << forms.fault << '\n'
            << PointAt(expression, forms.faultAt, forms.faultLength)
            << "note: an invalid expression keeps all content when applied\n";
  return kExitFailed;
}

int RunEval(const std::string& expression, const std::vector<std::string>& tagSets,
            bool strict) {
  if (!AcceptExpression(expression, strict)) return kExitUsage;
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

// The expression comes from -e, or else from the first positional argument.
struct ExpressionArguments {
  std::string expression;
  std::vector<std::string> positional;
  CLI::Option* option = nullptr;

  bool TakeExpression() {
    if (option->count() > 0) return true;
    if (positional.empty()) return false;
    expression = positional.front();
    positional.erase(positional.begin());
    return true;
  }
};

}  // namespace

void AddCheckCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "check", "Check an expression; print its normalized and postfix forms");
  auto arguments = std::make_shared<ExpressionArguments>();
  arguments->option =
      command->add_option("-e,--expr,--expression", arguments->expression, "build tag expression");
  command->add_option("EXPR", arguments->positional, "build tag expression (or give -e)")
      ->expected(0, 1);
  command->callback([arguments, &outcome] {
    if (!arguments->TakeExpression() || !arguments->positional.empty())
      throw CLI::ValidationError("check", "give one expression, as EXPR or with -e");
    outcome.exitCode = RunCheck(arguments->expression);
  });
}

void AddEvalCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "eval", "Decide for each tag set (tags separated by ';') whether content is kept");
  auto arguments = std::make_shared<ExpressionArguments>();
  auto strict = std::make_shared<bool>(false);
  arguments->option =
      command->add_option("-e,--expr,--expression", arguments->expression, "build tag expression");
  command->add_option("TAGSET", arguments->positional,
                      "[EXPR] then tag sets such as \"Print;Beta\" (EXPR unless -e is given)");
  command->add_flag("--strict", *strict, "refuse an expression with a syntax fault (exit 2)");
  command->callback([arguments, strict, &outcome] {
    if (!arguments->TakeExpression() || arguments->positional.empty())
      throw CLI::ValidationError("eval", "give an expression (EXPR or -e) and at least one tag set");
    outcome.exitCode = RunEval(arguments->expression, arguments->positional, *strict);
  });
}

}  // namespace bte::cli
