// The dialog's resource data: the ids the dialog code uses exist and message
// texts format. What the resource script makes of the rows is checked in
// the built Windows module (tests/windows/resources).
#include "editor/resources.h"

#include <gtest/gtest.h>

#include <string>

namespace bte::editor {
namespace {

TEST(DialogResources, EveryControlTheDialogUsesIsInTheTemplate) {
  using namespace control;
  for (uint32_t id : {kOk,
                      kCancel,
                      kTagChooserLabel,
                      kTagChooser,
                      kExpressionEdit,
                      kAnd,
                      kOr,
                      kNot,
                      kAddTag,
                      kHelp,
                      kClear,
                      kModeToggle,
                      kExpressionLabel,
                      kAdvancedGroup,
                      kBasicGroup,
                      kAvailableList,
                      kAvailableLabel,
                      kExcludedLabel,
                      kExcludedList,
                      kExclude,
                      kInclude,
                      kExcludeAll,
                      kIncludeAll,
                      kNote})
    EXPECT_NE(FindControlTemplate(id), nullptr) << id;
  EXPECT_EQ(FindControlTemplate(kDialogId), nullptr);
  EXPECT_EQ(ExpressionDialogTemplate().controlCount, 24u);
}

TEST(DialogResources, MessagesFormatTheirPlaces) {
  EXPECT_EQ(FormatResourceString(text::kTagsNotSeparated, {"a", "%s"}),
            "The tag \"a\" and \"%s\" should be seperated by operator.");
  EXPECT_EQ(FormatResourceString(text::kInvalidString, {}), "The string \"\" is invalid.");
  EXPECT_EQ(FormatResourceString(text::kMessageCaption, {"x"}), "Conditional Build Tag Expression");
  EXPECT_EQ(LoadResourceString(1), "");
}

}  // namespace
}  // namespace bte::editor
