#include "platform/scratch_folder.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace bte::platform {

ScratchFolder::ScratchFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") +
                        "/buildtags-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) {
    result_ = {FileStatus::kFailed, errno};
    return;
  }
  path_ = name.data();
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  // Only plain files are ever made here.
  if (DIR* dir = ::opendir(path_.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") ::unlink(File(name).c_str());
    }
    ::closedir(dir);
  }
  ::rmdir(path_.c_str());
}

}  // namespace bte::platform
