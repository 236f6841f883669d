#include "platform/profile_file.h"

#include "platform/file_io.h"
#include "platform/replacement_steps.h"

namespace bte::platform {
namespace {

// Project files are kilobytes; a larger file is not one, and holding it line
// by line could take many times its size in memory.
constexpr uint64_t kLargestProfileFile = 16 << 20;

}  // namespace

ProfileFile::ProfileFile(std::string path) : ProfileFile(std::move(path), SystemReplacementSteps()) {}

ProfileFile::ProfileFile(std::string path, ReplacementSteps& steps)
    : path_(std::move(path)), steps_(&steps) {
  if (path_.empty()) return;
  FileContents file = ReadWholeFile(path_, kLargestProfileFile);
  if (file.status == FileStatus::kMissing) return;
  existed_ = true;
  readable_ = file.ok();
  if (!readable_) return;
  original_ = std::move(file.bytes);
  document_ = ProfileDocument(original_);
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
  // Unchanged bytes need no write; the answer is still the one a write
  // would have had.
  if (existed_ && bytes == original_) return CheckReplaceable(path_).ok();
  if (!ReplaceFileAtomically(path_, bytes, ReplaceOptions{}, *steps_).ok()) return false;
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

}  // namespace bte::platform
