// Resolving a topic's relative links to files of its project.
#include <string>
#include <string_view>
#include <vector>

#include "pagesift/folder_listings.h"
#include "pagesift/html_pack.h"
#include "pagesift/tag_scanner.h"
#include "platform/file_system.h"

namespace {

struct SplitPath {
  bool absolute = false;
  std::vector<std::string> segments;
};

size_t NextSeparator(std::string_view path, size_t at) {
  while (at < path.size() && !bte::platform::IsPathSeparator(path[at])) ++at;
  return at;
}

// Lexical: "." dropped, ".." removes the segment before it where there is
// one (and is kept at the start of a relative path).
SplitPath Split(std::string_view path) {
  SplitPath split;
  split.absolute = !path.empty() && bte::platform::IsPathSeparator(path[0]);
  size_t at = 0;
  while (at <= path.size()) {
    const size_t slash = NextSeparator(path, at);
    std::string_view segment = path.substr(at, slash - at);
    if (segment == "..") {
      if (!split.segments.empty() && split.segments.back() != "..") {
        split.segments.pop_back();
      } else {
        split.segments.emplace_back(segment);
      }
    } else if (!segment.empty() && segment != ".") {
      split.segments.emplace_back(segment);
    }
    at = slash + 1;
  }
  return split;
}

std::string Join(const SplitPath& split, size_t count) {
  std::string path = split.absolute ? "/" : "";
  for (size_t i = 0; i < count && i < split.segments.size(); ++i) {
    if (i > 0) path += '/';
    path += split.segments[i];
  }
  return path.empty() ? "." : path;
}

std::string FolderOf(const std::string& file) {
  size_t end = file.size();
  while (end > 0 && !bte::platform::IsPathSeparator(file[end - 1])) --end;
  if (end == 0) return ".";
  return end == 1 ? "/" : file.substr(0, end - 1);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return (c | 0x20) - 'a' + 10;
  return -1;
}

std::string DecodePercent(std::string_view text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i] == '\\' ? '/' : text[i];
    }
  }
  return decoded;
}

// The link's path part: no fragment or query, escapes decoded, "/" only.
// Empty for links that name no project file.
std::string LinkPath(std::string_view link) {
  link = pagesift::Trim(link);
  link = link.substr(0, link.find_first_of("#?"));
  if (link.empty() || CHtmlPack::GetAnchorHrefType(std::string(link).c_str()) != pagesift::kHrefFile) return {};
  std::string path = DecodePercent(link);
  bool drive = path.size() >= 2 && pagesift::IsAsciiAlpha(path[0]) && path[1] == ':';
  if (path.empty() || path[0] == '/' || drive) return {};
  return path;
}

// The entry of folder named name, exactly or else ignoring letter case.
std::string MatchEntry(const std::string& folder, const std::string& name) {
  if (name == ".." || bte::platform::StampOf(folder + "/" + name).exists) return name;
  std::string entry = pagesift::FindEntryIgnoringCase(folder, name);
  return entry.empty() ? name : entry;
}

}  // namespace

void CHtmlPack::SetProjectRoot(const char* folder) { projectRoot_ = folder ? folder : ""; }

std::string CHtmlPack::GetProjectRoot() const {
  if (!projectRoot_.empty()) return projectRoot_;
  if (path_.empty()) return {};
  if (foundProjectRoot_.empty()) {
    SplitPath folder = Split(FolderOf(path_));
    foundProjectRoot_ = Join(folder, folder.segments.size());
    for (size_t count = folder.segments.size(); count > 0; --count) {
      if (folder.segments[count - 1] == "..") break;
      std::string candidate = Join(folder, count);
      if (pagesift::HoldsProjectFile(candidate)) {
        foundProjectRoot_ = candidate;
        break;
      }
    }
  }
  return foundProjectRoot_;
}

// The link is resolved below the project root: the topic's folder relative
// to the root, then the link's segments, each matched against the folder
// that holds it.
CByteString CHtmlPack::GetFilePathName(const char* link) const {
  if (!link || path_.empty()) return {};
  std::string linkPath = LinkPath(link);
  if (linkPath.empty()) return {};
  SplitPath root = Split(GetProjectRoot());
  SplitPath folder = Split(FolderOf(path_));
  if (folder.absolute != root.absolute || folder.segments.size() < root.segments.size()) return {};
  for (size_t i = 0; i < root.segments.size(); ++i) {
    if (folder.segments[i] != root.segments[i]) return {};
  }
  std::vector<std::string> below(folder.segments.begin() + static_cast<long>(root.segments.size()),
                                 folder.segments.end());
  for (std::string& segment : Split(linkPath).segments) {
    if (segment != "..") {
      below.push_back(std::move(segment));
    } else if (below.empty()) {
      return {};  // above the project root
    } else {
      below.pop_back();
    }
  }
  if (below.empty()) return {};
  std::string path = Join(root, root.segments.size());
  for (const std::string& segment : below) {
    std::string entry = MatchEntry(path, segment);
    path = (path == "/" ? "" : path) + "/" + entry;
  }
  return CByteString(path);
}
