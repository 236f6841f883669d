// The order of one filtering run. The clean-up passes repair holes that
// removal leaves, so they run only after something was removed; dead links
// do not depend on removal in this topic and are always looked at when asked.
#include "htmlfilter/filter_pass.h"

namespace bte {

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

}  // namespace bte
