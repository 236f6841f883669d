// The tokenizer, the group matcher, the keyword tables and the content
// scanner, on hand-made RTF fragments.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rtffilter/content_scanner.h"
#include "rtffilter/keyword_tables.h"
#include "rtffilter/rtf_token.h"

namespace bte::rtf {
namespace {

struct TokenCase {
  std::string input;
  int32_t kind;
  uint32_t length;
  uint32_t nameLength;   // checked for control words only
  uint32_t paramLength;  // checked for words with a parameter only
};

class ReadRtfTokenTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ReadRtfTokenTest, ReadsOneToken) {
  const TokenCase& c = GetParam();
  RTFToken token;
  ReadRtfToken(c.input.data(), static_cast<uint32_t>(c.input.size()), token);
  EXPECT_EQ(token.kind, c.kind);
  EXPECT_EQ(token.length, c.length);
  if (c.kind == TokenControlWord) {
    EXPECT_EQ(token.nameLength, c.nameLength);
  }
  if (c.paramLength != 0) {
    EXPECT_EQ(token.paramLength, c.paramLength);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, ReadRtfTokenTest,
    ::testing::Values(TokenCase{"{\\b x}", TokenGroupOpen, 1, 0, 0},
                      TokenCase{"}x", TokenGroupClose, 1, 0, 0},
                      TokenCase{"\\par{", TokenControlWord, 4, 4, 0},
                      TokenCase{"\\par x", TokenControlWord, 5, 4, 0},
                      TokenCase{"\\par  x", TokenControlWord, 5, 4, 0},
                      TokenCase{"\\li-120 x", TokenControlWord, 8, 3, 4},
                      TokenCase{"\\fs24\\b", TokenControlWord, 5, 3, 2},
                      TokenCase{"\\u-5a", TokenControlWord, 4, 2, 2},
                      TokenCase{"\\'e9t", TokenControlSymbol, 2, 0, 0},
                      TokenCase{"\\{", TokenControlSymbol, 2, 0, 0},
                      TokenCase{"\\\r\n", TokenControlSymbol, 2, 0, 0},
                      TokenCase{"\\par", TokenControlWord, 4, 4, 0},
                      TokenCase{"\\", TokenControlSymbol, 1, 0, 0},
                      TokenCase{"e9 text\r\nmore\\par", TokenText, 13, 0, 0},
                      TokenCase{"abc}", TokenText, 3, 0, 0}));

TEST(ReadRtfTokenTest, WordCutByTheRangeTakesTheRest) {
  const std::string text = "\\pardplain";
  RTFToken token;
  ReadRtfToken(text.data(), 4, token);
  EXPECT_EQ(token.kind, TokenControlWord);
  EXPECT_EQ(token.length, 4u);
  EXPECT_EQ(token.nameLength, 4u);
}

struct GroupCase {
  std::string input;
  bool found;
  uint32_t length;
};

class FindGroupEndTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(FindGroupEndTest, MatchesBraces) {
  const GroupCase& c = GetParam();
  uint32_t length = 99;
  EXPECT_EQ(FindGroupEnd(c.input.data(), static_cast<uint32_t>(c.input.size()), length), c.found);
  if (c.found) {
    EXPECT_EQ(length, c.length);
  }
}

INSTANTIATE_TEST_SUITE_P(Groups, FindGroupEndTest,
                         ::testing::Values(GroupCase{"{}", true, 2},
                                           GroupCase{"{a{b}c}d", true, 7},
                                           GroupCase{"{a\\}b}", true, 6},
                                           GroupCase{"{a\\\\}b}", true, 5},
                                           GroupCase{"{a\\{b}", true, 6},
                                           GroupCase{"{a\\\\{b}", false, 0},
                                           GroupCase{"{{a}", false, 0},
                                           GroupCase{"", false, 0},
                                           GroupCase{"x{}", true, 1}));

TEST(FindGroupEndTest, NeverLooksPastTheRange) {
  const std::string text = "{abc}";
  uint32_t length = 0;
  EXPECT_FALSE(FindGroupEnd(text.data(), 4, length));
}

struct KeywordCase {
  std::string word;
  bool destination;
  int32_t category;  // or special-word code
};

class KeywordTableTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(KeywordTableTest, FindsExactWordsOnly) {
  const KeywordCase& c = GetParam();
  int32_t value = -1;
  const uint32_t count = static_cast<uint32_t>(c.word.size());
  const bool found = c.destination ? LookupDestination(c.word.data(), count, value)
                                   : LookupSpecialWord(c.word.data(), count, value);
  EXPECT_EQ(found, c.category != 0);
  EXPECT_EQ(value, c.category);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeywordTableTest,
    ::testing::Values(
        KeywordCase{"atrfstart", true, DestUnit}, KeywordCase{"xe", true, DestUnit},
        KeywordCase{"do", true, DestUnit}, KeywordCase{"listtextkvt", true, DestListTextBullet},
        KeywordCase{"pntextkvt", true, DestParaNumBullet},
        KeywordCase{"nesttableprops", true, DestNestedTableProps},
        KeywordCase{"atnauthor", true, DestAnnotationAuthor},
        KeywordCase{"atnid", true, DestAnnotationId},
        KeywordCase{"annotation", true, DestAnnotation}, KeywordCase{"aftncn", true, DestSkip},
        KeywordCase{"userprops", true, DestSkip}, KeywordCase{"footer", true, DestSkip},
        KeywordCase{"g", true, DestSkip}, KeywordCase{"listoverridetable", true, DestSkip},
        KeywordCase{"fonttb", true, 0}, KeywordCase{"fonttbls", true, 0},
        KeywordCase{"Fonttbl", true, 0}, KeywordCase{"b", true, 0}, KeywordCase{"", true, 0},
        KeywordCase{"par", false, 2}, KeywordCase{"row", false, 3},
        KeywordCase{"cell", false, 4}, KeywordCase{"nestrow", false, 5},
        KeywordCase{"nestcell", false, 6}, KeywordCase{"sect", false, 7},
        KeywordCase{"trowd", false, 10}, KeywordCase{"intbl", false, 11},
        KeywordCase{"chdate", false, 1}, KeywordCase{"zwnj", false, 1},
        KeywordCase{"tab", false, 1}, KeywordCase{"pard", false, 0},
        KeywordCase{"PAR", false, 0}, KeywordCase{"pa", false, 0}));

// Scans a whole fragment and lists what NextContentToken hands out.
struct Scanned {
  int32_t kind;
  int32_t code;
  std::string text;
};

std::vector<Scanned> ScanAll(const std::string& rtf, ParagraphListState* state = nullptr,
                             RTFFilterPass* passIn = nullptr) {
  RTFFilterPass local(rtf.c_str(), static_cast<uint32_t>(rtf.size()), nullptr);
  RTFFilterPass& pass = passIn != nullptr ? *passIn : local;
  std::vector<Scanned> found;
  RTFToken token;
  const char* end = rtf.data() + rtf.size();
  const char* p = rtf.data();
  while (p < end) {
    p = NextContentToken(pass, p, static_cast<uint32_t>(end - p), token, state);
    if (p == nullptr) break;
    found.push_back({token.kind, token.kind == TokenText ? 0 : token.code,
                     std::string(p, token.length)});
    if (token.length == 0) break;
    p += token.length;
  }
  return found;
}

TEST(NextContentTokenTest, PassesOverFormattingAndHiddenGroups) {
  const auto found =
      ScanAll("{\\fonttbl{\\f0 Arial;}}{\\*\\bkmkstart b1}\\b Hello\\par\\fonttbl x");
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].text, "Hello");
  EXPECT_EQ(found[1].kind, TokenControlWord);
  EXPECT_EQ(found[1].code, 2);
  EXPECT_EQ(found[2].text, "x");  // fonttbl not after a brace: just the word
}

