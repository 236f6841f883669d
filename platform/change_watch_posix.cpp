// The change watch on Linux: one inotify instance per binary. Each folder
// is watched with every folder on the way to it, from the root (or the
// working folder) down, each watch placed before the next step is looked
// at, so that nothing can change unseen between looking and watching.
#include "platform/change_watch.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/brief_lock.h"

namespace bte::platform {
namespace {

// What changes the way to a folder: an entry on it added, removed, renamed
// or given other permissions, or the folder itself moved or removed.
constexpr uint32_t kWayEvents =
    IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// A watched folder counts its entries' content changes too.
constexpr uint32_t kFolderEvents = kWayEvents | IN_MODIFY;
constexpr uint32_t kFileEvents = IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// Events about the watched object itself rather than an entry of it.
constexpr uint32_t kSelfEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;
// More folders than a process resolves links in; past it, stamps.
constexpr size_t kMostFolders = 4096;
// Symbolic links followed on one way, as the kernel allows.
constexpr int kMostLinks = 40;

// File systems that only this kernel changes, so that it sees every change
// (statfs magic numbers). On others (network file systems, FUSE) another
// machine or process may change files unseen.
constexpr unsigned long kLocalFileSystems[] = {
    0xEF53,      // ext2, ext3, ext4
    0x58465342,  // xfs
    0x9123683E,  // btrfs
    0x01021994,  // tmpfs
    0x858458F6,  // ramfs
    0x794C7630,  // overlayfs
    0xF2F52010,  // f2fs
    0x2FC12FC1,  // zfs
    0xCA451A4E,  // bcachefs
    0x3153464A,  // jfs
    0x52654973,  // reiserfs
    0x4D44,      // vfat
    0x2011BAB0,  // exfat
    0x5346544E,  // ntfs3
};

// 0 for a folder on a local file system, else why it cannot be watched.
int LocalFileSystemError(const std::string& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return errno;
  for (const unsigned long type : kLocalFileSystems)
    if (static_cast<unsigned long>(info.f_type) == type) return 0;
  return EXDEV;
}

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

// Pushes the steps of path onto pending so that the first is taken next:
// "." and empty ones dropped, ".." kept (the watch on the folder before it
// sees that folder moved).
void PushSteps(std::vector<std::string>& pending, const std::string& path) {
  const size_t first = pending.size();
  size_t at = 0;
  while (at <= path.size()) {
    size_t slash = path.find('/', at);
    if (slash == std::string::npos) slash = path.size();
    std::string step = path.substr(at, slash - at);
    if (!step.empty() && step != ".") pending.push_back(std::move(step));
    at = slash + 1;
  }
  std::reverse(pending.begin() + static_cast<long>(first), pending.end());
}

// Where step leads from the folder at, itself written without symbolic
// links, so that ".." can go up in the text.
std::string StepFrom(const std::string& at, const std::string& step) {
  if (step != "..") return at == "." ? step : (at == "/" ? "" : at) + "/" + step;
  if (at == "/") return at;
  if (at == ".") return "..";
  const size_t slash = at.rfind('/');
  if (at.compare(slash == std::string::npos ? 0 : slash + 1, std::string::npos, "..") == 0) return at + "/..";
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : at.substr(0, slash);
}

std::string LinkTarget(const std::string& link) {
  char target[4096];
  const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof target) return {};
  return std::string(target, static_cast<size_t>(length));
}

struct Folder {
  std::atomic<uint64_t> changes{1};
  bool watched = false;
  // Cannot be watched for good (a symbolic link, another file system, a
  // watch refused): stamps only.
  bool unwatchable = false;
  std::unordered_set<std::string> files;
};

// A folder that events on one watch concern: every event, or only those
// naming one entry (its next step) or the watched folder itself.
struct Dependent {
  Folder* folder;
  std::string entry;  // empty: every event

  bool operator==(const Dependent& other) const {
    return folder == other.folder && entry == other.entry;
  }
};

// A file's own watch, which sees writes through any of its hard links: wd
// is -1 for a missing file, whose creation shows in its folder.
struct FileWatch {
  bool usable = false;
  int wd = -1;
};

FileWatch WatchFile(int fd, const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return {errno == ENOENT, -1};
  if (S_ISLNK(info.st_mode)) return {};
  const int wd = ::inotify_add_watch(fd, path.c_str(), kFileEvents | IN_MASK_ADD | IN_DONT_FOLLOW);
  if (wd < 0) return {errno == ENOENT, -1};
  return {true, wd};
}

class InotifyWatch final : public ChangeWatch {
 public:
  ~InotifyWatch() override {
    if (fd_ >= 0) ::close(fd_);
  }

  ChangeMark Watch(const std::string& folderPath, const std::string& file) override {
    std::unique_lock<BriefMutex> lock(mutex_);
    Folder* folder = Started() ? FolderAt(folderPath.empty() ? "." : folderPath) : nullptr;
    if (folder == nullptr || folder->unwatchable) return {};
    if (!folder->watched) folder->watched = WatchWay(folderPath, folder);
    if (!folder->watched) return {};
    if (!file.empty() && folder->files.count(file) == 0) {
      // The file's watch is added with the lock let go: two system calls,
      // the longest the other threads would wait. A change meanwhile that
      // a catch-up passes over is no loss, since the caller reads the file
      // after this returns.
      const int fd = fd_;
      lock.unlock();
      const FileWatch added = WatchFile(fd, folderPath.empty() ? file : folderPath + "/" + file);
      lock.lock();
      if (!added.usable || fd_ != fd) return {};
      if (added.wd >= 0) Depend(added.wd, {folder, std::string()});
      // Forgotten meanwhile: the way may lead elsewhere now.
      if (!folder->watched) return {};
      folder->files.insert(file);
    }
    return {folder, folder->changes.load()};
  }

