// One topic's text through the HTML filter, as a host filters a document it
// has analysed. Links resolve from the topic's folder, within the project
// root the HTML library finds for it (the nearest folder with a .hhp file).
#ifndef BTE_PROJECTBUILD_TOPIC_FILTER_H
#define BTE_PROJECTBUILD_TOPIC_FILTER_H

#include <memory>
#include <string>

#include "pagesift/pagesift.h"

namespace bte::projectbuild {

enum class TopicFilterStatus { kFiltered, kNoFilter, kUnparsable, kFilterFailed };

struct TopicFilterOptions {
  bool links = false;     // also remove links and related-topic items that lead to
                          // topics the expression leaves out
  bool keepTags = false;  // keep the build-tag markup in the output
};

// The filtered document, to be saved by the caller (in pieces, for a large
// topic: CHtmlPack::SaveInPieces).
struct FilteredTopicDocument {
  TopicFilterStatus status = TopicFilterStatus::kFilterFailed;
  std::unique_ptr<CHtmlFileEx> document;  // when filtered
};

// A document of source, which it takes over (a large topic is held once),
// living at topicPath for its links; not analysed yet.
std::unique_ptr<CHtmlFileEx> TopicDocument(std::string source, const std::string& topicPath);

// For a program that filters its topics and ends (the command-line tool):
// the files and folders that links lead to are taken as they were first
// read, without kernel watches, which the program's end would wait to take
// down. A build begins a new snapshot of them (project_build.h).
void TakeLinkedFilesAsFirstRead();

FilteredTopicDocument FilterTopicDocument(std::string source, const std::string& topicPath,
                                          const std::string& expression,
                                          const TopicFilterOptions& options);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TOPIC_FILTER_H
