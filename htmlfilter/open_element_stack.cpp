#include "htmlfilter/open_element_stack.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "htmlfilter/filter_pass.h"

namespace bte {

// Sets index as the top of its chain and returns the previous top (-1).
int OpenElementStack::Link(Tops& tops, uint32_t key, int index) {
  for (Top& top : tops) {
    if (top.key != key) continue;
    const int below = top.index;
    top.index = index;
    return below;
  }
  tops.push_back({key, index});
  return -1;
}

void OpenElementStack::Unlink(Tops& tops, uint32_t key, int below) {
  for (Top& top : tops) {
    if (top.key != key) continue;
    if (below >= 0) {
      top.index = below;
    } else {
      top = tops.back();
      tops.pop_back();
    }
    return;
  }
}

namespace {

// HTML's markers in its list of active formatting elements.
bool BoundsActiveFormatting(uint32_t id) {
  return id == pagesift::kTagTableCell || id == pagesift::kTagTableHeaderCell ||
         id == pagesift::kTagTableCaption || id == pagesift::kTagTemplate || id == pagesift::kTagObject ||
         id == pagesift::kTagApplet || id == pagesift::kTagMarquee;
}

// HTML keeps at most three alike in a scope; it compares attributes too.
constexpr int kMostClosedFormattingOfAKind = 3;

}  // namespace

void OpenElementStack::Clear() {
  entries_.clear();
  topByContent_.clear();
  topById_.clear();
  blockLevelEntries_ = 0;
  pushed_ = 0;
  closedFormatting_.clear();
}

void OpenElementStack::Reset(CHtmlTagItem* bottom) {
  Clear();
  Push(bottom);
}

int OpenElementStack::FindContainerFor(CHtmlTagItem* tag) const {
  candidates_.clear();
  for (const Top& top : topByContent_) candidates_.push_back(top.index);
  std::sort(candidates_.begin(), candidates_.end(), std::greater<int>());
  for (int index : candidates_) {
    const bool holds = marksMisplaced_
                           ? HtmlFilterPass::CanContain(entries_[index].tag, tag) != 0
                           : pagesift::Admit(*entries_[index].tag, *tag) != pagesift::Admission::kNo;
    if (holds) return index;
  }
  return -1;
}

// Entries of one content type answer alike, so each chain is walked only
// when its innermost entry ends (entries that end cannot nest deeply: what
// ends them is what would nest), except for the elements that end only at
// a start tag of their own kind (a link at a link) or that a table part
// ends (a caption): their chains by id are walked instead.
int OpenElementStack::FindEndedBy(CHtmlTagItem* tag) const {
  const uint32_t id = tag->GetTagId() & ~pagesift::kEndTagBit;
  int holder = FindContainerFor(tag);
  // An item's start tag closes the innermost open element that stops its
  // search when that is an item of its kind, whatever holds it above.
  const int stop = Size() > 0 ? entries_.back().itemSearchStop : -1;
  if (pagesift::IsItemStart(id) && stop >= 0 && stop <= holder &&
      pagesift::IsItemContent(static_cast<uint8_t>(entries_[stop].contentType)) &&
      StartTagEnds(stop, *tag))
    holder = stop - 1;
  int ended = -1;
  auto walk = [&](int index, int Entry::*below) {
    for (; index > holder; index = entries_[index].*below)
      if (StartTagEnds(index, *tag)) ended = ended < 0 ? index : std::min(ended, index);
  };
  for (const Top& top : topByContent_) {
    if (pagesift::IdDecidesEnd(entries_[top.index].contentType)) continue;
    if (top.index > holder && StartTagEnds(top.index, *tag)) walk(top.index, &Entry::belowSameContent);
  }
  for (const uint32_t own : {id, pagesift::kTagTableCaption}) walk(FindById(own), &Entry::belowSameId);
  return ended;
}

bool OpenElementStack::Shields(CHtmlTagItem* tag) const {
  if (pagesift::IsItemStart(tag->GetTagId())) return Size() > 0 && entries_.back().itemSearchStop >= 0;
  return FindContainerFor(tag) >= 0;
}

bool OpenElementStack::StartTagEnds(int index, const CHtmlTagItem& tag) const {
  const Entry& entry = entries_[index];
  if (!pagesift::EndsAtUnheldTag(*entry.tag, tag)) return false;
  const int top = Size() - 1;
  const bool paragraphAtMost =
      index == top || entries_[index + 1].tag->GetTagId() == pagesift::kTagParagraph;
  return pagesift::StartTagReaches(static_cast<uint8_t>(entry.contentType),
                                   entries_[top].itemSearchStop > index, paragraphAtMost);
}

int OpenElementStack::FindById(uint32_t id) const {
  for (const Top& top : topById_)
    if (top.key == id) return top.index;
  return -1;
}

int OpenElementStack::FindById(uint32_t id, int below) const {
  int index = FindById(id);
  while (index >= below) index = entries_[index].belowSameId;
  return index;
}

int OpenElementStack::FindClosedBy(uint32_t id, int below) const {
  if (pagesift::EndTagClosesNothing(id)) return -1;
  if (!pagesift::rules::IsHeading(id)) return FindById(id, below);
  int innermost = -1;
  for (uint32_t heading = pagesift::kTagHeading1; heading <= pagesift::kTagHeading6; ++heading)
    innermost = std::max(innermost, FindById(heading, below));
  return innermost;
}

int OpenElementStack::FindTableClosedByTable(int below) const {
  const int table = FindById(pagesift::kTagTable, below);
  return table >= 0 && !HoldsNestedTables(below) ? table : -1;
}

bool OpenElementStack::HoldsNestedTables(int below) const {
  const int table = FindById(pagesift::kTagTable, below);
  for (const uint32_t holder : {pagesift::kTagTableCell, pagesift::kTagTableHeaderCell, pagesift::kTagTableCaption,
                                pagesift::kTagTemplate})
    if (FindById(holder, below) > table) return true;
  return false;
}

bool OpenElementStack::Reaches(int index, pagesift::EndTagReach reach, int below) const {
  return below <= 0 || entries_[below - 1].hiding[static_cast<int>(reach)] <= index;
}

void OpenElementStack::Push(CHtmlTagItem* tag) {
  const int index = static_cast<int>(entries_.size());
  Entry entry{tag, pagesift::ContainerContent(*tag), -1, -1,
              pagesift::IsBlockLevel(*tag), {}, -1, 0, 0, 0};
  entry.belowSameContent = Link(topByContent_, entry.contentType, index);
  entry.belowSameId = Link(topById_, tag->GetTagId(), index);
  for (int reach = 0; reach < pagesift::kEndTagReaches; ++reach) {
    const bool hides = pagesift::HidesFromEndTag(tag->GetTagId(), entry.blockLevel,
                                                 entry.contentType == pagesift::kHoldsNothing,
                                                 static_cast<pagesift::EndTagReach>(reach));
    entry.hiding[reach] = hides ? index : index > 0 ? entries_[index - 1].hiding[reach] : -1;
  }
  entry.itemSearchStop = pagesift::StopsItemSearch(*tag) ? index
                         : index > 0                     ? entries_[index - 1].itemSearchStop
                                                         : -1;
  entry.sequence = ++pushed_;
  const bool bounds = BoundsActiveFormatting(tag->GetTagId());
  entry.activeScope = bounds ? entry.sequence : ActiveScopeBelow(index);
  entry.newestFormatting = pagesift::reach::IsFormatting(tag->GetTagId()) ? entry.sequence
                           : bounds || index == 0                         ? 0
                                                                          : entries_[index - 1].newestFormatting;
  blockLevelEntries_ += entry.blockLevel ? 1 : 0;
  entries_.push_back(entry);
}

void OpenElementStack::CloseFormattingAt(int index) {
  reopened_.clear();
  if (Size() - index <= pagesift::kMostBlocksKeptOpen)
    for (int i = index + 1; i < Size(); ++i)
      if (entries_[i].blockLevel) reopened_.push_back(entries_[i].tag);
  PopAbove(index - 1, index);
  for (CHtmlTagItem* tag : reopened_) Push(tag);
}

int OpenElementStack::FindLatestClosedFormatting(uint32_t id) const {
  const int open = FindById(id);
  const uint32_t after = open >= 0 ? entries_[open].sequence : 0;
  const uint32_t scope = ActiveScopeBelow(Size());
  int latest = -1;
  for (int i = 0; i < static_cast<int>(closedFormatting_.size()); ++i) {
    const ClosedFormatting& closed = closedFormatting_[i];
    if (closed.id == id && closed.activeScope == scope && closed.sequence > after &&
        (latest < 0 || closed.sequence > closedFormatting_[latest].sequence))
      latest = i;
  }
  return latest;
}

void OpenElementStack::ForgetClosedFormatting(int index) {
  closedFormatting_.erase(closedFormatting_.begin() + index);
}

void OpenElementStack::FormattingKindsFrom(int below, std::vector<uint32_t>& kinds) const {
  kinds.clear();
  const uint32_t scope = ActiveScopeBelow(below);
  for (int i = below; i < Size(); ++i)
    if (entries_[i].activeScope == scope && pagesift::reach::IsFormatting(entries_[i].tag->GetTagId()))
      kinds.push_back(entries_[i].tag->GetTagId());
}

void OpenElementStack::ClosedFormattingKindsAt(int below, std::vector<uint32_t>& kinds) const {
  FormattingKindsFrom(below, kinds);
  const uint32_t scope = ActiveScopeBelow(below);
  for (const ClosedFormatting& closed : closedFormatting_) {
    if (closed.activeScope != scope) continue;
    const int open = FindById(closed.id, below);
    if (open < 0 || entries_[open].sequence < closed.sequence) kinds.push_back(closed.id);
  }
}

bool OpenElementStack::ReopensBelow(const ClosedFormatting& closed, int below) const {
  const uint32_t newestOpen = below > 0 ? entries_[below - 1].newestFormatting : 0;
  return closed.activeScope == ActiveScopeBelow(below) && closed.sequence > newestOpen;
}

void OpenElementStack::ReopenedKindsAt(int below, std::vector<uint32_t>& kinds) const {
  FormattingKindsFrom(below, kinds);
  for (const ClosedFormatting& closed : closedFormatting_)
    if (ReopensBelow(closed, below)) kinds.push_back(closed.id);
}

bool OpenElementStack::ReopensFormattingOver(int index) const {
  return std::any_of(closedFormatting_.begin(), closedFormatting_.end(),
                     [this, index](const ClosedFormatting& closed) { return ReopensBelow(closed, index + 1); });
}

void OpenElementStack::ReopenFormatting() {
  if (closedFormatting_.empty()) return;
  reopenedFormatting_.clear();
  const int below = Size();
  const auto reopens = [this, below](const ClosedFormatting& closed) { return ReopensBelow(closed, below); };
  std::copy_if(closedFormatting_.begin(), closedFormatting_.end(), std::back_inserter(reopenedFormatting_), reopens);
  if (reopenedFormatting_.empty()) return;
  closedFormatting_.erase(std::remove_if(closedFormatting_.begin(), closedFormatting_.end(), reopens),
                          closedFormatting_.end());
  std::sort(reopenedFormatting_.begin(), reopenedFormatting_.end(),
            [](const ClosedFormatting& a, const ClosedFormatting& b) { return a.sequence < b.sequence; });
  for (const ClosedFormatting& closed : reopenedFormatting_) Push(closed.tag);
}

bool OpenElementStack::ReopensFormattingAtToken(const CHtmlTagItem* startTag) const {
  if (startTag != nullptr && !startTag->IsInlineLevelTag() && !startTag->IsUnknownTag()) return false;
  if (Size() == 0) return true;
  const uint32_t current = entries_.back().tag->GetTagId();
  if (current == pagesift::kTagTableCell || current == pagesift::kTagTableHeaderCell ||
      current == pagesift::kTagTableCaption)
    return true;
  return current != pagesift::kTagTable && !pagesift::rules::IsTableStructure(current);
}

void OpenElementStack::KeepActive(const Entry& entry) {
  const uint32_t id = entry.tag->GetTagId();
  int alike = 0;
  int oldest = -1;
  for (int i = 0; i < static_cast<int>(closedFormatting_.size()); ++i) {
    const ClosedFormatting& closed = closedFormatting_[i];
    if (closed.id != id || closed.activeScope != entry.activeScope) continue;
    ++alike;
    if (oldest < 0 || closed.sequence < closedFormatting_[oldest].sequence) oldest = i;
  }
  if (alike >= kMostClosedFormattingOfAKind) ForgetClosedFormatting(oldest);
  closedFormatting_.push_back({entry.tag, id, entry.sequence, entry.activeScope});
}

void OpenElementStack::PopAbove(int index, int closedByEndTag) {
  while (static_cast<int>(entries_.size()) > index + 1) {
    const Entry& top = entries_.back();
    const int at = Size() - 1;
    if (top.activeScope == top.sequence) {
      // The end of its scope: what stays active in it goes too.
      closedFormatting_.erase(std::remove_if(closedFormatting_.begin(), closedFormatting_.end(),
                                             [&top](const ClosedFormatting& closed) {
                                               return closed.activeScope == top.sequence;
                                             }),
                              closedFormatting_.end());
    } else if (at != closedByEndTag && pagesift::reach::IsFormatting(top.tag->GetTagId())) {
      KeepActive(top);
    }
    Unlink(topByContent_, top.contentType, top.belowSameContent);
    Unlink(topById_, top.tag->GetTagId(), top.belowSameId);
    blockLevelEntries_ -= top.blockLevel ? 1 : 0;
    entries_.pop_back();
  }
}

}  // namespace bte
