// Knowing that a folder, its entries and the way to it are as they were
// when a cache read them, without asking the file system for each: the
// kernel queues what changes, and one non-blocking read of that queue (per
// document, say) takes it in. Symbolic links on the way are followed, their
// targets watched as part of it. Where a folder cannot be watched (no
// support, the watch limit reached, a file system that other machines
// change, a file that is a symbolic link, BTE_NO_CHANGE_WATCH set) the mark
// says so and the cache checks stamps (file_system.h) as before.
//
// Relative paths are taken from the working folder the process has: the
// kernel reports no change of it, so a program that changes it while it
// uses the watch must not use relative paths.
#ifndef BTE_PLATFORM_CHANGE_WATCH_H
#define BTE_PLATFORM_CHANGE_WATCH_H

#include <cstdint>
#include <string>

namespace bte::platform {

// What a cache keeps with something it read: which folder, and how many
// changes it had seen then.
struct ChangeMark {
  const void* folder = nullptr;  // null: not watched
  uint64_t changes = 0;

  bool watched() const { return folder != nullptr; }
};

class ChangeWatch {
 public:
  virtual ~ChangeWatch() = default;

  // Watches folder, every folder on the way to it and, when file is not
  // empty, the file folder/file itself (so that writes through another
  // hard link count too), and returns the mark of now. Call it before
  // reading them: a change after the call is never lost. An unwatched mark
  // when any of it cannot be watched.
  virtual ChangeMark Watch(const std::string& folder, const std::string& file) = 0;
  // Takes in what the kernel has reported since the last call: one
  // non-blocking read when nothing changed. A lost report (the queue ran
  // over) forgets every mark.
  virtual void CatchUp() = 0;
  // True while nothing behind mark has changed, as of the last CatchUp of
  // any thread; false for an unwatched mark.
  virtual bool Unchanged(const ChangeMark& mark) const = 0;
};

// The process's watch, safe to use from several threads. Each binary that
// holds this unit has its own.
ChangeWatch& SharedChangeWatch();

}  // namespace bte::platform

#endif  // BTE_PLATFORM_CHANGE_WATCH_H
