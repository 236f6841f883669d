#include "platform/profile_document.h"

#include <cstring>

namespace bte::platform {
namespace {

// Blanks that surround names and values inside the file.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names passed by a caller lose surrounding spaces only.
std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string LowerCase(std::string_view s) {
  std::string lower(s);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// A value read through a single-key request loses one pair of matching
// outer quotes.
std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

uint32_t CopyCut(std::string_view text, char* buffer, uint32_t size) {
  if (size == 0) return 0;
  const size_t count = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<uint32_t>(count);
}

uint32_t CopyDefault(const char* defaultValue, char* buffer, uint32_t size) {
  std::string_view text = defaultValue != nullptr ? defaultValue : "";
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return CopyCut(text, buffer, size);
}

// A NUL-separated list closed by a second NUL. One place stays reserved for
// the closing NUL, and a string that merely fits exactly already counts as
// cut: the list then ends in two NULs and the answer is size - 2.
uint32_t CopyList(const std::vector<std::string>& items, char* buffer, uint32_t size) {
  if (size < 2) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  size_t room = size - 1;
  size_t used = 0;
  for (const std::string& item : items) {
    if (item.size() + 1 < room) {
      std::memcpy(buffer + used, item.data(), item.size());
      buffer[used + item.size()] = '\0';
      used += item.size() + 1;
      room -= item.size() + 1;
      continue;
    }
    std::memcpy(buffer + used, item.data(), room - 1);
    buffer[used + room - 1] = '\0';
    buffer[used + room] = '\0';
    return size - 2;
  }
  buffer[used] = '\0';
  return static_cast<uint32_t>(used);
}

}  // namespace

ProfileDocument::ProfileDocument(std::string_view bytes) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    size_t next = end;
    if (next < bytes.size()) next += (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n') ? 2 : 1;
    Line line{std::string(bytes.substr(start, end - start)),
              std::string(bytes.substr(end, next - end))};
    if (Classify(line.text) == LineKind::kHeader) {
      Section section{std::string(SectionName(line.text)), {}};
      section.lines.push_back(std::move(line));
      sections_.push_back(std::move(section));
    } else if (sections_.empty()) {
      preamble_.push_back(std::move(line));
    } else {
      sections_.back().lines.push_back(std::move(line));
    }
    start = next;
  }
  RebuildIndex();
}

std::string ProfileDocument::Serialize() const {
  std::string bytes;
  auto append = [&bytes](const Line& line) {
    bytes += line.text;
    bytes += line.ending;
  };
  for (const Line& line : preamble_) append(line);
  for (const Section& section : sections_)
    for (const Line& line : section.lines) append(line);
  return bytes;
}

ProfileDocument::LineKind ProfileDocument::Classify(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return LineKind::kBlank;
  if (trimmed.front() == '[') return LineKind::kHeader;
  if (trimmed.front() == ';') return LineKind::kComment;
  if (trimmed.find('=') != std::string_view::npos) return LineKind::kKey;
  return LineKind::kText;
}

std::string_view ProfileDocument::SectionName(std::string_view header) {
  std::string_view name = TrimBlanks(header).substr(1);
  const size_t close = name.find(']');
  if (close != std::string_view::npos) name = name.substr(0, close);
  return TrimBlanks(name);
}

std::string_view ProfileDocument::KeyOf(std::string_view text) {
  return TrimBlanks(text.substr(0, text.find('=')));
}

std::string_view ProfileDocument::ValueOf(std::string_view text) {
  return TrimBlanks(text.substr(text.find('=') + 1));
}

void ProfileDocument::RebuildIndex() {
  firstSection_.clear();
  for (size_t i = 0; i < sections_.size(); ++i)
    firstSection_.emplace(LowerCase(sections_[i].name), i);
}

const ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) const {
  const auto found = firstSection_.find(LowerCase(name));
  return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) {
  const auto found = firstSection_.find(LowerCase(name));
  return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

int ProfileDocument::FindKey(const Section& section, std::string_view key) {
  for (size_t i = 1; i < section.lines.size(); ++i) {
    const std::string& text = section.lines[i].text;
    if (Classify(text) == LineKind::kKey && SameName(KeyOf(text), key)) return static_cast<int>(i);
  }
  return -1;
}

uint32_t ProfileDocument::GetSectionNames(char* buffer, uint32_t size) const {
  if (buffer == nullptr) return 0;
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_) names.push_back(section.name);
  return CopyList(names, buffer, size);
}

uint32_t ProfileDocument::GetString(const char* section, const char* key,
                                    const char* defaultValue, char* buffer,
                                    uint32_t size) const {
  if (buffer == nullptr) return 0;
  if (section == nullptr) return GetSectionNames(buffer, size);
  const Section* found = FindSection(TrimSpaces(section));
  if (key == nullptr) {
    std::vector<std::string> keys;
    if (found != nullptr)
      for (size_t i = 1; i < found->lines.size(); ++i)
        if (Classify(found->lines[i].text) == LineKind::kKey)
          keys.emplace_back(KeyOf(found->lines[i].text));
    if (keys.empty()) return CopyDefault(defaultValue, buffer, size);
    return CopyList(keys, buffer, size);
  }
  const int line = found != nullptr ? FindKey(*found, TrimSpaces(key)) : -1;
  if (line < 0) return CopyDefault(defaultValue, buffer, size);
  return CopyCut(StripQuotes(ValueOf(found->lines[line].text)), buffer, size);
}

