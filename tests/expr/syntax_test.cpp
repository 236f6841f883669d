// Word operators and the symbol-level syntax check.
#include <string>

#include <gtest/gtest.h>

#include "expr/syntax.h"

namespace {

using bte::CheckExpressionSyntax;
using bte::NormalizeExpression;

struct Normalization {
  std::string text;
  std::string normalized;
};

class Normalize : public ::testing::TestWithParam<Normalization> {};

TEST_P(Normalize, ReplacesWholeWordOperatorsOnly) {
  EXPECT_EQ(NormalizeExpression(GetParam().text), GetParam().normalized);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Normalize,
    ::testing::Values(
        Normalization{"a AND NOT b", "a & ~ b"}, Normalization{"not x or y", "~ x | y"},
        Normalization{"a AND", "a &"}, Normalization{"Android and Notes", "Android & Notes"},
        Normalization{"a&b", "a&b"}, Normalization{"nOt a", "~ a"},
        Normalization{"a ANDb", "a ANDb"}, Normalization{"ANDROID", "ANDROID"},
        Normalization{"a AND(b)", "a AND(b)"}, Normalization{"AND", "&"},
        Normalization{"or", "|"}, Normalization{"NOT NOT a", "~ ~ a"},
        // A word needs a blank (0x20) before it; a tab does not count.
        Normalization{"a\tAND b", "a\tAND b"},
        // The leading blank is consumed by the start rule, so no word follows it.
        Normalization{" and b", " and b"}, Normalization{"a  AND  b", "a  &  b"},
        Normalization{"", ""}));

TEST(Normalize, NullGivesEmpty) { EXPECT_EQ(NormalizeExpression(nullptr), ""); }

struct SyntaxCase {
  std::string text;
  int valid;
};

class SymbolCheck : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(SymbolCheck, Decides) { EXPECT_EQ(CheckExpressionSyntax(GetParam().text), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(
    Texts, SymbolCheck,
    ::testing::Values(SyntaxCase{"", 1}, SyntaxCase{"a", 1}, SyntaxCase{"a b", 1},
                      SyntaxCase{"~ ~ a", 1}, SyntaxCase{"a & ~ b | c", 1},
                      SyntaxCase{"~a&b", 1}, SyntaxCase{"a &", 0}, SyntaxCase{"& a", 0},
                      SyntaxCase{"a & | b", 0}, SyntaxCase{"a ~ b", 0}, SyntaxCase{"~", 0},
                      SyntaxCase{"a | ~", 0}, SyntaxCase{"~ & a", 0}, SyntaxCase{"a && b", 0},
                      SyntaxCase{"a & \t\n ~ b", 1}, SyntaxCase{"a ~", 0},
                      // Word operators are not the symbol check's business.
                      SyntaxCase{"a AND", 1}, SyntaxCase{"NOT", 1}));

TEST(SymbolCheck, NullIsValid) { EXPECT_EQ(CheckExpressionSyntax(nullptr), 1); }

}  // namespace
