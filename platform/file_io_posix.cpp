#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/replacement_steps.h"

namespace bte::platform {
namespace {

FileResult Failure(int error) {
  const bool missing = error == ENOENT || error == ENOTDIR;
  return {missing ? FileStatus::kMissing : FileStatus::kFailed, error};
}

// Closes the descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

FileResult ReadInto(int fd, uint64_t size, uint64_t sizeLimit, std::string& bytes) {
  // One byte more than announced shows, without a second allocation,
  // whether the file grew since.
  bytes.resize(static_cast<size_t>(size) + 1);
  size_t done = 0;
  for (;;) {
    if (done == bytes.size()) bytes.resize(done + done / 2 + 4096);
    const size_t asked = bytes.size() - done;
    const ssize_t got = ::read(fd, &bytes[done], asked);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failure(errno);
    if (got == 0) break;
    done += static_cast<size_t>(got);
    if (done > sizeLimit) return {FileStatus::kTooLarge, EFBIG};
    // Exactly the announced size, and less than asked for: the end of the
    // file, without one more call to see it. (Files of /proc announce no
    // size and hand out a page a read: those are read to the empty read.)
    if (done == size && static_cast<size_t>(got) < asked) break;
  }
  bytes.resize(done);
  return {};
}

// Permission bits decide what Windows calls the read-only attribute; the
// check is made on the bits, so it holds for a privileged user as well.
FileResult Replaceable(const std::string& path, const struct stat& info) {
  if (!S_ISREG(info.st_mode)) return {FileStatus::kNotAFile, S_ISDIR(info.st_mode) ? EISDIR : EINVAL};
  if ((info.st_mode & 0222) == 0) return {FileStatus::kReadOnly, EACCES};
  if (::access(path.c_str(), W_OK) != 0) return Failure(errno);
  return {};
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixSteps final : public ReplacementSteps {
 public:
  explicit PosixSteps(bool unnamedFirst) : unnamedFirst_(unnamedFirst) {}

  std::string ResolveLinks(const std::string& path) override {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    return path;
  }

  // A file without a name where the system offers one: it takes target's
  // name in one step when target does not exist yet, where a named
  // temporary file costs a look-up, a creation and a rename in the folder
  // (each of which waits for the others' in a build writing on several
  // threads). Whether target exists, and may be replaced, is seen then.
  FileResult CreateTemporary(const std::string& target, Temporary& temporary) override {
    if (unnamedFirst_ && UnnamedFilesCanBeNamed()) {
      const int fd = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
      if (fd >= 0) {
        temporary.path.clear();
        temporary.handle = fd;
        return {};
      }
      if (errno == ENOENT || errno == ENOTDIR) return Failure(errno);
      // Otherwise a file system without unnamed files: a named one.
    }
    return CreateNamed(target, temporary);
  }

  FileResult Write(Temporary& temporary, std::string_view bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t put =
          ::write(static_cast<int>(temporary.handle), bytes.data() + done, bytes.size() - done);
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return Failure(errno);
      if (put == 0) return Failure(ENOSPC);
      done += static_cast<size_t>(put);
    }
    return {};
  }

  FileResult Flush(Temporary& temporary) override {
    if (::fsync(static_cast<int>(temporary.handle)) != 0) return Failure(errno);
    return {};
  }

  // An unnamed file stays open until MoveOver names it: closed, it would
  // be gone.
  FileResult Close(Temporary& temporary) override {
    if (temporary.path.empty()) return {};
    const int fd = static_cast<int>(temporary.handle);
    temporary.handle = -1;
    if (::close(fd) != 0) return Failure(errno);
    return {};
  }

  FileResult MoveOver(Temporary& temporary, const std::string& target) override {
    if (temporary.path.empty()) return NameUnnamed(temporary, target);
    if (::rename(temporary.path.c_str(), target.c_str()) != 0) return Failure(errno);
    return {};
  }

  void FlushFolder(const std::string& target) override {
    const Descriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
  }

  void Discard(Temporary& temporary) override {
    if (temporary.handle >= 0) ::close(static_cast<int>(temporary.handle));
    temporary.handle = -1;
    if (!temporary.path.empty()) ::unlink(temporary.path.c_str());
  }

 private:
  // Naming an unnamed file goes through its entry in /proc, which a
  // container may lack.
  static bool UnnamedFilesCanBeNamed() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
  }

