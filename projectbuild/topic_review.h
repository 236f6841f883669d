// A topic's review copy: nothing is removed. Excluded elements get a class
// and a title naming their tags, links a build would remove are marked, a
// left-out topic gets a banner naming its topic tags, and one style element
// makes all of it visible. For authors only: never a build.
#ifndef BTE_PROJECTBUILD_TOPIC_REVIEW_H
#define BTE_PROJECTBUILD_TOPIC_REVIEW_H

#include <filesystem>

#include "projectbuild/build_report.h"
#include "projectbuild/file_jobs.h"

namespace bte::projectbuild {

// The result counts what a build would remove; outcome kLeftOut for a
// topic a build leaves out (its review copy is written all the same).
FileResult ReviewTopic(const std::filesystem::path& from, const std::filesystem::path& to,
                       const std::filesystem::path& projectRoot, const TargetSettings& settings,
                       FileResult result);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TOPIC_REVIEW_H
