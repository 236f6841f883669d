#include "projectbuild/output_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/worker_threads.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTemporaryPrefix = ".buildtags-tmp-";

std::string Describe(int error) { return std::strerror(error); }

}  // namespace

fs::path TemporaryPathFor(const fs::path& destination) {
  static std::atomic<unsigned> counter{0};
  const auto thread = platform::CurrentThreadNumber() % 100000;
  return destination.parent_path() /
         (std::string(kTemporaryPrefix) + std::to_string(thread) + "-" +
          std::to_string(counter++) + "-" + destination.filename().string());
}

bool IsTemporaryOutputName(const fs::path& path) {
  return path.filename().string().rfind(kTemporaryPrefix, 0) == 0;
}

bool CommitTemporary(const fs::path& temporary, const fs::path& destination, std::string& error) {
  std::error_code code;
  fs::rename(temporary, destination, code);
  if (!code) return true;
  error = "cannot rename into place: " + code.message();
  fs::remove(temporary, code);
  return false;
}

bool WriteFileAtomically(const fs::path& destination, std::string_view bytes, std::string& error) {
  const fs::path temporary = TemporaryPathFor(destination);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "cannot create " + temporary.string() + ": " + Describe(errno);
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      error = "cannot write: " + Describe(errno);
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  return CommitTemporary(temporary, destination, error);
}

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open: " + Describe(errno);
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read: " + Describe(errno);
    return false;
  }
  return true;
}

}  // namespace bte::projectbuild
