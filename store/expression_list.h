// The entry list: target and global expressions in insertion order, handed
// to the host as IBuildTagExprList, one record per entry.
#ifndef BTE_STORE_EXPRESSION_LIST_H
#define BTE_STORE_EXPRESSION_LIST_H

#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "com/ref_counted.h"
#include "store/expression_entry.h"

namespace bte {

// Which entries ContainsExpression looks at.
enum ExpressionScope { kAnyEntry = 0, kGlobalEntries = 1, kTargetEntries = 2 };

class BuildTagExprList : public com::RefCountedNoQuery<IBuildTagExprList> {
 public:
  using Position = std::list<ExpressionEntry>::iterator;

  HRESULT BTE_CALL GetRecord(IBuildTagExprRecord** record) override;
  HRESULT BTE_CALL GetNextRecord(IBuildTagExprRecord** record) override;

  // 1 when appended at the tail; 0 for a null argument or a pair of target
  // and expression that the list already holds.
  int AddEntry(const char* target, const char* expression,
               std::optional<TimeStamp> time = std::nullopt);
  // The first entry with both texts, or null.
  const ExpressionEntry* FindEntry(const char* target, const char* expression) const;
  // Removes every entry with both texts; 1 if one went.
  int RemoveEntries(const char* target, const char* expression);
  // 1 when an entry of the scope holds the expression text.
  int ContainsExpression(const char* expression, int scope) const;
  // The targets whose entries hold the text, joined with ";" in list order;
  // a global entry adds nothing while out is empty and a bare ";" after.
  // 1 if any entry matched; 0 and out untouched for null.
  int CollectTargets(const char* expression, std::string& out) const;
  // Removes and destroys the entry at position (taken from Next's walk).
  void RemoveEntry(Position position);

  // Walking from the head: Next yields the entry at position after moving
  // position on, so the yielded entry may be removed and entries appended.
  Position Head() { return entries_.begin(); }
  ExpressionEntry* Next(Position& position);
  size_t size() const { return entries_.size(); }

 private:
  ~BuildTagExprList() override = default;

  std::list<ExpressionEntry> entries_;
  // Entries by expression text, each vector in list order, so that lookups
  // cost what the matching entries cost, not the whole list.
  std::unordered_map<std::string, std::vector<Position>> byExpression_;
  int rewindPending_ = 1;
  Position cursor_;
};

}  // namespace bte

#endif  // BTE_STORE_EXPRESSION_LIST_H
