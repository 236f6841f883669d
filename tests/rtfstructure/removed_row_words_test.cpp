// A removed row takes its table words along and nothing else: the copier
// that leaves them out, and whole documents through the RTF filter object,
// where kept rows, the header and the text around a removed row stay as
// they were.
#include <string>

#include <gtest/gtest.h>

#include "hidden_ranges.h"
#include "rtffilter/structure/output_cursor.h"

namespace bte::rtf::testing {
namespace {

struct CopyCase {
  const char* name;
  const char* input;
  size_t firstPiece;  // copied in two pieces split here; 0: in one
  const char* expected;
};

std::string CopyWithoutTableWords(const std::string& input, size_t firstPiece) {
  std::string out(input.size(), '\0');
  OutputSink sink(out.data(), input.size());
  RtfOutputCursor cursor(input.data(), input.size(), sink);
  cursor.LeaveOutTableWords(true);
  if (firstPiece > 0) cursor.CopyUpTo(input.data() + firstPiece);
  cursor.CopyUpTo(input.data() + input.size());
  out.resize(sink.written());
  return out;
}

class TableWordCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(TableWordCopy, LeavesOutOnlyTableWords) {
  EXPECT_EQ(CopyWithoutTableWords(GetParam().input, GetParam().firstPiece), GetParam().expected);
}

const CopyCase kCopyCases[] = {
    {"RowAndCellDefinitions",
     "\\trowd\\trql\\trgaph108\\clbrdrt\\brdrdb\\brdrw5\\clpadl28\\clvertalc\\cellx781 \\pard X", 0,
     "\\pard X"},
    {"NegativeParametersAndDelimiterSpaces", "\\trleft-108 \\cellx-5 \\itap2 X", 0, "X"},
    {"WholeWordsAndPrefixes",
     "\\intbl\\itap3\\lastrow\\ltrrow\\rtlrow\\ts11\\irow0\\irowband2\\tblind0\\clwWidth2000|", 0,
     "|"},
    {"LookAlikesStay", "\\tx720\\tqr\\tb360\\cf1\\cs15\\tsrowd\\ltrpar\\itapx\\intblx\\cellxy|", 0,
     "\\tx720\\tqr\\tb360\\cf1\\cs15\\tsrowd\\ltrpar\\itapx\\intblx\\cellxy|"},
    {"SymbolsAndTextStay", "\\\\trowd\\'74\\'72\\{\\cellx1\\}\\*\\~trowd", 0,
     "\\\\trowd\\'74\\'72\\{\\}\\*\\~trowd"},
    {"FormattingAndBracesStay", "{\\b\\f1{\\trql\\plain}\\cellx5}", 0, "{\\b\\f1{\\plain}}"},
    {"BinaryDataIsNotRead", "\\bin7 \\cellx1\\cellx2", 0, "\\bin7 \\cellx1"},
    {"BinaryDataSplitAcrossPieces", "\\bin9 \\cellx1{}\\cellx2", 9, "\\bin9 \\cellx1{}"},
    {"BinaryDataRunningPastTheEnd", "\\bin99 \\cellx1", 0, "\\bin99 \\cellx1"},
    {"GroupsPassedOverStayWhole", "{\\header \\trowd\\cellx5 H}{\\*\\bkmkstart \\cellx}\\cellx1", 0,
     "{\\header \\trowd\\cellx5 H}{\\*\\bkmkstart \\cellx}"},
    {"PassedOverGroupSplitAcrossPieces", "{\\footer \\trowd\\cellx5 F}\\cellx1", 12,
     "{\\footer \\trowd\\cellx5 F}"},
    {"OtherGroupsAreRead", "{\\*\\myprops\\trowd x}{\\*\\nesttableprops\\cellx1}", 0,
     "{\\*\\myprops x}{\\*\\nesttableprops}"},
    {"UnclosedPassedOverGroupIsRead", "{\\header \\cellx5 H", 0, "{\\header H"},
    {"DelimiterStaysWhereTextWouldRunOn", "\\b\\trowd \\cellx5 x\\f1\\trleft5 2", 0,
     "\\b x\\f1 2"},
    {"DelimiterGoesAfterTextOrGroups", "a\\cellx5 x}\\cellx5 y\\\\b\\cellx5 z", 0, "ax}y\\\\bz"},
    {"LoneBackslashAtTheEnd", "\\cellx1 X\\", 0, "X\\"},
};
INSTANTIATE_TEST_SUITE_P(Copier, TableWordCopy, ::testing::ValuesIn(kCopyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Whole documents: a header whose section properties carry page border
// words, then a body. "Cherry", "Damson", "Inner" and "Lime" are hidden.
const char kHead[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
    "{\\stylesheet{\\s0 Normal;}{\\*\\ts11\\tsrowd\\trftsWidthB3\\trpaddl108\\tblind0 Normal Table;}}"
    "\n\\sectd\\pgbrdrt\\brdrs\\brdrw10\\pgbrdrb\\brdrs\\brdrw10\n";

// A row as a word processor writes it: definition first, then its cells.
std::string Row(const std::string& left, const std::string& right) {
  return "\\trowd\\trql\\trleft-108\\trpaddl108\\trpaddfl3\\clbrdrt\\brdrdb\\brdrw5\\clpadl28"
         "\\clvertalc\\cellx781\\clbrdrt\\brdrs\\cellx1562\\pard\\plain\\intbl{\\f0\\cf1 " +
         left + "}\\cell\\pard\\plain\\intbl{\\b " + right + "}\\cell\\row\n";
}
// What is left of Row(...) when it goes.
const char kRowRemains[] = "\\pard\\plain{\\f0\\cf1 }\\pard\\plain{\\b }\n";

// A nested row inside a cell, definition in its property group.
std::string NestedRow(const std::string& left, const std::string& right) {
  return "\\pard\\plain\\intbl\\itap2\\tx720{" + left + "}\\nestcell\\pard\\plain\\intbl\\itap2{" +
         right + "}\\nestcell{\\*\\nesttableprops\\trowd\\trql\\clbrdrt\\brdrs\\cellx500"
         "\\cellx900\\nestrow}{\\nonesttables\\par}";
}
const char kNestedRowRemains[] = "\\pard\\plain\\tx720{}\\pard\\plain{}{\\nonesttables\\par}";

const std::string kIntro = "\\pard\\plain\\itap0 Intro\\par\n";
const std::string kOutro = "\\pard\\plain\\itap0\\s16\\sa140\\tx720 Outro\\par\n";

struct DocumentCase {
  const char* name;
  std::string body;
  std::string expectedBody;
};

std::string Document(const std::string& body) { return kHead + body + "}"; }

std::string FilterDocument(const std::string& body) {
  return FilterHidden(ExcludeWords(Document(body), {"Cherry", "Damson", "Inner", "Lime"}));
}

class RemovedRowDocument : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(RemovedRowDocument, WritesExpectedDocument) {
  EXPECT_EQ(FilterDocument(GetParam().body), Document(GetParam().expectedBody));
}

const std::string kOuterRowStart =
    "\\trowd\\trql\\clbrdrt\\brdrs\\cellx2000\\cellx4000\\pard\\plain\\intbl Outer\\par\n";
const std::string kOuterRowEnd = "\\pard\\plain\\intbl Tail\\cell\\pard\\plain\\intbl Right\\cell\\row\n";
const std::string kNestedFirstRowStart = "\\trowd\\trql\\clbrdrt\\brdrs\\cellx2000\\cellx4000";

const DocumentCase kDocumentCases[] = {
    {"LastRowGoesTheParagraphAfterKeepsItsFormatting",
     kIntro + Row("Apple", "Banana") + Row("Cherry", "Damson") + kOutro,
     kIntro + Row("Apple", "Banana") + kRowRemains + kOutro},
    {"MiddleRowGoesItsNeighboursStayAsTheyWere",
     kIntro + Row("Apple", "Banana") + Row("Cherry", "Damson") + Row("Elder", "Fig") + kOutro,
     kIntro + Row("Apple", "Banana") + kRowRemains + Row("Elder", "Fig") + kOutro},
    {"FirstBlockRowGoesTheHeaderStays", Row("Cherry", "Damson") + kOutro,
     kRowRemains + kOutro},
    {"SectionPropertiesBeforeARemovedRowStay",
     kIntro + "\\sect\\sectd\\pgbrdrl\\brdrs\\brdrw10\n" + Row("Cherry", "Damson") + kOutro,
     kIntro + "\\sect\\sectd\\pgbrdrl\\brdrs\\brdrw10\n" + kRowRemains + kOutro},
    {"KeptRowsStayByteForByte",
     kIntro + Row("Apple", "Banana") + Row("Cherry", "Fig") + kOutro,
     kIntro + Row("Apple", "Banana") + Row("", "Fig") + kOutro},
    {"NestedRowGoesAfterAParagraphOfTheOuterCell",
     kOuterRowStart + NestedRow("Inner", "Lime") + NestedRow("Kiwi", "Mango") + kOuterRowEnd,
     kOuterRowStart + kNestedRowRemains + NestedRow("Kiwi", "Mango") + kOuterRowEnd},
    {"NestedRowFirstInTheOuterRowLeavesTheOuterDefinition",
     kNestedFirstRowStart + NestedRow("Inner", "Lime") + kOuterRowEnd,
     kNestedFirstRowStart + kNestedRowRemains + kOuterRowEnd},
    {"OuterRowGoesWithItsNestedRows",
     kIntro + kOuterRowStart.substr(0, kOuterRowStart.find("Outer")) + "Cherry\\par\n" +
         NestedRow("Inner", "Lime") + "\\pard\\plain\\intbl Damson\\cell\\row\n" + kOutro,
     kIntro + "\\pard\\plain\n\\pard\\plain\\tx720{}\\pard\\plain{}{\\nonesttables\\par}"
              "\\pard\\plain\n" + kOutro},
};
INSTANTIATE_TEST_SUITE_P(Documents, RemovedRowDocument, ::testing::ValuesIn(kDocumentCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bte::rtf::testing
