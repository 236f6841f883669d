// A folder of the process's own under the system's temporary folder, where
// the tool tries a change on a copy of a file before the file itself is
// touched. It goes, with every file in it, when the object does.
#ifndef BTE_PLATFORM_SCRATCH_FOLDER_H
#define BTE_PLATFORM_SCRATCH_FOLDER_H

#include <string>

#include "platform/file_io.h"

namespace bte::platform {

class ScratchFolder {
 public:
  // Made in $TMPDIR, else /tmp, readable by the process's user only.
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // kOk when the folder exists; otherwise why it could not be made.
  const FileResult& result() const { return result_; }
  std::string File(const std::string& name) const { return path_ + '/' + name; }

 private:
  std::string path_;
  FileResult result_;
};

}  // namespace bte::platform

#endif  // BTE_PLATFORM_SCRATCH_FOLDER_H
