// The flat form of a postfix list that evaluation runs: operand tests refer to
// a table of distinct lower-case tag names, so one pass over a tag set marks
// which operands the content carries and the program then runs on booleans.
// Running allocates nothing for expressions of up to kInlineCapacity distinct
// tags and stack depth.
#ifndef BTE_EXPR_EVALUATION_PROGRAM_H
#define BTE_EXPR_EVALUATION_PROGRAM_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bte {

class EvaluationProgram {
 public:
  static constexpr size_t kInlineCapacity = 64;

  // Builds the program from a postfix list (operands and "~", "&", "|").
  // An operand spelled "{TRUE}" or "{FALSE}" is the constant it names unless
  // it is the whole list, where it is an ordinary tag.
  void Compile(const std::vector<std::string>& postfix);

  // False when the postfix list does not leave exactly one value.
  bool IsWellFormed() const { return wellFormed_; }

  // The truth of the expression for content carrying this tag set.
  bool Run(std::string_view tagSet) const;

 private:
  enum class Op : uint8_t { kTag, kTrue, kFalse, kNot, kAnd, kOr };
  struct Step {
    Op op;
    uint32_t operand;  // index into names_ for kTag
  };

  uint32_t InternName(std::string_view name);
  int FindName(std::string_view piece, uint64_t hash) const;
  void MarkCarriedTags(std::string_view tagSet, bool* carried) const;
  bool Execute(const bool* carried, bool* stack) const;

  std::vector<Step> steps_;
  std::vector<std::string> names_;  // distinct, lower case
  std::vector<int32_t> slots_;      // open-addressing index into names_, -1 = free
  size_t maxDepth_ = 0;
  bool wellFormed_ = false;
};

}  // namespace bte

#endif  // BTE_EXPR_EVALUATION_PROGRAM_H
