// Links resolved by earlier documents, remembered for the process: the
// topics of a folder link to the same few files, and resolving a link
// walks the folders from the project root. An answer is kept with the
// change marks of every folder listing it was read from and stands while
// the watch (change_watch.h) reports all of them unchanged, so it is what
// resolving the link now would give; an answer that relied on a folder the
// watch cannot see is not kept. Safe to use from several threads: finding
// takes the lock shared, so the threads of a build, which look up far more
// than they remember, do not queue on each other.
#ifndef PAGESIFT_RESOLVED_LINKS_H
#define PAGESIFT_RESOLVED_LINKS_H

#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/brief_lock.h"
#include "platform/change_watch.h"

namespace pagesift {

class ResolvedLinks {
 public:
  explicit ResolvedLinks(const bte::platform::ChangeWatch& watch) : watch_(watch) {}

  // Sets path to the answer remembered for key when it still stands.
  bool Find(const std::string& key, std::string& path);
  // Remembers path for key, read from the listings marked by marks; does
  // nothing when one of them is not watched.
  void Remember(const std::string& key, const std::string& path,
                const std::vector<bte::platform::ChangeMark>& marks);

 private:
  struct Answer {
    std::string path;
    std::vector<bte::platform::ChangeMark> marks;
  };
  // More than the links of a large project; past it the memory starts
  // afresh.
  static constexpr size_t kMostLinks = 1 << 16;

  const bte::platform::ChangeWatch& watch_;
  // Every look-up writes the lock's word; on a cache line of its own, the
  // map's header beside it does not travel between processors with it.
  alignas(64) bte::platform::BriefSharedMutex mutex_;
  alignas(64) std::unordered_map<std::string, Answer> answers_;
};

// The process's memory of resolved links, against the library's watch.
ResolvedLinks& SharedResolvedLinks();

}  // namespace pagesift

#endif  // PAGESIFT_RESOLVED_LINKS_H
