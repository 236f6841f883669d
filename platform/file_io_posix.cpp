#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "buildtagexpr.h"

namespace bte::platform {

namespace {

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

 private:
  int fd_;
};

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, uint32_t& length) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throw BuildTagExprFileError(path, errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) throw BuildTagExprFileError(path, errno);
  if (S_ISDIR(status.st_mode)) throw BuildTagExprFileError(path, EISDIR);
  // Offsets and lengths in the filters are 32-bit.
  if (static_cast<uint64_t>(status.st_size) >= std::numeric_limits<uint32_t>::max()) return false;
  const size_t size = static_cast<size_t>(status.st_size);
  bytes.assign(size + 1, '\0');
  size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(file.get(), bytes.data() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw BuildTagExprFileError(path, errno);
    if (got == 0) return false;  // the file shrank while being read
    done += static_cast<size_t>(got);
  }
  length = static_cast<uint32_t>(size);
  return true;
}

bool WriteFileAtomically(const std::string& path, const char* data, uint32_t length) {
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(data, length);
    file.flush();
    if (!file) {
      file.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace bte::platform
