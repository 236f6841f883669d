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

#include <atomic>
#include <cstdint>
#include <memory>
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

// The process's watch: the system's (SystemChangeWatch) until the process
// switches it to snapshots. A program that reads a tree which nothing
// changes while it works on it, and then ends, needs no kernel watches:
// setting them up costs system calls on the way, and the kernel takes
// milliseconds to tear them down at the program's end, which waits for it.
class ProcessChangeWatch final : public ChangeWatch {
 public:
  explicit ProcessChangeWatch(std::unique_ptr<ChangeWatch> system);

  ChangeMark Watch(const std::string& folder, const std::string& file) override;
  void CatchUp() override;
  bool Unchanged(const ChangeMark& mark) const override;

  // From now on, for good, whatever is read stands as read until the next
  // NewSnapshot, and the system is asked nothing. Marks taken before stop
  // standing.
  void UseSnapshots();
  // Ends the snapshot: no mark taken before stands. Nothing before
  // UseSnapshots.
  void NewSnapshot();

 private:
  std::unique_ptr<ChangeWatch> system_;
  std::atomic<bool> snapshots_{false};
  std::atomic<uint64_t> snapshot_{1};
};

// The system's watch alone: inotify on Linux; on Windows every mark is
// unwatched (stamps).
std::unique_ptr<ChangeWatch> SystemChangeWatch();

// The process's watch, safe to use from several threads. Each binary that
// holds this unit has its own.
ProcessChangeWatch& SharedChangeWatch();

}  // namespace bte::platform

#endif  // BTE_PLATFORM_CHANGE_WATCH_H