uint32_t ProfileDocument::GetSection(const char* section, char* buffer, uint32_t size) const {
  if (buffer == nullptr || section == nullptr) return 0;
  const Section* found = FindSection(TrimSpaces(section));
  std::vector<std::string> lines;
  if (found != nullptr) {
    for (size_t i = 1; i < found->lines.size(); ++i) {
      const std::string& text = found->lines[i].text;
      const LineKind kind = Classify(text);
      if (kind == LineKind::kKey)
        lines.push_back(std::string(KeyOf(text)) + '=' + std::string(ValueOf(text)));
      else if (kind == LineKind::kText)
        lines.emplace_back(TrimBlanks(text));
    }
  }
  if (lines.empty()) {
    if (size >= 1) buffer[0] = '\0';
    if (size >= 2 && found != nullptr) buffer[1] = '\0';
    return 0;
  }
  return CopyList(lines, buffer, size);
}

bool ProfileDocument::WriteString(const char* section, const char* key, const char* value) {
  if (section == nullptr) return false;
  const std::string_view name = TrimSpaces(section);
  if (key == nullptr) {
    DeleteSection(name);
    return true;
  }
  const std::string_view keyName = TrimSpaces(key);
  Section* found = FindSection(name);
  if (value == nullptr) {
    const int line = found != nullptr ? FindKey(*found, keyName) : -1;
    if (line > 0) found->lines.erase(found->lines.begin() + line);
    return true;
  }
  if (found == nullptr) {
    AppendSection(name, {std::string(keyName) + '=' + value});
    return true;
  }
  const int line = FindKey(*found, keyName);
  if (line > 0) {
    Line& replaced = found->lines[line];
    replaced.text = std::string(KeyOf(replaced.text)) + '=' + value;
    if (replaced.ending.empty()) replaced.ending = "\r\n";
    return true;
  }
  // A new key goes after the last key line, ahead of trailing comments and
  // the blank lines that part the section from the next one.
  size_t at = 1;
  for (size_t i = 1; i < found->lines.size(); ++i)
    if (Classify(found->lines[i].text) == LineKind::kKey) at = i + 1;
  if (found->lines[at - 1].ending.empty()) found->lines[at - 1].ending = "\r\n";
  found->lines.insert(found->lines.begin() + at, Line{std::string(keyName) + '=' + value, "\r\n"});
  return true;
}

bool ProfileDocument::WriteSection(const char* section, const char* block) {
  if (section == nullptr) return false;
  const std::string_view name = TrimSpaces(section);
  if (block == nullptr) {
    DeleteSection(name);
    return true;
  }
  std::vector<std::string> strings;
  for (const char* p = block; *p != '\0'; p += std::strlen(p) + 1) strings.emplace_back(p);
  Section* found = FindSection(name);
  if (found == nullptr) {
    AppendSection(name, strings);
    return true;
  }
  std::vector<Line> lines;
  lines.push_back(std::move(found->lines[0]));
  for (std::string& text : strings) lines.push_back(Line{std::move(text), "\r\n"});
  for (size_t i = 1; i < found->lines.size(); ++i) {
    const LineKind kind = Classify(found->lines[i].text);
    if (kind == LineKind::kComment || kind == LineKind::kBlank)
      lines.push_back(std::move(found->lines[i]));
  }
  if (lines.size() > 1 && lines[0].ending.empty()) lines[0].ending = "\r\n";
  found->lines = std::move(lines);
  return true;
}

void ProfileDocument::EndLastLine() {
  std::vector<Line>& last = sections_.empty() ? preamble_ : sections_.back().lines;
  if (!last.empty() && last.back().ending.empty()) last.back().ending = "\r\n";
}

void ProfileDocument::AppendSection(std::string_view name, const std::vector<std::string>& lines) {
  EndLastLine();
  Section section{std::string(name), {}};
  section.lines.push_back(Line{'[' + std::string(name) + ']', "\r\n"});
  for (const std::string& text : lines) section.lines.push_back(Line{text, "\r\n"});
  firstSection_.emplace(LowerCase(name), sections_.size());
  sections_.push_back(std::move(section));
}

// The header and every line but comments go; comments stay where they were,
// now at the end of what precedes the section.
void ProfileDocument::DeleteSection(std::string_view name) {
  const auto found = firstSection_.find(LowerCase(name));
  if (found == firstSection_.end()) return;
  const size_t index = found->second;
  std::vector<Line>& before = index == 0 ? preamble_ : sections_[index - 1].lines;
  for (Line& line : sections_[index].lines)
    if (Classify(line.text) == LineKind::kComment) before.push_back(std::move(line));
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(index));
  RebuildIndex();
}

}  // namespace bte::platform
