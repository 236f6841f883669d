#include "store/expression_list.h"

#include <algorithm>

#include "com/create_instance.h"
#include "store/expression_record.h"

namespace bte {

int BuildTagExprList::AddEntry(const char* target, const char* expression,
                               std::optional<TimeStamp> time) {
  if (target == nullptr || expression == nullptr) return 0;
  if (FindEntry(target, expression) != nullptr) return 0;
  entries_.emplace_back(target, expression, time);
  byExpression_[expression].push_back(std::prev(entries_.end()));
  return 1;
}

const ExpressionEntry* BuildTagExprList::FindEntry(const char* target,
                                                   const char* expression) const {
  if (target == nullptr || expression == nullptr) return nullptr;
  const auto found = byExpression_.find(expression);
  if (found == byExpression_.end()) return nullptr;
  for (const Position& position : found->second)
    if (position->target == target) return &*position;
  return nullptr;
}

int BuildTagExprList::RemoveEntries(const char* target, const char* expression) {
  if (target == nullptr || expression == nullptr) return 0;
  const auto found = byExpression_.find(expression);
  if (found == byExpression_.end()) return 0;
  std::vector<Position> matching;
  for (const Position& position : found->second)
    if (position->target == target) matching.push_back(position);
  for (const Position& position : matching) RemoveEntry(position);
  return matching.empty() ? 0 : 1;
}

void BuildTagExprList::RemoveEntry(Position position) {
  const auto found = byExpression_.find(position->expression);
  std::vector<Position>& positions = found->second;
  positions.erase(std::find(positions.begin(), positions.end(), position));
  if (positions.empty()) byExpression_.erase(found);
  if (rewindPending_ == 0 && cursor_ == position) ++cursor_;
  entries_.erase(position);
}

int BuildTagExprList::ContainsExpression(const char* expression, int scope) const {
  if (expression == nullptr) return 0;
  const auto found = byExpression_.find(expression);
  if (found == byExpression_.end()) return 0;
  for (const Position& position : found->second) {
    const bool global = position->target.empty();
    if (scope == kAnyEntry || (scope == kGlobalEntries && global) ||
        (scope == kTargetEntries && !global))
      return 1;
  }
  return 0;
}

int BuildTagExprList::CollectTargets(const char* expression, std::string& out) const {
  if (expression == nullptr) return 0;
  out.clear();
  const auto found = byExpression_.find(expression);
  if (found == byExpression_.end()) return 0;
  for (const Position& position : found->second) {
    if (!out.empty()) out += ';';
    out += position->target;
  }
  return 1;
}

ExpressionEntry* BuildTagExprList::Next(Position& position) {
  if (position == entries_.end()) return nullptr;
  ExpressionEntry* entry = &*position;
  ++position;
  return entry;
}

HRESULT BuildTagExprList::GetRecord(IBuildTagExprRecord** record) {
  if (record == nullptr) return S_FALSE;
  return GetNextRecord(record);
}

HRESULT BuildTagExprList::GetNextRecord(IBuildTagExprRecord** record) {
  if (rewindPending_ != 0) {
    rewindPending_ = 0;
    cursor_ = entries_.begin();
  }
  if (record == nullptr) return S_FALSE;
  if (cursor_ == entries_.end()) {
    *record = nullptr;
    return S_FALSE;
  }
  const ExpressionEntry& entry = *cursor_++;
  std::string targets;
  CollectTargets(entry.expression.c_str(), targets);
  return com::CreateInstance<BuildTagExprRecord>(record, entry.expression, std::move(targets));
}

}  // namespace bte
