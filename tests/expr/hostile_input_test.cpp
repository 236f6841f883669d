// Inputs no author writes: huge, deeply negated, full of control bytes. They
// must be checked, compiled and evaluated without crashing or running away.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "expr/expression_tree.h"
#include "expr/syntax.h"

namespace {

using bte::BuildTagExprTree;

std::string Repeat(const std::string& piece, size_t count, const std::string& joiner) {
  std::string out;
  out.reserve((piece.size() + joiner.size()) * count);
  for (size_t i = 0; i < count; ++i) out += (i ? joiner : "") + piece + std::to_string(i);
  return out;
}

TEST(HostileInput, HundredThousandTagsJoinedByOr) {
  const std::string text = Repeat("t", 100000, " OR ");
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

TEST(HostileInput, RandomBytesNeverCrash) {
  std::mt19937 rng(7);
  static const char kAlphabet[] = "~&| \t\r\n;aAnNdDoOrRtT{}()\x01\x7f\x80\xff";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  for (int i = 0; i < 20000; ++i) {
    std::string text(rng() % 40, ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    std::string tagSet(rng() % 12, ' ');
    for (char& c : tagSet) c = alphabet[rng() % alphabet.size()];
    const BuildTagExprTree tree(text);
    const int kept = tree.Evaluate(tagSet);
    EXPECT_TRUE(kept == 0 || kept == 1);
    std::string out;
    tree.ReplaceTag("a", "b", out);
    IBuildTagExprParser* parser = nullptr;
    ASSERT_EQ(CreateBuildTagExprParserInstance(&parser, text.c_str()), S_OK);
    parser->EnableCache(1);
    EXPECT_EQ(parser->IsIncluded(tagSet.c_str()), parser->IsIncluded(tagSet.c_str()));
    parser->Release();
  }
}

}  // namespace
