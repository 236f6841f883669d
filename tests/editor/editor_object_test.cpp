// The editor object as a host uses it: tags, expression, the wide result,
// and Edit with a scripted user behind the dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/editor/session.h"
#include "ole_text.h"

namespace bte::editor::testing {
namespace {

class EditorObject : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CreateBuildTagExprEditorInstance(&editor_), S_OK); }
  void TearDown() override { EXPECT_EQ(editor_->Release(), 0u); }

  // The available list the dialog starts with.
  std::vector<std::string> AvailableTags() {
    std::vector<std::string> available;
    HeadlessDialogRunner runner(
        [&](HeadlessControls& controls) { available = controls.Entries(control::kAvailableList); });
    ScopedDialogRunner installed(runner);
    editor_->Edit(0);
    return available;
  }

  IBuildTagExprEditor* editor_ = nullptr;
};

TEST_F(EditorObject, ArgumentsAnsweredWithOne) {
  EXPECT_EQ(editor_->AddTag(nullptr), S_FALSE);
  EXPECT_EQ(editor_->AddTag(""), S_FALSE);
  EXPECT_EQ(editor_->SetExpression(nullptr), S_FALSE);
  EXPECT_EQ(editor_->GetExpression(nullptr), S_FALSE);
  EXPECT_EQ(editor_->SetHost(nullptr), S_OK);
  EXPECT_EQ(ExpressionOf(editor_), "");
  EXPECT_TRUE(AvailableTags().empty());
}

TEST_F(EditorObject, TagsAccumulateWithDuplicates) {
  EXPECT_EQ(editor_->AddTag("Web"), S_OK);
  EXPECT_EQ(editor_->AddTag("Print"), S_OK);
  EXPECT_EQ(AvailableTags(), (std::vector<std::string>{"Print", "Web"}));
  EXPECT_EQ(editor_->AddTag("Web"), S_OK);
  EXPECT_EQ(editor_->AddTag("  "), S_OK);  // kept, but never listed
  EXPECT_EQ(AvailableTags(), (std::vector<std::string>{"Print", "Web", "Web"}));
}

TEST_F(EditorObject, WithoutARunnerEditCancels) {
  editor_->SetExpression("NOT Web");
  EXPECT_EQ(editor_->Edit(0), S_FALSE);
  EXPECT_EQ(ExpressionOf(editor_), "NOT Web");
}

TEST_F(EditorObject, EachEditStartsFromTheCurrentExpression) {
  RecordingHost host;
  editor_->SetHost(&host);
  editor_->AddTag("Größe");
  editor_->AddTag("Web");
  std::vector<std::string> excludedAtStart;
  HeadlessDialogRunner runner([&](HeadlessControls& controls) {
    excludedAtStart = controls.Entries(control::kExcludedList);
    controls.DoubleClickEntry(control::kAvailableList, "Größe");
    controls.Click(control::kOk);
  });
  ScopedDialogRunner installed(runner);

  EXPECT_EQ(editor_->Edit(0), S_OK);
  EXPECT_EQ(runner.lastParent(), host.parent);
  EXPECT_TRUE(excludedAtStart.empty());

  BSTR wide = nullptr;
  ASSERT_EQ(editor_->GetExpression(&wide), S_OK);
  // The wide form goes through the process code page.
  if (ProcessCodePageIsUtf8()) EXPECT_EQ(OleOf(wide, SysStringLen(wide)), Ole(u"NOT Größe"));
  SysFreeString(wide);

  EXPECT_EQ(editor_->Edit(0), S_OK);  // Größe is already excluded
  EXPECT_EQ(excludedAtStart, std::vector<std::string>{"Größe"});
  EXPECT_EQ(ExpressionOf(editor_), "NOT Größe");
  EXPECT_EQ(runner.runs(), 2);
}

}  // namespace
}  // namespace bte::editor::testing
