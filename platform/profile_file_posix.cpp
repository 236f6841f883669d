#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace bte::platform {
namespace {

enum class ReadOutcome { kRead, kMissing, kUnreadable };

// Project files are kilobytes; a larger file is not one, and holding it line
// by line could take many times its size in memory.
constexpr off_t kLargestProfileFile = 16 << 20;

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
  // Non-blocking so that a FIFO given as the path cannot hang the reader.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadOutcome::kMissing : ReadOutcome::kUnreadable;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kLargestProfileFile) {
    close(fd);
    return ReadOutcome::kUnreadable;
  }
  bytes.resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  for (;;) {
    if (done == bytes.size()) bytes.resize(bytes.size() + 4096);
    const ssize_t got = read(fd, &bytes[done], bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      close(fd);
      bytes.clear();
      return ReadOutcome::kUnreadable;
    }
    if (got == 0) break;
    done += static_cast<size_t>(got);
    if (done > static_cast<size_t>(kLargestProfileFile)) {
      close(fd);
      bytes.clear();
      return ReadOutcome::kUnreadable;
    }
  }
  bytes.resize(done);
  close(fd);
  return ReadOutcome::kRead;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<size_t>(put);
  }
  return true;
}

// Replacing a symbolic link would cut it; the file it names is replaced.
std::string ResolvedPath(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) != nullptr) return resolved;
  return path;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Permission bits decide what Windows calls the read-only attribute; the
// check is made on the bits, so it holds for a privileged user as well.
bool IsWritableFile(const std::string& path, const struct stat& info) {
  return S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

int CreateTemporaryBeside(const std::string& path, mode_t mode, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + '.' + base + ".tmp-" + std::to_string(getpid()) + '-' +
           std::to_string(counter++);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string target = ResolvedPath(path);
  struct stat info;
  const bool exists = stat(target.c_str(), &info) == 0;
  if (exists && !IsWritableFile(target, info)) return false;
  std::string temporary;
  // A new file gets the permissions the process's umask allows.
  const int fd = CreateTemporaryBeside(target, exists ? 0600 : 0666, temporary);
  if (fd < 0) return false;
  bool ok = true;
  if (exists) {
    ok = fchmod(fd, info.st_mode & 07777) == 0;
    // Only a privileged user may hand the file back to its owner; anyone
    // else keeps it as their own, which the result need not report.
    (void)!fchown(fd, info.st_uid, info.st_gid);
  }
  ok = ok && WriteAll(fd, bytes) && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
  if (path_.empty()) return;
  switch (ReadWholeFile(path_, original_)) {
    case ReadOutcome::kRead:
      existed_ = true;
      document_ = ProfileDocument(original_);
      break;
    case ReadOutcome::kMissing:
      break;
    case ReadOutcome::kUnreadable:
      existed_ = true;
      readable_ = false;
      break;
  }
}

bool ProfileFile::WriteString(const char* section, const char* key, const char* value) {
  const bool accepted = document_.WriteString(section, key, value);
  edited_ = edited_ || accepted;
  return accepted;
}

bool ProfileFile::WriteSection(const char* section, const char* block) {
  const bool accepted = document_.WriteSection(section, block);
  edited_ = edited_ || accepted;
  return accepted;
}

bool ProfileFile::Commit() {
  if (!edited_) return true;
  // What could not be read cannot be rewritten without losing it.
  if (path_.empty() || !readable_) return false;
  const std::string bytes = document_.Serialize();
  if (existed_ && bytes == original_) {
    struct stat info;
    const std::string target = ResolvedPath(path_);
    return stat(target.c_str(), &info) == 0 && IsWritableFile(target, info);
  }
  if (!ReplaceFile(path_, bytes)) return false;
  original_ = bytes;
  existed_ = true;
  edited_ = false;
  return true;
}

uint32_t ReadProfileSectionNames(char* buffer, uint32_t size, const char* path) {
  return ProfileFile(path != nullptr ? path : "").GetSectionNames(buffer, size);
}

uint32_t ReadProfileString(const char* section, const char* key, const char* defaultValue,
                           char* buffer, uint32_t size, const char* path) {
  return ProfileFile(path != nullptr ? path : "").GetString(section, key, defaultValue, buffer, size);
}

uint32_t ReadProfileSection(const char* section, char* buffer, uint32_t size, const char* path) {
  return ProfileFile(path != nullptr ? path : "").GetSection(section, buffer, size);
}

bool WriteProfileKey(const char* section, const char* key, const char* value, const char* path) {
  ProfileFile file(path != nullptr ? path : "");
  return file.WriteString(section, key, value) && file.Commit();
}

bool WriteProfileSection(const char* section, const char* block, const char* path) {
  ProfileFile file(path != nullptr ? path : "");
  return file.WriteSection(section, block) && file.Commit();
}

uint32_t ReadFileAttributes(const char* path) {
  struct stat info;
  if (path == nullptr || stat(path, &info) != 0) return kInvalidFileAttributes;
  if (S_ISDIR(info.st_mode)) return kFileAttributeDirectory;
  return kFileAttributeArchive | ((info.st_mode & 0222) == 0 ? kFileAttributeReadOnly : 0);
}

bool ChangeFileAttributes(const char* path, uint32_t attributes) {
  struct stat info;
  if (path == nullptr || stat(path, &info) != 0) return false;
  const mode_t mode = (attributes & kFileAttributeReadOnly) != 0 ? (info.st_mode & ~mode_t{0222})
                                                                  : (info.st_mode | S_IWUSR);
  return chmod(path, mode & 07777) == 0;
}

}  // namespace bte::platform
