// Evaluation, tag lookup and renaming of one expression where the random
// expressions of property_test.cpp do not reach: faults, empty pieces,
// marker-like names, blanks.
#include <string>

#include <gtest/gtest.h>

#include "expr/expression_tree.h"
#include "tests/support/case_name.h"

namespace {

using bte::BuildTagExprTree;

struct EvaluationCase {
  std::string expression;
  std::string tagSet;
  int kept;
};

class Evaluate : public ::testing::TestWithParam<EvaluationCase> {};

TEST_P(Evaluate, KeepsOrExcludes) {
  const BuildTagExprTree tree(GetParam().expression);
  EXPECT_EQ(tree.Evaluate(GetParam().tagSet), GetParam().kept)
      << GetParam().expression << " with [" << GetParam().tagSet << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Evaluate,
    ::testing::Values(
        // Word operator without its operand: unusable, so everything is kept.
        EvaluationCase{"a AND", "x", 1}, EvaluationCase{"a AND", "a", 1},
        // An empty expression keeps everything.
        EvaluationCase{"", "a", 1},
        // Empty pieces are names too; a separator at the end adds none.
        EvaluationCase{"a", "a;", 1}, EvaluationCase{"a", ";a", 1},
        EvaluationCase{"Print Only", "print only", 1},
        // Operands spelled like the evaluation markers act as constants...
        EvaluationCase{"{TRUE} & a", "a", 1}, EvaluationCase{"{FALSE} | a", "b", 0},
        EvaluationCase{"{FALSE} | a", "{false}", 0},
        // ...except when the expression is nothing else: then a tag test.
        EvaluationCase{"{TRUE}", "b", 0}, EvaluationCase{"{TRUE}", "{true}", 1},
        // A blank-only expression compiles to one empty operand.
        EvaluationCase{"   ", "x", 0}, EvaluationCase{"   ", " ", 1}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.expression + " with " + info.param.tagSet); });

TEST(Evaluate, NullTagSetIsUntagged) {
  const BuildTagExprTree tree("NOT a");
  EXPECT_EQ(tree.Evaluate(static_cast<const char*>(nullptr)), 1);
}

TEST(Evaluate, SyntaxFaultKeepsAllAndUsesNoTag) {
  const BuildTagExprTree tree("a & | b");
  EXPECT_FALSE(tree.valid());
  EXPECT_EQ(tree.Evaluate("a"), 1);
  EXPECT_EQ(tree.UsesTag("a"), 0);
  std::string out = "untouched";
  EXPECT_EQ(tree.ReplaceTag("a", "x", out), 0);
  EXPECT_EQ(out, "untouched");
}

struct RenameCase {
  std::string expression;
  const char* oldTag;
  const char* newTag;
  int changed;
  std::string result;
};

class ReplaceTag : public ::testing::TestWithParam<RenameCase> {};

TEST_P(ReplaceTag, RewritesWholeOccurrences) {
  const RenameCase& c = GetParam();
  std::string out = "untouched";
  EXPECT_EQ(BuildTagExprTree(c.expression).ReplaceTag(c.oldTag, c.newTag, out), c.changed);
  EXPECT_EQ(out, c.changed ? c.result : "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTag,
    ::testing::Values(RenameCase{"a AND ba", "a", "x", 1, "x AND ba"},
                      RenameCase{"ab & b", "b", "x", 1, "ab & x"},
                      RenameCase{"a|a&~a", "a", "Web", 1, "Web|Web&~Web"},
                      // The new name is written as passed, blanks included.
                      RenameCase{"a & b", " a ", " y ", 1, " y  & b"},
                      RenameCase{"a & b", "a", "a", 0, ""},
                      RenameCase{"a & b", "a", "  ", 0, ""},
                      RenameCase{"a & b", "c", "x", 0, ""},
                      RenameCase{"a & b", "A", "x", 0, ""},
                      RenameCase{"a & b", nullptr, "x", 0, ""},
                      RenameCase{"a & b", "a", nullptr, 0, ""},
                      // Only a blank bounds a name: a tag before a tab stays.
                      RenameCase{"a\t& a", "a", "x", 1, "a\t& x"},
                      RenameCase{"x a & a", "a", "z", 1, "x z & z"}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.expression + " " + bte::testing::OrNull(info.param.oldTag) + " to " + bte::testing::OrNull(info.param.newTag)); });

}  // namespace
