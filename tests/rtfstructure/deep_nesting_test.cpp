// Tables nested thousands of levels deep are built, decided, written and
// freed without recursion; absurd depths are bounded.
#include <string>

#include <gtest/gtest.h>

#include "hidden_ranges.h"

namespace bte::rtf::testing {
namespace {

constexpr int kDepth = 5000;

// One cell per level, the innermost holding the only text; every level's
// cell and row end as a word processor writes them.
std::string NestedDocument(const std::string& innermostText) {
  std::string text = "\\pard\\intbl\\itap" + std::to_string(kDepth) + " " + innermostText;
  const std::string cellAndRowEnd = "\\nestcell{\\*\\nesttableprops\\nestrow}";
  text += cellAndRowEnd;
  for (int depth = kDepth - 1; depth >= 2; --depth)
    text += "\\itap" + std::to_string(depth) + " " + cellAndRowEnd;
  return text + "\\itap1 \\cell\\row After\\par ";
}

TEST(DeepNesting, KeptInnermostTextKeepsEveryLevel) {
  const std::string text = NestedDocument("X");
  EXPECT_EQ(Rebuild(text), text);
}

// Every level goes with its depth words; only the paragraph reset stays.
TEST(DeepNesting, ExcludedInnermostTextRemovesEveryLevel) {
  EXPECT_EQ(Rebuild(ExpandMarks(NestedDocument("<<X>>"))), "\\pard After\\par ");
}

TEST(DeepNesting, AbsurdTableDepthIsBounded) {
  const std::string text = "\\pard\\intbl\\itap2000000000 X\\nestcell\\cell\\row After\\par ";
  EXPECT_EQ(Rebuild(text), text);
}

TEST(DeepNesting, AbsurdListLevelIsBounded) {
  const std::string text =
      "{\\pard\\ls1\\ilvl2000000000 {1.}{\\tab}{\\*\\listtextkvt}X\\par}"
      "{\\pard\\ls1\\ilvl2000000000 {2.}{\\tab}{\\*\\listtextkvt}Y\\par}";
  EXPECT_EQ(Rebuild(text), text);
}

}  // namespace
}  // namespace bte::rtf::testing
