#include "expr/syntax.h"
#include "expr/text.h"

namespace bte {
namespace {

bool IsBinaryOperator(char c) { return c == '&' || c == '|'; }

// Every "&" and "|" needs an operand on its left and one on its right that
// does not start with another binary operator.
bool BinaryOperatorsHaveOperands(std::string_view rest) {
  for (;;) {
    const size_t at = rest.find_first_of("&|");
    if (at == std::string_view::npos) return true;
    if (TrimRight(rest.substr(0, at)).empty()) return false;
    const std::string_view after = TrimLeft(rest.substr(at + 1));
    if (after.empty() || IsBinaryOperator(after.front())) return false;
    rest = after;
  }
}

// Every "~" stands at the start, after "~", "&" or "|", and is followed by
// something that is not a binary operator.
bool NegationsArePlacedWell(std::string_view rest) {
  for (;;) {
    const size_t at = rest.find('~');
    if (at == std::string_view::npos) return true;
    const std::string_view after = TrimLeft(rest.substr(at + 1));
    if (after.empty() || IsBinaryOperator(after.front())) return false;
    const std::string_view before = TrimRight(rest.substr(0, at));
    if (!before.empty() && !IsBinaryOperator(before.back())) return false;
    rest = after;
  }
}

}  // namespace

int CheckExpressionSyntax(const char* text) {
  return text == nullptr ? 1 : CheckExpressionSyntax(std::string_view(text));
}

int CheckExpressionSyntax(std::string_view text) {
  return BinaryOperatorsHaveOperands(text) && NegationsArePlacedWell(text) ? 1 : 0;
}

}  // namespace bte
