// The expression dialog run from the host's side (editor object, Edit) with
// a scripted user behind the headless controls. Each row: start state, user
// actions, what the controls show afterwards and what Edit hands back.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/editor/session.h"

namespace bte::editor::testing {
namespace {

using namespace control;

const std::vector<std::string> kPWB = {"Print", "Web", "Beta"};
const std::vector<std::string> kXY = {"x", "y"};

struct SessionCase {
  const char* name;
  std::vector<std::string> tags;
  std::string expression;
  std::vector<Action> actions;
  // The last dumps of the session: after the start and each action that
  // left the dialog open (give one to check only the final state).
  std::vector<std::string> dumps;
  HRESULT edit = S_FALSE;  // 0 closed with OK, 1 cancelled
  // The editor's expression afterwards; none: the starting one.
  std::optional<std::string> result = std::nullopt;
  std::vector<std::string> messages = {};
};

void PrintTo(const SessionCase& row, std::ostream* os) { *os << row.name; }

void ExpectSession(const SessionCase& row) {
  const SessionResult session = RunSession(row.tags, row.expression, row.actions);
  EXPECT_TRUE(session.failures.empty()) << "mis-answered: " << session.failures.front();
  ASSERT_GE(session.dumps.size(), row.dumps.size());
  const std::vector<std::string> tail(session.dumps.end() - row.dumps.size(),
                                      session.dumps.end());
  EXPECT_EQ(tail, row.dumps);
  EXPECT_EQ(session.editResult, row.edit);
  EXPECT_EQ(session.expression, row.result.value_or(row.expression));
  EXPECT_EQ(session.messages, row.messages);
}

// Every table of sessions below runs through this one test, under its name.
class Sessions : public ::testing::TestWithParam<SessionCase> {};
TEST_P(Sessions, RunAsScripted) { ExpectSession(GetParam()); }

std::string CaseName(const ::testing::TestParamInfo<SessionCase>& info) { return info.param.name; }

const char* const kAllAvailable = "basic avail[Beta,Print,Web] excl[] -> -< ->> -<<";

INSTANTIATE_TEST_SUITE_P(
    StartingMode, Sessions,
    ::testing::ValuesIn(std::vector<SessionCase>{
        {"Empty", kPWB, "", {}, {kAllAvailable}, S_FALSE, ""},
        {"BlanksOnly", kPWB, "  \t", {}, {kAllAvailable}, S_FALSE, "  \t"},
        {"NotAndNot", kPWB, "NOT Print AND NOT Web", {},
         {"basic avail[Beta] excl[Print,Web] -> -< ->> -<<"}, S_FALSE, "NOT Print AND NOT Web"},
        {"SymbolsBetweenBlanks", kPWB, "~ Print & ~ Web", {},
         {"basic avail[Beta] excl[Print,Web] -> -< ->> -<<"}, S_FALSE, "~ Print & ~ Web"},
        {"LowerCaseWordsAsTyped", kPWB, "not print and not web", {},
         {"basic avail[Beta] excl[print,web] -> -< ->> -<<"}, S_FALSE, "not print and not web"},
        {"RepeatedTag", kPWB, "NOT Print AND NOT Print", {},
         {"basic avail[Beta,Web] excl[Print] -> -< ->> -<<"}, S_FALSE, "NOT Print AND NOT Print"},
        {"Or", kPWB, "Print OR Web", {},
         {"advanced edit[ Print OR Web] tag[Beta] +AND +OR -NOT +Tag +Clear -Mode"}, S_FALSE,
         "Print OR Web"},
        {"AndWithoutNot", kPWB, "NOT Print AND Web", {},
         {"advanced edit[ NOT Print AND Web] tag[Beta] +AND +OR -NOT +Tag +Clear -Mode"},
         S_FALSE, "NOT Print AND Web"},
        {"UnknownTag", kPWB, "NOT Nope", {},
         {"advanced edit[ NOT Nope] tag[Beta] +AND +OR +NOT +Tag +Clear -Mode"}, S_FALSE,
         "NOT Nope"},
        {"EndsWithKeyword", kPWB, "NOT Print AND NOT", {},
         {"advanced edit[ NOT Print AND NOT] tag[Beta] -AND -OR -NOT +Tag +Clear -Mode"},
         S_FALSE, "NOT Print AND NOT"},
        {"SymbolWithoutBlanks", {"a", "b"}, "a&b", {},
         {"advanced edit[ a&b] tag[a] +AND +OR +NOT +Tag +Clear -Mode"}, S_FALSE, "a&b"},
        {"KeywordTagsDropped", {"Print", "and", "NOT"}, "", {},
         {"basic avail[Print] excl[] -> -< ->> -<<"}, S_FALSE, ""},
        {"NoTags", {}, "", {}, {"basic avail[] excl[] -> -< ->> -<<"}, S_FALSE, ""},
    }),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    BasicMode, Sessions,
    ::testing::ValuesIn(std::vector<SessionCase>{
        {"MoveButtonsNeedASelection", kPWB, "",
         {Refused(Click(kExclude)), Refused(Click(kExcludeAll)), Choose(kAvailableList, "Print")},
         {kAllAvailable, kAllAvailable, kAllAvailable,
          "basic avail[Beta,*Print,Web] excl[] +> -< +>> -<<"}},
        {"DoubleClickKeepsThePosition", kPWB, "", {DoubleClick(kAvailableList, "Print")},
         {"basic avail[Beta,*Web] excl[Print] +> -< +>> -<<"}},
        {"PastTheEndSelectsTheFirst", kPWB, "",
         {Choose(kAvailableList, "Web"), Click(kExclude)},
         {"basic avail[*Beta,Print] excl[Web] +> -< +>> -<<"}},
        {"LastEntrySelectsInTheOtherList", {"Solo"}, "",
         {Choose(kAvailableList, "Solo"), Click(kExclude)},
         {"basic avail[] excl[*Solo] -> +< ->> +<<"}},
        {"AllAndBack", kPWB, "",
         {Choose(kAvailableList, "Beta"), Click(kExcludeAll), Click(kIncludeAll)},
         {"basic avail[*Beta,Print,Web] excl[] +> -< +>> -<<",
          "basic avail[] excl[*Beta,Print,Web] -> +< ->> +<<",
          "basic avail[*Beta,Print,Web] excl[] +> -< +>> -<<"}},
        {"ExcludeListMirrors", kPWB, "",
         {DoubleClick(kAvailableList, "Print"), Choose(kExcludedList, "Print"),
          DoubleClick(kExcludedList, "Print")},
         {"basic avail[Beta,*Web] excl[Print] +> -< +>> -<<",
          "basic avail[Beta,*Web] excl[*Print] -> +< ->> +<<",
          "basic avail[*Beta,Print,Web] excl[] +> -< +>> -<<"}},
        {"AdvancedControlsAreCutOff", kPWB, "",
         {Refused(Click(kAnd)), Refused(TypeAtEnd("Web")), Refused(Choose(kTagChooser, "Web"))},
         {kAllAvailable}},
        {"OkWithNothingExcluded", kPWB, "NOT Web", {DoubleClick(kExcludedList, "Web"), Click(kOk)},
         {"basic avail[*Beta,Print,Web] excl[] +> -< +>> -<<"}, S_OK, ""},
        {"OkJoinsTheExcludeList", kPWB, "",
         {DoubleClick(kAvailableList, "Web"), DoubleClick(kAvailableList, "Print"), Click(kOk)},
         {"basic avail[*Beta] excl[Print,Web] +> -< +>> -<<"}, S_OK, "NOT Print AND NOT Web"},
        {"CancelKeepsTheExpression", kPWB, "NOT Web",
         {Refused(Click(kIncludeAll)), Choose(kExcludedList, "Web"), Click(kIncludeAll),
          Click(kCancel)},
         {"basic avail[*Beta,Print,Web] excl[] +> -< +>> -<<"}, S_FALSE, "NOT Web"},
        {"WalkingAwayCancels", kPWB, "", {DoubleClick(kAvailableList, "Web")}, {}, S_FALSE, ""},
    }),
    CaseName);

const char* const kEmptyEditXY = "advanced edit[] tag[x] -AND -OR +NOT +Tag -Clear +Mode";

INSTANTIATE_TEST_SUITE_P(
    AdvancedMode, Sessions,
    ::testing::ValuesIn(std::vector<SessionCase>{
        {"ButtonsFollowTheRules", kXY, "",
         {Click(kModeToggle), Refused(Click(kOr)), Click(kNot), Choose(kTagChooser, "x"),
          Click(kAddTag), Refused(Click(kNot)), Click(kAnd), Refused(Click(kAddTag)),
          DoubleClick(kTagChooser, "x"), Choose(kTagChooser, "y"), Click(kNot), Click(kAddTag),
          Click(kOk)},
         {kEmptyEditXY, kEmptyEditXY,
          "advanced edit[NOT] tag[x] -AND -OR -NOT +Tag +Clear -Mode",
          "advanced edit[NOT] tag[x] -AND -OR -NOT +Tag +Clear -Mode",
          "advanced edit[NOT x] tag[x] +AND +OR -NOT -Tag +Clear +Mode",
          "advanced edit[NOT x] tag[x] +AND +OR -NOT -Tag +Clear +Mode",
          "advanced edit[NOT x AND] tag[x] -AND -OR +NOT -Tag +Clear -Mode",
          "advanced edit[NOT x AND] tag[x] -AND -OR +NOT -Tag +Clear -Mode",
          "advanced edit[NOT x AND] tag[x] -AND -OR +NOT -Tag +Clear -Mode",
          "advanced edit[NOT x AND] tag[y] -AND -OR +NOT +Tag +Clear -Mode",
          "advanced edit[NOT x AND NOT] tag[y] -AND -OR -NOT +Tag +Clear -Mode",
          "advanced edit[NOT x AND NOT y] tag[y] +AND +OR -NOT -Tag +Clear +Mode"},
         S_OK, "NOT x AND NOT y "},
        {"TagAfterTagGetsOr", kXY, "NOT x",
         {Click(kModeToggle), DoubleClick(kTagChooser, "y"), Click(kOk)},
         {"advanced edit[NOT x] tag[x] +AND +OR -NOT -Tag +Clear +Mode",
          "advanced edit[NOT x OR y] tag[y] +AND +OR -NOT -Tag +Clear -Mode"},
         S_OK, "NOT x OR y "},
        {"SelectionIsReplacedWithoutRules", kXY, "NOT x",
         {Click(kModeToggle), SelectText(4, 5), Click(kOr)},
         {"advanced edit[NOT OR] tag[x] -AND -OR +NOT +Tag +Clear -Mode"}},
        {"PreviousTagOutlivesTyping", kXY, "",
         {Click(kModeToggle), DoubleClick(kTagChooser, "x"), Click(kOr), ReplaceText(""),
          Click(kNot), DoubleClick(kTagChooser, "x"), ReplaceText(""),
          DoubleClick(kTagChooser, "x"), TypeAtEnd(" AND"), DoubleClick(kTagChooser, "x")},
         {kEmptyEditXY, "advanced edit[x] tag[x] +AND +OR -NOT -Tag +Clear -Mode",
          "advanced edit[x OR] tag[x] -AND -OR +NOT -Tag +Clear -Mode", kEmptyEditXY,
          "advanced edit[NOT] tag[x] -AND -OR -NOT -Tag +Clear -Mode",
          "advanced edit[NOT] tag[x] -AND -OR -NOT -Tag +Clear -Mode", kEmptyEditXY,
          // A tag on an empty text forgets the previous tag.
          "advanced edit[x] tag[x] +AND +OR -NOT -Tag +Clear -Mode",
          "advanced edit[x AND] tag[x] -AND -OR +NOT +Tag +Clear -Mode",
          "advanced edit[x AND x] tag[x] +AND +OR -NOT -Tag +Clear -Mode"}},
        {"ClearForgetsEverything", kXY, "x OR",
         {Click(kClear), Refused(Click(kClear))}, {kEmptyEditXY, kEmptyEditXY}},
        {"ChoosingATagRefreshesAddTag", kPWB, "",
         {Click(kModeToggle), DoubleClick(kTagChooser, "Beta"), Click(kOr),
          Refused(Click(kAddTag)), Choose(kTagChooser, "Print"), Click(kAddTag), Click(kOk)},
         {"advanced edit[Beta OR] tag[Beta] -AND -OR +NOT -Tag +Clear -Mode",
          "advanced edit[Beta OR] tag[Beta] -AND -OR +NOT -Tag +Clear -Mode",
          "advanced edit[Beta OR] tag[Print] -AND -OR +NOT +Tag +Clear -Mode",
          "advanced edit[Beta OR Print] tag[Print] +AND +OR -NOT -Tag +Clear -Mode"},
         S_OK, "Beta OR Print "},
        {"TypingRefreshes", kXY, "",
         {Click(kModeToggle), TypeAtEnd("foo")},
         {"advanced edit[foo] tag[x] +AND +OR +NOT +Tag +Clear -Mode"}},
    }),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    ModeToggle, Sessions,
    ::testing::ValuesIn(std::vector<SessionCase>{
        {"ListsBecomeText", kPWB, "",
         {DoubleClick(kAvailableList, "Print"), DoubleClick(kAvailableList, "Web"),
          Click(kModeToggle)},
         {"advanced edit[NOT Print AND NOT Web] tag[Beta] +AND +OR -NOT +Tag +Clear +Mode"}},
        {"TextBecomesLists", kPWB, "NOT Web OR Print",
         {ReplaceText("not Beta and not Print"), Click(kModeToggle)},
         {"advanced edit[not Beta and not Print] tag[Beta] +AND +OR -NOT +Tag +Clear +Mode",
          "basic avail[Web] excl[Beta,Print] -> -< ->> -<<"}},
        {"OnlyFromTheBasicForm", kPWB, "",
         {Click(kModeToggle), TypeAtEnd("Web OR"), Refused(Click(kModeToggle))},
         {"advanced edit[Web OR] tag[Beta] -AND -OR +NOT +Tag +Clear -Mode",
          "advanced edit[Web OR] tag[Beta] -AND -OR +NOT +Tag +Clear -Mode"}},
        {"EmptyTextBackToBasicQuietly", kPWB, "NOT Web",
         {Click(kModeToggle), ReplaceText(""), Click(kModeToggle)}, {kAllAvailable}},
        {"BackAndForthKeepsTheExclusions", kPWB, "NOT Web AND NOT Beta",
         {Click(kModeToggle), Click(kModeToggle), Click(kOk)},
         {"basic avail[Print] excl[Beta,Web] -> -< ->> -<<"}, S_OK, "NOT Beta AND NOT Web"},
    }),
    CaseName);

// Which texts fail and with what message is the word checks' (word_check_test);
// here, that OK runs them and what the dialog does with the answer.
std::vector<SessionCase> OkCases() {
  return {
      {"BlanksOnly", kXY, "", {Click(kModeToggle), TypeAtEnd("   "), Click(kOk)}, {}, S_FALSE,
       "", {"The string \"\" is invalid."}},
      {"WordsEachFollowedByABlank", kXY, "x & NOT y", {Click(kOk)}, {}, S_OK, "x AND NOT y "},
      {"NotAlone", kXY, "NOT", {Click(kOk)}, {}, S_OK, "NOT "},
      {"LineBreaksAreBlanks", kXY, "",
       {Click(kModeToggle), TypeAtEnd("NOT x\r\nAND NOT y"), Click(kOk)}, {}, S_OK,
       "NOT x AND NOT y "},
      {"FixedAfterAMessage", kXY, "x y",
       {Click(kOk), ReplaceText("x OR y"), Click(kOk)},
       {"advanced edit[x OR y] tag[x] +AND +OR -NOT +Tag +Clear -Mode"}, S_OK, "x OR y ",
       {"The tag \"x\" and \"y\" should be seperated by operator."}},
      {"NoTagsAcceptAnything", {}, "what ever", {Click(kOk)}, {}, S_OK, ""},
      {"DeletedByKeyboard", kPWB, "NOT Print",
       {Click(kModeToggle), ReplaceText(""), Click(kOk)}, {}, S_OK, ""},
  };
}

INSTANTIATE_TEST_SUITE_P(OkInAdvancedMode, Sessions, ::testing::ValuesIn(OkCases()), CaseName);

// Geometry, focus and texts that the one-line dump leaves out.
class DialogLayout : public ::testing::Test {
 protected:
  void Run(const std::string& expression, HeadlessDialogRunner::Script script) {
    HeadlessDialogRunner runner(std::move(script));
    ScopedDialogRunner installed(runner);
    IBuildTagExprEditor* editor = nullptr;
    CreateBuildTagExprEditorInstance(&editor);
    for (const std::string& tag : kPWB) editor->AddTag(tag.c_str());
    editor->SetExpression(expression.c_str());
    editor->Edit(0);
    editor->Release();
    EXPECT_EQ(runner.runs(), 1);
  }
};

// The basic form cuts the advanced group off; the advanced one shows both.
TEST_F(DialogLayout, EachModeShowsItsGroups) {
  Run("", [](HeadlessControls& controls) {
    EXPECT_EQ(controls.DialogRect().bottom, controls.ControlRect(kBasicGroup).bottom + 8);
    EXPECT_LT(controls.DialogRect().height(), controls.ControlRect(kAdvancedGroup).bottom -
                                                  controls.DialogRect().top);
    EXPECT_FALSE(controls.IsVisible(kAdvancedGroup));
    EXPECT_FALSE(controls.IsVisible(kExpressionEdit));
    EXPECT_TRUE(controls.IsVisible(kModeToggle));
    EXPECT_EQ(controls.Text(kModeToggle), "Advanc&ed >>");
    EXPECT_EQ(controls.FocusedControl(), kAvailableList);
    const int basicHeight = controls.DialogRect().height();
    ASSERT_TRUE(controls.Click(kModeToggle));
    EXPECT_EQ(controls.DialogRect().bottom, controls.ControlRect(kAdvancedGroup).bottom + 8);
    EXPECT_GT(controls.DialogRect().height(), basicHeight);
    EXPECT_TRUE(controls.IsVisible(kTagChooser));
    EXPECT_EQ(controls.Text(kModeToggle), "<< Bas&ic");
    EXPECT_EQ(controls.FocusedControl(), kExpressionEdit);
    for (uint32_t id : {kBasicGroup, kAvailableLabel, kExcludedLabel, kAvailableList,
                        kExcludedList, kExclude, kInclude, kExcludeAll, kIncludeAll})
      EXPECT_FALSE(controls.IsEnabled(id)) << id;

    ASSERT_TRUE(controls.Click(kNot));
    EXPECT_EQ(controls.FocusedControl(), kExpressionEdit);
    EXPECT_EQ(controls.EditSelection(kExpressionEdit).start, 3u);
    EXPECT_TRUE(controls.EditSelection(kExpressionEdit).empty());

    ASSERT_TRUE(controls.Click(kClear));
    ASSERT_TRUE(controls.Click(kModeToggle));
    EXPECT_EQ(controls.DialogRect().height(), basicHeight);
    EXPECT_TRUE(controls.IsEnabled(kAvailableList));
  });
}

TEST_F(DialogLayout, TooltipsAndMessageBoxes) {
  Run("x y", [](HeadlessControls& controls) {
    EXPECT_TRUE(controls.TooltipsActive());
    EXPECT_EQ(controls.Tooltip(kExclude), "Add to the list");
    EXPECT_EQ(controls.Tooltip(kExcludeAll), "Add all to the list");
    EXPECT_EQ(controls.Tooltip(kInclude), "Remove from the list");
    EXPECT_EQ(controls.Tooltip(kIncludeAll), "Remove all from the list");
    EXPECT_EQ(controls.StockImage(kExclude), 17);
    EXPECT_EQ(controls.StockImage(kIncludeAll), 18);
    ASSERT_TRUE(controls.Click(kOk));
    ASSERT_EQ(controls.MessageBoxes().size(), 1u);
    EXPECT_EQ(controls.MessageBoxes()[0].caption, "Conditional Build Tag Expression");
    EXPECT_EQ(controls.MessageBoxes()[0].style, kMessageBoxIconError | kMessageBoxOk);
    EXPECT_FALSE(controls.Ended());
    EXPECT_EQ(controls.Text(kExpressionEdit), " x y");
  });
}

TEST_F(DialogLayout, EnterAndEscapeLeaveTheFocusAlone) {
  Run("Print Web", [](HeadlessControls& controls) {
    ASSERT_EQ(controls.FocusedControl(), kExpressionEdit);
    ASSERT_TRUE(controls.PressEnter());
    EXPECT_EQ(controls.MessageBoxes().size(), 1u);
    EXPECT_EQ(controls.FocusedControl(), kExpressionEdit);
    EXPECT_TRUE(controls.TypeText(kExpressionEdit, "Beta OR "));
    EXPECT_EQ(controls.Text(kExpressionEdit), "Beta OR  Print Web");
    ASSERT_TRUE(controls.PressEscape());
    EXPECT_TRUE(controls.Ended());
    EXPECT_EQ(controls.EndResult(), kIdCancel);
    EXPECT_FALSE(controls.PressEnter());
  });
}

TEST(DialogHelp, ButtonAndF1ReachTheHost) {
  RecordingHost host;
  const SessionResult session = RunSession(kPWB, "", {Click(kHelp), PressF1()}, &host);
  EXPECT_TRUE(session.failures.empty());
  EXPECT_EQ(host.helpRequests, (std::vector<uint32_t>{15321, 15321}));
}

TEST(DialogHelp, F1WithoutAHostIsStillHandled) {
  const SessionResult session = RunSession(kPWB, "", {PressF1(), Click(kHelp)});
  EXPECT_TRUE(session.failures.empty());
}

}  // namespace
}  // namespace bte::editor::testing
