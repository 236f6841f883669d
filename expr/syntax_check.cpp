#include "expr/syntax.h"
#include "expr/text.h"

namespace bte {
namespace {

bool IsBinaryOperator(char c) { return c == '&' || c == '|'; }

// Where the first byte of TrimLeft(text.substr(from)) lies in text.
size_t SkipWhiteSpace(std::string_view text, size_t from) {
  while (from < text.size() && IsWhiteSpace(text[from])) ++from;
  return from;
}

// Every "&" and "|" needs an operand on its left and one on its right that
// does not start with another binary operator.
SyntaxFault CheckBinaryOperators(std::string_view text) {
  for (size_t rest = 0;;) {
    const size_t at = text.find_first_of("&|", rest);
    if (at == std::string_view::npos) return {};
    if (TrimRight(text.substr(rest, at - rest)).empty())
      return {SyntaxFaultKind::kNothingBefore, at};
    const size_t after = SkipWhiteSpace(text, at + 1);
    if (after == text.size()) return {SyntaxFaultKind::kNothingAfter, at};
    if (IsBinaryOperator(text[after])) return {SyntaxFaultKind::kFollowedByOperator, at, after};
    rest = after;
  }
}

// Every "~" stands at the start, after "~", "&" or "|", and is followed by
// something that is not a binary operator.
SyntaxFault CheckNegations(std::string_view text) {
  for (size_t rest = 0;;) {
    const size_t at = text.find('~', rest);
    if (at == std::string_view::npos) return {};
    const size_t after = SkipWhiteSpace(text, at + 1);
    if (after == text.size()) return {SyntaxFaultKind::kNothingAfter, at};
    if (IsBinaryOperator(text[after])) return {SyntaxFaultKind::kFollowedByOperator, at, after};
    const std::string_view before = TrimRight(text.substr(rest, at - rest));
    if (!before.empty() && !IsBinaryOperator(before.back()))
      return {SyntaxFaultKind::kNegationAfterOperand, at};
    rest = after;
  }
}

}  // namespace

SyntaxFault FindSyntaxFault(std::string_view text) {
  const SyntaxFault binary = CheckBinaryOperators(text);
  return binary.kind != SyntaxFaultKind::kNone ? binary : CheckNegations(text);
}

int CheckExpressionSyntax(const char* text) {
  return text == nullptr ? 1 : CheckExpressionSyntax(std::string_view(text));
}

int CheckExpressionSyntax(std::string_view text) {
  return FindSyntaxFault(text).kind == SyntaxFaultKind::kNone ? 1 : 0;
}

}  // namespace bte