  // Names the file by its descriptor where the system allows that (any
  // user since Linux 6.10, before only a privileged one): through its
  // entry in /proc each naming walks /proc, a few percent of a build.
  static bool Link(int fd, const std::string& name) {
    static std::atomic<bool> directRefused{false};
    if (!directRefused.load(std::memory_order_relaxed)) {
      if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return true;
      if (errno != ENOENT && errno != EPERM) return false;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const bool linked =
        ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    // Got further than the direct way: that one was refused, not the name.
    if (linked || errno != ENOENT) directRefused.store(true, std::memory_order_relaxed);
    return linked;
  }

  // Gives the unnamed file target's name when target does not exist; else
  // takes target's permissions, a temporary name and target's place, as a
  // named temporary file does. Closed once named: a local file system (the
  // only kind with unnamed files) reports no error on closing.
  FileResult NameUnnamed(Temporary& temporary, const std::string& target) {
    const int fd = static_cast<int>(temporary.handle);
    if (Link(fd, target)) return CloseNamed(temporary);
    if (errno != EEXIST) return Failure(errno);
    struct stat info {};
    // A link still here is to be replaced itself, by a new file.
    const bool exists = ::lstat(target.c_str(), &info) == 0 && !S_ISLNK(info.st_mode);
    if (exists) {
      const FileResult refused = Replaceable(target, info);
      if (!refused.ok()) return refused;
      const FileResult kept = KeepOwnership(fd, info);
      if (!kept.ok()) return kept;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = TemporaryNameFor(target);
      if (!Link(fd, name)) {
        if (errno == EEXIST) continue;
        return Failure(errno);
      }
      CloseNamed(temporary);
      if (::rename(name.c_str(), target.c_str()) == 0) return {};
      const FileResult failed = Failure(errno);
      ::unlink(name.c_str());
      return failed;
    }
    return Failure(EEXIST);
  }

  static FileResult CloseNamed(Temporary& temporary) {
    ::close(static_cast<int>(temporary.handle));
    temporary.handle = -1;
    return {};
  }

  // The replacement of an existing file gets its permissions (and owner
  // where the process may give it).
  static FileResult KeepOwnership(int fd, const struct stat& info) {
    if (::fchmod(fd, info.st_mode & 07777) != 0) return Failure(errno);
    // Only a privileged user may hand the file back to its owner; anyone
    // else keeps it as their own, which the result need not report.
    (void)!::fchown(fd, info.st_uid, info.st_gid);
    return {};
  }

  FileResult CreateNamed(const std::string& target, Temporary& temporary) {
    struct stat info {};
    // A link still here is to be replaced itself, by a new file.
    const bool exists = ::lstat(target.c_str(), &info) == 0 && !S_ISLNK(info.st_mode);
    if (exists) {
      const FileResult refused = Replaceable(target, info);
      if (!refused.ok()) return refused;
    }
    // A new file gets the permissions the process's umask allows.
    const FileResult created = CreateExclusive(target, exists ? 0600 : 0666, temporary);
    if (!created.ok() || !exists) return created;
    const FileResult kept = KeepOwnership(static_cast<int>(temporary.handle), info);
    if (!kept.ok()) Discard(temporary);
    return kept;
  }

  static FileResult CreateExclusive(const std::string& target, mode_t mode, Temporary& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      temporary.path = TemporaryNameFor(target);
      const int fd = ::open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd >= 0) {
        temporary.handle = fd;
        return {};
      }
      if (errno != EEXIST) return Failure(errno);
    }
    return Failure(EEXIST);
  }

  const bool unnamedFirst_;
};

// Opens path for reading when it names a regular file within sizeLimit.
FileResult OpenRegular(const std::string& path, uint64_t sizeLimit, Descriptor& file,
                       uint64_t& size) {
  // Non-blocking, so that a pipe given as the path cannot hang the reader.
  file.Reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0) return Failure(errno);
  if (!S_ISREG(info.st_mode)) return {FileStatus::kNotAFile, S_ISDIR(info.st_mode) ? EISDIR : EINVAL};
  if (static_cast<uint64_t>(info.st_size) > sizeLimit) return {FileStatus::kTooLarge, EFBIG};
  size = static_cast<uint64_t>(info.st_size);
  return {};
}

}  // namespace

FileContents ReadWholeFile(const std::string& path, uint64_t sizeLimit) {
  FileContents contents;
  FileResult& result = contents;
  Descriptor file(-1);
  uint64_t size = 0;
  result = OpenRegular(path, sizeLimit, file, size);
  if (result.ok()) result = ReadInto(file.get(), size, sizeLimit, contents.bytes);
  if (!result.ok()) contents.bytes.clear();
  return contents;
}

void FileView::Unmap() { ::munmap(const_cast<char*>(data_), size_); }

FileResult OpenFileView(const std::string& path, FileView& view, uint64_t sizeLimit) {
  view.Release();
  Descriptor file(-1);
  uint64_t size = 0;
  FileResult result = OpenRegular(path, sizeLimit, file, size);
  if (!result.ok()) return result;
  if (size >= kSmallestMappedFile && size <= SIZE_MAX) {
    void* mapped =
        ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, file.get(), 0);
    if (mapped != MAP_FAILED) {
      view.ShowMapped(mapped, static_cast<size_t>(size));
      return result;
    }
  }
  // Too small to be worth mapping, or a file system that cannot map.
  return view.ShowRead(ReadInto(file.get(), size, sizeLimit, view.read_));
}

FileResult CheckReplaceable(const std::string& path) {
  const std::string target = SystemReplacementSteps().ResolveLinks(path);
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return Failure(errno);
  return Replaceable(target, info);
}

bool HoldsExactly(const std::string& path, std::string_view bytes) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0) return false;
  if (!S_ISREG(info.st_mode) || info.st_nlink != 1 ||
      static_cast<uint64_t>(info.st_size) != bytes.size() || !Replaceable(path, info).ok())
    return false;
  char block[16384];
  for (size_t done = 0;;) {
    const ssize_t got = ::read(file.get(), block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0 && done == bytes.size();
    const auto count = static_cast<size_t>(got);
    if (count > bytes.size() - done || std::memcmp(block, bytes.data() + done, count) != 0)
      return false;
    done += count;
  }
}

std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = target.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, nameStart) + std::string(kTemporaryPrefix) +
         std::to_string(::getpid()) + '-' + std::to_string(counter++) + '-' +
         target.substr(nameStart);
}

std::string Describe(const FileResult& result) {
  if (result.status == FileStatus::kAbandoned) return "the content could not be made";
  return std::strerror(result.systemError);
}

ReplacementSteps& SystemReplacementSteps() {
  static PosixSteps steps(/*unnamedFirst=*/true);
  return steps;
}

ReplacementSteps& NamedTemporaryReplacementSteps() {
  static PosixSteps steps(/*unnamedFirst=*/false);
  return steps;
}

}  // namespace bte::platform
