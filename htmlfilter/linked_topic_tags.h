// The topic-level build tags of linked topic files, remembered by path: a
// topic linked from many places is analysed once, and a file changed since
// is analysed again, so the answer is always what analysing the file now
// would give. Where its folder is watched (change_watch.h) a remembered
// answer stands until the watch reports a change: the HTML library's watch,
// whose changes a document takes in (CHtmlPack::CatchUpWithChanges) once
// for its folder listings and these tags together; elsewhere it stands while
// the file's size and modification time stay the same, and a file whose
// time lies too close to when it was read is not remembered: a change
// within the file system's time resolution would leave its stamp as it was.
#ifndef BTE_HTMLFILTER_LINKED_TOPIC_TAGS_H
#define BTE_HTMLFILTER_LINKED_TOPIC_TAGS_H

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/read_freshness.h"

namespace bte {

class LinkedTopicTags {
 public:
  // The topic tags of the topic file at path, as the file lists them;
  // empty when the file declares none, is missing, is no regular file or
  // cannot be analysed.
  const std::string& Read(const std::string& path);

 private:
  struct Entry {
    platform::ReadFreshness freshness;
    std::string tags;
  };
  // A folder of more topics than this is still served; the memory is
  // simply started afresh.
  static constexpr size_t kMostEntries = 1 << 16;

  std::unordered_map<std::string, Entry> entries_;
  std::string uncached_;
};

}  // namespace bte

#endif  // BTE_HTMLFILTER_LINKED_TOPIC_TAGS_H
