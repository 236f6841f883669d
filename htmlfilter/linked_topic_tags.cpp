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

}  // namespace

const std::string& LinkedTopicTags::Read(const std::string& path) {
  const platform::FileStamp stamp = platform::StampOf(path);
  uncached_.clear();
  if (!stamp.exists || stamp.isDirectory) return uncached_;
  const auto found = entries_.find(path);
  if (found != entries_.end() && found->second.stamp == stamp) return found->second.tags;
  const bool settled = platform::FileClockNow() - stamp.modified > kStampResolution;
  std::string tags = AnalyseTopicTags(path);
  if (!settled || platform::StampOf(path) != stamp) {
    if (found != entries_.end()) entries_.erase(found);
    uncached_ = std::move(tags);
    return uncached_;
  }
  if (entries_.size() >= kMostEntries) entries_.clear();
  Entry& entry = entries_[path];
  entry = {stamp, std::move(tags)};
  return entry.tags;
}

}  // namespace bte
