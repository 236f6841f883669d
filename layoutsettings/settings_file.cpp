#include "layoutsettings/settings_file.h"

#include <sstream>

#include "platform/file_io.h"

namespace bte::layoutsettings {
namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char code = text[++i];
    out += code == 't' ? '\t' : code == 'n' ? '\n' : code == 'r' ? '\r' : code;
  }
  return out;
}

}  // namespace

SettingsFile::SettingsFile(const std::string& projectFile) : path_(projectFile + ".layout") {
  const platform::FileContents file = platform::ReadWholeFile(path_);
  std::istringstream in(file.bytes);
  std::string line;
  while (std::getline(in, line)) {
    const size_t first = line.find('\t');
    const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos) continue;
    Set(Unescape(line.substr(0, first)), Unescape(line.substr(first + 1, second - first - 1)),
        Unescape(line.substr(second + 1)));
  }
}

KeyValues* SettingsFile::SectionOf(const std::string& section) {
  for (auto& entry : sections_)
    if (entry.first == section) return &entry.second;
  return nullptr;
}

const std::string* SettingsFile::Find(const std::string& section, const std::string& key) const {
  for (const auto& entry : sections_) {
    if (entry.first != section) continue;
    for (const auto& pair : entry.second)
      if (pair.first == key) return &pair.second;
  }
  return nullptr;
}

void SettingsFile::Set(const std::string& section, const std::string& key,
                       const std::string& value) {
  KeyValues* keys = SectionOf(section);
  if (keys == nullptr) {
    sections_.emplace_back(section, KeyValues());
    keys = &sections_.back().second;
  }
  for (auto& pair : *keys) {
    if (pair.first == key) {
      pair.second = value;
      return;
    }
  }
  keys->emplace_back(key, value);
}

void SettingsFile::Clear(const std::string& section) {
  if (KeyValues* keys = SectionOf(section)) keys->clear();
}

KeyValues SettingsFile::Entries(const std::string& section) const {
  for (const auto& entry : sections_)
    if (entry.first == section) return entry.second;
  return KeyValues();
}

bool SettingsFile::Save() const {
  std::ostringstream text;
  for (const auto& entry : sections_)
    for (const auto& pair : entry.second)
      text << Escape(entry.first) << '\t' << Escape(pair.first) << '\t' << Escape(pair.second)
           << '\n';
  return platform::ReplaceFileAtomically(path_, text.str()).ok();
}

}  // namespace bte::layoutsettings
