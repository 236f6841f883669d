#include "projectbuild/review_folder.h"

#include <system_error>

#include "projectbuild/output_file.h"
#include "projectbuild/output_manifest.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;

std::string ReviewFolderConflict(const fs::path& folder, bool review) {
  std::error_code code;
  const bool holdsReview = fs::exists(folder / kReviewMarkerName, code);
  if (!review && holdsReview)
    return folder.string() + " holds a review copy, in which excluded content stays visible; "
           "build into another folder (or delete this one first)";
  if (review && !holdsReview && fs::exists(folder / kManifestName, code))
    return folder.string() + " holds a build; write the review copy to a folder of its own";
  return {};
}

bool WriteReviewMarker(const fs::path& folder, const std::string& target, std::string& error) {
  std::error_code code;
  fs::create_directories(folder, code);
  return WriteFileAtomically(folder / kReviewMarkerName,
                             "A review copy" + (target.empty() ? "" : " of target " + target) +
                                 ": excluded content is kept and marked. Not for publishing.\n",
                             error);
}

}  // namespace bte::projectbuild
