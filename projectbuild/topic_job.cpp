#include "projectbuild/topic_job.h"

#include <algorithm>
#include <utility>

#include "buildtagexpr_host.h"
#include "projectbuild/output_file.h"
#include "projectbuild/output_manifest.h"
#include "projectbuild/removed_links.h"
#include "projectbuild/topic_filter.h"
#include "projectbuild/topic_markup.h"
#include "pagesift/pagesift.h"

namespace bte::projectbuild {
namespace {

// The elements whose own tags the expression excludes (nested ones
// included), with an excerpt of each when asked: only a report page shows
// them, and a build of thousands of topics would otherwise make and free
// one string per element.
uint32_t CountExcludedElements(CHtmlFileEx& document, IBuildTagExprParser* parser,
                               std::vector<std::string>* excerpts) {
  uint32_t count = 0;
  for (size_t i = 0; i < document.GetCandidateCount(); ++i) {
    const HtmlPosition at = document.GetCandidatePosition(i);
    const CHtmlTagItem* tag = document.GetTagItem(at);
    CByteString list;
    if (tag == nullptr || !document.GetInlineBuildTags(tag, list) || !ExcludesTagList(parser, list.View()))
      continue;
    ++count;
    if (excerpts != nullptr) excerpts->push_back(ElementExcerpt(document, at));
  }
  return count;
}

// The parser and filter objects a thread filters its topics with, kept from
// topic to topic: the filter remembers the linked topics' tags it has read,
// so a topic that many others link to is analysed once per thread, not once
// per link.
class TopicTools {
 public:
  IBuildTagExprParser* Parser(const std::string& expression) {
    if (!parser_ || expression != expression_) {
      CreateBuildTagExprParserInstance(parser_.out(), expression.c_str());
      parser_->EnableCache(1);
      expression_ = expression;
    }
    return parser_.get();
  }
  IBuildTagExprFilter* Filter() {
    if (!filter_) CreateBuildTagExprFilterInstance(filter_.out());
    return filter_.get();
  }

 private:
  std::string expression_;
  // Declared first, so released last: the filter borrows it.
  host::ComPtr<IBuildTagExprParser> parser_;
  host::ComPtr<IBuildTagExprFilter> filter_;
};

TopicTools& ThreadTopicTools() {
  thread_local TopicTools tools;
  return tools;
}

}  // namespace

bool ExcludesTagList(IBuildTagExprParser* parser, std::string_view list) {
  std::string tagSet(list);
  std::replace(tagSet.begin(), tagSet.end(), ',', ';');
  return parser->IsIncluded(tagSet.c_str()) != S_OK;
}

std::unique_ptr<CHtmlFileEx> AnalyseTopic(const std::filesystem::path& from,
                                          const std::filesystem::path& projectRoot,
                                          FileResult& result) {
  std::string bytes, error;
  if (!ReadSource(from, bytes, result, error)) return nullptr;
  std::unique_ptr<CHtmlFileEx> document = TopicDocument(std::move(bytes), from.string());
  document->SetProjectRoot(projectRoot.string().c_str());
  if (!document->Analyse()) return nullptr;
  return document;
}

FileResult WriteTopic(CHtmlFileEx& document, const std::filesystem::path& to,
                      const TargetSettings& settings, FileResult result) {
  if (!settings.keepTags) RemoveBuildTagMarkup(document);
  CByteString bytes;
  document.Save(bytes, pagesift::kSaveHtml);
  std::string error;
  if (!WriteOutput(to, bytes.View(), settings, error)) return Failed(result, error);
  result.bytesOut = bytes.GetSize();
  result.contentHash = ContentHash(bytes.View());
  return result;
}

FileResult FilterTopic(const std::filesystem::path& from, const std::filesystem::path& to,
                       const std::filesystem::path& projectRoot, const TargetSettings& settings,
                       FileResult result) {
  const std::unique_ptr<CHtmlFileEx> topic = AnalyseTopic(from, projectRoot, result);
  if (!topic) return Failed(result, "cannot read the topic");
  CHtmlFileEx& document = *topic;

  TopicTools& tools = ThreadTopicTools();
  IBuildTagExprParser* parser = tools.Parser(settings.expression);
  CByteString topicTags;
  if (document.GetTopicBuildTags(topicTags) && !topicTags.IsEmpty() &&
      ExcludesTagList(parser, topicTags.View())) {
    result.outcome = FileOutcome::kLeftOut;
    result.reason = "topic tags " + std::string(topicTags.View());
    return result;
  }
  result.elementsRemoved = CountExcludedElements(
      document, parser, settings.excerpts ? &result.passagesRemoved : nullptr);

  IBuildTagExprFilter* filter = tools.Filter();
  filter->SetParser(parser);
  const HRESULT status = filter->FilterDocumentWithLinks(document);
  if (status != S_OK) return Failed(result, "the HTML filter failed on this topic");
  result.linksRemoved = ListRemovedLinks(document);

  result.outcome = FileOutcome::kFiltered;
  return WriteTopic(document, to, settings, std::move(result));
}

}  // namespace bte::projectbuild
