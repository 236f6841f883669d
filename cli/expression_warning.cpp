#include "cli/expression_warning.h"

#include <iostream>

#include "projectbuild/beyond_interface.h"

namespace bte::cli {

std::string ExpressionFault(const std::string& expression) {
  const projectbuild::ExpressionForms forms = projectbuild::DescribeExpression(expression);
  return forms.valid ? std::string() : expression + ": " + forms.fault;
}

bool AcceptExpression(const std::string& expression, bool strict, const std::string& whose) {
  const std::string fault = ExpressionFault(expression);
  if (fault.empty()) return true;
  std::cerr << "buildtags: " << (whose.empty() ? "" : whose + ": ") << fault
            << (strict ? "; nothing done (--strict)" : "; everything is kept") << '\n';
  return !strict;
}

}  // namespace bte::cli
