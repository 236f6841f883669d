#include "projectbuild/topic_review.h"

#include <map>
#include <set>
#include <string>
#include <utility>

#include "buildtagexpr_host.h"
#include "pagesift/pagesift.h"
#include "projectbuild/removed_links.h"
#include "projectbuild/review_style.h"
#include "projectbuild/topic_job.h"

namespace bte::projectbuild {
namespace {

using pagesift::kEndTagBit;

class TopicReviewer {
 public:
  TopicReviewer(CHtmlFileEx& document, IBuildTagExprParser* parser)
      : document_(document), parser_(parser) {}

  bool IsExcluded(std::string_view list) const { return ExcludesTagList(parser_, list); }

  // Excluded elements, nested ones included; returns their excerpts.
  std::vector<std::string> MarkExcludedElements() {
    std::vector<std::string> passages;
    for (size_t i = 0; i < document_.GetCandidateCount(); ++i) {
      const HtmlPosition at = document_.GetCandidatePosition(i);
      CHtmlTagItem* tag = document_.GetTagItem(at);
      CByteString list;
      if (tag == nullptr || !document_.GetInlineBuildTags(tag, list) || !IsExcluded(list.View()))
        continue;
      Mark(*tag, kExcludedClass, "Excluded from this target: tags " + std::string(list.View()));
      passages.push_back(ElementExcerpt(document_, at));
      const HtmlPosition end = document_.FindElementEnd(at);
      for (HtmlPosition inside = at; inside != nullptr; inside = CHtmlTokenList::GetNext(inside)) {
        excluded_.insert(inside);
        if (inside == end) break;
      }
    }
    return passages;
  }

  // Links to topics this target leaves out; returns them as a build lists
  // them.
  std::vector<std::string> MarkDeadLinks() {
    std::vector<std::string> links;
    for (HtmlPosition at = document_.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
      CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
      if (tag == nullptr || tag->GetTagId() != pagesift::kTagAnchor || excluded_.count(at)) continue;
      const char* value = tag->GetAttributeValue("href");
      if (value == nullptr || CHtmlPack::GetAnchorHrefType(value) != pagesift::kHrefFile) continue;
      const std::string href = value;  // marking the tag moves its attribute values
      const std::string target(document_.GetFilePathName(href.c_str()).View());
      if (!IsTopicLeftOut(target)) continue;
      Mark(*tag, kRemovedLinkClass, "A build removes this link: the topic it leads to is left out");
      const std::string text = ElementExcerpt(document_, at);
      links.push_back(href + (text.empty() ? "" : " (" + text + ")"));
    }
    return links;
  }

  // The style element goes at the end of the head, else first in the
  // document; the banner first in the body, else after the style.
  void InsertStyleAndBanner(const std::string* bannerText) {
    HtmlPosition headEnd = nullptr, body = document_.GetStartPosition();
    for (HtmlPosition at = document_.GetTokenList()->GetHeadPosition(); at && !headEnd; at = CHtmlTokenList::GetNext(at)) {
      const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
      if (tag != nullptr && tag->GetTagId() == (pagesift::kTagHead | kEndTagBit)) headEnd = at;
    }
    CHtmlTokenList& tokens = *document_.GetTokenList();
    const auto insert = [&tokens](HtmlPosition& after, CHtmlTokenItem* token) {
      after = after ? tokens.InsertAfter(after, token)
                    : tokens.GetHeadPosition() ? tokens.InsertBefore(tokens.GetHeadPosition(), token)
                                               : tokens.AddTail(token);
    };
    HtmlPosition at = headEnd ? CHtmlTokenList::GetPrev(headEnd) : nullptr;
    insert(at, new CHtmlTagItem("<style>"));
    insert(at, new CHtmlTextItem(kReviewStyle));
    insert(at, new CHtmlTagItem("</style>"));
    const HtmlPosition styleEnd = at;
    if (bannerText == nullptr) return;
    at = body ? body : styleEnd;
    auto* banner = new CHtmlTagItem("<div>");
    banner->SetAttribute("class", kBannerClass);
    insert(at, banner);
    insert(at, new CHtmlTextItem(EscapedText(*bannerText).c_str()));
    insert(at, new CHtmlTagItem("</div>"));
  }

 private:
  static std::string EscapedText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
      if (c == '&') escaped += "&amp;";
      else if (c == '<') escaped += "&lt;";
      else if (c == '>') escaped += "&gt;";
      else escaped += c;
    }
    return escaped;
  }

  static void Mark(CHtmlTagItem& tag, const char* className, const std::string& title) {
    // Both read before either is set: setting moves the values.
    const char* classes = tag.GetAttributeValue("class");
    const char* earlier = tag.GetAttributeValue("title");
    const std::string newClasses = classes && *classes ? std::string(classes) + " " + className
                                                       : std::string(className);
    const std::string newTitle = earlier && *earlier ? title + " - " + earlier : title;
    tag.SetAttribute("class", newClasses.c_str());
    tag.SetAttribute("title", newTitle.c_str());
  }

  bool IsTopicLeftOut(const std::string& path) {
    if (path.empty()) return false;
    const auto known = leftOut_.find(path);
    if (known != leftOut_.end()) return known->second;
    bool excluded = false;
    if (CHtmlPack::IsExistingFile(path.c_str())) {
      CHtmlFileEx topic(path.c_str());
      CByteString tags;
      excluded = topic.Analyse() && topic.GetTopicBuildTags(tags) && !tags.IsEmpty() &&
                 IsExcluded(tags.View());
    }
    return leftOut_[path] = excluded;
  }

  CHtmlFileEx& document_;
  IBuildTagExprParser* parser_;
  std::map<std::string, bool> leftOut_;
  std::set<HtmlPosition> excluded_;  // inside excluded elements: they go whole
};

}  // namespace

FileResult ReviewTopic(const std::filesystem::path& from, const std::filesystem::path& to,
                       const std::filesystem::path& projectRoot, const TargetSettings& settings,
                       FileResult result) {
  const std::unique_ptr<CHtmlFileEx> topic = AnalyseTopic(from, projectRoot, result);
  if (!topic) return Failed(result, "cannot read the topic");
  CHtmlFileEx& document = *topic;
  host::ComPtr<IBuildTagExprParser> parser;
  CreateBuildTagExprParserInstance(parser.out(), settings.expression.c_str());
  parser->EnableCache(1);
  TopicReviewer reviewer(document, parser.get());

  CByteString topicTags;
  std::string banner;
  result.outcome = FileOutcome::kFiltered;
  if (document.GetTopicBuildTags(topicTags) && !topicTags.IsEmpty() &&
      reviewer.IsExcluded(topicTags.View())) {
    result.outcome = FileOutcome::kLeftOut;
    result.reason = "topic tags " + std::string(topicTags.View());
    banner = "Review copy: a build of this target leaves this topic out (topic tags " +
             std::string(topicTags.View()) + ").";
  }
  result.passagesRemoved = reviewer.MarkExcludedElements();
  result.elementsRemoved = static_cast<uint32_t>(result.passagesRemoved.size());
  result.linksRemoved = reviewer.MarkDeadLinks();
  reviewer.InsertStyleAndBanner(banner.empty() ? nullptr : &banner);
  return WriteTopic(document, to, settings, std::move(result));
}

}  // namespace bte::projectbuild
