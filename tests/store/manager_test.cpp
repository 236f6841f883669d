// The manager as a host uses it: through the factory and the interfaces,
// on real project files, with the layout settings library not loaded.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "store/manager.h"
#include "record_dump.h"

namespace {

using namespace std::string_literals;

const std::string kGlobal = "[Global Build Tag Expressions]\r\n";

class ManagerTest : public ManagerFixture {
 protected:
  IBuildTagExprManager* Open(const std::string& content) {
    WriteBytes(path_, content);
    return Open();
  }
  IBuildTagExprManager* Open() {
    EXPECT_EQ(CreateBuildTagExprManagerInstance(&manager_, path_.c_str()), S_OK);
    return manager_;
  }

  std::string File() { return ReadBytes(path_).value_or("<missing>"); }
};

TEST_F(ManagerTest, ArgumentAnswers) {
  Open();
  EXPECT_EQ(manager_->QueryInterface(IID_IUnknown, nullptr), E_NOTIMPL);
  EXPECT_EQ(manager_->AddGlobalExpression(nullptr), S_FALSE);
  EXPECT_EQ(manager_->AddGlobalExpression(" \t "), S_FALSE);
  EXPECT_EQ(manager_->RemoveGlobalExpression(nullptr), S_FALSE);
  EXPECT_EQ(manager_->RemoveGlobalExpression("  "), S_FALSE);
  EXPECT_EQ(manager_->GetExpressionList(nullptr), S_FALSE);
  EXPECT_EQ(manager_->RenameTag(nullptr, "a"), E_INVALIDARG);
  EXPECT_EQ(manager_->RenameTag("a", nullptr), E_INVALIDARG);
  EXPECT_EQ(manager_->DeleteTag(nullptr), E_INVALIDARG);
  EXPECT_EQ(manager_->SetTargetNames(nullptr), S_OK);
  IEnumString* targets = reinterpret_cast<IEnumString*>(0x1);
  EXPECT_EQ(manager_->GetTargetsForRename(nullptr, "a", &targets), E_INVALIDARG);
  EXPECT_EQ(manager_->GetTargetsForRename("a", "b", nullptr), E_INVALIDARG);
  EXPECT_EQ(manager_->GetTargetsUsingTag(nullptr, &targets), E_INVALIDARG);
  EXPECT_EQ(manager_->GetTargetsUsingTag("a", nullptr), E_INVALIDARG);
  EXPECT_EQ(manager_->GetTargetsUsingTag("", &targets), S_FALSE);
  // Without the layout settings nothing is reported and nothing is made.
  EXPECT_EQ(manager_->GetTargetsUsingTag("a", &targets), S_OK);
  EXPECT_EQ(manager_->GetTargetsForRename("a", "b", &targets), S_OK);
  EXPECT_EQ(targets, reinterpret_cast<IEnumString*>(0x1));
  EXPECT_EQ(CreateBuildTagExprManagerInstance(nullptr, path_.c_str()), S_FALSE);
  EXPECT_FALSE(ReadBytes(path_).has_value()) << "answering arguments writes nothing";
}

TEST_F(ManagerTest, AddGlobalExpressionTrimsAndRefusesKnownTexts) {
  Open("[Target:Web]\r\nBuildExpression=Online\r\n");
  EXPECT_EQ(manager_->AddGlobalExpression("  A & B  "), S_OK);
  EXPECT_EQ(manager_->AddGlobalExpression("A & B"), S_FALSE);
  EXPECT_EQ(manager_->AddGlobalExpression("Online"), S_FALSE);
  EXPECT_EQ(Records(), (std::vector<std::string>{"Online @ Web", "A & B @ "}));
  const std::string file = File();
  EXPECT_EQ(file.rfind("[Target:Web]\r\nBuildExpression=Online\r\n" + kGlobal + "Expr_", 0), 0u) << file;
  EXPECT_EQ(file.substr(file.size() - 8), "=A & B\r\n"s);
}

TEST_F(ManagerTest, RemoveGlobalExpressionOfTargetOnlyText) {
  Open("[Target:Web]\r\nBuildExpression=X\r\n" + kGlobal + "Expr_2004:05:17:09:03:07=G\r\n");
  EXPECT_EQ(manager_->RemoveGlobalExpression("X"), S_OK);
  EXPECT_EQ(File(), "[Target:Web]\r\nBuildExpression=\r\n" + kGlobal + "Expr_2004:05:17:09:03:07=G\r\n");
}

TEST_F(ManagerTest, RemoveGlobalExpressionMatchesExactText) {
  const std::string content = kGlobal + "Expr_2004:05:17:09:03:07=A & B\r\n";
  Open(content);
  EXPECT_EQ(manager_->RemoveGlobalExpression(" A & B"), S_OK);
  EXPECT_EQ(File(), content);
}

TEST_F(ManagerTest, RenameTagRewritesTargetsAndGlobalsKeepingStamps) {
  Open("[Other]\r\nkeep = me\r\n\r\n[Target:Web]\r\nBuildExpression=Online & Beta\r\n"
       "[Target:Print]\r\nBuildExpression=Print\r\n" + kGlobal +
       "Expr_2004:05:17:09:03:07=Online\r\nExpr_2004:05:18:09:03:07=Draft\r\n");
  EXPECT_EQ(manager_->RenameTag("Online", "Web"), S_OK);
  EXPECT_EQ(File(), "[Other]\r\nkeep = me\r\n\r\n[Target:Web]\r\nBuildExpression=Web & Beta\r\n"
                    "[Target:Print]\r\nBuildExpression=Print\r\n" + kGlobal +
                        "Expr_2004:05:18:09:03:07=Draft\r\nExpr_2004:05:17:09:03:07=Web\r\n");
}

TEST_F(ManagerTest, RenameIntoAnExistingGlobalKeepsOnlyThatOne) {
  Open(kGlobal + "Expr_2004:05:17:09:03:07=Old\r\nExpr_2004:05:18:09:03:07=New\r\n");
  EXPECT_EQ(manager_->RenameTag("Old", "New"), S_OK);
  EXPECT_EQ(File(), kGlobal + "Expr_2004:05:18:09:03:07=New\r\n");
}

TEST_F(ManagerTest, RenameToItselfStillRewritesGlobalSection) {
  Open(kGlobal + "Other=x\r\nExpr_2004:05:17:09:03:07=A\r\n");
  EXPECT_EQ(manager_->RenameTag("A", "A"), S_OK);
  EXPECT_EQ(File(), kGlobal + "Expr_2004:05:17:09:03:07=A\r\n");
}

TEST_F(ManagerTest, DeleteTagClearsTargetsAndDropsGlobalsThatUseIt) {
  Open("[Target:Web]\r\nBuildExpression=Web & ~Print\r\n[Target:Help]\r\nBuildExpression=Help\r\n" + kGlobal +
       "Expr_2004:05:17:09:03:07=Print | Beta\r\nExpr_2004:05:18:09:03:07=Beta\r\n");
  EXPECT_EQ(manager_->DeleteTag("Print"), S_OK);
  EXPECT_EQ(File(), "[Target:Web]\r\nBuildExpression=\r\n[Target:Help]\r\nBuildExpression=Help\r\n" + kGlobal +
                        "Expr_2004:05:18:09:03:07=Beta\r\n");
}

TEST_F(ManagerTest, CreatingMakesReadOnlyFileWritableAndMissingStaysMissing) {
  Open();
  EXPECT_TRUE(Records().empty());
  EXPECT_FALSE(ReadBytes(path_).has_value()) << "reading never creates the file";
  manager_->Release();
  WriteBytes(path_, "[Target:W]\r\nBuildExpression=A\r\n");
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read);
  Open();
  EXPECT_NE(std::filesystem::status(path_).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
  EXPECT_EQ(manager_->RenameTag("A", "B"), S_OK);
  EXPECT_TRUE(static_cast<bte::BuildTagExprManager*>(manager_)->LastWriteSucceeded());
  EXPECT_EQ(Records(), (std::vector<std::string>{"B @ W"}));
}

TEST_F(ManagerTest, OperationsSeeChangesMadeByOthers) {
  Open("[Target:W]\r\nBuildExpression=A\r\n");
  EXPECT_EQ(Records(), (std::vector<std::string>{"A @ W"}));
  WriteBytes(path_, "[Target:W]\r\nBuildExpression=B\r\n");
  EXPECT_EQ(Records(), (std::vector<std::string>{"B @ W"}));
}

// Hostile project files: the operations answer as usual and the file is
// either left alone or rewritten only where the store writes.
class HostileFiles : public ManagerTest {};

TEST_F(HostileFiles, DirectoryAsPath) {
  std::filesystem::create_directory(path_);
  Open();
  EXPECT_TRUE(Records().empty());
  // Hosts hear success; the tool asks whether the write happened.
  EXPECT_EQ(manager_->AddGlobalExpression("A"), S_OK);
  EXPECT_FALSE(static_cast<bte::BuildTagExprManager*>(manager_)->LastWriteSucceeded());
  EXPECT_EQ(manager_->RenameTag("A", "B"), S_OK);
  EXPECT_TRUE(std::filesystem::is_directory(path_));
}

TEST_F(HostileFiles, TenThousandSectionsReadUpToTheNameBuffer) {
  std::string content;
  for (int i = 0; i < 10000; ++i)
    content += "[Target:T" + std::to_string(i) + "]\r\nBuildExpression=Online\r\n";
  Open(content);
  const auto records = Records();
  // "Target:Tn" names fill the 10239-character buffer after about 900 names.
  EXPECT_GT(records.size(), 800u);
  EXPECT_LT(records.size(), 1100u);
  EXPECT_EQ(manager_->RenameTag("Online", "Web"), S_OK);
  const std::string file = File();
  EXPECT_NE(file.find("[Target:T0]\r\nBuildExpression=Web\r\n"), std::string::npos);
  EXPECT_NE(file.find("[Target:T9999]\r\nBuildExpression=Online\r\n"), std::string::npos);
}

TEST_F(HostileFiles, MegabyteLinesAndLongValues) {
  const std::string huge(1 << 20, 'z');
  Open("[Junk]\r\nk=" + huge + "\r\n[Target:W]\r\nBuildExpression=" + std::string(400, 'a') + "\r\n" + kGlobal +
       "Expr_2004:05:17:09:03:07=" + huge + "\r\n");
  const auto records = Records();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records[0], std::string(259, 'a') + " @ W");
  EXPECT_EQ(manager_->RenameTag("zz", "y"), S_OK);
  EXPECT_NE(File().find("[Junk]\r\nk=" + huge + "\r\n"), std::string::npos);
}

}  // namespace
