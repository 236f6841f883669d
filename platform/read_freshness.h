// Whether something a cache read from a file or folder is still what
// reading it now would give. Where the folder is watched (change_watch.h)
// it is until the watch reports a change; elsewhere for as long as the
// path's size and modification time stay the same, and only once its time
// lies far enough back: a change within the file system's time resolution
// would leave the stamp as it was.
#ifndef BTE_PLATFORM_READ_FRESHNESS_H
#define BTE_PLATFORM_READ_FRESHNESS_H

#include <cstdint>
#include <string>

#include "platform/change_watch.h"
#include "platform/file_system.h"

namespace bte::platform {

struct ReadFreshness {
  ChangeMark mark;
  FileStamp stamp;  // what counts where the folder is not watched
};

// Taken just before reading path, which is folder itself (file empty) or
// the entry file of folder: watched first, so a change from here on shows.
// watch is the one whose catch-ups the cache relies on.
inline ReadFreshness BeforeReading(const std::string& folder, const std::string& file,
                                   const std::string& path, ChangeWatch& watch = SharedChangeWatch()) {
  ReadFreshness freshness;
  freshness.mark = watch.Watch(folder, file);
  freshness.stamp = StampOf(path);
  return freshness;
}

// Whether what was just read from path may be remembered.
inline bool MayRemember(const ReadFreshness& freshness, const std::string& path) {
  // Coarser than any file system's time stamps (two seconds on FAT).
  constexpr int64_t kStampResolution = 2'000'000'000;
  if (freshness.mark.watched()) return true;
  return freshness.stamp.exists && FileClockNow() - freshness.stamp.modified > kStampResolution &&
         StampOf(path) == freshness.stamp;
}

// Whether what was read from path then is still what reading it now gives.
inline bool StillFresh(const ReadFreshness& freshness, const std::string& path,
                       const ChangeWatch& watch = SharedChangeWatch()) {
  if (freshness.mark.watched()) return watch.Unchanged(freshness.mark);
  return StampOf(path) == freshness.stamp;
}

}  // namespace bte::platform

#endif  // BTE_PLATFORM_READ_FRESHNESS_H
