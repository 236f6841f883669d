#include "htmlfilter/target_answers.h"

#include <algorithm>
#include <functional>

namespace bte {

void TargetAnswers::Clear() {
  std::fill(slots_.begin(), slots_.end(), 0);
  used_ = 0;
}

size_t TargetAnswers::SlotOf(std::string_view target) const {
  return std::hash<std::string_view>()(target) & (slots_.size() - 1);
}

const bool* TargetAnswers::Find(std::string_view target) const {
  if (used_ == 0) return nullptr;
  for (size_t slot = SlotOf(target); slots_[slot] != 0; slot = (slot + 1) & (slots_.size() - 1)) {
    const Entry& entry = entries_[slots_[slot] - 1];
    if (entry.target == target) return &entry.answer;
  }
  return nullptr;
}

void TargetAnswers::Add(std::string_view target, bool answer) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  if (used_ == entries_.size()) entries_.emplace_back();
  Entry& entry = entries_[used_];
  entry.target.assign(target);  // keeps the capacity an earlier pass gave it
  entry.answer = answer;
  Place(used_++);
}

void TargetAnswers::Grow() {
  slots_.assign(std::max<size_t>(16, 2 * slots_.size()), 0);
  for (size_t index = 0; index < used_; ++index) Place(index);
}

void TargetAnswers::Place(size_t index) {
  size_t slot = SlotOf(entries_[index].target);
  while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
  slots_[slot] = static_cast<uint32_t>(index + 1);
}

}  // namespace bte
