// Popups and placeholders after removal. A popup text is a hidden block
// that popup links show; when its text went the links would show nothing,
// and when its links went it can never be shown. Deleting one can orphan
// another (a popup text that held the only link to the next), so the popup
// pass repeats until a cycle deletes nothing.
#include <cstring>
#include <string>
#include <vector>

#include "expr/text.h"
#include "htmlfilter/filter_pass.h"

namespace bte {
namespace {

using pagesift::kTagAnchor;
using pagesift::kTagBlockContainer;

struct PopupText {
  HtmlPosition start;
  HtmlPosition end;
  std::string id;
};

struct PopupLink {
  HtmlPosition start;
  std::string target;  // the popup text's id
};

// The tag id first: attributes are read only for tags that may qualify.
bool IsPopupText(const CHtmlTagItem& tag) {
  if (tag.GetTagId() != kTagBlockContainer) return false;
  const char* cls = tag.GetAttributeValue("class");
  return cls != nullptr &&
         std::strcmp(cls, "x-popup-text") == 0 && tag.HasAttribute("id");
}

bool IsPopupLink(const CHtmlTagItem& tag) {
  return tag.GetTagId() == kTagAnchor && tag.HasAttribute("x-use-popup") &&
         tag.HasAttribute("x-popup-type") && tag.HasAttribute("class") && tag.HasAttribute("id");
}

// The popups of the document as it is now, in document order.
struct PopupInventory {
  std::vector<PopupText> texts;
  std::vector<PopupLink> links;

  bool IsLinked(const std::string& id) const {
    for (const PopupLink& link : links)
      if (link.target == id) return true;
    return false;
  }
};

PopupInventory TakeInventory(const CHtmlFileEx& document, HtmlPosition first) {
  PopupInventory inventory;
  for (HtmlPosition at = first; at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr || tag->IsDiscardedToken()) continue;
    if (IsPopupText(*tag)) {
      const HtmlPosition end = document.FindEndTagPosition(at);
      if (end != nullptr) inventory.texts.push_back({at, end, tag->GetAttributeValue("id")});
    } else if (IsPopupLink(*tag) && document.FindEndTagPosition(at) != nullptr) {
      const std::string use = tag->GetAttributeValue("x-use-popup");
      inventory.links.push_back({at, use.empty() ? use : use.substr(1)});
    }
  }
  return inventory;
}

bool IsPlaceholder(const CHtmlTagItem& tag) {
  if (tag.GetTagId() != kTagBlockContainer) return false;
  const char* id = tag.GetAttributeValue("id");
  return tag.HasAttribute("placeholder") &&
         id != nullptr &&
         (EqualsIgnoringAsciiCase(id, "header") || EqualsIgnoringAsciiCase(id, "footer"));
}

}  // namespace

int HtmlFilterPass::RemoveOrphanPopups() {
  while (RemoveOrphanPopupsOnce()) {
  }
  return 1;
}

// One cycle; non-zero when it deleted something. Only what the library
// reports as deleted counts, so a cycle that changes nothing ends the loop.
int HtmlFilterPass::RemoveOrphanPopupsOnce() {
  const PopupInventory inventory = TakeInventory(*document_, FirstPosition());
  int deleted = 0;
  for (const PopupText& text : inventory.texts) {
    if (RangeHasContent(text.start, text.end)) {
      if (!inventory.IsLinked(text.id)) deleted |= document_->DeleteEntity(text.start);
      continue;
    }
    for (const PopupLink& link : inventory.links)
      if (link.target == text.id) deleted |= document_->DeleteAnchor(link.start);
    deleted |= document_->DeleteEntity(text.start);
  }
  return deleted != 0;
}

int HtmlFilterPass::RemoveEmptyPlaceholders() {
  for (HtmlPosition at = FirstPosition(); at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr || tag->IsDiscardedToken() || !IsPlaceholder(*tag)) continue;
    const HtmlPosition end = document_->FindEndTagPosition(at);
    if (end == nullptr || RangeHasContent(at, end)) continue;
    tag->DiscardToken();
    CHtmlTokenList::GetAt(end)->DiscardToken();
  }
  return 1;
}

}  // namespace bte
