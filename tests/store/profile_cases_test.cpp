// The private-profile functions against the cases that the platform's own
// functions are known to answer: reads (return value and buffer bytes) and
// writes (the whole file afterwards).
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "temp_folder.h"

namespace {

using namespace std::string_literals;
using bte::platform::ReadProfileSection;
using bte::platform::ReadProfileSectionNames;
using bte::platform::ReadProfileString;

enum class Read { kString, kNames, kSection };

struct ReadCase {
  const char* name;
  std::optional<std::string> file;  // nothing: the file does not exist
  Read kind;
  const char* section;
  const char* key;
  const char* defaultValue;
  uint32_t size;
  uint32_t result;
  std::string buffer;  // the buffer's first bytes afterwards; '#' = untouched
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

const std::string kSpaced = "[s]\r\n  key1  =  val1  \r\n\tkey2\t=\tval 2\t\r\n";
const std::string kQuoted = "[s]\r\nd=  \"  v  \"  \r\nsq='v b'\r\nmix=\"v c'\r\ndd=\"\"x\"\"\r\none=\"\r\n";
const std::string kComments = "[s]\r\n;c1=1\r\n  ;c2=2\r\n#h=3\r\nk=v ; x\r\n";
const std::string kNoValue = "[s]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n";
const std::string kThreeSections =
    "[section1]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n[section2]\r\n[section3]\r\n=val5\r\n";
const std::string kDuplicates = "[s]\r\na=1\r\n[t]\r\nx=9\r\n[S]\r\na=2\r\nb=3\r\n";
const std::string kBrackets = "[t] k=1\r\nk=3\r\n[broken\r\nk=2\r\n[a]b]\r\nk=4\r\n";
const std::string kShort = "[section1]\r\nname1=val1\r\nname4=a\r\n[section2]\r\n";
const std::string kNames = "[ section1 ]\r\n[section2]\r\n[section3]\r\n";
const std::string kKeys = "[section1]\r\nname1=val1\r\nname2=x\r\nname4=a\r\n";
const std::string kTwo = "[section1]\r\nname1=val1\r\n[section2]\r\n";

const ReadCase kReadCases[] = {
    {"TrimmedKeyAndValue", kSpaced, Read::kString, "s", "key1", "D", 100, 4, "val1\0"s},
    {"TabsTrimmed", kSpaced, Read::kString, "s", "key2", "D", 100, 5, "val 2\0"s},
    {"ParameterSpacesTrimmed", kSpaced, Read::kString, "  s  ", "  key1  ", "D", 100, 4, "val1\0"s},
    {"ParameterTabKept", kSpaced, Read::kString, "s", "key1\t", "D", 100, 1, "D\0"s},
    {"DefaultTrailingSpaces", "[s]\r\n", Read::kString, "s", "k", "  dv  ", 100, 4, "  dv\0"s},
    {"DefaultTrailingTabKept", "[s]\r\n", Read::kString, "s", "k", "dv\t", 100, 3, "dv\t\0"s},
    {"NullDefault", "[s]\r\n", Read::kString, "s", "k", nullptr, 10, 0, "\0"s},
    {"QuotesInnerBlanksKept", kQuoted, Read::kString, "s", "d", "D", 100, 5, "  v  \0"s},
    {"SingleQuotes", kQuoted, Read::kString, "s", "sq", "D", 100, 3, "v b\0"s},
    {"MixedQuotesKept", kQuoted, Read::kString, "s", "mix", "D", 100, 5, "\"v c'\0"s},
    {"OnePairOnly", kQuoted, Read::kString, "s", "dd", "D", 100, 3, "\"x\"\0"s},
    {"LoneQuote", kQuoted, Read::kString, "s", "one", "D", 100, 1, "\"\0"s},
    {"SectionKeepsQuotes", kQuoted, Read::kSection, "s", nullptr, nullptr, 300, 44,
     "d=\"  v  \"\0sq='v b'\0mix=\"v c'\0dd=\"\"x\"\"\0one=\"\0\0"s},
    {"CommentNeverMatched", kComments, Read::kString, "s", ";c1", "D", 100, 1, "D\0"s},
    {"HashIsNoComment", kComments, Read::kString, "s", "#h", "D", 100, 1, "3\0"s},
    {"SemicolonInValue", kComments, Read::kString, "s", "k", "D", 100, 5, "v ; x\0"s},
    {"KeyListSkipsComments", kComments, Read::kString, "s", nullptr, "", 100, 5, "#h\0k\0\0"s},
    {"KeyListSkipsBareLines", kNoValue, Read::kString, "s", nullptr, "", 100, 18,
     "name1\0name2\0name4\0\0"s},
    {"BareLineHasNoValue", kNoValue, Read::kString, "s", "name3", "D", 100, 1, "D\0"s},
    {"EmptyValueIsNotDefault", kNoValue, Read::kString, "s", "name2", "D", 100, 0, "\0"s},
    {"SectionLines", kThreeSections, Read::kSection, "section1", nullptr, nullptr, 100, 35,
     "name1=val1\0name2=\0name3\0name4=val4\0\0"s},
    {"SectionLinesCut", kThreeSections, Read::kSection, "section1", nullptr, nullptr, 24, 22,
     "name1=val1\0name2=\0name\0\0"s},
    {"EmptySection", kThreeSections, Read::kSection, "section2", nullptr, nullptr, 100, 0, "\0\0"s},
    {"EmptyKey", kThreeSections, Read::kSection, "section3", nullptr, nullptr, 100, 6, "=val5\0\0"s},
    {"NothingBeforeFirstHeader", "k0=v0\r\n[s]\r\nk=v\r\n"s, Read::kString, "", "k0", "D", 100, 1, "D\0"s},
    {"PreambleNotListed", "k0=v0\r\n[s]\r\nk=v\r\n"s, Read::kNames, nullptr, nullptr, nullptr, 100, 2, "s\0\0"s},
    {"FirstSectionWins", kDuplicates, Read::kString, "s", "a", "D", 100, 1, "1\0"s},
    {"LaterDuplicateInvisible", kDuplicates, Read::kString, "s", "b", "D", 100, 1, "D\0"s},
    {"DuplicatesListed", kDuplicates, Read::kNames, nullptr, nullptr, nullptr, 100, 6, "s\0t\0S\0\0"s},
    {"FirstSectionLines", kDuplicates, Read::kSection, "s", nullptr, nullptr, 100, 4, "a=1\0\0"s},
    {"FirstKeyWins", "[s]\r\na=1\r\nb=2\r\nA=3\r\n"s, Read::kString, "s", "a", "D", 100, 1, "1\0"s},
    {"DuplicateKeysListed", "[s]\r\na=1\r\nb=2\r\nA=3\r\n"s, Read::kString, "s", nullptr, "", 100, 6,
     "a\0b\0A\0\0"s},
    {"CaseIgnored", "[Target:Web]\r\nBuildExpression=Value\r\n"s, Read::kString, "TARGET:WEB",
     "buildexpression", "*****", 260, 5, "Value\0"s},
    {"HeaderTrimmed", "[ Target:Web ]\r\nk=1\r\n[Target: Print]\r\nk=2\r\n"s, Read::kNames, nullptr,
     nullptr, nullptr, 100, 25, "Target:Web\0Target: Print\0\0"s},
    {"TrimmedHeaderFound", "[ Target:Web ]\r\nk=1\r\n[Target: Print]\r\nk=2\r\n"s, Read::kString,
     "Target:Web", "k", "D", 100, 1, "1\0"s},
    {"InnerBlankKept", "[ Target:Web ]\r\nk=1\r\n[Target: Print]\r\nk=2\r\n"s, Read::kString,
     "Target: Print", "k", "D", 100, 1, "2\0"s},
    {"TextAfterBracketIgnored", kBrackets, Read::kString, "t", "k", "D", 100, 1, "3\0"s},
    {"UnclosedHeader", kBrackets, Read::kString, "broken", "k", "D", 100, 1, "2\0"s},
    {"FirstBracketCloses", kBrackets, Read::kString, "a", "k", "D", 100, 1, "4\0"s},
    {"CutAt5", kShort, Read::kString, "section1", "name1", "default", 5, 4, "val1\0"s},
    {"CutAt4", kShort, Read::kString, "section1", "name1", "default", 4, 3, "val\0"s},
    {"CutAt2", kShort, Read::kString, "section1", "name1", "default", 2, 1, "v\0"s},
    {"CutAt1", kShort, Read::kString, "section1", "name1", "default", 1, 0, "\0"s},
    {"CutAt0", kShort, Read::kString, "section1", "name1", "default", 0, 0, "#"},
    {"DefaultCut", kShort, Read::kString, "section1", "nokey", "default", 4, 3, "def\0"s},
    {"LongValueCut", "[s]\r\nk=" + std::string(300, 'x') + "\r\n", Read::kString, "s", "k", "*****",
     260, 259, std::string(259, 'x') + "\0"s},
    {"NamesFit", kNames, Read::kNames, nullptr, nullptr, nullptr, 29, 27,
     "section1\0section2\0section3\0\0"s},
    {"NamesExactFitCounts", kNames, Read::kNames, nullptr, nullptr, nullptr, 28, 26,
     "section1\0section2\0section3\0\0"s},
    {"NamesCut", kNames, Read::kNames, nullptr, nullptr, nullptr, 27, 25,
     "section1\0section2\0section\0\0"s},
    {"NamesTwoBytes", kNames, Read::kNames, nullptr, nullptr, nullptr, 2, 0, "\0\0"s},
    {"NamesOneByte", kNames, Read::kNames, nullptr, nullptr, nullptr, 1, 0, "\0#"s},
    {"KeysCut", kKeys, Read::kString, "section1", nullptr, "", 16, 14, "name1\0name2\0na\0\0"s},
    {"KeysExactFit", kKeys, Read::kString, "section1", nullptr, "", 19, 17,
     "name1\0name2\0name4\0\0"s},
    {"KeysFit", kKeys, Read::kString, "section1", nullptr, "", 20, 18, "name1\0name2\0name4\0\0"s},
    {"KeysTwoBytes", kKeys, Read::kString, "section1", nullptr, "", 2, 0, "\0\0"s},
    {"NullSectionListsNames", kTwo, Read::kString, nullptr, "name1", "default", 260, 18,
     "section1\0section2\0\0"s},
    {"NullSectionNamesCut", kTwo, Read::kString, nullptr, "name1", "default", 16, 14,
     "section1\0secti\0\0"s},
    {"MissingFileDefault", std::nullopt, Read::kString, "s", "k", "dflt", 100, 4, "dflt\0"s},
    {"MissingFileNames", std::nullopt, Read::kNames, nullptr, nullptr, nullptr, 10, 0, "\0#"s},
    {"MissingFileSection", std::nullopt, Read::kSection, "s", nullptr, nullptr, 10, 0, "\0"s},
    {"CarriageReturnsOnly", "[s]\ra=1\rb=2\r"s, Read::kString, "s", "b", "D", 100, 1, "2\0"s},
    {"LineFeedsOnly", "[Test]\nProfileInt=123\n"s, Read::kString, "Test", "ProfileInt", "D", 100, 3,
     "123\0"s},
    {"ByteOrderMarkHidesFirstHeader", "\xEF\xBB\xBF[s]\r\na=1\r\n[t]\r\nb=2\r\n"s, Read::kString,
     "s", "a", "D", 100, 1, "D\0"s},
    {"ByteOrderMarkLaterSections", "\xEF\xBB\xBF[s]\r\na=1\r\n[t]\r\nb=2\r\n"s, Read::kString, "t",
     "b", "D", 100, 1, "2\0"s},
};

class ProfileReads : public ::testing::TestWithParam<ReadCase> {
 protected:
  TempFolder folder_;
};

TEST_P(ProfileReads, AnswerAsThePlatformDoes) {
  const ReadCase& c = GetParam();
  const std::string path = folder_.File("project.ini");
  if (c.file) WriteBytes(path, *c.file);
  std::vector<char> buffer(std::max<size_t>(c.size, c.buffer.size()) + 8, '#');
  uint32_t result = 0;
  switch (c.kind) {
    case Read::kString:
      result = ReadProfileString(c.section, c.key, c.defaultValue, buffer.data(), c.size, path.c_str());
      break;
    case Read::kNames:
      result = ReadProfileSectionNames(buffer.data(), c.size, path.c_str());
      break;
    case Read::kSection:
      result = ReadProfileSection(c.section, buffer.data(), c.size, path.c_str());
      break;
  }
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(std::string(buffer.data(), c.buffer.size()), c.buffer);
  EXPECT_EQ(ReadBytes(path), c.file) << "a read must not change or create the file";
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReads, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WriteStep {
  bool wholeSection;  // WriteProfileSection instead of WriteProfileKey
  const char* section;
  const char* key;
  std::optional<std::string> value;  // the value or block; nothing: null
  bool result = true;
};

struct WriteCase {
  const char* name;
  std::optional<std::string> file;
  std::vector<WriteStep> steps;
  std::optional<std::string> expected;  // nothing: no file afterwards
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

WriteStep Key(const char* section, const char* key, std::optional<std::string> value,
              bool result = true) {
  return WriteStep{false, section, key, std::move(value), result};
}

WriteStep Block(const char* section, std::optional<std::string> block) {
  return WriteStep{true, section, nullptr, std::move(block), true};
}

const std::string kBuilt =
    "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
    "[App3]\r\nkey5=string5\r\n";
const std::vector<WriteStep> kBuildUp = {
    Key("App1", "key1", "string1"), Key("App1", "key2", "string2"), Key("App1", "key3", "string3"),
    Key("App2", "key4", "string4"), Key("App3", "key5", "string5")};

std::vector<WriteStep> BuildUpAndTearDown() {
  std::vector<WriteStep> steps = kBuildUp;
  steps.push_back(Key("App1", "key2", std::nullopt));
  steps.push_back(Key("App1", "key2", std::nullopt));
  steps.push_back(WriteStep{false, "App1", nullptr, "string1"});
  steps.push_back(WriteStep{false, "App2", nullptr, std::nullopt});
  steps.push_back(Key("App3", "key5", std::nullopt));
  return steps;
}

const std::string kGlobals = "[Global Build Tag Expressions]";

const WriteCase kWriteCases[] = {
    {"CreatesMissingFile", std::nullopt, {Key("App", "key", "")}, "[App]\r\nkey=\r\n"},
    {"BuildsUpEmptyFile", "", kBuildUp, kBuilt},
    {"DeletesKeysAndSections", "", BuildUpAndTearDown(), "[App3]\r\n"},
    {"KeepsFileSpelling", "[SectionName]\r\nTestKey=TestValue",
     {Key("SECTIONNAME", "TESTKEY", "TestValue2")}, "[SectionName]\r\nTestKey=TestValue2\r\n"},
    {"NewKeysAfterLastKey", "[S]\r\nb=value\r\na=value\r\n",
     {Key("S", "z", ""), Key("S", "b", ""), Key("S", "y", ""), Key("S", "a", "")},
     "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n"},
    {"BlankLineBeforeNextSectionStays", "[s]\r\na=1\r\n\r\n[t]\r\nc=3\r\n", {Key("s", "b", "2")},
     "[s]\r\na=1\r\nb=2\r\n\r\n[t]\r\nc=3\r\n"},
    {"CommentsStayInPlace", ";comment0\r\n[S]\r\n;comment1\r\nb=value\r\n;comment2\r\na=value\r\n",
     {Key("S", "z", ""), Key("S", ";x", ""), Key("S", "y", ""), Key("S", "a", ""), Key("S", "b", "")},
     ";comment0\r\n[S]\r\n;comment1\r\nb=\r\n;comment2\r\na=\r\nz=\r\ny=\r\n;x=\r\n"},
    {"BytesBeforeFirstSectionKept", "Data \0 before \0 first \0 section"s,
     {Key("section1", "key1", "string1")},
     "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"s},
    {"ValueVerbatimNamesTrimmed", std::nullopt, {Key("s", "k", "  v  "), Key("  sec  ", "  key  ", "x")},
     "[s]\r\nk=  v  \r\n[sec]\r\nkey=x\r\n"},
    {"SectionDeleteLeavesComments", ";comment0\r\n[S]\r\n;comment1\r\n[S2]\r\n;comment2\r\n",
     {WriteStep{false, "S", nullptr, ""}, WriteStep{false, "S2", nullptr, ""}},
     ";comment0\r\n;comment1\r\n;comment2\r\n"},
    {"SectionDeleteCreatesEmptyFile", std::nullopt, {WriteStep{false, "App", nullptr, "string"}}, ""},
    {"KeyDeleteCreatesEmptyFile", std::nullopt, {Key("App", "key", std::nullopt)}, ""},
    {"NullSectionCreatesNothing", std::nullopt, {WriteStep{false, nullptr, "key", "string", false}},
     std::nullopt},
    {"SectionReplacedKeepingOthers",
     "[Other]\r\nx=1\r\n" + kGlobals + "\r\nExpr_2004:05:17:09:03:07=A & B\r\n",
     {Block("Global Build Tag Expressions",
            "Expr_2004:05:17:09:03:07=A & B\0Expr_2004:05:17:09:03:07=C\0Expr_2005:01:01:00:00:00=x=y\0\0"s)},
     "[Other]\r\nx=1\r\n" + kGlobals +
         "\r\nExpr_2004:05:17:09:03:07=A & B\r\nExpr_2004:05:17:09:03:07=C\r\n"
         "Expr_2005:01:01:00:00:00=x=y\r\n"},
    {"EmptyBlockEmptiesSection", "[s]\r\na=1\r\n[t]\r\nx=1\r\n", {Block("s", "\0"s)},
     "[s]\r\n[t]\r\nx=1\r\n"},
    {"BlockKeepsBlankLine", "[s]\r\na=1\r\nb=2\r\n\r\n[t]\r\nx=1\r\n", {Block("s", "c=3\0d=4\0\0"s)},
     "[s]\r\nc=3\r\nd=4\r\n\r\n[t]\r\nx=1\r\n"},
    {"BlockCreatesFile", std::nullopt, {Block("s", "a=1\0b=2\0\0"s)}, "[s]\r\na=1\r\nb=2\r\n"},
    {"NullBlockDeletesSection", "[s]\r\na=1\r\n[t]\r\nx=1\r\n", {Block("s", std::nullopt)},
     "[t]\r\nx=1\r\n"},
    {"LineFeedFileKeepsItsEndings", "[s]\na=1\n\n[t]\nc=3\n", {Key("t", "c", "4")},
     "[s]\na=1\n\n[t]\nc=4\n"},
    {"UnterminatedLastLineEnded", "[s]\r\na=1", {Key("s", "b", "2")}, "[s]\r\na=1\r\nb=2\r\n"},
};

class ProfileWrites : public ::testing::TestWithParam<WriteCase> {
 protected:
  TempFolder folder_;
};

TEST_P(ProfileWrites, ChangeOnlyWhatTheyMust) {
  const WriteCase& c = GetParam();
  const std::string path = folder_.File("project.ini");
  if (c.file) WriteBytes(path, *c.file);
  for (const WriteStep& step : c.steps) {
    const char* value = step.value ? step.value->c_str() : nullptr;
    const bool result = step.wholeSection
                            ? bte::platform::WriteProfileSection(step.section, value, path.c_str())
                            : bte::platform::WriteProfileKey(step.section, step.key, value, path.c_str());
    EXPECT_EQ(result, step.result);
  }
  EXPECT_EQ(ReadBytes(path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrites, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