  void CatchUp() override {
    std::lock_guard<BriefMutex> lock(mutex_);
    if (fd_ < 0) return;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, sizeof buffer);
      if (got > 0) {
        TakeIn(buffer, static_cast<size_t>(got));
      } else if (got < 0 && errno == EINTR) {
        continue;
      } else {
        if (got == 0 || errno != EAGAIN) Stop();  // the queue cannot be read: stamps from now on
        return;
      }
    }
  }

  bool Unchanged(const ChangeMark& mark) const override {
    return mark.watched() && static_cast<const Folder*>(mark.folder)->changes.load() == mark.changes;
  }

 private:
  bool Started() {
    if (!tried_) {
      tried_ = true;
      const char* off = std::getenv("BTE_NO_CHANGE_WATCH");
      if (off == nullptr || *off == '\0') fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    }
    return fd_ >= 0;
  }

  void Stop() {
    ForgetAll();
    ::close(fd_);
    fd_ = -1;
  }

  Folder* FolderAt(const std::string& path) {
    auto found = folders_.find(path);
    if (found != folders_.end()) return found->second.get();
    if (folders_.size() >= kMostFolders) return nullptr;
    return folders_.emplace(path, std::make_unique<Folder>()).first->second.get();
  }

  // From the top down: each folder on the way is watched (for the next
  // step's entry) before the next step is looked at. A symbolic link on the
  // way cannot change in place (replacing it shows in the folder that holds
  // it), so the way goes on through its target.
  bool WatchWay(const std::string& path, Folder* folder) {
    std::vector<std::string> pending;  // the steps still to take, the next last
    PushSteps(pending, path);
    std::string at = IsAbsolute(path) ? "/" : ".";
    for (int links = 0;;) {
      const std::string step = pending.empty() ? std::string() : pending.back();
      if (const int error = LocalFileSystemError(at)) return Refuse(folder, error);
      const uint32_t events = pending.empty() ? kFolderEvents : kWayEvents;
      const int wd = ::inotify_add_watch(fd_, at.c_str(), events | IN_MASK_ADD | IN_ONLYDIR | IN_DONT_FOLLOW);
      if (wd < 0) return Refuse(folder, errno);
      Depend(wd, {folder, step});
      if (pending.empty()) return true;
      pending.pop_back();
      const std::string next = StepFrom(at, step);
      struct stat info {};
      if (step != ".." && ::lstat(next.c_str(), &info) != 0) return Refuse(folder, errno);
      if (step == ".." || !S_ISLNK(info.st_mode)) {
        at = next;
        continue;
      }
      const std::string target = LinkTarget(next);
      if (target.empty() || ++links > kMostLinks) return Refuse(folder, ELOOP);
      PushSteps(pending, target);
      if (IsAbsolute(target)) at = "/";
    }
  }

  // A folder missing now may be there later; anything else is for good.
  static bool Refuse(Folder* folder, int error) {
    if (error != ENOENT && error != ENOTDIR) folder->unwatchable = true;
    return false;
  }

  void Depend(int wd, Dependent dependent) {
    std::vector<Dependent>& list = dependents_[wd];
    for (const Dependent& known : list)
      if (known == dependent) return;
    list.push_back(std::move(dependent));
  }

  void TakeIn(const char* buffer, size_t size) {
    for (size_t at = 0; at + sizeof(inotify_event) <= size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += sizeof(inotify_event) + event->len;
      if ((event->mask & IN_Q_OVERFLOW) != 0) {
        ForgetAll();
        continue;
      }
      const auto found = dependents_.find(event->wd);
      if (found == dependents_.end()) continue;
      const bool self = (event->mask & kSelfEvents) != 0 || event->len == 0;
      const std::string entry = self ? std::string() : std::string(event->name);
      for (const Dependent& dependent : found->second)
        if (self || dependent.entry.empty() || dependent.entry == entry) Forget(dependent.folder);
      if ((event->mask & IN_IGNORED) != 0) dependents_.erase(found);
    }
  }

  // Watched afresh when next asked: what the way leads to may be another
  // folder now.
  static void Forget(Folder* folder) {
    folder->changes.fetch_add(1);
    folder->watched = false;
    folder->files.clear();
  }

  void ForgetAll() {
    for (auto& entry : folders_) Forget(entry.second.get());
  }

  BriefMutex mutex_;
  bool tried_ = false;
  int fd_ = -1;
  std::unordered_map<std::string, std::unique_ptr<Folder>> folders_;
  std::unordered_map<int, std::vector<Dependent>> dependents_;
};

}  // namespace

std::unique_ptr<ChangeWatch> SystemChangeWatch() { return std::make_unique<InotifyWatch>(); }

}  // namespace bte::platform
