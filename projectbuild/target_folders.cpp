#include "projectbuild/target_folders.h"

#include <set>

namespace bte::projectbuild {
namespace {

constexpr const char* kDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3",
                                        "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1",
                                        "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8",
                                        "LPT9"};

bool IsKept(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '_' || c == ' ' || c == '.';
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return text;
}

std::string SafeName(const std::string& target) {
  std::string name;
  for (const char c : target) name += IsKept(c) ? c : '_';
  // Leading and trailing blanks and dots mean something else (or nothing)
  // to some file systems: ".", "..", hidden files, names Windows trims.
  for (char& c : name) {
    if (c != ' ' && c != '.') break;
    c = '_';
  }
  for (auto it = name.rbegin(); it != name.rend() && (*it == ' ' || *it == '.'); ++it) *it = '_';
  if (name.empty()) return "_";
  const std::string stem = Upper(name.substr(0, name.find('.')));
  for (const char* device : kDeviceNames)
    if (stem == device) return name + "_";
  return name;
}

}  // namespace

std::vector<std::string> TargetFolderNames(const std::vector<std::string>& targets) {
  std::vector<std::string> names;
  std::set<std::string> taken;  // upper case
  for (const std::string& target : targets) {
    const std::string safe = SafeName(target);
    std::string name = safe;
    for (int n = 2; taken.count(Upper(name)); ++n) name = safe + "-" + std::to_string(n);
    taken.insert(Upper(name));
    names.push_back(name);
  }
  return names;
}

}  // namespace bte::projectbuild
