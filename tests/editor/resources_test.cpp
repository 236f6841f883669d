// The dialog's resource data: the ids the dialog code uses exist, message
// texts format, and the generated resource script carries every row.
#include "editor/resources.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
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

TEST(DialogResources, ScriptCarriesEveryControlAndString) {
  std::ostringstream script;
  WriteResourceScript(script);
  const std::string text = script.str();
  const DialogTemplate& dialog = ExpressionDialogTemplate();
  EXPECT_NE(text.find("15321 DIALOGEX 0, 0, 287, 275"), std::string::npos);
  for (size_t i = 0; i < dialog.controlCount; ++i) {
    const ControlTemplate& row = dialog.controls[i];
    const std::string id = row.id == 1 ? "IDOK" : row.id == 2 ? "IDCANCEL" : std::to_string(row.id);
    const std::string rect = std::to_string(row.rect.x) + "," + std::to_string(row.rect.y) + "," +
                             std::to_string(row.rect.width) + "," + std::to_string(row.rect.height);
    const std::regex line("\n    [A-Z]+ (\"[^\n]*\",)?" + id + ",[^\n]*" + rect + "[,\n]");
    EXPECT_TRUE(std::regex_search(text, line)) << id;
  }
  EXPECT_NE(text.find("15313 \"The string \"\"%s\"\" is invalid.\""), std::string::npos);
  EXPECT_NE(text.find("LBS_SORT | LBS_NOTIFY"), std::string::npos);
  EXPECT_NE(text.find("\"\",15328,\"Button\",BS_OWNERDRAW | WS_TABSTOP | WS_DISABLED,105,25,16,16"),
            std::string::npos);
}

}  // namespace
}  // namespace bte::editor
