#include "htmlfilter/linked_topic_tags.h"

#include "pagesift/pagesift.h"

namespace bte {
namespace {

std::string AnalyseTopicTags(const std::string& path) {
  CHtmlFileEx topic(path.c_str());
  if (!topic.Analyse()) return {};
  CByteString tags;
  topic.GetTopicBuildTags(tags);
  return std::string(tags.View());
}

// The folder and the file name of path.
std::pair<std::string, std::string> SplitFolder(const std::string& path) {
  size_t end = path.size();
  while (end > 0 && !platform::IsPathSeparator(path[end - 1])) --end;
  if (end == 0) return {".", path};
  return {end == 1 ? "/" : path.substr(0, end - 1), path.substr(end)};
}

}  // namespace

const std::string& LinkedTopicTags::Read(const std::string& path) {
  platform::ChangeWatch& watch = CHtmlPack::LibraryChangeWatch();
  const auto found = entries_.find(path);
  if (found != entries_.end() && platform::StillFresh(found->second.freshness, path, watch))
    return found->second.tags;
  if (found != entries_.end()) entries_.erase(found);
  const auto [folder, name] = SplitFolder(path);
  const platform::ReadFreshness freshness = platform::BeforeReading(folder, name, path, watch);
  uncached_.clear();
  if (freshness.stamp.exists && !freshness.stamp.isDirectory) uncached_ = AnalyseTopicTags(path);
  // A missing file is remembered only where its creation would show.
  if (!platform::MayRemember(freshness, path)) return uncached_;
  if (entries_.size() >= kMostEntries) entries_.clear();
  Entry& entry = entries_[path];
  entry = {freshness, std::move(uncached_)};
  return entry.tags;
}

}  // namespace bte
