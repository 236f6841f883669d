// The record a build leaves in its output folder of the files it wrote
// there, so that a later build can tell its own stale outputs from the
// author's files: only a file that a build wrote, and that nobody changed
// since, is ever deleted (--clean).
#ifndef BTE_PROJECTBUILD_OUTPUT_MANIFEST_H
#define BTE_PROJECTBUILD_OUTPUT_MANIFEST_H

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bte::projectbuild {

constexpr const char* kManifestName = ".buildtags-manifest";

struct WrittenFile {
  uint64_t size = 0;
  uint64_t hash = 0;  // ContentHash of the bytes written
};

// Below the output folder.
using OutputManifest = std::map<std::filesystem::path, WrittenFile>;

uint64_t ContentHash(std::string_view bytes);

// The manifest in folder; none when there is none. Lines that are not
// understood, or that name a path outside the folder, are left out and
// described in warnings: they are never followed.
OutputManifest ReadManifest(const std::filesystem::path& folder,
                            std::vector<std::string>& warnings);

bool WriteManifest(const std::filesystem::path& folder, const OutputManifest& manifest,
                   std::string& error);

// Whether the file at path still holds what the manifest says was written.
bool Unchanged(const std::filesystem::path& path, const WrittenFile& written);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_OUTPUT_MANIFEST_H
