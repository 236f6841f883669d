#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <limits>

#include <unistd.h>

#include "buildtagexpr.h"

namespace bte::platform {

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, uint32_t& length) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) throw BuildTagExprFileError(path, errno);
  const std::streamoff size = file.tellg();
  if (size < 0) throw BuildTagExprFileError(path, errno);
  // Offsets and lengths in the filters are 32-bit.
  if (static_cast<uint64_t>(size) >= std::numeric_limits<uint32_t>::max()) return false;
  file.seekg(0);
  bytes.assign(static_cast<size_t>(size) + 1, '\0');
  file.read(bytes.data(), size);
  if (file.bad()) throw BuildTagExprFileError(path, errno);
  if (file.gcount() != size) return false;
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
