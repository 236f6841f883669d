// Popups and placeholders after removal. A popup text is a hidden block
// that popup links show; when its text went the links would show nothing,
// and when its links went it can never be shown. Deleting one can orphan
// another (a popup text that held the only link to the next), so the popup
// pass repeats until a cycle deletes nothing. Removal only ever discards
// tokens, so no tag becomes a popup text or link later: the document is
// walked once, and each cycle looks again only at the popups found then.
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "expr/text.h"
#include "htmlfilter/filter_pass.h"

namespace bte {
namespace {

using pagesift::kTagAnchor;
using pagesift::kTagBlockContainer;

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

}  // namespace

// Tags that are popup texts or links by their attributes, in document
// order; whether each still counts is asked in every cycle.
struct PopupCandidates {
  struct Text {
    HtmlPosition start;
    std::string id;
  };
  struct Link {
    HtmlPosition start;
    std::string target;  // the popup text's id
  };
  std::vector<Text> texts;
  std::vector<Link> links;
};

namespace {

PopupCandidates FindPopupCandidates(const std::vector<CleanupTag>& tags) {
  PopupCandidates candidates;
  for (const CleanupTag& found : tags) {
    const HtmlPosition at = found.position;
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag->IsDiscardedToken()) continue;
    if (IsPopupText(*tag)) {
      candidates.texts.push_back({at, tag->GetAttributeValue("id")});
    } else if (IsPopupLink(*tag)) {
      const std::string use = tag->GetAttributeValue("x-use-popup");
      candidates.links.push_back({at, use.empty() ? use : use.substr(1)});
    }
  }
  return candidates;
}

// The popups of the document as it is now (kept, with an end tag), in
// document order; the links by the popup text they show.
struct PopupInventory {
  struct Text {
    HtmlPosition start;
    HtmlPosition end;
    const std::string* id;
  };
  std::vector<Text> texts;
  std::unordered_map<std::string_view, std::vector<HtmlPosition>> linksByTarget;
};

PopupInventory TakeInventory(const CHtmlFileEx& document, const PopupCandidates& candidates) {
  PopupInventory inventory;
  for (const PopupCandidates::Text& text : candidates.texts) {
    if (text.start->IsDiscardedToken()) continue;
    const HtmlPosition end = document.FindEndTagPosition(text.start);
    if (end != nullptr) inventory.texts.push_back({text.start, end, &text.id});
  }
  for (const PopupCandidates::Link& link : candidates.links) {
    if (link.start->IsDiscardedToken() || document.FindEndTagPosition(link.start) == nullptr) continue;
    inventory.linksByTarget[link.target].push_back(link.start);
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
  const PopupCandidates candidates = FindPopupCandidates(CleanupTags());
  while (RemoveOrphanPopupsOnce(candidates)) {
  }
  return 1;
}

// One cycle; non-zero when it deleted something. Only what the library
// reports as deleted counts, so a cycle that changes nothing ends the loop.
int HtmlFilterPass::RemoveOrphanPopupsOnce(const PopupCandidates& candidates) {
  const PopupInventory inventory = TakeInventory(*document_, candidates);
  int deleted = 0;
  for (const PopupInventory::Text& text : inventory.texts) {
    const auto links = inventory.linksByTarget.find(*text.id);
    if (RangeHasContent(text.start, text.end)) {
      if (links == inventory.linksByTarget.end()) deleted |= document_->DeleteEntity(text.start);
      continue;
    }
    if (links != inventory.linksByTarget.end()) {
      for (const HtmlPosition link : links->second) deleted |= document_->DeleteAnchor(link);
    }
    deleted |= document_->DeleteEntity(text.start);
  }
  return deleted != 0;
}

int HtmlFilterPass::RemoveEmptyPlaceholders() {
  for (const CleanupTag& found : CleanupTags()) {
    const HtmlPosition at = found.position;
    CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag->IsDiscardedToken() || !IsPlaceholder(*tag)) continue;
    const HtmlPosition end = document_->FindEndTagPosition(at);
    if (end == nullptr || RangeHasContent(at, end)) continue;
    tag->DiscardToken();
    CHtmlTokenList::GetAt(end)->DiscardToken();
  }
  return 1;
}

}  // namespace bte
