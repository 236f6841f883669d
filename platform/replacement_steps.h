// The system's side of one atomic file replacement, a call per step, so that
// the order of the steps is written once (ReplaceFileAtomically) and a test
// can watch it.
#ifndef BTE_PLATFORM_REPLACEMENT_STEPS_H
#define BTE_PLATFORM_REPLACEMENT_STEPS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_io.h"

namespace bte::platform {

// Temporary files of a replacement are named this, then the process, a
// count, and the target's name.
inline constexpr std::string_view kTemporaryPrefix = ".buildtags-tmp-";

class ReplacementSteps {
 public:
  // A temporary file and the platform's handle of it while it is open; an
  // empty path for a file that has no name yet.
  struct Temporary {
    std::string path;
    intptr_t handle = -1;
  };

  virtual ~ReplacementSteps() = default;

  // The file that a write through path reaches: path with its links resolved.
  virtual std::string ResolveLinks(const std::string& path) = 0;
  // Opens a new file beside target that no one else has opened, which gets
  // the target's permissions (and owner) when the target exists. A target
  // that may not be replaced (kReadOnly, kNotAFile) is refused here, or in
  // MoveOver for a file without a name.
  virtual FileResult CreateTemporary(const std::string& target, Temporary& temporary) = 0;
  virtual FileResult Write(Temporary& temporary, std::string_view bytes) = 0;
  // Returns once the written bytes are on the disk.
  virtual FileResult Flush(Temporary& temporary) = 0;
  // Closes a named temporary file; one without a name stays open until
  // MoveOver.
  virtual FileResult Close(Temporary& temporary) = 0;
  // Puts the temporary file in target's place in one step, and closes it
  // if it was still open.
  virtual FileResult MoveOver(Temporary& temporary, const std::string& target) = 0;
  // Returns once the rename into target's folder is on the disk.
  virtual void FlushFolder(const std::string& target) = 0;
  // After a failure: closes the temporary file if it is open and removes it.
  virtual void Discard(Temporary& temporary) = 0;
};

ReplacementSteps& SystemReplacementSteps();
// The system's steps with a named temporary file always, as on a file
// system that has no files without a name.
ReplacementSteps& NamedTemporaryReplacementSteps();

}  // namespace bte::platform

#endif  // BTE_PLATFORM_REPLACEMENT_STEPS_H
