// A review copy must never be mistaken for a build: its folder carries a
// marker file, a build refuses a folder that has it, and a review refuses
// a folder that holds a build.
#ifndef BTE_PROJECTBUILD_REVIEW_FOLDER_H
#define BTE_PROJECTBUILD_REVIEW_FOLDER_H

#include <filesystem>
#include <string>

namespace bte::projectbuild {

constexpr const char* kReviewMarkerName = ".buildtags-review";

// Empty when a build (review false) or a review copy (review true) may be
// written into folder; else why not.
std::string ReviewFolderConflict(const std::filesystem::path& folder, bool review);

bool WriteReviewMarker(const std::filesystem::path& folder, const std::string& target,
                       std::string& error);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_REVIEW_FOLDER_H
