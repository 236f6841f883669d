// Target sections and the global section of the project file, read into a
// list and written back, and the time stamps of global expressions.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/expression_store.h"
#include "store/global_expressions.h"
#include "store/project_file.h"
#include "temp_folder.h"
#include "utc_zone.h"

namespace {

using bte::BuildTagExprList;
using bte::ExpressionStore;

constexpr bte::TimeStamp k20040517 = 1084784587;  // 2004-05-17 09:03:07 UTC

class ProjectFileTest : public ::testing::Test {
 protected:
  ProjectFileTest() : list_(new BuildTagExprList) {
    UseUtcAsLocalTime();
    list_->AddRef();
  }
  ~ProjectFileTest() override { list_->Release(); }

  // Loads the store from the given file content into list_.
  void Load(const std::string& content) {
    WriteBytes(path_, content);
    ExpressionStore store(path_, names_, false);
    ASSERT_EQ(store.LoadStore(list_), 1);
  }

  // Every entry as "target=expression@stamp".
  std::vector<std::string> Entries() {
    std::vector<std::string> out;
    for (auto p = list_->Head(); const bte::ExpressionEntry* e = list_->Next(p);)
      out.push_back(e->target + "=" + e->expression + "@" + std::to_string(e->timeStamp));
    return out;
  }

  TempFolder folder_;
  std::string path_ = folder_.File("project.ini");
  std::vector<std::string> names_;
  BuildTagExprList* list_;
};

const std::string kFixed = std::to_string(315536461);
const std::string kSection = "[Global Build Tag Expressions]\r\n";
const std::string k2004 = std::to_string(k20040517);
const std::string kUnreadable = std::to_string(bte::kUnreadableTimeStamp);

struct LoadCase {
  const char* name;
  std::string file;
  std::vector<std::string> entries;
};

class Loads : public ProjectFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Loads, TargetsInFileOrderThenGlobals) {
  Load(GetParam().file);
  EXPECT_EQ(Entries(), GetParam().entries);
}

std::string CaseName(const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    TargetSections, Loads,
    ::testing::Values(
        LoadCase{"LastSectionIncluded",
                 "[Target:Web]\r\nBuildExpression=A\r\n[Other]\r\nx=1\r\n[Target:Print]\r\nBuildExpression=B",
                 {"Web=A@" + kFixed, "Print=B@" + kFixed}},
        LoadCase{"BlankAfterColonKept", "[Target: Web]\r\nBuildExpression=A\r\n", {" Web=A@" + kFixed}},
        LoadCase{"PrefixCaseCounts", "[TARGET:Web]\r\nBuildExpression=A\r\n", {}},
        LoadCase{"NoExpression",
                 "[Target:A]\r\nBuildExpression=*****\r\n[Target:B]\r\nBuildExpression=\r\n[Target:C]\r\nx=1\r\n",
                 {}},
        LoadCase{"KeyCaseIgnored", "[Target:Web]\r\nbuildexpression=  A | B  \r\n", {"Web=A | B@" + kFixed}},
        LoadCase{"BareTargetBecomesGlobal", "[Target:]\r\nBuildExpression=A\r\n", {"=A@" + kFixed}},
        LoadCase{"DuplicateTextsKept", "[Target:A]\r\nBuildExpression=X\r\n[Target:B]\r\nBuildExpression=X\r\n",
                 {"A=X@" + kFixed, "B=X@" + kFixed}},
        LoadCase{"TargetsBeforeGlobals",
                 kSection + "Expr_2004:05:17:09:03:07=G\r\n[Target:Web]\r\nBuildExpression=T\r\n",
                 {"Web=T@" + kFixed, "=G@" + k2004}}),
    CaseName);

TEST_F(ProjectFileTest, WriteTargetExpressionRewritesOneValue) {
  const std::string before = "[Other]\r\nx = 1\r\n\r\n[Target:Web]\r\nBuildExpression=old\r\n";
  WriteBytes(path_, before);
  ExpressionStore store(path_, names_, false);
  EXPECT_EQ(store.WriteTargetExpression("", "A"), 0);
  EXPECT_EQ(store.WriteTargetExpression(nullptr, "A"), 0);
  EXPECT_EQ(store.WriteTargetExpression("Web", "new"), 1);
  EXPECT_EQ(store.WriteTargetExpression("Print", nullptr), 1);
  EXPECT_EQ(ReadBytes(path_), before) << "nothing reaches the file before Finish";
  EXPECT_TRUE(store.Finish());
  EXPECT_EQ(ReadBytes(path_), "[Other]\r\nx = 1\r\n\r\n[Target:Web]\r\nBuildExpression=new\r\n"
                              "[Target:Print]\r\nBuildExpression=\r\n");
}

struct StampCase {
  const char* name;
  const char* text;
  bte::TimeStamp time;
  const char* written;
};

class TimeStamps : public ::testing::TestWithParam<StampCase> {
 protected:
  void SetUp() override { UseUtcAsLocalTime(); }
};

