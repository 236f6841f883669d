#include "projectbuild/topic_markup.h"

#include <string_view>

#include "projectbuild/beyond_interface.h"

namespace bte::projectbuild {
namespace {

constexpr const char* kInlineTags = "data-buildtags";

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Every <meta name="buildtags">, not only the first that the library reads:
// a second one would still show its tags.
bool IsTopicTagMeta(const CHtmlTagItem& tag) {
  if (tag.GetTagId() != pagesift::kTagMeta) return false;
  const char* name = tag.GetAttributeValue("name");
  return name != nullptr && FoldedTag(TrimBlanks(name)) == "buildtags";
}

}  // namespace

size_t RemoveBuildTagMarkup(CHtmlFileEx& document) {
  size_t changed = 0;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr || tag->IsDiscardedToken()) continue;
    if (IsTopicTagMeta(*tag)) {
      tag->DiscardToken();
      ++changed;
    } else if (tag->CarriesBuildTagAttribute() && tag->HasAttribute(kInlineTags)) {
      // Only the filter marks cells, and only tagged ones.
      if (tag->GetTagId() == pagesift::kTagTableCell) tag->RemoveAttribute("discard");
      tag->RemoveAttribute(kInlineTags);
      ++changed;
    }
  }
  return changed;
}

}  // namespace bte::projectbuild
