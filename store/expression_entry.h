// One stored expression: a target's, or a global one (empty target).
#ifndef BTE_STORE_EXPRESSION_ENTRY_H
#define BTE_STORE_EXPRESSION_ENTRY_H

#include <optional>
#include <string>

#include "store/time_stamp.h"

namespace bte {

class ExpressionEntry {
 public:
  // The time counts only for a global entry; every other entry, and a global
  // one made without a time, carries FixedEntryTime().
  ExpressionEntry(std::string targetName, std::string expressionText,
                  std::optional<TimeStamp> time = std::nullopt)
      : target(std::move(targetName)),
        expression(std::move(expressionText)),
        timeStamp(target.empty() && time ? *time : FixedEntryTime()) {}
  virtual ~ExpressionEntry() = default;

  std::string target;
  std::string expression;  // exactly as stored
  TimeStamp timeStamp;
};

}  // namespace bte

#endif  // BTE_STORE_EXPRESSION_ENTRY_H
