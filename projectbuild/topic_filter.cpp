#include "projectbuild/topic_filter.h"

#include <memory>
#include <utility>

#include "buildtagexpr_host.h"
#include "pagesift/pagesift.h"
#include "projectbuild/topic_markup.h"

namespace bte::projectbuild {

std::unique_ptr<CHtmlFileEx> TopicDocument(std::string source, const std::string& topicPath) {
  CByteString bytes;
  bytes.Adopt(std::move(source));
  return std::make_unique<CHtmlFileEx>(std::move(bytes), topicPath.c_str());
}

void TakeLinkedFilesAsFirstRead() { CHtmlPack::UseSnapshotsOfFiles(); }

FilteredTopicDocument FilterTopicDocument(std::string source, const std::string& topicPath,
                                          const std::string& expression,
                                          const TopicFilterOptions& options) {
  FilteredTopicDocument result;
  host::ComPtr<IBuildTagExprFilter> filter;
  if (CreateBuildTagExprFilterInstance(filter.out()) != S_OK) {
    result.status = TopicFilterStatus::kNoFilter;
    return result;
  }
  filter->SetExpression(expression.c_str());
  std::unique_ptr<CHtmlFileEx> document = TopicDocument(std::move(source), topicPath);
  if (!document->Analyse()) {
    result.status = TopicFilterStatus::kUnparsable;
    return result;
  }
  const HRESULT filtered =
      options.links ? filter->FilterDocumentWithLinks(*document) : filter->FilterDocument(*document);
  if (filtered != S_OK) return result;
  if (!options.keepTags) RemoveBuildTagMarkup(*document);
  result.status = TopicFilterStatus::kFiltered;
  result.document = std::move(document);
  return result;
}

}  // namespace bte::projectbuild
