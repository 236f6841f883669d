#include "htmlfilter/open_element_stack.h"

#include <algorithm>

#include "htmlfilter/filter_pass.h"

namespace bte {
namespace {

// Sets index as the top of its chain and returns the previous top (-1).
int Link(std::unordered_map<uint32_t, int>& tops, uint32_t key, int index) {
  const auto [slot, inserted] = tops.try_emplace(key, index);
  if (inserted) return -1;
  const int below = slot->second;
  slot->second = index;
  return below;
}

void Unlink(std::unordered_map<uint32_t, int>& tops, uint32_t key, int below) {
  if (below < 0)
    tops.erase(key);
  else
    tops[key] = below;
}

}  // namespace

void OpenElementStack::Reset(CHtmlTagItem* bottom) {
  entries_.clear();
  topByContent_.clear();
  topById_.clear();
  blockLevelEntries_ = 0;
  Push(bottom);
}

int OpenElementStack::FindContainerFor(CHtmlTagItem* tag) const {
  candidates_.clear();
  for (const auto& [content, top] : topByContent_) candidates_.push_back(top);
  std::sort(candidates_.begin(), candidates_.end(), std::greater<int>());
  for (int index : candidates_)
    if (HtmlFilterPass::CanContain(entries_[index].tag, tag)) return index;
  return -1;
}

int OpenElementStack::FindById(uint32_t id) const {
  const auto found = topById_.find(id);
  return found == topById_.end() ? -1 : found->second;
}

void OpenElementStack::Push(CHtmlTagItem* tag) {
  const int index = static_cast<int>(entries_.size());
  Entry entry{tag, pagesift::ContainerContent(*tag), -1, -1,
              tag->IsBlockLevelTag() || tag->IsBlockLevelEmbeddedTag()};
  entry.belowSameContent = Link(topByContent_, entry.contentType, index);
  entry.belowSameId = Link(topById_, tag->GetTagId(), index);
  blockLevelEntries_ += entry.blockLevel ? 1 : 0;
  entries_.push_back(entry);
}

void OpenElementStack::PopAbove(int index) {
  while (static_cast<int>(entries_.size()) > index + 1) {
    const Entry& top = entries_.back();
    Unlink(topByContent_, top.contentType, top.belowSameContent);
    Unlink(topById_, top.tag->GetTagId(), top.belowSameId);
    blockLevelEntries_ -= top.blockLevel ? 1 : 0;
    entries_.pop_back();
  }
}

}  // namespace bte
