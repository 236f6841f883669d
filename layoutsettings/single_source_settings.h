// The interfaces and entry points of the host's output-layout settings
// library ("PublishProfiles.dll"; libPublishProfiles.so on POSIX), as the
// expression store calls them. The store only uses the library when the host
// has loaded it; this folder also holds a stand-in for it.
#ifndef BTE_LAYOUTSETTINGS_SINGLE_SOURCE_SETTINGS_H
#define BTE_LAYOUTSETTINGS_SINGLE_SOURCE_SETTINGS_H

#include "buildtagexpr.h"

// The library as the host knows it; module lookup maps it to the platform's
// file name.
inline constexpr char kLayoutLibraryName[] = "PublishProfiles.dll";
inline constexpr char kCreateSettingsEntry[] = "CreateSingleSourceSettingsInstance";
inline constexpr char kCreateSettingsManagerEntry[] = "CreateSingleSourceSettingsManagerInstance";

// {26D78AC4-AEC4-11D4-945C-0050DA1C58D0}
inline constexpr IID IID_ISingleSourceSettingsSections = {
    0x26D78AC4, 0xAEC4, 0x11D4, {0x94, 0x5C, 0x00, 0x50, 0xDA, 0x1C, 0x58, 0xD0}};

// The settings of one section of one file. Strings handed out are system
// strings that the caller frees with SysFreeString.
struct ISingleSourceSettings : IUnknown {
  // The key's value, or the default when the key is absent.
  virtual HRESULT BTE_CALL GetValue(const char* key, BSTR* value, const char* defaultValue) = 0;
  virtual HRESULT BTE_CALL SetValue(const char* key, const char* value) = 0;
  // A text naming the section's target, for people to read.
  virtual HRESULT BTE_CALL GetDisplayName(BSTR* name) = 0;
};

// Walks the keys and values of a section.
struct ISingleSourceSettingsEnum : IUnknown {
  virtual HRESULT BTE_CALL Reset() = 0;
  // 0 with the next pair; any other answer ends the walk.
  virtual HRESULT BTE_CALL Next(BSTR* key, BSTR* value) = 0;
};

// The project-wide sections, reached through QueryInterface of the
// project-wide settings object.
struct ISingleSourceSettingsSections : IUnknown {
  virtual HRESULT BTE_CALL SetSectionValue(const char* key, const char* value) = 0;
  // Later calls act on this section.
  virtual HRESULT BTE_CALL SelectSection(const char* name) = 0;
  // Removes every key of the selected section.
  virtual HRESULT BTE_CALL ClearSection() = 0;
  virtual HRESULT BTE_CALL GetSectionEntries(ISingleSourceSettingsEnum** entries) = 0;
};

struct ISingleSourceSettingsManager : IUnknown {
  // 0 when the output-layout settings are in use.
  virtual HRESULT BTE_CALL IsLayoutInUse() = 0;
};

// An empty section name gives the project-wide object; "Target:" and a
// target name that target's section. *settings stays null when none can be
// had.
typedef HRESULT(BTE_CALL* CreateSingleSourceSettingsInstanceFunction)(
    ISingleSourceSettings** settings, const char* filePath, const char* sectionName);
typedef HRESULT(BTE_CALL* CreateSingleSourceSettingsManagerInstanceFunction)(
    ISingleSourceSettingsManager** manager);

#endif  // BTE_LAYOUTSETTINGS_SINGLE_SOURCE_SETTINGS_H
