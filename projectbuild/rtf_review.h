// An RTF document's review copy: nothing is removed. Excluded passages are
// highlighted with a colour added to the colour table, and each excluded
// range's annotation becomes a visible bracketed note naming its tags. The
// range markers go, as in a build. For authors only: never a build.
#ifndef BTE_PROJECTBUILD_RTF_REVIEW_H
#define BTE_PROJECTBUILD_RTF_REVIEW_H

#include <filesystem>
#include <string>
#include <vector>

#include "projectbuild/beyond_interface.h"
#include "projectbuild/build_report.h"
#include "projectbuild/file_jobs.h"

namespace bte::projectbuild {

// The review copy of rtf cut into pieces; passages gets a short excerpt of
// each run of excluded content.
std::string WriteRtfReview(const std::string& rtf, const std::vector<RtfPiece>& pieces,
                           std::vector<std::string>& passages);

FileResult ReviewRtf(const std::filesystem::path& from, const std::filesystem::path& to,
                     const TargetSettings& settings, FileResult result);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_RTF_REVIEW_H
