// The compiled form of one build tag expression.
//
// Content that carries no tag is always kept; content that carries tags is
// kept when the expression is true for its tag set. NOT binds strongest, then
// AND, then OR. A tag set names tags separated by ";", each trimmed, letter
// case ignored.
#ifndef BTE_EXPR_EXPRESSION_TREE_H
#define BTE_EXPR_EXPRESSION_TREE_H

#include <string>
#include <string_view>
#include <vector>

#include "expr/evaluation_program.h"

namespace bte {

// "~" 3, "&" 2, "|" 1, anything else 0.
int OperatorPriority(char op);

// Operator-precedence conversion of a normalized expression to postfix.
// Operators of equal strength group from the right, and two adjacent
// negations cancel.
void ToPostfix(std::string_view normalized, std::vector<std::string>& out);

class BuildTagExprTree {
 public:
  // Compiles at once; a text that fails the syntax check gives a tree that
  // keeps everything and uses no tag.
  explicit BuildTagExprTree(const char* text);
  explicit BuildTagExprTree(std::string_view text);
  virtual ~BuildTagExprTree() = default;

  // 1 = keep content with this tag set, 0 = exclude it.
  int Evaluate(std::string_view tagSet) const;
  int Evaluate(const char* tagSet) const;

  // 1 when the tag is an operand of the expression (letter case counts).
  int UsesTag(const char* tag) const;

  // Rewrites the expression as given, replacing every whole occurrence of the
  // trimmed old tag by newTag as passed. 1 and out set, or 0 and out untouched.
  int ReplaceTag(const char* oldTag, const char* newTag, std::string& out) const;

  bool valid() const { return valid_; }
  const std::string& text() const { return text_; }
  const std::string& normalized() const { return normalized_; }
  const std::vector<std::string>& postfix() const { return postfix_; }

 private:
  void Compile();

  std::string text_;
  std::string normalized_;
  std::vector<std::string> postfix_;
  bool valid_ = false;
  EvaluationProgram program_;
};

}  // namespace bte

#endif  // BTE_EXPR_EXPRESSION_TREE_H
