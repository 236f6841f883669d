// Building one HTML topic: left out when its topic-level tags are excluded,
// otherwise filtered in the links mode on the parsed document.
#ifndef BTE_PROJECTBUILD_TOPIC_JOB_H
#define BTE_PROJECTBUILD_TOPIC_JOB_H

#include <filesystem>
#include <memory>
#include <string_view>

#include "buildtagexpr.h"
#include "pagesift/pagesift.h"
#include "projectbuild/build_report.h"
#include "projectbuild/file_jobs.h"

namespace bte::projectbuild {

// Whether the expression excludes a tag list as topics write it (names
// separated by "," or ";").
bool ExcludesTagList(IBuildTagExprParser* parser, std::string_view list);

// The topic at from, read and analysed, its links to resolve inside
// projectRoot; null when it cannot be read. result counts the bytes read.
std::unique_ptr<CHtmlFileEx> AnalyseTopic(const std::filesystem::path& from,
                                          const std::filesystem::path& projectRoot,
                                          FileResult& result);

// Takes our markup out unless the settings keep it, saves the topic and
// writes it to `to`; the result gains the written size and hash, or fails.
FileResult WriteTopic(CHtmlFileEx& document, const std::filesystem::path& to,
                      const TargetSettings& settings, FileResult result);

// Links resolve inside projectRoot only.
FileResult FilterTopic(const std::filesystem::path& from, const std::filesystem::path& to,
                       const std::filesystem::path& projectRoot, const TargetSettings& settings,
                       FileResult result);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TOPIC_JOB_H
