// Random expressions and tag sets, compared with the reference evaluator;
// renaming checked against lookup and evaluation.
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "expr/expression_tree.h"
#include "reference_evaluator.h"

namespace {

using bte::BuildTagExprTree;
using bte::testing::ReferenceTruth;
using bte::testing::Words;

const char* const kNames[] = {"print", "web", "beta", "print only", "x(1)"};

class RandomExpressions : public ::testing::Test {
 protected:
  std::mt19937 rng_{20261205};

  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
  bool Coin() { return Pick(2) == 0; }

  std::string Recased(const std::string& word) {
    std::string out = word;
    for (char& c : out)
      if (Coin()) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
  }

  // Words of a well-formed expression, and its text with mixed spellings.
  Words MakeWords() {
    Words words;
    const size_t operands = 1 + Pick(6);
    for (size_t i = 0; i < operands; ++i) {
      if (i > 0) words.push_back(Coin() ? "&" : "|");
      for (size_t n = Pick(4); n > 0; --n) words.push_back("~");
      words.push_back(kNames[Pick(std::size(kNames))]);
    }
    return words;
  }

  enum class Spelling { kSymbols, kWords, kMixed };

  std::string Spell(const Words& words, Spelling spelling) {
    static const std::string kWordFor[] = {"NOT", "AND", "OR"};
    std::string text;
    for (const std::string& word : words) {
      if (!text.empty()) text += Pick(4) == 0 ? "  " : " ";
      const size_t op = word == "~" ? 0 : word == "&" ? 1 : word == "|" ? 2 : 3;
      const bool asWord = spelling == Spelling::kWords || (spelling == Spelling::kMixed && Coin());
      text += op < 3 && asWord ? Recased(kWordFor[op]) : Recased(word);
    }
    return text;
  }

  std::set<std::string> MakeCarried() {
    std::set<std::string> carried;
    for (const char* name : kNames)
      if (Pick(3) == 0) carried.insert(name);
    return carried;
  }

  std::string SpellTagSet(const std::set<std::string>& carried) {
    std::string tagSet;
    for (const std::string& name : carried) {
      if (!tagSet.empty()) tagSet += ";";
      tagSet += (Coin() ? " " : "") + Recased(name) + (Coin() ? "\t" : "");
    }
    return tagSet;
  }
};

TEST_F(RandomExpressions, EvaluateAgreesWithTheTruthRule) {
  for (int i = 0; i < 3000; ++i) {
    const Words words = MakeWords();
    const auto spelling = static_cast<Spelling>(i % 3);
    const std::string text = Spell(words, spelling);
    const BuildTagExprTree tree(text);
    ASSERT_TRUE(tree.valid()) << text;
    // The parser checks the text as given, before word operators become
    // symbols, so "a AND ~ b" is a fault to it; mixed spellings are left to
    // the tree here and to the parser's own cases.
    const bool parserAgrees = spelling != Spelling::kMixed;
    IBuildTagExprParser* parser = nullptr;
    ASSERT_EQ(CreateBuildTagExprParserInstance(&parser, text.c_str()), S_OK);
    parser->EnableCache(i % 2);
    for (int j = 0; j < 8; ++j) {
      const std::set<std::string> carried = MakeCarried();
      const std::string tagSet = SpellTagSet(carried);
      const int expected = tagSet.empty() ? 1 : ReferenceTruth(words, carried);
      ASSERT_EQ(tree.Evaluate(tagSet), expected) << text << " with [" << tagSet << "]";
      if (parserAgrees) {
        ASSERT_EQ(parser->IsIncluded(tagSet.c_str()), expected ? S_OK : S_FALSE) << text;
      }
    }
    parser->Release();
  }
}

// Renaming matches names with case and treats a blank as a boundary, so this
// property uses names spelled as given and none that holds a blank.
TEST_F(RandomExpressions, RenamedTagIsUsedAndEvaluatesAlike) {
  for (int i = 0; i < 2000; ++i) {
    Words words = MakeWords();
    for (std::string& word : words)
      if (word == "print only") word = "print";
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    const std::string old = words.back();
    const BuildTagExprTree tree(text);
    std::string renamed;
    ASSERT_EQ(tree.ReplaceTag(old.c_str(), "Renamed", renamed), 1) << text;
    const BuildTagExprTree after(renamed);
    EXPECT_EQ(after.UsesTag("Renamed"), 1) << renamed;
    EXPECT_EQ(after.UsesTag(old.c_str()), 0) << renamed;
    for (int j = 0; j < 6; ++j) {
      std::set<std::string> carried = MakeCarried();
      carried.erase("print only");
      const std::string before = SpellTagSet(carried);
      if (carried.count(old)) {
        carried.erase(old);
        carried.insert("renamed");
      }
      const std::string afterSet = SpellTagSet(carried);
      EXPECT_EQ(after.Evaluate(afterSet), tree.Evaluate(before))
          << text << " -> " << renamed << " with [" << before << "]";
    }
  }
}

}  // namespace
