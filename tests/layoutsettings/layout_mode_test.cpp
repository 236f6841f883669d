// Layout mode: the host has loaded its output-layout settings library (here
// the stand-in), and the manager reads and writes through it. Its own test
// program, so that the library never enters the other tests' processes
// (the manager without it is the store suite's).
#include <dlfcn.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "layoutsettings/single_source_settings.h"
#include "platform/wide_string.h"
#include "store/layout_bridge.h"
#include "../store/record_dump.h"

namespace {

class LayoutTest : public ManagerFixture {
 protected:
  void OpenManager(const char* targetNames = nullptr) {
    ASSERT_EQ(CreateBuildTagExprManagerInstance(&manager_, path_.c_str()), S_OK);
    manager_->SetTargetNames(targetNames);
  }

  // Takes every string of an enumerator and releases it.
  static std::vector<std::string> Drain(IEnumString* targets) {
    std::vector<std::string> out;
    LPOLESTR text = nullptr;
    ULONG fetched = 0;
    while (targets->Next(1, &text, &fetched) == S_OK && fetched == 1) {
      out.push_back(bte::platform::WideToMultiByte(text));
      CoTaskMemFree(text);
    }
    EXPECT_EQ(targets->Release(), 0u);
    return out;
  }
};

// The stand-in loaded as a host loads it, with its test switches.
class LoadedLibrary : public LayoutTest {
 protected:
  void SetUp() override {
    LayoutTest::SetUp();
    library_ = dlopen(BTE_LAYOUT_LIBRARY, RTLD_NOW | RTLD_GLOBAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    setInUse_ = reinterpret_cast<void (*)(int32_t)>(dlsym(library_, "SetSingleSourceLayoutInUse"));
    valueWrites_ = reinterpret_cast<int32_t (*)()>(dlsym(library_, "GetSingleSourceValueWrites"));
    create_ = reinterpret_cast<CreateSingleSourceSettingsInstanceFunction>(
        dlsym(library_, kCreateSettingsEntry));
    ASSERT_TRUE(setInUse_ && valueWrites_ && create_);
    setInUse_(1);
  }
  void TearDown() override {
    LayoutTest::TearDown();
    // The store keeps its own reference; this one goes back.
    if (library_ != nullptr) dlclose(library_);
  }

  // Stores a value in a section of the library, as the host would.
  void Put(const std::string& section, const char* key, const char* value) {
    ISingleSourceSettings* settings = nullptr;
    create_(&settings, path_.c_str(), section.c_str());
    ASSERT_NE(settings, nullptr);
    settings->SetValue(key, value);
    settings->Release();
  }

  std::vector<std::string> GlobalSection() {
    ISingleSourceSettings* project = nullptr;
    create_(&project, path_.c_str(), "");
    ISingleSourceSettingsSections* sections = nullptr;
    project->QueryInterface(IID_ISingleSourceSettingsSections, reinterpret_cast<void**>(&sections));
    sections->SelectSection("Global Build Tag Expressions");
    ISingleSourceSettingsEnum* entries = nullptr;
    sections->GetSectionEntries(&entries);
    std::vector<std::string> out;
    BSTR key = nullptr;
    BSTR value = nullptr;
    while (entries->Next(&key, &value) == S_OK) {
      out.push_back(bte::platform::WideToMultiByte(key) + "=" + bte::platform::WideToMultiByte(value));
      SysFreeString(key);
      SysFreeString(value);
    }
    entries->Release();
    sections->Release();
    project->Release();
    return out;
  }

  void Seed() {
    Put("Target:Web", "BuildExpression", "  Online & Beta ");
    Put("Target:Web", "DisplayName", "Web Output");
    Put("Target:Print", "BuildExpression", "Print");
    Put("Target:Help", "BuildExpression", "*****");
    Put("Target:Other", "BuildExpression", "Online");
    Put("", "unused", "x");
  }

  void* library_ = nullptr;
  void (*setInUse_)(int32_t) = nullptr;
  int32_t (*valueWrites_)() = nullptr;
  CreateSingleSourceSettingsInstanceFunction create_ = nullptr;
};

TEST_F(LoadedLibrary, NotInUseMeansTheProfileFile) {
  setInUse_(0);
  Seed();
  WriteBytes(path_, "[Target:Web]\r\nBuildExpression=FromFile\r\n");
  OpenManager("Web");
  EXPECT_EQ(Records(), (std::vector<std::string>{"FromFile @ Web"}));
  IEnumString* targets = reinterpret_cast<IEnumString*>(0x1);
  EXPECT_EQ(manager_->GetTargetsUsingTag("Online", &targets), S_OK);
  EXPECT_EQ(targets, reinterpret_cast<IEnumString*>(0x1));
}

TEST_F(LoadedLibrary, ReadsOnlyTheNamedTargetsTrimmed) {
  Seed();
  OpenManager("Web| Print |Help|   |Missing");
  EXPECT_EQ(Records(), (std::vector<std::string>{"Online & Beta @ Web", "Print @ Print"}));
  manager_->SetTargetNames("");
  EXPECT_TRUE(Records().empty()) << "no names, no target expressions";
  EXPECT_FALSE(ReadBytes(path_).has_value()) << "the project file is not touched";
}

TEST_F(LoadedLibrary, TargetReportsAreEnumerators) {
  Seed();
  OpenManager("Web|Print|Other");
  IEnumString* targets = nullptr;
  ASSERT_EQ(manager_->GetTargetsUsingTag("Online", &targets), S_OK);
  EXPECT_EQ(Drain(targets), (std::vector<std::string>{"Web Output", "Other"}));
  ASSERT_EQ(manager_->GetTargetsForRename("Print", "Paper", &targets), S_OK);
  EXPECT_EQ(Drain(targets), (std::vector<std::string>{"Print"}));
  ASSERT_EQ(manager_->GetTargetsForRename("Print", "Print", &targets), S_OK);
  EXPECT_TRUE(Drain(targets).empty());
  EXPECT_EQ(manager_->GetTargetsUsingTag("", &targets), S_FALSE);
}

TEST_F(LoadedLibrary, RenameWritesOnlyChangedTargets) {
  Seed();
  OpenManager("Web|Print|Help");
  const int32_t before = valueWrites_();
  EXPECT_EQ(manager_->RenameTag("Beta", "Preview"), S_OK);
  EXPECT_EQ(valueWrites_(), before + 1);
  EXPECT_EQ(Records(), (std::vector<std::string>{"Online & Preview @ Web", "Print @ Print"}));
  EXPECT_FALSE(ReadBytes(path_).has_value());
}

TEST_F(LoadedLibrary, UnchangedValueIsNotWrittenAgain) {
  Seed();
  OpenManager("Print");
  const int32_t before = valueWrites_();
  EXPECT_EQ(bte::layout::WriteTargetExpression(path_, "Print", "Print"), 1);
  EXPECT_EQ(valueWrites_(), before);
  EXPECT_EQ(bte::layout::WriteTargetExpression(path_, "Print", "Paper"), 1);
  EXPECT_EQ(valueWrites_(), before + 1);
}

TEST_F(LoadedLibrary, GlobalExpressionsLiveInTheLibrary) {
  Put("", "unused", "x");
  OpenManager();
  EXPECT_EQ(manager_->AddGlobalExpression("  A & B "), S_OK);
  EXPECT_EQ(manager_->AddGlobalExpression("A & B"), S_FALSE);
  const auto section = GlobalSection();
  ASSERT_EQ(section.size(), 1u);
  EXPECT_EQ(section[0].substr(0, 5), "Expr_");
  EXPECT_EQ(section[0].substr(section[0].size() - 6), "=A & B");
  EXPECT_EQ(Records(), (std::vector<std::string>{"A & B @ "}));
  EXPECT_EQ(manager_->RemoveGlobalExpression("A & B"), S_OK);
  EXPECT_TRUE(GlobalSection().empty());
  EXPECT_FALSE(ReadBytes(path_).has_value());
}

TEST_F(LoadedLibrary, GlobalKeysNeedNotStartWithExprAndEmptyValuesAreSkipped) {
  OpenManager();
  ISingleSourceSettings* project = nullptr;
  create_(&project, path_.c_str(), "");
  ISingleSourceSettingsSections* sections = nullptr;
  project->QueryInterface(IID_ISingleSourceSettingsSections, reinterpret_cast<void**>(&sections));
  sections->SelectSection("Global Build Tag Expressions");
  sections->SetSectionValue("Expr_2004:05:17:09:03:07", " Web ");
  sections->SetSectionValue("Other_2004:05:18:09:03:07", "Print");
  sections->SetSectionValue("Expr_2004:05:19:09:03:07", "  ");
  sections->Release();
  project->Release();
  EXPECT_EQ(Records(), (std::vector<std::string>{"Web @ ", "Print @ "}));
  EXPECT_EQ(manager_->DeleteTag("Print"), S_OK);
  EXPECT_EQ(GlobalSection(), (std::vector<std::string>{"Expr_2004:05:17:09:03:07=Web"}));
}

}  // namespace
