#include "projectbuild/topic_markup.h"

#include "projectbuild/beyond_interface.h"

namespace bte::projectbuild {

bool IsTopicTagMeta(const CHtmlTagItem& tag) {
  if (tag.GetTagId() != pagesift::kTagMeta) return false;
  std::string_view name = tag.GetAttributeValue("name") ? tag.GetAttributeValue("name") : "";
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  return FoldedTag(name) == "buildtags";
}

void RemoveBuildTagMarkup(CHtmlFileEx& document, bool metaToo) {
  for (size_t i = 0; i < document.GetCandidateCount(); ++i) {
    CHtmlTagItem* tag = document.GetTagItem(document.GetCandidatePosition(i));
    if (tag == nullptr || tag->IsDiscardedToken()) continue;
    tag->RemoveAttribute("data-buildtags");
    // Only the filter marks cells it emptied, and only tagged ones.
    if (tag->GetTagId() == pagesift::kTagTableCell) tag->RemoveAttribute("discard");
  }
  if (!metaToo) return;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = at->next) {
    CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag != nullptr && !tag->IsDiscardedToken() && IsTopicTagMeta(*tag)) tag->DiscardToken();
  }
}

}  // namespace bte::projectbuild
