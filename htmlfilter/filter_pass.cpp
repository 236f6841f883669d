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

HtmlFilterPass::HtmlFilterPass(CHtmlFileEx* document, IBuildTagExprParser* parser, PassMemory* memory)
    : document_(document), parser_(parser), memory_(memory != nullptr ? *memory : ownMemory_) {
  memory_.cleanupTags.clear();
  memory_.excludedTargets.Clear();
  memory_.enclosing.Restart(document_ != nullptr ? document_->GetTokenList()->GetHeadPosition() : nullptr);
}

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

const std::vector<CleanupTag>& HtmlFilterPass::CleanupTags() {
  std::vector<CleanupTag>& found = memory_.cleanupTags;
  if (surveyed_) return found;
  for (HtmlPosition at = FirstPosition(); at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr) continue;
    const uint32_t id = tag->GetTagId();
    if (IsCleanupTag(id)) found.push_back({at, id});
  }
  surveyed_ = true;
  return found;
}

}  // namespace bte
