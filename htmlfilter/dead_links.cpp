// Links to topics that the same expression leaves out of the output. A
// linked topic is excluded when its topic-level build tags are; they are
// read from the file as it is now (remembered only for as long as nothing
// changes it, see linked_topic_tags.h). A file that is missing, unreadable
// or not a topic simply counts as kept.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "expr/text.h"
#include "htmlfilter/filter_pass.h"
#include "platform/change_watch.h"

namespace bte {
namespace {

using pagesift::kHhctrlRelatedTopics;
using pagesift::kHrefFile;
using pagesift::kHrefPopup;
using pagesift::kTagAnchor;
using pagesift::kTagObject;
using pagesift::kTagParam;

bool StartsWithItem(const char* name) {
  return std::strlen(name) >= 4 && EqualsIgnoringAsciiCase(std::string_view(name, 4), "item");
}

// The topic a link points at, as written in the href (a popup's is copied
// into popupTarget); empty when the link leads to no topic.
std::string_view LinkTarget(const char* href, std::string& popupTarget) {
  switch (CHtmlPack::GetAnchorHrefType(href)) {
    case kHrefFile:
      return href;
    case kHrefPopup:
      if (!CHtmlPopupAnchorVORK::IsValid(href)) return {};
      popupTarget = CHtmlPopupAnchorVORK(href).GetTarget();
      return popupTarget;
    default:
      return {};
  }
}

// True when the ";" at index k ends a character reference that starts at
// or after from: decoding the reference shortens it by two bytes or more.
bool EndsCharacterReference(const std::string& value, size_t ampersand, size_t k) {
  CByteString decoded;
  const int length = static_cast<int>(k - ampersand + 1);
  CHtmlPack::HtmlToText(decoded, value.data() + ampersand, length);
  return decoded.GetLength() <= length - 2;
}

}  // namespace

int HtmlFilterPass::RemoveDeadLinks() {
  try {
    for (const CleanupTag& found : CleanupTags()) {
      const HtmlPosition at = found.position;
      CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
      if (tag->IsDiscardedToken()) continue;
      if (found.id == kTagAnchor)
        RemoveDeadLink(at, tag);
      else if (found.id == kTagObject && document_->GetHhctrlCommandType(at) == kHhctrlRelatedTopics)
        RemoveDeadRelatedTopics(at);
    }
  } catch (...) {
    return 0;
  }
  return 1;
}

// The href is decoded into storage the pass keeps for all its links rather
// than into the document's, which would keep each value.
void HtmlFilterPass::RemoveDeadLink(HtmlPosition position, CHtmlTagItem* anchor) {
  CByteString& href = memory_.href;
  if (!anchor->GetAttributeValue("href", href)) return;
  std::string popupTarget;
  const std::string_view target = LinkTarget(href.GetContent(), popupTarget);
  if (!target.empty() && LinksToExcludedTopic(target)) document_->DeleteAnchor(position);
}

bool HtmlFilterPass::LinksToExcludedTopic(std::string_view target) {
  if (const bool* known = memory_.excludedTargets.Find(target)) return *known;
  std::string& key = memory_.targetKey;  // a C string for the library
  key.assign(target);
  CatchUpOnce();  // before the link is resolved: one catch-up serves both
  std::string path = document_->GetFilePathName(key.c_str()).Release();
  path.resize(std::strlen(path.c_str()));  // a C string, as always: a decoded "%00" ends it
  const bool excluded = IsTopicFileExcluded(path);
  memory_.excludedTargets.Add(target, excluded);
  return excluded;
}

void HtmlFilterPass::RemoveDeadRelatedTopics(HtmlPosition objectPosition) {
  for (HtmlPosition at = CHtmlTokenList::GetNext(objectPosition); at != nullptr;
       at = CHtmlTokenList::GetNext(at)) {
    if (CHtmlTokenList::GetAt(at)->IsDiscardedToken()) continue;
    CHtmlTagItem* param = CHtmlTokenList::GetTagItem(at);
    if (param == nullptr || param->GetTagId() != kTagParam) break;
    const char* name = param->GetAttributeValue("name");
    const char* value = param->GetAttributeValue("value");
    if (name == nullptr || EqualsIgnoringAsciiCase(name, "command") || !StartsWithItem(name) ||
        value == nullptr)
      continue;
    const std::string file = RelatedTopicFile(value);
    if (file.empty() || !LinksToExcludedTopic(file)) continue;
    param->DiscardToken();
    RenumberItems(at);
  }
}

int HtmlFilterPass::IsTopicExcluded(const char* path) const {
  return path != nullptr && IsTopicFileExcluded(path) ? 1 : 0;
}

bool HtmlFilterPass::IsTopicFileExcluded(const std::string& path) const {
  if (path.empty()) return false;
  CatchUpOnce();
  const std::string& tags = memory_.linkedTopics.Read(path);
  return !tags.empty() && IsExcluded(tags);
}

// The document's catch-up takes in the changes for its folder listings and
// for the linked-topic memory alike: both are kept against the HTML
// library's watch.
void HtmlFilterPass::CatchUpOnce() const {
  if (caughtUp_) return;
  if (document_ != nullptr)
    document_->CatchUpWithChanges();
  else
    CHtmlPack::LibraryChangeWatch().CatchUp();
  caughtUp_ = true;
}

std::string HtmlFilterPass::RelatedTopicFile(const char* value) {
  if (value == nullptr) return {};
  const std::string text = value;
  for (size_t k = text.size(); k-- > 0;) {
    if (text[k] != ';') continue;
    size_t ampersand = k;
    while (ampersand > 0 && text[ampersand - 1] != ';' && text[ampersand - 1] != '&') --ampersand;
    if (ampersand == 0 || text[ampersand - 1] != '&') return text.substr(k + 1);
    --ampersand;
    if (!EndsCharacterReference(text, ampersand, k)) return text.substr(k + 1);
    k = ampersand;  // the loop steps on to the byte before the "&"
  }
  return text;
}

void HtmlFilterPass::RenumberItems(HtmlPosition position) {
  for (HtmlPosition at = position; at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTokenItem* token = CHtmlTokenList::GetAt(at);
    if (token->IsDiscardedToken()) continue;
    CHtmlTagItem* param = CHtmlTokenList::GetTagItem(at);
    if (param == nullptr || param->GetTagId() != kTagParam) return;
    const char* name = param->GetAttributeValue("name");
    if (name == nullptr || !StartsWithItem(name)) return;
    const long number = std::strtol(name + 4, nullptr, 10);
    if (number < 1) return;
    char renamed[32];
    std::snprintf(renamed, sizeof renamed, "item%ld", number - 1);
    param->SetAttribute("name", renamed);
  }
}

}  // namespace bte
