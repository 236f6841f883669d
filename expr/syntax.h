// The expression language's surface: word operators and the symbol-level
// syntax check used by everything that evaluates expressions.
//
// Operators are "~" (NOT), "&" (AND) and "|" (OR); there is no grouping, and
// "(" and ")" are ordinary characters of a tag name. A word operator counts
// only at the start of the text or after a blank (0x20), and only when a
// blank or the end of the text follows it.
#ifndef BTE_EXPR_SYNTAX_H
#define BTE_EXPR_SYNTAX_H

#include <string>
#include <string_view>

namespace bte {

// Replaces word operators by their symbols; a null text gives "".
std::string NormalizeExpression(const char* text);
std::string NormalizeExpression(std::string_view text);

// 1 when every "~", "&" and "|" has its operands, else 0. Looks at symbols
// only: normalize word operators first. A null or empty text is valid.
int CheckExpressionSyntax(const char* text);
int CheckExpressionSyntax(std::string_view text);

}  // namespace bte

#endif  // BTE_EXPR_SYNTAX_H
