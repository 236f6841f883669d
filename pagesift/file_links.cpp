// Resolving a topic's relative links to files of its project.
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pagesift/folder_listings.h"
#include "pagesift/href_type.h"
#include "pagesift/html_pack.h"
#include "pagesift/resolved_links.h"
#include "pagesift/tag_scanner.h"
#include "platform/change_watch.h"
#include "platform/file_system.h"

namespace {

// A path's segments, as views into the path split.
struct SplitPath {
  bool absolute = false;
  std::vector<std::string_view> segments;
};

size_t NextSeparator(std::string_view path, size_t at) {
  while (at < path.size() && !bte::platform::IsPathSeparator(path[at])) ++at;
  return at;
}

// Lexical: "." dropped, ".." removes the segment before it where there is
// one (and is kept at the start of a relative path).
SplitPath Split(std::string_view path) {
  SplitPath split;
  split.segments.reserve(16);
  split.absolute = !path.empty() && bte::platform::IsPathSeparator(path[0]);
  size_t at = 0;
  while (at <= path.size()) {
    const size_t slash = NextSeparator(path, at);
    std::string_view segment = path.substr(at, slash - at);
    if (segment == "..") {
      if (!split.segments.empty() && split.segments.back() != "..") {
        split.segments.pop_back();
      } else {
        split.segments.push_back(segment);
      }
    } else if (!segment.empty() && segment != ".") {
      split.segments.push_back(segment);
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

std::string_view FolderOf(std::string_view file) {
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

void DecodePercent(std::string_view text, std::string& decoded) {
  decoded.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i] == '\\' ? '/' : text[i];
    }
  }
}

// The link's path part: no fragment or query, escapes decoded, "/" only.
// Empty for links that name no project file. Written into path, whose
// storage a document keeps for all its links.
void LinkPath(std::string_view link, std::string& path) {
  path.clear();
  link = pagesift::Trim(link);
  size_t end = 0;
  while (end < link.size() && link[end] != '#' && link[end] != '?') ++end;
  link = link.substr(0, end);
  if (link.empty() || pagesift::HrefTypeOf(link) != pagesift::kHrefFile) return;
  DecodePercent(link, path);
  bool drive = path.size() >= 2 && pagesift::IsAsciiAlpha(path[0]) && path[1] == ':';
  if (path.empty() || path[0] == '/' || drive) path.clear();
}

// folder/entry, where folder (listed in listing, and which may be the file
// system's root) holds the entry named name, exactly or else ignoring
// letter case.
std::string ChildPath(const std::string& folder, const pagesift::FolderListing& listing, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  if (folder != "/") path = folder;
  path += '/';
  // Unlisted names are rare (missing files, letter case differing): the
  // file system itself says whether the name as written opens a file, as
  // it does on one that ignores letter case.
  if (name == ".." || listing.Lists(name) || listing.OpensAsWritten(folder, std::string(name))) {
    path += name;
  } else {
    const std::string entry = listing.EntryIgnoringCase(std::string(name));
    path += entry.empty() ? name : std::string_view(entry);
  }
  return path;
}

}  // namespace

void CHtmlPack::CatchUpWithChanges() const {
  LibraryChangeWatch().CatchUp();
  caughtUp_ = true;
}

bte::platform::ChangeWatch& CHtmlPack::LibraryChangeWatch() { return bte::platform::SharedChangeWatch(); }

void CHtmlPack::UseSnapshotsOfFiles() { bte::platform::SharedChangeWatch().UseSnapshots(); }

void CHtmlPack::NewSnapshotOfFiles() { bte::platform::SharedChangeWatch().NewSnapshot(); }

const pagesift::FolderListing& CHtmlPack::ListingOf(const std::string& folder) const {
  if (!caughtUp_) CatchUpWithChanges();
  std::shared_ptr<const pagesift::FolderListing>& listing = folderListings_[folder];
  if (listing == nullptr) listing = pagesift::ListFolder(folder);
  return *listing;
}

void CHtmlPack::SetProjectRoot(const char* folder) {
  projectRoot_ = folder ? folder : "";
  linkBase_.known = false;
}

std::string CHtmlPack::GetProjectRoot() const {
  if (!projectRoot_.empty()) return projectRoot_;
  if (path_.empty()) return {};
  if (foundProjectRoot_.empty()) {
    const SplitPath folder = Split(FolderOf(path_));
    foundProjectRoot_ = Join(folder, folder.segments.size());
    for (size_t count = folder.segments.size(); count > 0; --count) {
      if (folder.segments[count - 1] == "..") break;
      std::string candidate = Join(folder, count);
      if (ListingOf(candidate).holdsProjectFile()) {
        foundProjectRoot_ = candidate;
        break;
      }
    }
  }
  return foundProjectRoot_;
}

const CHtmlPack::LinkBase& CHtmlPack::GetLinkBase() const {
  if (linkBase_.known) return linkBase_;
  const std::string rootPath = GetProjectRoot();
  const SplitPath root = Split(rootPath);
  const SplitPath folder = Split(FolderOf(path_));
  linkBase_ = LinkBase();
  linkBase_.known = true;
  linkBase_.root = Join(root, root.segments.size());
  linkBase_.insideRoot = folder.absolute == root.absolute &&
                         folder.segments.size() >= root.segments.size() &&
                         std::equal(root.segments.begin(), root.segments.end(), folder.segments.begin());
  if (linkBase_.insideRoot) {
    for (size_t i = root.segments.size(); i < folder.segments.size(); ++i)
      linkBase_.below.emplace_back(folder.segments[i]);
  }
  return linkBase_;
}

// Every link of a topic starts from the topic's folder, so the folders on
// the way there are matched once per document rather than once per link.
const std::string& CHtmlPack::BaseFolder(size_t count) const {
  std::vector<LinkBase::ReachedFolder>& reached = linkBase_.reached;
  if (reached.empty()) reached.push_back({linkBase_.root});
  while (reached.size() <= count) {
    const size_t last = reached.size() - 1;
    std::string next = ChildPath(reached[last].path, BaseFolderListing(last), linkBase_.below[last]);
    reached.push_back({std::move(next)});
  }
  return reached[count].path;
}

const pagesift::FolderListing& CHtmlPack::BaseFolderListing(size_t count) const {
  const std::string& folder = BaseFolder(count);
  const pagesift::FolderListing*& listing = linkBase_.reached[count].listing;
  if (listing == nullptr) listing = &ListingOf(folder);
  return *listing;
}

// A link that a topic of the same folder had resolved is answered from the
// process's memory of links while the folders it was read from stand.
CByteString CHtmlPack::GetFilePathName(const char* link) const {
  if (!link || path_.empty()) return {};
  if (!caughtUp_) CatchUpWithChanges();
  std::string& key = linkKey_;
  key.assign(FolderOf(path_)).append(1, '\0').append(projectRoot_).append(1, '\0').append(link);
  pagesift::ResolvedLinks& resolved = pagesift::SharedResolvedLinks();
  std::string path;
  if (!resolved.Find(key, path)) {
    path = ResolveLink(link);
    // Every folder this document listed so far: more than the link needed,
    // never less.
    std::vector<bte::platform::ChangeMark> marks;
    marks.reserve(folderListings_.size());
    for (const auto& listed : folderListings_) marks.push_back(listed.second->mark());
    resolved.Remember(key, path, marks);
  }
  CByteString result;
  result.Adopt(std::move(path));
  return result;
}

// The link is resolved below the project root: the topic's folder relative
// to the root, then the link's segments ("." dropped, ".." going up one),
// each matched against the folder that holds it. The topic folder's first
// kept segments stay; the link's own segments (linkSegments_) follow them.
std::string CHtmlPack::ResolveLink(const char* link) const {
  std::string& linkPath = linkPath_;
  LinkPath(link, linkPath);
  if (linkPath.empty()) return {};
  const LinkBase& base = GetLinkBase();
  if (!base.insideRoot) return {};
  size_t kept = base.below.size();
  std::vector<std::string_view>& added = linkSegments_;
  added.clear();
  for (size_t at = 0; at <= linkPath.size();) {
    const size_t slash = NextSeparator(linkPath, at);
    const std::string_view segment = std::string_view(linkPath).substr(at, slash - at);
    at = slash + 1;
    if (segment.empty() || segment == ".") continue;
    if (segment != "..") {
      added.push_back(segment);
    } else if (!added.empty()) {
      added.pop_back();
    } else if (kept == 0) {
      return {};  // above the project root
    } else {
      --kept;
    }
  }
  if (kept == 0 && added.empty()) return {};
  if (added.empty()) return BaseFolder(kept);
  std::string path = ChildPath(BaseFolder(kept), BaseFolderListing(kept), added.front());
  for (size_t i = 1; i < added.size(); ++i) path = ChildPath(path, ListingOf(path), added[i]);
  return path;
}
