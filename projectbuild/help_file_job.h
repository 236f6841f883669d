// Building a contents, index or help project file once the topics are
// built: what names a left-out topic goes.
#ifndef BTE_PROJECTBUILD_HELP_FILE_JOB_H
#define BTE_PROJECTBUILD_HELP_FILE_JOB_H

#include "projectbuild/build_report.h"
#include "projectbuild/file_jobs.h"
#include "projectbuild/left_out_topics.h"
#include "projectbuild/source_tree.h"

namespace bte::projectbuild {

FileResult BuildHelpFile(const BuildPaths& paths, const SourceFile& file,
                         const LeftOutTopics& leftOut, const TargetSettings& settings);

// For a review copy: the file copied unchanged (the left-out topics are in
// the copy too), with what a build would remove listed.
FileResult ReviewHelpFile(const BuildPaths& paths, const SourceFile& file,
                          const LeftOutTopics& leftOut, const TargetSettings& settings);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_HELP_FILE_JOB_H
