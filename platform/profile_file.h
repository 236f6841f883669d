// The platform's private-profile functions, as the expression store uses
// them on a project file.
//
// A ProfileFile reads the file once when made and answers from memory; its
// writes change the memory and reach the disk together when Commit replaces
// the file. The single-call functions below read the file afresh on every
// call and commit every write at once.
//
// A commit never leaves a half-written file: the new bytes go to a temporary
// file in the same folder, are flushed to the disk and renamed over the
// project file, which keeps its permissions. A crash, a full disk or a killed
// process leaves the old file or the new one, and of two writers the last
// one wins. A file that is read-only, not a regular file, or could not be
// read is never replaced.
#ifndef BTE_PLATFORM_PROFILE_FILE_H
#define BTE_PLATFORM_PROFILE_FILE_H

#include <cstdint>
#include <string>

#include "platform/profile_document.h"

namespace bte::platform {

class ReplacementSteps;

class ProfileFile {
 public:
  // A missing or unreadable file, or one larger than 16 MiB, reads as an
  // empty one. Commits go through steps (the system's unless a test
  // watches them).
  explicit ProfileFile(std::string path);
  ProfileFile(std::string path, ReplacementSteps& steps);

  uint32_t GetSectionNames(char* buffer, uint32_t size) const {
    return document_.GetSectionNames(buffer, size);
  }
  uint32_t GetString(const char* section, const char* key, const char* defaultValue,
                     char* buffer, uint32_t size) const {
    return document_.GetString(section, key, defaultValue, buffer, size);
  }
  uint32_t GetSection(const char* section, char* buffer, uint32_t size) const {
    return document_.GetSection(section, buffer, size);
  }
  bool WriteString(const char* section, const char* key, const char* value);
  bool WriteSection(const char* section, const char* block);

  // Writes the edits made so far. True when the file now holds them (or
  // nothing was edited); false when it could not be replaced, in which case
  // it is as it was.
  bool Commit();

 private:
  std::string path_;
  ReplacementSteps* steps_;
  std::string original_;
  ProfileDocument document_;
  bool existed_ = false;
  bool readable_ = true;
  bool edited_ = false;
};

uint32_t ReadProfileSectionNames(char* buffer, uint32_t size, const char* path);
uint32_t ReadProfileString(const char* section, const char* key, const char* defaultValue,
                           char* buffer, uint32_t size, const char* path);
uint32_t ReadProfileSection(const char* section, char* buffer, uint32_t size, const char* path);
// A missing file is created (also by a delete); false for a null section.
bool WriteProfileKey(const char* section, const char* key, const char* value, const char* path);
bool WriteProfileSection(const char* section, const char* block, const char* path);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_PROFILE_FILE_H
