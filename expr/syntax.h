// The expression language's surface: word operators and the symbol-level
// syntax check used by everything that evaluates expressions.
//
// Operators are "~" (NOT), "&" (AND) and "|" (OR); there is no grouping, and
// "(" and ")" are ordinary characters of a tag name. A word operator counts
// only at the start of the text or after a blank (0x20), and only when a
// blank or the end of the text follows it.
#ifndef BTE_EXPR_SYNTAX_H
#define BTE_EXPR_SYNTAX_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bte {

// Replaces word operators by their symbols; a null text gives "".
std::string NormalizeExpression(const char* text);
std::string NormalizeExpression(std::string_view text);
// As above; origins receives, for each byte of the result, the offset in
// text of the byte or word operator it comes from.
std::string NormalizeExpression(std::string_view text, std::vector<size_t>& origins);

// The first fault the symbol-level check meets, as data: what is wrong and
// at which operator. Messages for users are built from it (diagnosis.h).
enum class SyntaxFaultKind {
  kNone,
  kNothingBefore,         // "&" or "|" with no operand before it
  kNothingAfter,          // an operator with nothing after it
  kFollowedByOperator,    // an operator directly followed by "&" or "|"
  kNegationAfterOperand,  // "~" directly after an operand
};

struct SyntaxFault {
  SyntaxFaultKind kind = SyntaxFaultKind::kNone;
  size_t at = 0;    // offset of the faulty operator
  size_t next = 0;  // kFollowedByOperator: the operator after it
};

SyntaxFault FindSyntaxFault(std::string_view text);

// 1 when every "~", "&" and "|" has its operands (FindSyntaxFault finds
// none), else 0. Looks at symbols only: normalize word operators first. A
// null or empty text is valid.
int CheckExpressionSyntax(const char* text);
int CheckExpressionSyntax(std::string_view text);

}  // namespace bte

#endif  // BTE_EXPR_SYNTAX_H
