// Building one HTML topic: left out when its topic-level tags are excluded,
// otherwise filtered in the links mode on the parsed document.
#ifndef BTE_CLI_PROJECT_BUILD_TOPIC_JOB_H
#define BTE_CLI_PROJECT_BUILD_TOPIC_JOB_H

#include <filesystem>
#include <string>

#include "cli/project_build/build_report.h"

namespace bte::cli {

// Links resolve inside projectRoot only.
FileResult FilterTopic(const std::filesystem::path& from, const std::filesystem::path& to,
                       const std::filesystem::path& projectRoot, const std::string& expression,
                       FileResult result);

}  // namespace bte::cli

#endif  // BTE_CLI_PROJECT_BUILD_TOPIC_JOB_H
