// The RTF reader layer: the group matcher's edges, the keyword tables, the
// scanner under each reading's rules, and the writers' content reading.
// (Tokens and plain brace matching: reader_model_test.cpp.)
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rtffilter/content_reader.h"
#include "rtffilter/reader/keyword_tables.h"
#include "rtffilter/reader/rtf_scanner.h"

namespace bte::rtf {
namespace {

template <class Case>
std::string NameOf(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

struct GroupCase {
  const char* name;
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

// Plain brace matching is checked against a model at every range in
// reader_model_test.cpp; here what the model leaves out (no bytes, a first
// byte that is no brace, binary data) and one escape case kept by name.
INSTANTIATE_TEST_SUITE_P(
    Groups, FindGroupEndTest,
    ::testing::Values(GroupCase{"OpenAfterEscapedBackslash", "{a\\\\{b}", false, 0},
                      GroupCase{"NoBytes", "", false, 0}, GroupCase{"NotABrace", "x{}", true, 1},
                      GroupCase{"BinaryDataHoldsBraces", "{\\bin3 }}{x}", true, 12},
                      GroupCase{"BinaryDataPastTheRange", "{\\bin9 }}", false, 0},
                      GroupCase{"EscapedBinIsText", "{\\\\bin3 }x}", true, 9},
                      GroupCase{"BinZeroHasNoData", "{\\bin0 }x}", true, 8}),
    NameOf<GroupCase>);

struct KeywordCase {
  const char* name;
  std::string word;
  bool destination;
  int32_t value;  // category or special-word code; 0: not in the table
};

class KeywordTableTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(KeywordTableTest, FindsExactWordsOnly) {
  const KeywordCase& c = GetParam();
  int32_t value = -1;
  const uint32_t count = static_cast<uint32_t>(c.word.size());
  const bool found = c.destination ? LookupDestination(c.word.data(), count, value)
                                   : LookupSpecialWord(c.word.data(), count, value);
  EXPECT_EQ(found, c.value != 0);
  EXPECT_EQ(value, c.value);
}

// A row of each table (the tables check when compiled that they find every
// row) and near misses, among them words that share a keyword's length and
// its first, middle and last letters (and so its place in the table).
INSTANTIATE_TEST_SUITE_P(
    Rows, KeywordTableTest,
    ::testing::Values(
        KeywordCase{"Unit", "atrfstart", true, DestUnit},
        KeywordCase{"Prefix", "fonttb", true, 0}, KeywordCase{"Longer", "fonttbls", true, 0},
        KeywordCase{"OtherCase", "Fonttbl", true, 0}, KeywordCase{"NoLetters", "", true, 0},
        KeywordCase{"SamePlaceAsFonttbl", "faxtbbl", true, 0},
        KeywordCase{"SamePlaceAsIntbl", "ixtyl", false, 0},
        KeywordCase{"Paragraph", "par", false, ItemParagraph},
        KeywordCase{"ParagraphReset", "pard", false, 0},
        KeywordCase{"Capitals", "PAR", false, 0}),
    NameOf<KeywordCase>);

// Records what a scan reports, one short entry per event: "{", "}",
// "T:text", "W:word", "S:symbol", "D:group" (a group handed out; "D:0"
// when its end is out of reach).
class Recorder : public RtfListener {
 public:
  bool OnText(const char* at, const RTFToken& token) override {
    return Add("T:" + std::string(at, token.length));
  }
  bool OnControlWord(const char* at, const RTFToken& token) override {
    return Add("W:" + std::string(at, token.length));
  }
  bool OnControlSymbol(const char* at, const RTFToken& token) override {
    return Add("S:" + std::string(at, token.length));
  }
  bool OnGroupOpen(const char*) override { return Add("{"); }
  bool OnGroupClose(const char*) override { return Add("}"); }
  bool OnDestination(const DestinationGroup& group) override {
    return Add("D:" + (group.length == 0 ? "0" : std::string(group.open, group.length)));
  }

  std::string dump;
  std::string stopAt;  // an entry at which to stop the scan

 private:
  bool Add(const std::string& entry) {
    dump += (dump.empty() ? "" : " ") + entry;
    return entry != stopAt;
  }
};

struct ScanCase {
  const char* name;
  const ReadingRules* rules;
  std::string input;
  std::string dump;
};

class ScanRtfTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanRtfTest, ReportsTokensAndGroupsByTheRules) {
  const ScanCase& c = GetParam();
  Recorder recorder;
  const char* end = c.input.data() + c.input.size();
  EXPECT_EQ(ScanRtf(*c.rules, c.input.data(), end, end, recorder), end);
  EXPECT_EQ(recorder.dump, c.dump);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ScanRtfTest,
    ::testing::Values(
        ScanCase{"ContentPassesOverHiddenGroups", &kContentRules,
                 "{\\fonttbl{\\f0 A;}}{\\*\\bkmkstart b}{\\atnid x}x", "{ { { T:x"},
        ScanCase{"ContentHandsOutUnits", &kContentRules,
                 "{\\field{\\*\\fldinst a}}{\\*\\listtextkvt 1.}",
                 "{ D:{\\field{\\*\\fldinst a}} { D:{\\*\\listtextkvt 1.}"},
        ScanCase{"ContentReadsIntoUnknownStarGroups", &kContentRules, "{\\*\\mine x}",
                 "{ S:\\* W:\\mine  T:x }"},
        ScanCase{"WordNotAfterABraceIsAWord", &kContentRules, "\\fonttbl x",
                 "W:\\fonttbl  T:x"},
        ScanCase{"UnclosedStarredUnitIsHandedOutEmpty", &kContentRules, "{\\*\\annotation x",
                 "{ D:0 W:\\annotation  T:x"},
        ScanCase{"UnclosedPlainUnitIsReadInto", &kContentRules, "{\\field x",
                 "{ D:0 W:\\field  T:x"},
        ScanCase{"UnclosedPassedOverGroupLosesItsStar", &kContentRules, "{\\*\\bkmkstart b",
                 "{ W:\\bkmkstart  T:b"},
        ScanCase{"IdentityReadsIntoPlainGroups", &kAnnotationIdentityRules,
                 "{\\atnid x}{\\*\\atnid y}{\\*\\fldinst z}",
                 "{ W:\\atnid  T:x } { D:{\\*\\atnid y} {"},
        ScanCase{"AnnotationTextReadsEscapesWhole", &kAnnotationTextRules,
                 "\\'e9{\\*\\atnref 1}\\'4", "S:\\'e9 { S:\\' T:4"},
        ScanCase{"TableWordsReadIntoUnits", &kTableWordRules, "{\\header \\cellx1}{\\pict\\cellx2}",
                 "{ { W:\\pict W:\\cellx2 }"},
        ScanCase{"EveryTokenReadsAll", &kEveryTokenRules, "{\\*\\atnid a}",
                 "{ S:\\* W:\\atnid  T:a }"}),
    NameOf<ScanCase>);

TEST(ScanRtfTest, EveryReadingLeavesBinaryDataUnread) {
  const std::string input = "\\bin3 {}x\\cellx1";
  const char* end = input.data() + input.size();
  for (const ReadingRules* rules : {&kContentRules, &kAnnotationIdentityRules, &kAnnotationTextRules,
                                    &kEveryTokenRules, &kTableWordRules, &kEveryWordRules}) {
    Recorder recorder;
    EXPECT_EQ(ScanRtf(*rules, input.data(), end, end, recorder), end);
    EXPECT_EQ(recorder.dump, "W:\\bin3  W:\\cellx1");
  }
}

TEST(ScanRtfTest, StopsWhereTheListenerSays) {
  const std::string input = "a\\b c";
  Recorder recorder;
  recorder.stopAt = "W:\\b ";
  const char* end = input.data() + input.size();
  EXPECT_EQ(ScanRtf(kContentRules, input.data(), end, end, recorder), input.data() + 1);
  EXPECT_EQ(recorder.dump, "T:a W:\\b ");
}

// What the writers see: content tokens as "kind:code:text".
class ContentRecorder : public ContentListener {
 public:
  bool OnContent(const char* at, const RTFToken& token) override {
    const int32_t code = token.kind == TokenText || token.kind == TokenControlSymbol ? 0 : token.code;
    tokens.push_back(std::to_string(token.kind) + ":" + std::to_string(code) + ":" +
                     std::string(at, token.length));
    return token.length != 0;
  }
  std::vector<std::string> tokens;
};

TEST(ReadContentTest, GivesContentWithItsCodes) {
  const std::string rtf =
      "\\b Hi\\par{\\fonttbl x}\\'e9\\\r{\\field y}{\\*\\pntextkvt a}{\\*\\nesttableprops\\trowd}"
      "\\cell{\\*\\annotation z";
  ContentRecorder recorder;
  ReadContent(rtf.data(), rtf.data() + rtf.size(), nullptr, recorder);
  EXPECT_EQ(recorder.tokens,
            (std::vector<std::string>{"3:0:Hi", "1:2:\\par", "2:0:\\'", "3:0:e9", "2:0:\\\r",
                                      "6:1:{\\field y}", "6:9:{\\*\\pntextkvt a}",
                                      "6:5:{\\*\\nesttableprops\\trowd}", "1:4:\\cell", "6:1:"}));
}

TEST(ReadContentTest, FollowsParagraphStateAcrossGroups) {
  const std::string rtf =
      "\\pard\\itap2\\ilvl1\\ls3 a{\\ls5\\ilvl-1 b{\\fonttbl x}c}d}e\\pard\\ls f";
  ParagraphTracker paragraphs;
  class StateRecorder : public ContentListener {
   public:
    explicit StateRecorder(const ParagraphTracker& paragraphs) : paragraphs_(paragraphs) {}
    bool OnContent(const char* at, const RTFToken& token) override {
      const ParagraphListState& s = paragraphs_.state;
      seen.push_back(std::string(at, token.length) + ":" + std::to_string(s.tableDepth) + "," +
                     std::to_string(s.listLevel) + "," + std::to_string(s.listOverride));
      return true;
    }
    std::vector<std::string> seen;

   private:
    const ParagraphTracker& paragraphs_;
  } recorder(paragraphs);
  ReadContent(rtf.data(), rtf.data() + rtf.size(), &paragraphs, recorder);
  // The font table group, passed over whole, does not stand in for the
  // enclosing group when that closes; the stray '}' after d changes nothing.
  EXPECT_EQ(recorder.seen, (std::vector<std::string>{"a:2,1,3", "b:2,-1,5", "c:2,-1,5",
                                                     "d:2,1,3", "e:2,1,3", "f:0,0,0"}));
  EXPECT_TRUE(paragraphs.saved.empty());
}

}  // namespace
}  // namespace bte::rtf
