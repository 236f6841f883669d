// The parser object as a host uses it, through the exported factory.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "tests/support/case_name.h"

namespace {

// Every parser a test makes is released at its end, and must then go.
class ParserTest : public ::testing::Test {
 protected:
  IBuildTagExprParser* Make(const char* expression) {
    IBuildTagExprParser* parser = nullptr;
    EXPECT_EQ(CreateBuildTagExprParserInstance(&parser, expression), S_OK);
    if (parser != nullptr) parsers_.push_back(parser);
    return parser;
  }
  void TearDown() override {
    for (IBuildTagExprParser* parser : parsers_) EXPECT_EQ(parser->Release(), 0u);
  }
  std::vector<IBuildTagExprParser*> parsers_;
};

template <class Case>
class ParserCases : public ParserTest, public ::testing::WithParamInterface<Case> {};

struct Decision {
  const char* expression;
  const char* tagSet;
  HRESULT included;  // 0 kept, 1 excluded
};

using ParserDecides = ParserCases<Decision>;

TEST_P(ParserDecides, WithAndWithoutCache) {
  for (int cache : {0, 1}) {
    IBuildTagExprParser* parser = Make(GetParam().expression);
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(parser->EnableCache(cache), S_FALSE);
    for (int round = 0; round < 2; ++round)
      EXPECT_EQ(parser->IsIncluded(GetParam().tagSet), GetParam().included)
          << GetParam().expression << " / " << (GetParam().tagSet ? GetParam().tagSet : "null");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParserDecides,
    // Spellings and tag sets the random expressions of property_test.cpp do
    // not make: null texts, faults, blanks around the expression.
    ::testing::Values(Decision{"NOT print", "Print ; web", 1}, Decision{"NOT print", nullptr, 0},
                      Decision{"a &", "a", 0}, Decision{"a AND", "x", 0}, Decision{"a AND ~ b", "b", 0},
                      Decision{"", "a", 0}, Decision{"   ", "a", 0}, Decision{nullptr, "a", 0},
                      Decision{"  Web  ", "web", 0}, Decision{"  Web  ", "print", 1}),
    [](const auto& info) { return bte::testing::InputName(info.index, bte::testing::OrNull(info.param.expression) + " with " + bte::testing::OrNull(info.param.tagSet)); });

TEST_F(ParserTest, EmptyAndBlankTextsAreEmptyAndValid) {
  for (const char* text : {"", "  \t ", static_cast<const char*>(nullptr)}) {
    IBuildTagExprParser* parser = Make(text);
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(parser->IsEmpty(), S_OK);
    EXPECT_EQ(parser->IsValid(), S_OK);
  }
}

TEST_F(ParserTest, SymbolFaultIsInvalidAndKeepsEverything) {
  IBuildTagExprParser* parser = Make("a &");
  EXPECT_EQ(parser->IsEmpty(), S_FALSE);
  EXPECT_EQ(parser->IsValid(), S_FALSE);
  EXPECT_EQ(parser->IsIncluded("a"), S_OK);
  EXPECT_EQ(parser->UsesTag("a"), S_FALSE);
}

TEST_F(ParserTest, WordOperatorFaultPassesTheCheckButKeepsEverything) {
  IBuildTagExprParser* parser = Make("NOT a AND");
  EXPECT_EQ(parser->IsValid(), S_OK);
  EXPECT_EQ(parser->IsIncluded("a"), S_OK);
}

struct UsesTagCase {
  const char* expression;
  const char* tag;
  HRESULT uses;
};

using ParserUsesTag = ParserCases<UsesTagCase>;

TEST_P(ParserUsesTag, AnswersZeroForOperands) {
  IBuildTagExprParser* parser = Make(GetParam().expression);
  ASSERT_NE(parser, nullptr);
  EXPECT_EQ(parser->UsesTag(GetParam().tag), GetParam().uses);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParserUsesTag,
                         ::testing::Values(UsesTagCase{"a & b", "b", S_OK},
                                           UsesTagCase{"a & bc", "b", S_FALSE},
                                           UsesTagCase{"a & B", "b", S_FALSE},
                                           UsesTagCase{"a OR b", "b", S_OK},
                                           UsesTagCase{"a & b", "", S_FALSE},
                                           UsesTagCase{"a & b", nullptr, S_FALSE},
                                           UsesTagCase{"", "a", S_FALSE}),
    [](const auto& info) { return bte::testing::InputName(info.index, std::string(info.param.expression) + " uses " + bte::testing::OrNull(info.param.tag)); });

TEST_F(ParserTest, CompareNormalizedTextOnlyTellsWhetherATextWasGiven) {
  IBuildTagExprParser* parser = Make("a AND b");
  EXPECT_EQ(parser->CompareNormalizedText(nullptr, 5), S_FALSE);
  EXPECT_EQ(parser->CompareNormalizedText("a & b", 5), S_OK);
  EXPECT_EQ(parser->CompareNormalizedText("different", 9), S_OK);
  EXPECT_EQ(parser->IsIncluded("a;b"), S_OK);
}

}  // namespace
