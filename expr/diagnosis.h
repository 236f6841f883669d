// Why the filters keep everything for an expression: the first syntax
// fault, located in the text as the author wrote it, and its description.
// The parser object checks the text as given and again after word operators
// became symbols; the fault is the first either check meets.
#ifndef BTE_EXPR_DIAGNOSIS_H
#define BTE_EXPR_DIAGNOSIS_H

#include <cstddef>
#include <string>
#include <string_view>

#include "expr/syntax.h"

namespace bte {

struct ExpressionFault {
  SyntaxFaultKind kind = SyntaxFaultKind::kNone;  // kNone: the filters act on the text
  std::string spelling;      // the faulty operator as written: "AND", "&", "not"
  size_t at = 0;             // its offset in the text
  size_t occurrence = 1;     // it is the occurrence-th operator spelled so (from 1)
  size_t occurrences = 1;    // of this many
  std::string nextSpelling;  // kFollowedByOperator: the operator after it
  std::string operand;       // kNegationAfterOperand: the tag before it
};

ExpressionFault DiagnoseExpression(std::string_view text);

// What is wrong, e.g. "AND has nothing after it" or "the 2nd OR is
// followed by AND"; empty for kNone.
std::string DescribeExpressionFault(const ExpressionFault& fault);

}  // namespace bte

#endif  // BTE_EXPR_DIAGNOSIS_H
