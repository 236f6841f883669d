#include "store/layout_bridge.h"

#include "com/ref_ptr.h"
#include "expr/expression_tree.h"
#include "expr/text.h"
#include "layoutsettings/single_source_settings.h"
#include "platform/module_lookup.h"
#include "platform/wide_string.h"
#include "store/global_expressions.h"
#include "store/project_file.h"

namespace bte::layout {
namespace {

// Process-wide and never reset: once the host's library was seen, it stays.
platform::ModuleHandle layoutModule = nullptr;
CreateSingleSourceSettingsInstanceFunction createSettings = nullptr;

// Converts a system string from the library and frees it.
std::string TakeString(BSTR text) {
  if (text == nullptr) return std::string();
  std::string converted = platform::WideToMultiByte(platform::WideStringView(text, SysStringLen(text)));
  SysFreeString(text);
  return converted;
}

void OpenSettings(const std::string& filePath, const std::string& section,
                  com::RefPtr<ISingleSourceSettings>& settings) {
  if (createSettings != nullptr) createSettings(settings.out(), filePath.c_str(), section.c_str());
}

// The project file's section of target-independent expressions, selected;
// null when the library cannot open the file.
com::RefPtr<ISingleSourceSettingsSections> OpenGlobalSection(const std::string& filePath) {
  com::RefPtr<ISingleSourceSettings> project;
  OpenSettings(filePath, "", project);
  com::RefPtr<ISingleSourceSettingsSections> sections;
  if (project) {
    project->QueryInterface(IID_ISingleSourceSettingsSections, reinterpret_cast<void**>(sections.out()));
  }
  if (sections) sections->SelectSection(kGlobalSection);
  return sections;
}

// A target's stored text, trimmed; the sentinel when it has none.
std::string ReadExpression(ISingleSourceSettings& settings) {
  BSTR value = nullptr;
  settings.GetValue(kExpressionKey, &value, kNoExpression);
  return std::string(Trim(TakeString(value)));
}

template <class Test>
std::vector<std::string> MatchingTargets(const std::string& filePath,
                                         const std::vector<std::string>& targetNames, Test test) {
  std::vector<std::string> names;
  for (const std::string& piece : targetNames) {
    const std::string name(Trim(piece));
    if (name.empty()) continue;
    com::RefPtr<ISingleSourceSettings> settings;
    OpenSettings(filePath, kTargetPrefix + name, settings);
    if (!settings) continue;
    const BuildTagExprTree tree(ReadExpression(*settings));
    if (!test(tree)) continue;
    BSTR display = nullptr;
    settings->GetDisplayName(&display);
    names.push_back(TakeString(display));
  }
  return names;
}

}  // namespace

void ResolveLayoutLibrary() {
  if (layoutModule != nullptr) return;
  layoutModule = platform::FindLoadedModule(kLayoutLibraryName);
  if (layoutModule == nullptr) return;
  createSettings = reinterpret_cast<CreateSingleSourceSettingsInstanceFunction>(
      platform::FindEntryPoint(layoutModule, kCreateSettingsEntry));
}

int QueryLayoutInUse() {
  if (layoutModule == nullptr) return 0;
  const auto createManager = reinterpret_cast<CreateSingleSourceSettingsManagerInstanceFunction>(
      platform::FindEntryPoint(layoutModule, kCreateSettingsManagerEntry));
  if (createManager == nullptr) return 0;
  com::RefPtr<ISingleSourceSettingsManager> manager;
  createManager(manager.out());
  return manager && manager->IsLayoutInUse() == 0 ? 1 : 0;
}

bool SettingsFactoryFound() { return createSettings != nullptr; }

void LoadTargetExpressions(const std::string& filePath, const std::vector<std::string>& targetNames,
                           BuildTagExprList& list) {
  for (const std::string& piece : targetNames) {
    const std::string name(Trim(piece));
    if (name.empty()) continue;
    com::RefPtr<ISingleSourceSettings> settings;
    OpenSettings(filePath, kTargetPrefix + name, settings);
    if (!settings) continue;
    const std::string text = ReadExpression(*settings);
    if (!text.empty() && text != kNoExpression) list.AddEntry(name.c_str(), text.c_str());
  }
}

int WriteTargetExpression(const std::string& filePath, const char* target,
                          const char* expression) {
  com::RefPtr<ISingleSourceSettings> settings;
  OpenSettings(filePath, kTargetPrefix + std::string(target), settings);
  if (!settings) return 1;
  BSTR value = nullptr;
  settings->GetValue(kExpressionKey, &value, kNoExpression);
  const char* text = expression != nullptr ? expression : "";
  if (TakeString(value) != text) settings->SetValue(kExpressionKey, text);
  return 1;
}

void LoadGlobalExpressions(const std::string& filePath, BuildTagExprList& list) {
  const com::RefPtr<ISingleSourceSettingsSections> sections = OpenGlobalSection(filePath);
  if (!sections) return;
  com::RefPtr<ISingleSourceSettingsEnum> entries;
  sections->GetSectionEntries(entries.out());
  if (!entries) return;
  entries->Reset();
  BSTR key = nullptr;
  BSTR value = nullptr;
  while (entries->Next(&key, &value) == S_OK) {
    const std::string keyText = TakeString(key);
    const std::string expression(Trim(TakeString(value)));
    key = value = nullptr;
    const std::string stamp = keyText.size() > 5 ? keyText.substr(5) : std::string();
    if (!expression.empty()) list.AddEntry("", expression.c_str(), ParseTimeStamp(stamp.c_str()));
  }
}

void SaveGlobalExpressions(const std::string& filePath, BuildTagExprList& list) {
  const com::RefPtr<ISingleSourceSettingsSections> sections = OpenGlobalSection(filePath);
  if (!sections) return;
  sections->ClearSection();
  size_t count = 0;
  for (auto position = list.Head(); const ExpressionEntry* entry = list.Next(position);) {
    if (entry->target.empty()) {
      const std::string key = std::string(kGlobalKeyWord) + '_' + FormatTimeStamp(entry->timeStamp);
      sections->SetSectionValue(key.c_str(), entry->expression.c_str());
      ++count;
    }
    if (count > kGlobalLimit) break;
  }
}

std::vector<std::string> TargetsForRename(const std::string& filePath,
                                          const std::vector<std::string>& targetNames,
                                          const char* oldTag, const char* newTag) {
  return MatchingTargets(filePath, targetNames, [&](const BuildTagExprTree& tree) {
    std::string renamed;
    return tree.ReplaceTag(oldTag, newTag, renamed) == 1 && !renamed.empty();
  });
}

std::vector<std::string> TargetsUsingTag(const std::string& filePath,
                                         const std::vector<std::string>& targetNames,
                                         const char* tag) {
  return MatchingTargets(filePath, targetNames,
                         [&](const BuildTagExprTree& tree) { return tree.UsesTag(tag) == 1; });
}

}  // namespace bte::layout
