// Every record of an expression list as "expression @ targets", as the host
// sees them. The list itself is left to the caller.
#ifndef BTE_TESTS_STORE_RECORD_DUMP_H
#define BTE_TESTS_STORE_RECORD_DUMP_H

#include <string>
#include <vector>

#include "buildtagexpr.h"

inline std::vector<std::string> DumpRecords(IBuildTagExprList* list) {
  std::vector<std::string> out;
  IBuildTagExprRecord* record = nullptr;
  while (list->GetNextRecord(&record) == S_OK) {
    char expression[300];
    char targets[300] = {};
    record->GetExpression(expression, sizeof expression);
    record->GetTargets(targets, sizeof targets - 1);
    out.push_back(std::string(expression) + " @ " + targets);
    record->Release();
  }
  return out;
}

#endif  // BTE_TESTS_STORE_RECORD_DUMP_H