TEST(NextContentTokenTest, HandsOutUnitGroupsWithTheirCodes) {
  const auto found = ScanAll(
      "{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt link}}{\\*\\annotation note}"
      "{\\*\\nesttableprops\\trowd}{\\*\\listtextkvt 1.}{\\*\\pntextkvt a}");
  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(found[0].kind, TokenUnitGroup);
  EXPECT_EQ(found[0].code, 1);
  EXPECT_EQ(found[0].text, "{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt link}}");
  EXPECT_EQ(found[1].code, 1);
  EXPECT_EQ(found[2].code, 5);
  EXPECT_EQ(found[3].code, 8);
  EXPECT_EQ(found[4].code, 9);
}

TEST(NextContentTokenTest, UnknownStarGroupYieldsItsSymbolAndText) {
  const auto found = ScanAll("{\\*\\unknownword hidden}");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].kind, TokenControlSymbol);
  EXPECT_EQ(found[0].text, "\\*");
  EXPECT_EQ(found[1].text, "hidden");
}

TEST(NextContentTokenTest, UnclosedUnitGroupHasLengthZero) {
  const auto found = ScanAll("{\\*\\annotation never closed");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].kind, TokenUnitGroup);
  EXPECT_EQ(found[0].text, "");
}

TEST(NextContentTokenTest, UnclosedSkippedGroupPassesOverTheStarOnly) {
  const auto found = ScanAll("{\\*\\bkmkstart b1 text");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].text, "b1 text");
}

TEST(NextContentTokenTest, ControlSymbolsAndLineBreakMarksAreContent) {
  const auto found = ScanAll("\\'e9\\\r\n\\~");
  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(found[0].text, "\\'");
  EXPECT_EQ(found[1].text, "e9");
  EXPECT_EQ(found[2].text, "\\\r");
  EXPECT_EQ(found[3].text, "\n");
  EXPECT_EQ(found[4].text, "\\~");
}

TEST(NextContentTokenTest, FollowsParagraphStateAcrossGroups) {
  const std::string rtf =
      "\\pard\\itap2\\ilvl1\\ls3 a{\\ls5\\ilvl-1 b}c{\\fonttbl x}d}e\\pard\\ls f";
  RTFFilterPass pass(rtf.c_str(), static_cast<uint32_t>(rtf.size()), nullptr);
  ParagraphListState state;
  std::vector<std::string> seen;
  RTFToken token;
  const char* end = rtf.data() + rtf.size();
  for (const char* p = rtf.data(); p < end; p += token.length) {
    p = NextContentToken(pass, p, static_cast<uint32_t>(end - p), token, &state);
    if (p == nullptr) break;
    seen.push_back(std::string(p, token.length) + ":" + std::to_string(state.tableDepth) +
                   "," + std::to_string(state.listLevel) + "," +
                   std::to_string(state.listOverride));
  }
  // The skipped font table group leaves its saved copy on the stack, so the
  // stray '}' after d restores the state saved at its '{'.
  EXPECT_EQ(seen, (std::vector<std::string>{"a:2,1,3", "b:2,-1,5", "c:2,1,3", "d:2,1,3",
                                            "e:2,1,3", "f:1,0,0"}));
  EXPECT_TRUE(pass.stateStack.empty());
}

TEST(NextContentTokenTest, WithoutStateTheStackIsUntouched) {
  const std::string rtf = "{{a}}{\\fonttbl x}";
  RTFFilterPass pass(rtf.c_str(), static_cast<uint32_t>(rtf.size()), nullptr);
  ScanAll(rtf, nullptr, &pass);
  EXPECT_TRUE(pass.stateStack.empty());
}

}  // namespace
}  // namespace bte::rtf
