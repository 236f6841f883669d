// Storage of the stand-in layout settings library: every section of one
// project in a file beside the project file, "<project file>.layout", one
// line per key: section, key and value separated by tabs, with "\\", "\t",
// "\n" and "\r" escaped. Section and key names match exactly.
#ifndef BTE_LAYOUTSETTINGS_SETTINGS_FILE_H
#define BTE_LAYOUTSETTINGS_SETTINGS_FILE_H

#include <string>
#include <utility>
#include <vector>

namespace bte::layoutsettings {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

class SettingsFile {
 public:
  // Reads the settings kept for the project file; none when there are none.
  explicit SettingsFile(const std::string& projectFile);

  const std::string* Find(const std::string& section, const std::string& key) const;
  // Replaces the key's value or appends the key.
  void Set(const std::string& section, const std::string& key, const std::string& value);
  void Clear(const std::string& section);
  KeyValues Entries(const std::string& section) const;
  // Writes everything back (through a temporary file and a rename).
  bool Save() const;

 private:
  KeyValues* SectionOf(const std::string& section);

  std::string path_;
  std::vector<std::pair<std::string, KeyValues>> sections_;
};

}  // namespace bte::layoutsettings

#endif  // BTE_LAYOUTSETTINGS_SETTINGS_FILE_H
