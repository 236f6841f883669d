#include "htmlfilter/linked_topic_tags.h"

#include "pagesift/pagesift.h"

namespace bte {
namespace {

// Coarser than any file system's time stamps (two seconds on FAT).
constexpr int64_t kStampResolution = 2'000'000'000;

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

void LinkedTopicTags::CatchUp() { platform::SharedChangeWatch().CatchUp(); }

bool LinkedTopicTags::StillValid(const std::string& path, const Entry& entry) const {
  if (entry.mark.watched()) return platform::SharedChangeWatch().Unchanged(entry.mark);
  return entry.stamp.exists && platform::StampOf(path) == entry.stamp;
}

const std::string& LinkedTopicTags::Read(const std::string& path) {
  const auto found = entries_.find(path);
  if (found != entries_.end() && StillValid(path, found->second)) return found->second.tags;
  if (found != entries_.end()) entries_.erase(found);
  // Watched before the file is looked at: a change from here on shows.
  const auto [folder, name] = SplitFolder(path);
  const platform::ChangeMark mark = platform::SharedChangeWatch().Watch(folder, name);
  const platform::FileStamp stamp = platform::StampOf(path);
  uncached_.clear();
  const bool isTopic = stamp.exists && !stamp.isDirectory;
  if (isTopic) uncached_ = AnalyseTopicTags(path);
  // A missing file is remembered only where its creation would show.
  const bool settled = mark.watched() ||
                       (isTopic && platform::FileClockNow() - stamp.modified > kStampResolution &&
                        platform::StampOf(path) == stamp);
  if (!settled) return uncached_;
  if (entries_.size() >= kMostEntries) entries_.clear();
  Entry& entry = entries_[path];
  entry = {mark, stamp, std::move(uncached_)};
  return entry.tags;
}

}  // namespace bte
