#include "projectbuild/removed_links.h"

#include "projectbuild/text_excerpt.h"

namespace bte::projectbuild {
namespace {

using pagesift::kEndTagBit;
using pagesift::kTagAnchor;
using pagesift::kTagObject;
using pagesift::kTagParam;

// The text up to the link's end tag (links do not nest).
std::string LinkText(HtmlPosition start) {
  std::string text;
  for (HtmlPosition at = CHtmlTokenList::GetNext(start); at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag != nullptr && (tag->GetTagId() & ~kEndTagBit) == kTagAnchor) break;
    if (tag == nullptr && !at->IsDiscardedToken())
      text.append(static_cast<const CHtmlTextItem*>(at)->GetText());
  }
  return Excerpt(text);
}

// A discarded item of a control that stays: the params before it lead back
// to the control's start tag.
bool IsItemOfKeptControl(HtmlPosition param) {
  for (HtmlPosition at = CHtmlTokenList::GetPrev(param); at != nullptr; at = CHtmlTokenList::GetPrev(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr) return false;
    if (tag->GetTagId() == kTagParam) continue;
    return tag->GetTagId() == kTagObject && !tag->IsDiscardedToken();
  }
  return false;
}

const char* ValueOr(const CHtmlTagItem& tag, const char* name) {
  const char* value = tag.GetAttributeValue(name);
  return value != nullptr ? value : "";
}

// A link that leads into its own topic is removed only as the link of a
// popup text left empty.
std::string LinkTarget(const CHtmlTagItem& anchor) {
  const char* href = ValueOr(anchor, "href");
  const int type = CHtmlPack::GetAnchorHrefType(href);
  if (type == pagesift::kHrefFragment || type == pagesift::kHrefEmpty) return "popup link";
  return href;
}

}  // namespace

std::string ElementExcerpt(const CHtmlPack& document, HtmlPosition start) {
  constexpr size_t kEnough = 200;  // more than an excerpt shows
  const HtmlPosition end = document.FindElementEnd(start);
  std::string text;
  for (HtmlPosition at = start; at != nullptr && text.size() < kEnough; at = CHtmlTokenList::GetNext(at)) {
    if (const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at); tag != nullptr) {
      // Blocks and line breaks separate words; inline tags do not.
      if (!tag->IsInlineLevelTag() || tag->GetTagName() == "br" || tag->GetTagName() == "BR")
        text += ' ';
    } else {
      CByteString decoded;
      const std::string_view written = static_cast<const CHtmlTextItem*>(at)->GetText();
      CHtmlPack::HtmlToText(decoded, written.data(), static_cast<int>(written.size()));
      text.append(decoded.View());
    }
    if (at == end) break;
  }
  return Excerpt(text);
}

std::vector<std::string> ListRemovedLinks(const CHtmlFileEx& document) {
  std::vector<std::string> links;
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr || !tag->IsDiscardedToken() || tag->IsEndTag()) continue;
    if (tag->GetTagId() == kTagAnchor && tag->IsDiscardedKeepingWhitespace()) {
      const std::string text = LinkText(at);
      links.push_back(LinkTarget(*tag) + (text.empty() ? "" : " (" + text + ")"));
    } else if (tag->GetTagId() == kTagParam && IsItemOfKeptControl(at)) {
      links.push_back("related topic " + std::string(ValueOr(*tag, "value")));
    }
  }
  return links;
}

}  // namespace bte::projectbuild
