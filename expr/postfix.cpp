#include <string>
#include <vector>

#include "expr/expression_tree.h"
#include "expr/text.h"

namespace bte {

int OperatorPriority(char op) {
  switch (op) {
    case '~': return 3;
    case '&': return 2;
    case '|': return 1;
    default: return 0;
  }
}

void ToPostfix(std::string_view rest, std::vector<std::string>& out) {
  std::vector<std::string> output;
  std::string stack;  // operator characters; the top is the back
  for (size_t at; (at = rest.find_first_of("~&|")) != std::string_view::npos;) {
    const char op = rest[at];
    const std::string_view operand = Trim(rest.substr(0, at));
    if (!operand.empty()) output.emplace_back(operand);
    rest = rest.substr(at + 1);
    // Only strictly stronger operators leave the stack.
    while (!stack.empty() && OperatorPriority(op) < OperatorPriority(stack.back())) {
      output.emplace_back(1, stack.back());
      stack.pop_back();
    }
    stack += op;
  }
  if (!rest.empty()) output.emplace_back(Trim(rest));
  while (!stack.empty()) {
    output.emplace_back(1, stack.back());
    stack.pop_back();
  }
  for (std::string& item : output) {
    if (item == "~" && !out.empty() && out.back() == "~")
      out.pop_back();
    else
      out.push_back(std::move(item));
  }
}

}  // namespace bte
