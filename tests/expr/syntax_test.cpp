// Word operators and the symbol-level syntax check.
#include <string>

#include <random>

#include <gtest/gtest.h>

#include "buildtagexpr_host.h"
#include "expr/diagnosis.h"
#include "expr/expression_tree.h"
#include "expr/syntax.h"
#include "expr/text.h"
#include "tests/support/case_name.h"

namespace {

using bte::CheckExpressionSyntax;
using bte::FindSyntaxFault;
using bte::NormalizeExpression;
using bte::SyntaxFault;
using bte::SyntaxFaultKind;

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
        Normalization{"", ""}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.text); });

TEST(Normalize, NullGivesEmpty) { EXPECT_EQ(NormalizeExpression(nullptr), ""); }

// Each row: the text, the fault the check finds (kNone: valid) and the
// offset of the operator at fault.
struct SyntaxCase {
  std::string text;
  SyntaxFaultKind fault;
  size_t at;
};

class SymbolCheck : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(SymbolCheck, FindsTheFirstFault) {
  const SyntaxFault fault = FindSyntaxFault(GetParam().text);
  EXPECT_EQ(fault.kind, GetParam().fault);
  if (fault.kind != SyntaxFaultKind::kNone) {
    EXPECT_EQ(fault.at, GetParam().at);
  }
  EXPECT_EQ(CheckExpressionSyntax(GetParam().text), GetParam().fault == SyntaxFaultKind::kNone);
}

constexpr auto kNone = SyntaxFaultKind::kNone;
constexpr auto kBefore = SyntaxFaultKind::kNothingBefore;
constexpr auto kAfter = SyntaxFaultKind::kNothingAfter;
constexpr auto kOperator = SyntaxFaultKind::kFollowedByOperator;
constexpr auto kAfterOperand = SyntaxFaultKind::kNegationAfterOperand;

INSTANTIATE_TEST_SUITE_P(
    Texts, SymbolCheck,
    ::testing::Values(SyntaxCase{"", kNone, 0}, SyntaxCase{"a", kNone, 0},
                      SyntaxCase{"a b", kNone, 0}, SyntaxCase{"~ ~ a", kNone, 0},
                      SyntaxCase{"a & ~ b | c", kNone, 0}, SyntaxCase{"~a&b", kNone, 0},
                      SyntaxCase{"a &", kAfter, 2}, SyntaxCase{"& a", kBefore, 0},
                      SyntaxCase{"a & | b", kOperator, 2}, SyntaxCase{"a ~ b", kAfterOperand, 2},
                      SyntaxCase{"~", kAfter, 0}, SyntaxCase{"a | ~", kAfter, 4},
                      SyntaxCase{"~ & a", kOperator, 0}, SyntaxCase{"a && b", kOperator, 2},
                      SyntaxCase{"a & \t\n ~ b", kNone, 0}, SyntaxCase{"a ~", kAfter, 2},
                      // The binary pass runs over the whole text first.
                      SyntaxCase{"a ~ b &", kAfter, 6}, SyntaxCase{"| a ~", kBefore, 0},
                      // Word operators are not the symbol check's business.
                      SyntaxCase{"a AND", kNone, 0}, SyntaxCase{"NOT", kNone, 0}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.text); });

TEST(SymbolCheck, NullIsValid) { EXPECT_EQ(CheckExpressionSyntax(nullptr), 1); }

// What users are told, and where the fault is in the text as written.
struct FaultCase {
  std::string text;
  std::string description;
  size_t at;
};

class Diagnosis : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Diagnosis, NamesTheOperatorAsWritten) {
  const bte::ExpressionFault fault = bte::DiagnoseExpression(GetParam().text);
  EXPECT_EQ(bte::DescribeExpressionFault(fault), GetParam().description);
  if (fault.kind != SyntaxFaultKind::kNone) {
    EXPECT_EQ(fault.at, GetParam().at);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Diagnosis,
    ::testing::Values(
        FaultCase{"NOT Print AND", "AND has nothing after it", 10},
        FaultCase{"  a and", "and has nothing after it", 4},
        FaultCase{"a AND b AND", "the 2nd AND has nothing after it", 8},
        FaultCase{"a and OR b", "and is followed by OR", 2},
        FaultCase{"OR a", "OR has nothing before it", 0},
        FaultCase{"a & & b", "the 1st & is followed by &", 2},
        FaultCase{"Print Only NOT Web",
                  "NOT follows the tag \"Print Only\" with no AND or OR between them", 11},
        // Checked as given first: there, words are tags.
        FaultCase{"NOT ~ a", "~ follows the tag \"NOT\" with no AND or OR between them", 4},
        FaultCase{"a | NOT", "NOT has nothing after it", 4},
        FaultCase{"NOT Print AND NOT Beta", "", 0}, FaultCase{"", "", 0},
        FaultCase{"Android and Notes", "", 0}),
    [](const auto& info) { return "Row" + std::to_string(info.index); });

// A fault is reported exactly when the parser keeps everything: its own
// check or its compiled tree refuses the text.
TEST(Diagnosis, AgreesWithTheParserOnRandomTexts) {
  const char* const kPieces[] = {"a", "Print", "AND", "and", "OR", "NOT", "not", "~", "&", "|",
                                 " ", " ", "\t"};
  std::mt19937 rng(1905);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    for (size_t n = rng() % 7; n > 0; --n) text += kPieces[rng() % std::size(kPieces)];
    bte::host::ComPtr<IBuildTagExprParser> parser;
    CreateBuildTagExprParserInstance(parser.out(), text.c_str());
    const bool acted = parser->IsValid() == S_OK && bte::BuildTagExprTree(bte::Trim(text)).valid();
    const bool faulty = bte::DiagnoseExpression(text).kind != SyntaxFaultKind::kNone;
    EXPECT_NE(acted, faulty) << '"' << text << '"';
  }
}

}  // namespace
