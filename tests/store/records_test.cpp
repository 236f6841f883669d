// The in-memory records: the entry list and its operations, the records it
// hands out, the string enumerator and SplitList.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "record_dump.h"
#include "com/create_instance.h"
#include "store/expression_list.h"
#include "store/split_list.h"
#include "store/string_enumerator.h"
#include "ole_text.h"

namespace {

using bte::BuildTagExprList;

// A list holding one reference, released at the end of the test.
class ListTest : public ::testing::Test {
 protected:
  ListTest() : list_(new BuildTagExprList) { list_->AddRef(); }
  ~ListTest() override { list_->Release(); }

  BuildTagExprList* list_;
};

struct CollectCase {
  const char* name;
  std::vector<std::pair<const char*, const char*>> entries;  // target, expression
  bool matched;
  std::string targets;
};

class CollectTargets : public ListTest, public ::testing::WithParamInterface<CollectCase> {};

TEST_P(CollectTargets, JoinsTargetsInListOrder) {
  for (const auto& [target, expression] : GetParam().entries) list_->AddEntry(target, expression);
  std::string out = "untouched";
  EXPECT_EQ(list_->CollectTargets("X", out), GetParam().matched ? 1 : 0);
  EXPECT_EQ(out, GetParam().targets);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CollectTargets,
    ::testing::Values(
        CollectCase{"GlobalLastLeavesTrailingSeparator", {{"T1", "X"}, {"T2", "X"}, {"", "X"}}, true, "T1;T2;"},
        CollectCase{"GlobalFirstAddsNothing", {{"", "X"}, {"T1", "X"}, {"T2", "X"}}, true, "T1;T2"},
        CollectCase{"OnlyGlobal", {{"", "X"}}, true, ""},
        CollectCase{"CaseCounts", {{"T1", "x"}, {"T2", "X "}}, false, ""},
        CollectCase{"OthersIgnored", {{"T1", "Y"}, {"T2", "X"}}, true, "T2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListTest, AddEntryRefusesSamePairOnly) {
  EXPECT_EQ(list_->AddEntry("Web", "A & B"), 1);
  EXPECT_EQ(list_->AddEntry("Web", "A & B"), 0);
  EXPECT_EQ(list_->AddEntry("Print", "A & B"), 1);
  EXPECT_EQ(list_->AddEntry("web", "A & B"), 1);
  EXPECT_EQ(list_->AddEntry(nullptr, "A"), 0);
  EXPECT_EQ(list_->AddEntry("Web", nullptr), 0);
  EXPECT_EQ(list_->size(), 3u);
}

TEST_F(ListTest, ContainsExpressionByScope) {
  list_->AddEntry("Web", "T");
  list_->AddEntry("", "G");
  const struct {
    const char* text;
    int scope;
    int expected;
  } cases[] = {{"T", 0, 1}, {"T", 1, 0}, {"T", 2, 1}, {"G", 0, 1}, {"G", 1, 1},
               {"G", 2, 0}, {"G", 3, 0}, {"t", 0, 0}, {nullptr, 0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(list_->ContainsExpression(c.text, c.scope), c.expected)
        << (c.text ? c.text : "null") << " scope " << c.scope;
}

TEST_F(ListTest, RemoveEntriesMatchesBothTexts) {
  list_->AddEntry("Web", "A");
  list_->AddEntry("", "A");
  EXPECT_EQ(list_->RemoveEntries("Print", "A"), 0);
  EXPECT_EQ(list_->RemoveEntries("", "A"), 1);
  EXPECT_EQ(list_->RemoveEntries("", "A"), 0);
  EXPECT_EQ(list_->RemoveEntries(nullptr, "A"), 0);
  EXPECT_EQ(list_->size(), 1u);
  EXPECT_EQ(list_->ContainsExpression("A", 1), 0);
}

TEST_F(ListTest, WalkSurvivesRemovalAndAppending) {
  list_->AddEntry("a", "1");
  list_->AddEntry("b", "2");
  list_->AddEntry("c", "3");
  std::vector<std::string> walked;
  for (auto position = list_->Head(); const bte::ExpressionEntry* entry = list_->Next(position);) {
    walked.push_back(entry->target);
    if (entry->target == "a") {
      list_->RemoveEntries("a", "1");
      list_->AddEntry("d", "4");
    }
  }
  EXPECT_EQ(walked, (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(ListTest, OneRecordPerEntryThenEnd) {
  list_->AddEntry("T1", "X");
  list_->AddEntry("T2", "Y");
  list_->AddEntry("", "X");
  IBuildTagExprRecord* record = nullptr;
  ASSERT_EQ(list_->GetRecord(&record), S_OK);
  char text[16];
  ASSERT_EQ(record->GetExpression(text, sizeof text), S_OK);
  EXPECT_STREQ(text, "X");
  record->Release();
  EXPECT_EQ(DumpRecords(list_), (std::vector<std::string>{"Y @ T2", "X @ T1;"}));
  EXPECT_EQ(list_->GetRecord(nullptr), S_FALSE);
}

// Hosts read records through the host helper: every text comes back whole,
// also where a copy cut at the buffer's end would split a character.
TEST_F(ListTest, HostHelperReadsLongTextsWhole) {
  std::vector<std::string> expected;
  for (size_t shift = 0; shift < 4; ++shift) {
    std::string target(shift, 'x');
    while (target.size() < 300) target += "\xC3\xA9";  // a two-byte character
    const std::string expression(1000 + shift, 'E');
    list_->AddEntry(target.c_str(), expression.c_str());
    expected.push_back(expression + " @ " + target);
  }
  EXPECT_EQ(DumpRecords(list_), expected);
}

TEST_F(ListTest, NullRequestStillRewindsFreshList) {
  list_->AddEntry("T1", "X");
  EXPECT_EQ(list_->GetNextRecord(nullptr), S_FALSE);
  EXPECT_EQ(DumpRecords(list_), (std::vector<std::string>{"X @ T1"}));
}

TEST_F(ListTest, RecordOutlivesList) {
  list_->AddEntry("Web", "A | B");
  IBuildTagExprRecord* record = nullptr;
  ASSERT_EQ(list_->GetRecord(&record), S_OK);
  list_->AddRef();
  EXPECT_EQ(list_->Release(), 1u);
  char text[16];
  EXPECT_EQ(record->GetTargets(text, sizeof text), S_OK);
  EXPECT_STREQ(text, "Web");
  EXPECT_EQ(record->QueryInterface(IID_IUnknown, nullptr), E_NOTIMPL);
  EXPECT_EQ(list_->QueryInterface(IID_IUnknown, nullptr), E_NOTIMPL);
  EXPECT_EQ(record->Release(), 0u);
}

TEST_F(ListTest, RecordBuffers) {
  list_->AddEntry("Wéb", "A&B");
  list_->AddEntry("Print", "A&B");
  IBuildTagExprRecord* record = nullptr;
  ASSERT_EQ(list_->GetRecord(&record), S_OK);
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(record->GetExpression(buffer, 3), S_FALSE);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(record->GetExpression(buffer, 4), S_OK);
  EXPECT_EQ(std::string(buffer, 4), std::string("A&B\0", 4));
  EXPECT_EQ(record->GetExpression(nullptr, 4), S_FALSE);
  EXPECT_EQ(record->GetTargets(nullptr, 4), S_FALSE);
  // "Wé" would split the two-byte é at 2 bytes: only "W" is copied.
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(record->GetTargets(buffer, 2), S_OK);
  EXPECT_EQ(std::string(buffer, 3), std::string("W\0#", 3));
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(record->GetTargets(buffer, 4), S_OK);
  EXPECT_EQ(std::string(buffer, 5), "W\xC3\xA9" "b#");
  record->Release();
}

// An enumerator over strings, with a helper that takes and frees what Next
// hands out.
class EnumeratorTest : public ::testing::Test {
 protected:
  static IEnumString* Make(std::vector<std::string> strings) {
    IEnumString* out = nullptr;
    bte::com::CreateInstance<bte::StringEnumerator>(&out, std::move(strings));
    return out;
  }
  static std::vector<bte::platform::WideString> Take(IEnumString* e, ULONG count, HRESULT expected,
                                          ULONG expectedFetched) {
    std::vector<LPOLESTR> slots(count + 1, nullptr);
    ULONG fetched = 12345;
    EXPECT_EQ(e->Next(count, slots.data(), &fetched), expected);
    EXPECT_EQ(fetched, expectedFetched);
    std::vector<bte::platform::WideString> taken;
    for (ULONG i = 0; i < fetched; ++i) {
      taken.emplace_back(slots[i]);
      CoTaskMemFree(slots[i]);
    }
    return taken;
  }
};

TEST_F(EnumeratorTest, NextGivesWhatIsLeftThenEnds) {
  BTE_REQUIRE_UTF8_CODE_PAGE();
  IEnumString* e = Make({"Web", "Prïnt"});
  EXPECT_EQ(Take(e, 5, S_OK, 2), (std::vector<bte::platform::WideString>{Ole(u"Web"), Ole(u"Prïnt")}));
  EXPECT_TRUE(Take(e, 1, BTE_E_NO_MORE_STRINGS, 0).empty());
  EXPECT_EQ(e->Next(1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(Take(e, 1, S_OK, 1), (std::vector<bte::platform::WideString>{Ole(u"Web")}));
  EXPECT_EQ(e->Release(), 0u);
}

TEST_F(EnumeratorTest, SkipStaysWithinTheStrings) {
  IEnumString* e = Make({"a", "b"});
  EXPECT_EQ(e->Skip(3), S_FALSE);
  EXPECT_EQ(Take(e, 1, S_OK, 1), (std::vector<bte::platform::WideString>{Ole(u"a")}));
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(2), S_OK);
  EXPECT_TRUE(Take(e, 1, BTE_E_NO_MORE_STRINGS, 0).empty());
  e->Release();
}

TEST_F(EnumeratorTest, CloneStartsAtTheBeginning) {
  IEnumString* e = Make({"a", "b"});
  ASSERT_EQ(e->Skip(1), S_OK);
  IEnumString* clone = nullptr;
  ASSERT_EQ(e->Clone(&clone), S_OK);
  EXPECT_EQ(e->Clone(nullptr), E_POINTER);
  EXPECT_EQ(Take(clone, 2, S_OK, 2), (std::vector<bte::platform::WideString>{Ole(u"a"), Ole(u"b")}));
  EXPECT_EQ(Take(e, 2, S_OK, 1), (std::vector<bte::platform::WideString>{Ole(u"b")}));
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_EQ(e->Release(), 0u);
}

TEST_F(EnumeratorTest, QueryInterfaceKnowsItsTwoInterfaces) {
  IEnumString* e = Make({});
  void* out = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(e->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  const IID other = {0x12345678, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
  EXPECT_EQ(e->QueryInterface(other, &out), E_NOINTERFACE);
  EXPECT_EQ(out, reinterpret_cast<void*>(0x1));
  EXPECT_EQ(e->QueryInterface(IID_IEnumString, &out), S_OK);
  EXPECT_EQ(out, e);
  EXPECT_EQ(e->QueryInterface(IID_IUnknown, &out), S_OK);
  EXPECT_EQ(e->Release(), 2u);
  EXPECT_EQ(e->Release(), 1u);
  EXPECT_EQ(e->Release(), 0u);
}

struct SplitCase {
  const char* name;
  const char* text;
  std::vector<std::string> pieces;
};

class SplitListTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitListTest, PiecesBetweenSeparators) {
  std::vector<std::string> out{"kept"};
  bte::SplitList(GetParam().text, '|', out);
  std::vector<std::string> expected{"kept"};
  expected.insert(expected.end(), GetParam().pieces.begin(), GetParam().pieces.end());
  EXPECT_EQ(out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitListTest,
    ::testing::Values(SplitCase{"EmptyMiddle", "a||b", {"a", "", "b"}},
                      SplitCase{"NoEmptyLast", "a|b|", {"a", "b"}},
                      SplitCase{"EmptyFirst", "|a", {"", "a"}}, SplitCase{"Empty", "", {}},
                      SplitCase{"NotTrimmed", " Web | Print ", {" Web ", " Print "}},
                      SplitCase{"OnlySeparators", "||", {"", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
