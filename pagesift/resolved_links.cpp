#include "pagesift/resolved_links.h"

#include <algorithm>

#include "pagesift/html_pack.h"

namespace pagesift {

bool ResolvedLinks::Find(const std::string& key, std::string& path) {
  std::shared_lock<bte::platform::BriefSharedMutex> lock(mutex_);
  const auto found = answers_.find(key);
  if (found == answers_.end()) return false;
  // An answer that no longer stands stays until the link is remembered
  // anew: its marks can never match again.
  const std::vector<bte::platform::ChangeMark>& marks = found->second.marks;
  if (!std::all_of(marks.begin(), marks.end(),
                   [this](const bte::platform::ChangeMark& mark) { return watch_.Unchanged(mark); }))
    return false;
  path = found->second.path;
  return true;
}

void ResolvedLinks::Remember(const std::string& key, const std::string& path,
                             const std::vector<bte::platform::ChangeMark>& marks) {
  if (!std::all_of(marks.begin(), marks.end(), [](const bte::platform::ChangeMark& mark) { return mark.watched(); }))
    return;
  std::lock_guard<bte::platform::BriefSharedMutex> lock(mutex_);
  if (answers_.size() >= kMostLinks) answers_.clear();
  answers_[key] = {path, marks};
}

ResolvedLinks& SharedResolvedLinks() {
  static ResolvedLinks links(CHtmlPack::LibraryChangeWatch());
  return links;
}

}  // namespace pagesift
