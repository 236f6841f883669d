// Inputs no author writes: huge and deeply negated. They must be checked,
// compiled and evaluated without running away. (Random bytes are the fuzz
// target's, fuzz/expression_fuzzer.cpp.)
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "expr/expression_tree.h"

namespace {

using bte::BuildTagExprTree;

TEST(HostileInput, HundredThousandTagsJoinedByOr) {
  std::string text = "t0";
  for (int i = 1; i < 100000; ++i) text += " OR t" + std::to_string(i);
  const BuildTagExprTree tree(text);
  ASSERT_TRUE(tree.valid());
  EXPECT_EQ(tree.Evaluate("t99999"), 1);
  EXPECT_EQ(tree.Evaluate("nothing"), 0);
  EXPECT_EQ(tree.UsesTag("t5000"), 1);
  std::string out;
  EXPECT_EQ(tree.ReplaceTag("t5000", "renamed", out), 1);
  EXPECT_NE(out.find("renamed OR t5001"), std::string::npos);
}

TEST(HostileInput, TwoHundredThousandNegations) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "NOT ";
  const BuildTagExprTree even(text + "a");
  ASSERT_TRUE(even.valid());
  EXPECT_EQ(even.postfix().size(), 1u);
  EXPECT_EQ(even.Evaluate("a"), 1);
  const BuildTagExprTree odd("NOT " + text + "a");
  EXPECT_EQ(odd.Evaluate("a"), 0);
  EXPECT_EQ(odd.Evaluate("b"), 1);
}

TEST(HostileInput, MegabyteTagName) {
  const std::string name(1 << 20, 'x');
  IBuildTagExprParser* parser = nullptr;
  ASSERT_EQ(CreateBuildTagExprParserInstance(&parser, ("NOT " + name).c_str()), S_OK);
  EXPECT_EQ(parser->IsIncluded(name.c_str()), S_FALSE);
  EXPECT_EQ(parser->UsesTag(name.c_str()), S_OK);
  parser->Release();
}

}  // namespace
