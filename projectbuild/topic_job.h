// Building one HTML topic: left out when its topic-level tags are excluded,
// otherwise filtered in the links mode on the parsed document.
#ifndef BTE_PROJECTBUILD_TOPIC_JOB_H
#define BTE_PROJECTBUILD_TOPIC_JOB_H

#include <filesystem>
#include <string>

#include "projectbuild/build_report.h"
#include "projectbuild/file_jobs.h"

namespace bte::projectbuild {

// Links resolve inside projectRoot only.
FileResult FilterTopic(const std::filesystem::path& from, const std::filesystem::path& to,
                       const std::filesystem::path& projectRoot, const TargetSettings& settings,
                       FileResult result);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TOPIC_JOB_H
