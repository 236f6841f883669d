// The stand-in's objects and entry points. Every call reads the settings
// file afresh and every change writes it back, so objects of one project
// always agree.
#include <atomic>
#include <string>

#include "com/create_instance.h"
#include "com/ref_counted.h"
#include "layoutsettings/settings_file.h"
#include "layoutsettings/single_source_settings.h"
#include "platform/wide_string.h"

namespace bte::layoutsettings {
namespace {

constexpr char kTargetPrefix[] = "Target:";
constexpr char kDisplayNameKey[] = "DisplayName";

// Whether the host uses its layout settings; tests choose it.
std::atomic<int32_t> layoutInUse{1};
// How many times SetValue stored a value, so tests can see unchanged values
// left alone.
std::atomic<int32_t> valueWrites{0};

BSTR SystemString(const std::string& text) {
  const platform::WideString wide = platform::MultiByteToWide(text);
  return SysAllocStringLen(wide.data(), static_cast<uint32_t>(wide.size()));
}

// The stand-in's factories answer E_POINTER for a null out-pointer.
template <class Object, class Interface, class... Args>
HRESULT Hand(Interface** out, Args&&... args) {
  if (out == nullptr) return E_POINTER;
  return com::CreateInstance<Object>(out, static_cast<Args&&>(args)...);
}

class SectionEntries : public com::RefCounted<ISingleSourceSettingsEnum> {
 public:
  explicit SectionEntries(KeyValues entries) : entries_(std::move(entries)) {}
  HRESULT BTE_CALL Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT BTE_CALL Next(BSTR* key, BSTR* value) override {
    if (key == nullptr || value == nullptr) return E_POINTER;
    if (next_ >= entries_.size()) return S_FALSE;
    *key = SystemString(entries_[next_].first);
    *value = SystemString(entries_[next_].second);
    ++next_;
    return S_OK;
  }

 private:
  KeyValues entries_;
  size_t next_ = 0;
};

class ProjectSections : public com::RefCounted<ISingleSourceSettingsSections> {
 public:
  explicit ProjectSections(std::string projectFile) : projectFile_(std::move(projectFile)) {}
  HRESULT BTE_CALL SetSectionValue(const char* key, const char* value) override {
    if (key == nullptr || value == nullptr) return E_INVALIDARG;
    SettingsFile file(projectFile_);
    file.Set(section_, key, value);
    return file.Save() ? S_OK : E_FAIL;
  }
  HRESULT BTE_CALL SelectSection(const char* name) override {
    section_ = name != nullptr ? name : "";
    return S_OK;
  }
  HRESULT BTE_CALL ClearSection() override {
    SettingsFile file(projectFile_);
    file.Clear(section_);
    return file.Save() ? S_OK : E_FAIL;
  }
  HRESULT BTE_CALL GetSectionEntries(ISingleSourceSettingsEnum** entries) override {
    return Hand<SectionEntries>(entries, SettingsFile(projectFile_).Entries(section_));
  }

 private:
  std::string projectFile_;
  std::string section_;
};

class Settings : public com::RefCounted<ISingleSourceSettings> {
 public:
  Settings(std::string projectFile, std::string section)
      : projectFile_(std::move(projectFile)), section_(std::move(section)) {}

  // The project-wide object also answers for its sections.
  HRESULT BTE_CALL QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr || iid != IID_ISingleSourceSettingsSections || !section_.empty())
      return RefCounted::QueryInterface(iid, out);
    return Hand<ProjectSections>(reinterpret_cast<ISingleSourceSettingsSections**>(out),
                                 projectFile_);
  }
  HRESULT BTE_CALL GetValue(const char* key, BSTR* value, const char* defaultValue) override {
    if (key == nullptr || value == nullptr) return E_INVALIDARG;
    const SettingsFile file(projectFile_);
    const std::string* stored = file.Find(section_, key);
    *value = SystemString(stored != nullptr ? *stored : defaultValue != nullptr ? defaultValue : "");
    return S_OK;
  }
  HRESULT BTE_CALL SetValue(const char* key, const char* value) override {
    if (key == nullptr || value == nullptr) return E_INVALIDARG;
    SettingsFile file(projectFile_);
    file.Set(section_, key, value);
    ++valueWrites;
    return file.Save() ? S_OK : E_FAIL;
  }
  HRESULT BTE_CALL GetDisplayName(BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    const SettingsFile file(projectFile_);
    const std::string* stored = file.Find(section_, kDisplayNameKey);
    std::string text = section_;
    if (text.compare(0, sizeof kTargetPrefix - 1, kTargetPrefix) == 0)
      text.erase(0, sizeof kTargetPrefix - 1);
    *name = SystemString(stored != nullptr ? *stored : text);
    return S_OK;
  }

 private:
  std::string projectFile_;
  std::string section_;
};

class SettingsManager : public com::RefCounted<ISingleSourceSettingsManager> {
 public:
  HRESULT BTE_CALL IsLayoutInUse() override { return layoutInUse != 0 ? S_OK : S_FALSE; }
};

}  // namespace
}  // namespace bte::layoutsettings

using namespace bte::layoutsettings;

extern "C" {

BTE_EXPORT HRESULT BTE_CALL CreateSingleSourceSettingsInstance(ISingleSourceSettings** settings,
                                                               const char* filePath,
                                                               const char* sectionName) {
  if (settings == nullptr) return E_POINTER;
  if (filePath == nullptr || filePath[0] == '\0') return E_INVALIDARG;
  return Hand<Settings>(settings, std::string(filePath),
                        std::string(sectionName != nullptr ? sectionName : ""));
}

BTE_EXPORT HRESULT BTE_CALL
CreateSingleSourceSettingsManagerInstance(ISingleSourceSettingsManager** manager) {
  return Hand<SettingsManager>(manager);
}

// For tests: whether IsLayoutInUse says yes (non-zero) or no (0).
BTE_EXPORT void SetSingleSourceLayoutInUse(int32_t inUse) { layoutInUse = inUse; }

// For tests: how many values SetValue has stored so far.
BTE_EXPORT int32_t GetSingleSourceValueWrites() { return valueWrites; }
}
