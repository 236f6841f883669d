// An expression with a syntax fault makes the filters keep everything; the
// commands that apply one say so before they start, and refuse it with
// --strict.
#ifndef BTE_CLI_EXPRESSION_WARNING_H
#define BTE_CLI_EXPRESSION_WARNING_H

#include <string>

namespace bte::cli {

// "NOT Print AND: AND has nothing after it", or empty for a valid one.
std::string ExpressionFault(const std::string& expression);

// Prints the fault, if any, to standard error, naming what is kept or that
// nothing is done; whose (e.g. "target Web") precedes it when given.
// Returns false when the command must stop: strict and faulty.
bool AcceptExpression(const std::string& expression, bool strict, const std::string& whose = "");

}  // namespace bte::cli

#endif  // BTE_CLI_EXPRESSION_WARNING_H
