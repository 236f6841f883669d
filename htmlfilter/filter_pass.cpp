// The order of one filtering run. The clean-up passes repair holes that
// removal leaves, so they run only after something was removed; dead links
// do not depend on removal in this topic and are always looked at when asked.
#include "htmlfilter/filter_pass.h"

namespace bte {
namespace {

using pagesift::kEndTagBit;

bool IsCleanupTag(uint32_t id) {
  switch (id) {
    case pagesift::kTagTable:
    case pagesift::kTagTable | kEndTagBit:
    case pagesift::kTagTableCell:
    case pagesift::kTagBlockContainer:
    case pagesift::kTagAnchor:
    case pagesift::kTagObject:
      return true;
    default:
      return false;
  }
}

}  // namespace

int HtmlFilterPass::Run(uint32_t mode) {
  if (document_ == nullptr || parser_ == nullptr) return 0;
  RemoveExcludedElements();
  if (removedAny_) {
    if (mode & kModeRepairTables) RepairTables();
    if (mode & kModeRemoveOrphanPopups) RemoveOrphanPopups();
    if (mode & kModeRemoveEmptyPlaceholders) RemoveEmptyPlaceholders();
  }
  if (mode & kModeRemoveDeadLinks) RemoveDeadLinks();
  return 1;
}

const std::vector<HtmlFilterPass::CleanupTag>& HtmlFilterPass::CleanupTags() {
  if (surveyed_) return cleanupTags_;
  for (HtmlPosition at = FirstPosition(); at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr) continue;
    const uint32_t id = tag->GetTagId();
    if (IsCleanupTag(id)) cleanupTags_.push_back({at, id});
  }
  surveyed_ = true;
  return cleanupTags_;
}

}  // namespace bte