TEST_P(TimeStamps, ReadAndWritten) {
  EXPECT_EQ(bte::ParseTimeStamp(GetParam().text), GetParam().time);
  EXPECT_EQ(bte::FormatTimeStamp(GetParam().time), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimeStamps,
    ::testing::Values(
        StampCase{"Padded", "2004:05:17:09:03:07", k20040517, "2004:05:17:09:03:07"},
        StampCase{"Unpadded", "2004:5:17:9:3:7", k20040517, "2004:05:17:09:03:07"},
        StampCase{"TargetStamp", "1980:01:01:01:01:01", 315536461, "1980:01:01:01:01:01"},
        StampCase{"DateOnly", "2004:05:17", 1084752000, "2004:05:17:00:00:00"},
        StampCase{"Word", "ssion_x", bte::kUnreadableTimeStamp, "0000:00:00:00:00:00"},
        StampCase{"Month13", "2004:13:01:00:00:00", bte::kUnreadableTimeStamp, "0000:00:00:00:00:00"},
        StampCase{"Year9999", "9999:01:01:00:00:00", bte::kUnreadableTimeStamp, "0000:00:00:00:00:00"},
        StampCase{"Empty", "", bte::kUnreadableTimeStamp, "0000:00:00:00:00:00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimeStampZone, LocalTimeFollowsTheZone) {
  UseLocalTimeZone("EST5");
  EXPECT_EQ(bte::ParseTimeStamp("2004:05:17:09:03:07"), k20040517 + 5 * 3600);
  EXPECT_EQ(bte::FormatTimeStamp(k20040517), "2004:05:17:04:03:07");
  UseUtcAsLocalTime();
}

INSTANTIATE_TEST_SUITE_P(
    GlobalSection, Loads,
    ::testing::Values(
        LoadCase{"Plain", kSection + "Expr_2004:05:17:09:03:07=A & B\r\n", {"=A & B@" + k2004}},
        LoadCase{"Blanks", kSection + "   Expr_2004:05:17:09:03:07   =   A & B   \r\n", {"=A & B@" + k2004}},
        LoadCase{"AnySeparator", kSection + "Expr-2004:05:17:09:03:07=A\r\n", {"=A@" + k2004}},
        LoadCase{"WordExpression", kSection + "Expression=A\r\n", {"=A@" + kUnreadable}},
        LoadCase{"OtherLinesIgnored", kSection + "Other=A\r\nExprNoEquals\r\n;Expr_1=B\r\n", {}},
        LoadCase{"FirstOfSameTextWins", kSection + "Expr_2004:05:17:09:03:07=A\r\nExpr_2005:01:01:00:00:00=A\r\n",
                 {"=A@" + k2004}},
        LoadCase{"EmptyExpressionTaken", kSection + "Expr_2004:05:17:09:03:07=\r\n", {"=@" + k2004}},
        LoadCase{"EqualsInExpression", kSection + "Expr_2004:05:17:09:03:07=a=b\r\n", {"=a=b@" + k2004}}),
    CaseName);

TEST_F(ProjectFileTest, SaveWritesTheSameKeyBackAndDropsOtherLines) {
  Load("[Other]\r\nx=1\r\n" + kSection + "Other=1\r\n  Expr_2004:05:17:09:03:07 = A & B\r\n[Last]\r\n");
  ExpressionStore store(path_, names_, false);
  EXPECT_EQ(store.SaveGlobalExpressions(list_), 1);
  EXPECT_EQ(store.SaveGlobalExpressions(nullptr), 0);
  EXPECT_EQ(store.LoadStore(nullptr), 0);
  ASSERT_TRUE(store.Finish());
  EXPECT_EQ(ReadBytes(path_),
            "[Other]\r\nx=1\r\n" + kSection + "Expr_2004:05:17:09:03:07=A & B\r\n[Last]\r\n");
}

TEST_F(ProjectFileTest, SaveWithoutGlobalsEmptiesSection) {
  Load("[Target:Web]\r\nBuildExpression=T\r\n" + kSection + "Expr_2004:05:17:09:03:07=G\r\n");
  list_->RemoveEntries("", "G");
  ExpressionStore store(path_, names_, false);
  store.SaveGlobalExpressions(list_);
  ASSERT_TRUE(store.Finish());
  EXPECT_EQ(ReadBytes(path_), "[Target:Web]\r\nBuildExpression=T\r\n" + kSection);
}

TEST_F(ProjectFileTest, PruneDropsEmptyTextsAndOldestOnEqualStampsFirstInOrder) {
  list_->AddEntry("T", "X");
  list_->AddEntry("", "", 5);
  list_->AddEntry("", "A", 7);
  list_->AddEntry("", "B", 7);
  list_->AddEntry("", "C", 9);
  bte::PruneGlobals(*list_, 2);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"T=X@" + kFixed, "=B@7", "=C@9"}));
}

TEST_F(ProjectFileTest, UnreadableStampIsOldestAndWrittenAsZeros) {
  Load(kSection + "Expression=A\r\nExpr_2004:05:17:09:03:07=B\r\n");
  bte::PruneGlobals(*list_, 1);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"=B@" + k2004}));
  EXPECT_EQ(bte::GlobalLine(bte::ExpressionEntry("", "A", bte::kUnreadableTimeStamp)),
            "Expr_0000:00:00:00:00:00=A");
}

}  // namespace
